#include "platform/linux/cpuinfo.h"

#include <limits>

#include "platform/linux/text_lines.h"

namespace kolt::linux_backend {

namespace {

std::optional<std::uint32_t> ParseSmall(std::string_view field) {
    const std::optional<std::uint64_t> value = ParseUnsigned(field);
    if (!value || *value > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

bool HasFlag(std::string_view flags, std::string_view wanted) {
    for (std::string_view flag = NextField(flags); !flag.empty(); flag = NextField(flags)) {
        if (flag == wanted) {
            return true;
        }
    }
    return false;
}

}  // namespace

CpuInfo ParseCpuinfo(std::string_view content) {
    CpuInfo info;
    bool inBlock = false;
    bool done = false;
    ForEachLine(content, [&](std::string_view line) {
        if (done) {
            return;
        }
        const std::size_t colon = line.find(':');
        if (Trim(line).empty()) {
            done = inBlock;  // leading blank lines are not the end of the first block
            return;
        }
        inBlock = true;
        if (colon == std::string_view::npos) {
            return;
        }
        const std::string_view key = Trim(line.substr(0, colon));
        const std::string_view value = Trim(line.substr(colon + 1));
        if (key == "vendor_id") {
            info.vendorId = std::string(value);
        } else if (key == "model name" && !value.empty()) {
            info.modelName = std::string(value);
        } else if (key == "cpu family") {
            info.family = ParseSmall(value);
        } else if (key == "model") {
            info.model = ParseSmall(value);
        } else if (key == "stepping") {
            info.stepping = ParseSmall(value);
        } else if (key == "flags") {
            info.mmx = HasFlag(value, "mmx");
        }
    });
    return info;
}

}  // namespace kolt::linux_backend
