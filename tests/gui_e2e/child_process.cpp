#include "tests/gui_e2e/child_process.h"

#include <stdexcept>
#include <string>

namespace kolt::e2e {

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::filesystem::path& workingDirectory) {
    // Through the wide call, so the program may start in a folder of any name. Built piece by
    // piece: GCC 12 at -O3 misreads `"\"" + std::wstring` as an overlapping copy.
    std::wstring commandLine = L"\"";
    commandLine.append(program.wstring()).append(L"\"");
    const std::wstring directory = workingDirectory.wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       directory.c_str(), &startup, &started) == 0) {
        throw std::runtime_error("cannot start " + program.string() + " (error " +
                                 std::to_string(GetLastError()) + ")");
    }
    CloseHandle(started.hThread);
    m_process.reset(started.hProcess);
    m_id = started.dwProcessId;
}

ChildProcess::~ChildProcess() {
    if (WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.get(), 255);
        WaitForSingleObject(m_process.get(), 5000);
    }
}

std::optional<DWORD> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (WaitForSingleObject(m_process.get(), static_cast<DWORD>(timeout.count())) !=
        WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD status = 0;
    GetExitCodeProcess(m_process.get(), &status);
    return status;
}

}  // namespace kolt::e2e
