#include "platform/win32/printer_rules.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

namespace kolt::win32 {
namespace {

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::vector<PrinterCondition> PrinterConditions(std::uint32_t status, std::uint32_t attributes) {
    const std::pair<std::uint32_t, PrinterCondition> bits[] = {
        {kPrinterOffline, PrinterCondition::Offline},
        {kPrinterPaused, PrinterCondition::Paused},
        {kPrinterError, PrinterCondition::Error},
        {kPrinterPaperOut, PrinterCondition::OutOfPaper},
        {kPrinterPaperJam, PrinterCondition::PaperJam},
        {kPrinterNoToner, PrinterCondition::NoToner},
        {kPrinterDoorOpen, PrinterCondition::DoorOpen},
    };
    std::vector<PrinterCondition> conditions;
    for (const auto& [bit, condition] : bits) {
        const bool offline =
            condition == PrinterCondition::Offline && (attributes & kPrinterAttributeWorkOffline);
        if ((status & bit) != 0 || offline) {
            conditions.push_back(condition);
        }
    }
    return conditions;
}

PrinterList PrintersFromRecords(const std::vector<PrinterRecord>& records,
                                const std::optional<std::string>& defaultName) {
    PrinterList printers;
    for (const PrinterRecord& record : records) {
        PrinterInfo printer;
        printer.name = record.name;
        printer.network = (record.attributes & kPrinterAttributeNetwork) != 0 ||
                          record.name.rfind("\\\\", 0) == 0;
        printer.isDefault = defaultName && SameName(*defaultName, record.name);
        printer.conditions = PrinterConditions(record.status, record.attributes);
        printer.jobsWaiting = record.jobs;
        printers.push_back(std::move(printer));
    }
    return printers;
}

}  // namespace kolt::win32
