// Counting the processor's cores and logical processors from Windows' answer about its processor
// cores: a pure walk over the answer's bytes, tested with recorded answers. No Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kolt::win32 {

// Where the walk finds what it needs in one record of the answer.
inline constexpr std::size_t kRecordSizeOffset = 4;   // after the relationship
inline constexpr std::size_t kGroupCountOffset = 30;  // after the flags and the reserved bytes
inline constexpr std::size_t kGroupMasksOffset = 32;  // the first group's affinity mask
inline constexpr std::uint32_t kRelationProcessorCore = 0;

struct ProcessorCounts {
    std::optional<std::uint32_t> physicalCores;
    std::optional<std::uint32_t> logicalProcessors;
};

// The records of GetLogicalProcessorInformationEx(RelationProcessorCore), one after another, each
// stating its own size: every core record counts one core and the processors set in its groups'
// affinity masks (`maskBytes` wide: the program's pointer size). The walk ends at a record whose
// size is too small or runs past the answer, and never reads outside it. Unknown when no core
// record was read.
ProcessorCounts CountProcessorCores(std::string_view records, std::size_t maskBytes);

}  // namespace kolt::win32
