// The memory counts, from the text of /proc/meminfo.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/platform.h"

namespace kolt::linux_backend {

// The /proc/meminfo fields the memory block needs, in kB as the kernel writes them; a field
// missing from the text stays nullopt.
struct Meminfo {
    std::optional<std::uint64_t> memTotalKb;
    std::optional<std::uint64_t> memFreeKb;
    std::optional<std::uint64_t> memAvailableKb;
    std::optional<std::uint64_t> buffersKb;
    std::optional<std::uint64_t> cachedKb;
    std::optional<std::uint64_t> swapTotalKb;
    std::optional<std::uint64_t> swapFreeKb;
};

Meminfo ParseMeminfo(std::string_view content);

// The four counts in bytes. Physical: MemTotal and MemAvailable. Paging file: the commit limit
// as Windows reports it, RAM plus swap, so MemTotal + SwapTotal and MemAvailable + SwapFree.
// Kernels older than MemAvailable get the classic estimate MemFree + Buffers + Cached. Missing
// fields count 0; sums that would pass 64 bits stop at the largest count.
MemoryStatus MemoryStatusFromMeminfo(const Meminfo& info);

}  // namespace kolt::linux_backend
