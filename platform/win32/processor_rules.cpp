// No Windows headers here: these rules build and are tested on every platform.
#include "platform/win32/processor_rules.h"

#include <bit>

namespace kolt::win32 {

namespace {

// Each group's entry: the affinity mask, the group number and three reserved words.
constexpr std::size_t kGroupTrailerBytes = 8;

std::uint64_t LittleEndian(std::string_view bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i > 0; --i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes[i - 1]);
    }
    return value;
}

}  // namespace

ProcessorCounts CountProcessorCores(std::string_view records, std::size_t maskBytes) {
    if (maskBytes == 0 || maskBytes > sizeof(std::uint64_t)) {
        return {};
    }
    const std::size_t groupEntryBytes = maskBytes + kGroupTrailerBytes;
    std::uint32_t cores = 0;
    std::uint64_t logical = 0;
    while (records.size() >= kGroupMasksOffset) {
        const std::uint64_t size = LittleEndian(records.substr(kRecordSizeOffset, 4));
        if (size < kGroupMasksOffset || size > records.size()) {
            break;
        }
        const std::string_view record = records.substr(0, size);
        records.remove_prefix(size);
        if (LittleEndian(record.substr(0, 4)) != kRelationProcessorCore) {
            continue;
        }
        ++cores;
        const std::uint64_t groups = LittleEndian(record.substr(kGroupCountOffset, 2));
        for (std::uint64_t group = 0; group < groups; ++group) {
            const std::size_t at = kGroupMasksOffset + group * groupEntryBytes;
            if (at + maskBytes > record.size()) {
                break;
            }
            logical += static_cast<std::uint64_t>(
                std::popcount(LittleEndian(record.substr(at, maskBytes))));
        }
    }
    if (cores == 0) {
        return {};
    }
    ProcessorCounts counts;
    counts.physicalCores = cores;
    if (logical > 0 && logical <= 0xFFFFFFFFu) {
        counts.logicalProcessors = static_cast<std::uint32_t>(logical);
    }
    return counts;
}

}  // namespace kolt::win32
