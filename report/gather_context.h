// What every section's gatherer works from: the platform that answers, and what the composer
// keeps from one gathering to the next.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace kolt {

struct GatherContext {
    explicit GatherContext(Platform& answering)
        : platform(answering),
          processorCount(static_cast<std::int32_t>(answering.ProcessorCount())) {}

    Platform& platform;
    // The system's processor count, read once when the composer is made: the architecture lines
    // and the CPU speed line show the same count whichever of them a report holds.
    const std::int32_t processorCount;
    // The version the last operating-system lookup found: a later lookup that finds none shows
    // it again rather than nothing.
    std::optional<std::string> osVersionFoundBefore;
};

}  // namespace kolt
