// The program under test, started as a child process and never left running behind a test.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <type_traits>

namespace kolt::e2e {

class ChildProcess {
public:
    // Starts `program` with no arguments in `workingDirectory`; throws when it cannot start.
    ChildProcess(const std::filesystem::path& program,
                 const std::filesystem::path& workingDirectory);
    // A process still running is terminated, so a failed check never leaves windows behind.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD Id() const { return m_id; }

    // The exit status once the process has ended within `timeout`; nothing if it still runs.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout);

private:
    struct HandleCloser {
        void operator()(HANDLE handle) const { CloseHandle(handle); }
    };
    std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser> m_process;
    DWORD m_id = 0;
};

}  // namespace kolt::e2e
