// The application's name: its executable's file name without directory or extension. Message
// boxes without a title of their own carry it as their caption.
#pragma once

#include <string>
#include <string_view>

namespace kolt {

std::string ApplicationNameFromPath(std::string_view modulePath);

}  // namespace kolt
