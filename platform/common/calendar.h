// Calendar conversion every backend shares: the C library's broken-down time as the seam's
// LocalTime.
#pragma once

#include <ctime>

#include "platform/platform.h"

namespace kolt::common {

LocalTime LocalTimeFromTm(const std::tm& parts);

}  // namespace kolt::common
