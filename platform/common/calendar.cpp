#include "platform/common/calendar.h"

namespace kolt::common {

LocalTime LocalTimeFromTm(const std::tm& parts) {
    LocalTime local;
    local.year = parts.tm_year + 1900;
    local.month = parts.tm_mon + 1;
    local.day = parts.tm_mday;
    local.hour = parts.tm_hour;
    local.minute = parts.tm_min;
    local.second = parts.tm_sec;
    local.weekday = parts.tm_wday;
    return local;
}

}  // namespace kolt::common
