#include "platform/win32/monitor_rules.h"

#include <algorithm>

namespace kolt::win32 {
namespace {

constexpr std::uint32_t kUnscaledDpi = 96;

}  // namespace

std::optional<std::uint32_t> ScalePercentOfDpi(std::uint32_t dpi) {
    if (dpi == 0) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(dpi) * 100 + kUnscaledDpi / 2) /
                                      kUnscaledDpi);
}

std::vector<DisplayInfo> PrimaryFirst(std::vector<DisplayInfo> displays) {
    std::stable_partition(displays.begin(), displays.end(),
                          [](const DisplayInfo& display) { return display.primary; });
    return displays;
}

}  // namespace kolt::win32
