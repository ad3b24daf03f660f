// The monitors in use as the report lists them: pure rules over what the system enumerates,
// tested on every build.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/platform.h"

namespace kolt::win32 {

// A monitor's scale in percent of the 96 dots per inch that Windows counts as 100 %, to the
// nearest whole percent (144 dpi is 150 %); nullopt for no dpi.
std::optional<std::uint32_t> ScalePercentOfDpi(std::uint32_t dpi);

// The displays with the primary one first, the others in the system's order.
std::vector<DisplayInfo> PrimaryFirst(std::vector<DisplayInfo> displays);

}  // namespace kolt::win32
