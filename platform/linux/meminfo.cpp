#include "platform/linux/meminfo.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "platform/linux/text_lines.h"

namespace kolt::linux_backend {

namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) {
    return a > kMax - b ? kMax : a + b;
}

std::uint64_t SaturatingMultiply(std::uint64_t count, std::uint64_t unit) {
    return unit != 0 && count > kMax / unit ? kMax : count * unit;
}

std::uint64_t KbToBytes(std::uint64_t kb) {
    return SaturatingMultiply(kb, 1024);
}

}  // namespace

Meminfo ParseMeminfo(std::string_view content) {
    Meminfo info;
    ForEachLine(content, [&info](std::string_view line) {
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            return;
        }
        const std::string_view key = line.substr(0, colon);
        std::optional<std::uint64_t>* field = nullptr;
        if (key == "MemTotal") {
            field = &info.memTotalKb;
        } else if (key == "MemFree") {
            field = &info.memFreeKb;
        } else if (key == "MemAvailable") {
            field = &info.memAvailableKb;
        } else if (key == "Buffers") {
            field = &info.buffersKb;
        } else if (key == "Cached") {
            field = &info.cachedKb;
        } else if (key == "SwapTotal") {
            field = &info.swapTotalKb;
        } else if (key == "SwapFree") {
            field = &info.swapFreeKb;
        } else {
            return;
        }
        std::string_view rest = line.substr(colon + 1);
        const std::optional<std::uint64_t> value = ParseUnsigned(NextField(rest));
        const std::string_view unit = NextField(rest);
        if (value && (unit.empty() || unit == "kB")) {
            *field = value;
        }
    });
    return info;
}

std::optional<MemoryStatus> MemoryStatusFromMeminfo(const Meminfo& info) {
    if (!info.memTotalKb) {
        return std::nullopt;
    }
    const std::uint64_t totalKb = *info.memTotalKb;
    std::uint64_t availKb = 0;
    if (info.memAvailableKb) {
        availKb = *info.memAvailableKb;
    } else {
        availKb =
            SaturatingAdd(SaturatingAdd(info.memFreeKb.value_or(0), info.buffersKb.value_or(0)),
                          info.cachedKb.value_or(0));
        availKb = std::min(availKb, totalKb);
    }
    MemoryStatus status;
    status.physical.totalBytes = KbToBytes(totalKb);
    status.physical.availableBytes = KbToBytes(availKb);
    status.pagingFile.totalBytes =
        SaturatingAdd(status.physical.totalBytes, KbToBytes(info.swapTotalKb.value_or(0)));
    status.pagingFile.availableBytes =
        SaturatingAdd(status.physical.availableBytes, KbToBytes(info.swapFreeKb.value_or(0)));
    return status;
}

std::optional<MemoryStatus> MemoryStatusFromKernelCounts(const KernelMemoryCounts& counts) {
    if (counts.totalRam == 0) {
        return std::nullopt;
    }
    const auto bytes = [&counts](std::uint64_t count) {
        return SaturatingMultiply(count, counts.unitBytes);
    };
    MemoryStatus status;
    status.physical.totalBytes = bytes(counts.totalRam);
    status.physical.availableBytes = std::min(
        SaturatingAdd(bytes(counts.freeRam), bytes(counts.bufferRam)), status.physical.totalBytes);
    status.pagingFile.totalBytes =
        SaturatingAdd(status.physical.totalBytes, bytes(counts.totalSwap));
    status.pagingFile.availableBytes =
        SaturatingAdd(status.physical.availableBytes, bytes(counts.freeSwap));
    return status;
}

}  // namespace kolt::linux_backend
