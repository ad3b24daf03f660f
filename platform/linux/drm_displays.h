// The displays on Linux: the kernel's DRM connectors.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace kolt::linux_backend {

// Under `root`, every connector of /sys/class/drm ("card0-HDMI-A-1") whose status is
// "connected", named without its card ("HDMI-A-1"), card by card. The kernel's sysfs lists a
// connector's modes but not which one is in use (that takes the DRM device itself), so the
// resolution, refresh rate, scale and which display is the primary one are unknown.
std::vector<DisplayInfo> ReadDrmDisplays(const std::string& root);

}  // namespace kolt::linux_backend
