// The Date and Time line: the local date and time when the report is made.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "report/gather_context.h"
#include "report/json_value.h"

namespace kolt {

struct DateTimeFacts {
    std::optional<LocalTime> local;  // nullopt: the clock gave no valid time
};

DateTimeFacts GatherDateTime(GatherContext& context);

// The line's value: "Www Mmm DD hh:mm:ss YYYY", or the placeholder for no date.
std::string DateText(const std::optional<LocalTime>& local);

void AppendDateTimeText(const DateTimeFacts& facts, std::string& report);
// The text as the line shows it and the time in ISO 8601 (null for no date).
void WriteDateTimeJson(const DateTimeFacts& facts, Json& value);

}  // namespace kolt
