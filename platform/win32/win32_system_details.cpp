// The processor's cores and where the program runs. Only Win32 code here.
#include "platform/win32/win32_system_details.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/common/architecture.h"

namespace kolt::win32 {

namespace {

using IsWow64Process2Function = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);

// The walk over the processor answer reads these places; the system's own layout must agree.
static_assert(offsetof(SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX, Size) == kRecordSizeOffset);
static_assert(offsetof(SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX, Processor) +
                  offsetof(PROCESSOR_RELATIONSHIP, GroupCount) ==
              kGroupCountOffset);
static_assert(offsetof(SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX, Processor) +
                  offsetof(PROCESSOR_RELATIONSHIP, GroupMask) ==
              kGroupMasksOffset);
static_assert(sizeof(GROUP_AFFINITY) == sizeof(KAFFINITY) + 8);

// The answer grows when processors come online between the size query and the read.
constexpr int kProcessorAnswerRounds = 4;

}  // namespace

ArchitectureAnswers ReadArchitectureAnswers() {
    ArchitectureAnswers answers;
    answers.program = common::ProgramArchitecture();
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    // Through a plain function pointer type: the looked-up address has the call's real type.
    const auto isWow64Process2 =
        reinterpret_cast<IsWow64Process2Function>(reinterpret_cast<void (*)()>(
            kernel != nullptr ? GetProcAddress(kernel, "IsWow64Process2") : nullptr));
    USHORT processMachine = 0;
    USHORT nativeMachine = 0;
    if (isWow64Process2 != nullptr &&
        isWow64Process2(GetCurrentProcess(), &processMachine, &nativeMachine) != 0) {
        answers.wow64NativeMachine = nativeMachine;
    }
    BOOL wow64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &wow64) != 0) {
        answers.wow64 = wow64 != 0;
    }
    SYSTEM_INFO native{};
    GetNativeSystemInfo(&native);
    answers.nativeProcessorArchitecture = native.wProcessorArchitecture;
    return answers;
}

ProcessorCounts ReadProcessorCounts() {
    DWORD size = 0;
    GetLogicalProcessorInformationEx(RelationProcessorCore, nullptr, &size);
    for (int round = 0; round < kProcessorAnswerRounds && size > 0; ++round) {
        std::vector<unsigned char> answer(size);
        if (GetLogicalProcessorInformationEx(
                RelationProcessorCore,
                reinterpret_cast<SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*>(answer.data()),
                &size) != 0) {
            return CountProcessorCores(
                std::string_view(reinterpret_cast<const char*>(answer.data()),
                                 std::min<std::size_t>(size, answer.size())),
                sizeof(KAFFINITY));
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            break;
        }
    }
    return {};
}

}  // namespace kolt::win32
