#include "report/sections/computer_name.h"

#include <nlohmann/json.hpp>

#include "report/json_or_null.h"
#include "report/name_area.h"
#include "report/netbios_name.h"
#include "report/report_limits.h"
#include "report/report_lines.h"

namespace kolt {

ComputerNameFacts GatherComputerName(GatherContext& context) {
    return ComputerNameFacts{
        NameInArea(NetbiosStyleName(context.platform.ComputerName()), limits::kComputerNameArea)};
}

void AppendComputerNameText(const ComputerNameFacts& facts, std::string& report) {
    report_lines::AppendLine(report, "  Computer Name   : ", facts.name.value_or("Unknown"));
}

void WriteComputerNameJson(const ComputerNameFacts& facts, Json& value) {
    value = OrNull(facts.name);
}

}  // namespace kolt
