#include "report/sections/architecture.h"

#include <string_view>

#include <nlohmann/json.hpp>

#include "report/json_or_null.h"
#include "report/report_lines.h"

namespace kolt {

namespace {

// The vendor identifiers shown in a friendlier spelling; any other text is shown as read.
struct VendorName {
    std::string_view identifier;
    std::string_view shown;
};
constexpr VendorName kVendorNames[] = {
    {"GenuineIntel", "Genuine Intel"},
    {"AuthenticAMD", "Authentic AMD"},
};

std::string VendorText(const std::optional<std::string>& vendor) {
    if (!vendor) {
        return "Vendor Unknown";
    }
    for (const VendorName& known : kVendorNames) {
        if (*vendor == known.identifier) {
            return std::string(known.shown);
        }
    }
    return *vendor;
}

}  // namespace

ArchitectureFacts GatherArchitecture(GatherContext& context) {
    return ArchitectureFacts{context.platform.Processor(), context.processorCount};
}

std::optional<std::string> ProcessorIdentifier(const ProcessorInfo& processor) {
    if (processor.identifier) {
        return processor.identifier;
    }
    if (!processor.family || !processor.model || !processor.stepping) {
        return std::nullopt;
    }
    std::string text;
    if (processor.program32Bit) {
        text = "x86";
    } else if (processor.vendor == "GenuineIntel") {
        text = "Intel64";
    } else {
        text = "AMD64";
    }
    text += " Family " + std::to_string(*processor.family);
    text += " Model " + std::to_string(*processor.model);
    text += " Stepping " + std::to_string(*processor.stepping);
    return text;
}

void AppendArchitectureText(const ArchitectureFacts& facts, std::string& report) {
    report_lines::AppendLine(report, "  Architecture    : ", VendorText(facts.found.vendor));
    report_lines::AppendLine(report, "  Number of CPUs  : ", std::to_string(facts.processors));
    report_lines::AppendLine(
        report, "  CPU Type        : ", ProcessorIdentifier(facts.found).value_or("CPU Unknown"));
    // The report never says that MMX is absent: the line is only there when it is present.
    if (facts.found.mmx) {
        report_lines::AppendLine(report, "  MMX Feature     : ", "Present");
    }
}

void WriteArchitectureJson(const ArchitectureFacts& facts, Json& value) {
    value = Json{{"vendor", OrNull(facts.found.vendor)},
                 {"identifier", OrNull(ProcessorIdentifier(facts.found))},
                 {"processors", facts.processors},
                 {"mmx", facts.found.mmx}};
}

}  // namespace kolt
