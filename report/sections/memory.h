// The System Memory block: physical memory and the paging file, each in whole megabytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "report/gather_context.h"
#include "report/json_value.h"

namespace kolt {

// One kind of memory as the report counts it.
struct MemoryKindFacts {
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0;  // never above the total
    std::uint64_t usedBytes = 0;
    // Whole megabytes, each count rounded up before the difference is taken, and the share in
    // use computed from them, unrounded: the figures the memory block writes.
    double totalMegabytes = 0;
    double availableMegabytes = 0;
    double usedMegabytes = 0;
    double usagePercent = 0;
};

// nullopt where the system gave no counts: the text shows its placeholder, JSON null figures.
struct MemoryFacts {
    std::optional<MemoryKindFacts> physical;
    std::optional<MemoryKindFacts> pagingFile;  // the commit limit on Windows
};

MemoryFacts GatherMemory(GatherContext& context);

void AppendMemoryText(const MemoryFacts& facts, std::string& report);
void WriteMemoryJson(const MemoryFacts& facts, Json& value);

}  // namespace kolt
