// The processor's cores and where the program runs, through kernel32. Only Win32 code here.
#pragma once

#include "platform/win32/processor_rules.h"
#include "platform/win32/release_rules.h"

namespace kolt::win32 {

// The answers of the WOW64 calls (IsWow64Process2 looked up at run time, as Windows 7 and older
// Wine lack it) and of GetNativeSystemInfo, and what this program is built for.
ArchitectureAnswers ReadArchitectureAnswers();

// The processor cores and logical processors, every processor group included.
ProcessorCounts ReadProcessorCounts();

}  // namespace kolt::win32
