// The print spooler's printers. Only Win32 code here.
#include "platform/win32/win32_printers.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "platform/win32/printer_rules.h"
#include "platform/win32/system_module.h"
#include "text/utf16.h"

namespace kolt::win32 {
namespace {

// The list may grow between the size query and the read; a few rounds cover that.
constexpr int kReadRounds = 4;

using EnumPrintersFunction = decltype(&EnumPrintersW);
using GetDefaultPrinterFunction = decltype(&GetDefaultPrinterW);

std::string Utf8(const wchar_t* text) {
    return text != nullptr ? text::Utf8FromUtf16(text) : std::string();
}

std::optional<std::vector<PrinterRecord>> EnumeratePrinters(EnumPrintersFunction enumPrinters) {
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD count = 0;
    if (enumPrinters(flags, nullptr, 2, nullptr, 0, &needed, &count) != 0) {
        return std::vector<PrinterRecord>{};  // no printer at all
    }
    for (int round = 0; round < kReadRounds; ++round) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) {
            return std::nullopt;
        }
        // PRINTER_INFO_2W records and the texts they point to, aligned for the records.
        std::vector<PRINTER_INFO_2W> area(needed / sizeof(PRINTER_INFO_2W) + 1);
        const DWORD size = static_cast<DWORD>(area.size() * sizeof(PRINTER_INFO_2W));
        if (enumPrinters(flags, nullptr, 2, reinterpret_cast<BYTE*>(area.data()), size, &needed,
                         &count) != 0) {
            std::vector<PrinterRecord> records;
            for (DWORD i = 0; i < count && i < area.size(); ++i) {
                const PRINTER_INFO_2W& printer = area[i];
                records.push_back(PrinterRecord{Utf8(printer.pPrinterName), printer.Status,
                                                printer.Attributes, printer.cJobs});
            }
            return records;
        }
    }
    return std::nullopt;
}

std::optional<std::string> DefaultPrinter(GetDefaultPrinterFunction getDefault) {
    if (getDefault == nullptr) {
        return std::nullopt;
    }
    DWORD size = 0;
    getDefault(nullptr, &size);  // fails, saying the size with its terminator
    if (size == 0) {
        return std::nullopt;  // no default printer
    }
    std::vector<wchar_t> name(size, L'\0');
    if (getDefault(name.data(), &size) == 0) {
        return std::nullopt;
    }
    return Utf8(name.data());
}

}  // namespace

std::optional<PrinterList> ReadPrinters() {
    const SystemModule winspool(L"winspool.drv");
    const auto enumPrinters = winspool.Find<EnumPrintersFunction>("EnumPrintersW");
    if (enumPrinters == nullptr) {
        return std::nullopt;
    }
    const std::optional<std::vector<PrinterRecord>> records = EnumeratePrinters(enumPrinters);
    if (!records) {
        return std::nullopt;
    }
    return PrintersFromRecords(
        *records, DefaultPrinter(winspool.Find<GetDefaultPrinterFunction>("GetDefaultPrinterW")));
}

}  // namespace kolt::win32
