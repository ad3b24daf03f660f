// What the backend leaves behind in the process: no open handle or sockets start-up after a
// call, and the process-wide settings of the two set-up functions.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <winsock2.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>

#include "platform/platform.h"
#include "platform/process.h"

namespace kolt {
namespace {

// The value the system gives the next handle it opens. Handle tables hand out the lowest free
// entry, so a handle left open by the code under test shows as a higher value here. (Wine does not
// count a process's handles, so the count itself cannot be compared.)
std::uintptr_t NextHandleValue() {
    const HANDLE probe = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const auto value = reinterpret_cast<std::uintptr_t>(probe);
    CloseHandle(probe);
    return value;
}

// Every question except the slow ones (the clock measurement takes a second), as a report would
// ask them.
void AskEverything(Platform& platform) {
    platform.ProcessorCount();
    platform.Processor();
    platform.OperatingSystem();
    platform.ComputerName();
    platform.UserName();
    platform.UserDomains();
    platform.ToLocalTime(platform.CurrentTime());
    platform.Memory();
    platform.Drives();
    platform.OwnHostAddresses();
    platform.CurrentDirectory();
}

TEST(ProcessState, NothingStaysOpenBetweenCalls) {
    const auto platform = CreateHostPlatform();
    // The first round may load libraries and open what the system keeps for the process.
    AskEverything(*platform);
    const std::uintptr_t before = NextHandleValue();
    for (int round = 0; round < 20; ++round) {
        AskEverything(*platform);
    }
    // Questions that may wait are asked on worker threads, which end a moment after they have
    // answered (later still on a busy machine), and what a thread holds goes with it; so either
    // reading may come while the first round's threads or the last round's still hold theirs.
    // A handle left open stays: the next value never comes back down to the first reading.
    std::uintptr_t after = NextHandleValue();
    for (int wait = 0; wait < 100 && after > before; ++wait) {
        Sleep(50);
        after = NextHandleValue();
    }
    EXPECT_LE(after, before);
    // Each sockets start-up was ended: one more clean-up finds the library not started.
    EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

TEST(ProcessState, CriticalErrorBoxesAreAddedToTheErrorMode) {
    const UINT original = SetErrorMode(SEM_NOGPFAULTERRORBOX);
    SuppressCriticalErrorDialogs();
    const UINT mode = SetErrorMode(original);
    EXPECT_EQ(mode, UINT{SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX});
}

TEST(ProcessState, TheConsoleProcessWritesBinaryAndShowsNoCriticalErrorBoxes) {
    std::fflush(stdout);
    const int originalOutput = _setmode(_fileno(stdout), _O_TEXT);
    const UINT originalMode = SetErrorMode(0);
    PrepareConsoleProcess();
    // Setting a mode answers the mode it replaces.
    EXPECT_EQ(_setmode(_fileno(stdout), originalOutput), _O_BINARY);
    EXPECT_EQ(SetErrorMode(originalMode), UINT{SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX});
}

}  // namespace
}  // namespace kolt
