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
// fields count 0; sums that would pass 64 bits stop at the largest count. nullopt without a
// MemTotal: a text that does not say how much memory there is gives no counts at all.
std::optional<MemoryStatus> MemoryStatusFromMeminfo(const Meminfo& info);

// What sysinfo(2) says of memory: each count in units of `unitBytes`.
struct KernelMemoryCounts {
    std::uint64_t totalRam = 0;
    std::uint64_t freeRam = 0;
    std::uint64_t bufferRam = 0;
    std::uint64_t totalSwap = 0;
    std::uint64_t freeSwap = 0;
    std::uint32_t unitBytes = 1;
};

// The four counts from sysinfo(2), for when /proc/meminfo cannot be read. It knows no page
// cache, so the memory available is the free and buffer memory: the lower estimate, never an
// invented one. nullopt when it counts no memory.
std::optional<MemoryStatus> MemoryStatusFromKernelCounts(const KernelMemoryCounts& counts);

}  // namespace kolt::linux_backend
