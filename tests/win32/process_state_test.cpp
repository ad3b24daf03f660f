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

// Every question except the slow ones, as a report would ask them.
void AskEverything(Platform& platform) {
    platform.ProcessorCount();
    platform.MmxAvailable();
    platform.ComputerName();
    platform.UserName();
    platform.EnvironmentVariable("USERDOMAIN");
    platform.ToLocalTime(platform.CurrentTime());
    platform.RegistryKeyExists("Software\\Microsoft\\Windows NT\\CurrentVersion");
    platform.RegistryKeyExists("Software\\Kolt Missing Key");
    platform.RegistryText("Software\\Microsoft\\Windows NT\\CurrentVersion", "ProductName", 64);
    platform.RegistryText("Software\\Microsoft\\Windows NT\\CurrentVersion", "Missing", 64);
    platform.RegistryText("Software\\Kolt Missing Key", "ProductName", 64);
    platform.RegistryDword("Software\\Microsoft\\Windows NT\\CurrentVersion",
                           "CurrentMajorVersionNumber");
    platform.RegistryDword("Software\\Microsoft\\Windows NT\\CurrentVersion", "ProductName");
    platform.PerformanceFrequency();
    platform.PerformanceCounter();
    platform.TimeStampCounter();
    platform.Memory();
    for (const char* root : {"C:\\", "Q:\\", "Z:\\"}) {
        platform.DiskFreeSpace(root);
        platform.DriveType(root);
    }
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
    EXPECT_EQ(NextHandleValue(), before);
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

TEST(ProcessState, StandardOutputBecomesBinary) {
    std::fflush(stdout);
    const int original = _setmode(_fileno(stdout), _O_TEXT);
    UseBinaryStandardOutput();
    // Setting the mode answers the mode it replaces.
    EXPECT_EQ(_setmode(_fileno(stdout), original), _O_BINARY);
}

}  // namespace
}  // namespace kolt
