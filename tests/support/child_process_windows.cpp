// Only Win32 code here.
#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "tests/support/child_process.h"

namespace kolt::test_support {

namespace {

// How often the pipes are emptied while the child runs.
constexpr DWORD kPollMilliseconds = 5;
// How long one wait for a child without pipes lasts before the time limit is looked at again.
constexpr DWORD kWaitPiece = 100;

// A kernel handle, closed when the object goes.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE Get() const { return m_handle; }
    HANDLE* Receive() {
        Close();
        return &m_handle;
    }
    void Reset(HANDLE handle) {
        Close();
        m_handle = handle;
    }
    void Close() {
        if (m_handle != nullptr) {
            CloseHandle(m_handle);
            m_handle = nullptr;
        }
    }

private:
    HANDLE m_handle = nullptr;
};

std::wstring Wide(std::string_view utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

// Appends what the pipe holds now to `bytes`, without waiting for more; false once every writer
// has closed it.
bool TakeWaiting(HANDLE pipe, std::string& bytes) {
    DWORD waiting = 0;
    if (PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr) == 0) {
        return false;
    }
    std::array<char, 4096> chunk{};
    while (waiting > 0) {
        DWORD received = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(waiting, chunk.size()));
        if (ReadFile(pipe, chunk.data(), wanted, &received, nullptr) == 0 || received == 0) {
            return false;
        }
        bytes.append(chunk.data(), received);
        waiting -= std::min(waiting, received);
    }
    return true;
}

// The caller's environment block with `changes` applied ("NAME=value" sets, "NAME" removes);
// empty when there are no changes, and the child inherits the caller's own.
std::wstring ChangedEnvironment(const std::vector<std::string>& changes) {
    if (changes.empty()) {
        return {};
    }
    std::vector<std::wstring> entries;
    const LPWCH strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
        entries.emplace_back(entry);
    }
    FreeEnvironmentStringsW(strings);
    for (const std::string& change : changes) {
        const std::wstring wide = Wide(change);
        const std::wstring name = wide.substr(0, wide.find(L'='));
        std::erase_if(entries, [&name](const std::wstring& entry) {
            return entry.size() > name.size() &&
                   CompareStringOrdinal(entry.c_str(), static_cast<int>(name.size()), name.c_str(),
                                        static_cast<int>(name.size()), TRUE) == CSTR_EQUAL &&
                   entry[name.size()] == L'=';
        });
        if (wide.size() > name.size()) {
            entries.push_back(wide);
        }
    }
    std::wstring block;
    for (const std::wstring& entry : entries) {
        block.append(entry).push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

bool AsksForPosixSurroundings(const ChildSetup& setup) {
    return setup.readerGone || setup.fileSizeLimit != 0 || setup.nonBlockingOutput ||
           setup.readerDelay.count() != 0 || setup.directoryDeleted || setup.readOnlyDirectory ||
           setup.hostName || setup.whileRunning;
}

}  // namespace

class ChildProcess::Running {
public:
    Running(const std::filesystem::path& program, const std::filesystem::path& directory,
            const ChildSetup& setup)
        : m_started(std::chrono::steady_clock::now()) {
        if (AsksForPosixSurroundings(setup)) {
            throw std::invalid_argument("those surroundings are made on POSIX systems only");
        }
        SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        Handle nullDevice(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                      OPEN_EXISTING, 0, nullptr));
        Handle outputWrite;
        Handle errorWrite;
        if (setup.keepOutput &&
            (!CreatePipe(m_output.Receive(), outputWrite.Receive(), &inheritable, 0) ||
             !SetHandleInformation(m_output.Get(), HANDLE_FLAG_INHERIT, 0) ||
             !CreatePipe(m_errors.Receive(), errorWrite.Receive(), &inheritable, 0) ||
             !SetHandleInformation(m_errors.Get(), HANDLE_FLAG_INHERIT, 0))) {
            throw std::runtime_error("cannot make the pipes for " + program.string());
        }

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullDevice.Get();
        startup.hStdOutput = setup.keepOutput ? outputWrite.Get() : nullDevice.Get();
        startup.hStdError = setup.keepOutput ? errorWrite.Get() : nullDevice.Get();

        // The program's path quoted, then each argument quoted; the call may write into the
        // command line, so it is a copy. Built piece by piece: GCC 12 at -O3 misreads
        // `L"\"" + std::wstring` as an overlapping copy. Through the wide call, so a folder of
        // any name works.
        std::wstring commandLine = L"\"";
        commandLine.append(program.wstring()).append(L"\"");
        for (const std::string& argument : setup.arguments) {
            commandLine.append(L" \"").append(Wide(argument)).append(L"\"");
        }
        std::wstring environment = ChangedEnvironment(setup.environment);
        const std::wstring workingDirectory = directory.wstring();
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                            environment.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT,
                            environment.empty() ? nullptr : environment.data(),
                            workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                            &process)) {
            throw std::runtime_error("cannot start " + program.string() + " (error " +
                                     std::to_string(GetLastError()) + ")");
        }
        m_process.Reset(process.hProcess);
        CloseHandle(process.hThread);
        m_id = process.dwProcessId;
    }

    ~Running() {
        if (WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_process.Get(), 255);
            WaitForSingleObject(m_process.Get(), 5000);
        }
    }

    std::uint32_t Id() const { return m_id; }

    ChildRun Finish() {
        ChildRun run;
        run.started = true;
        // Both pipes are emptied while the child runs, and the run is over when the child is,
        // not when the pipes close: a process the child starts may inherit the write ends and
        // outlive it (under Wine, a system service the program's first call starts on a new
        // Wine server), and would otherwise hold the run open for as long as it lives.
        const auto deadline = m_started + std::chrono::seconds(kChildTimeLimitSeconds);
        DWORD waited = WAIT_TIMEOUT;
        for (;;) {
            bool open = false;
            if (m_output.Get() != nullptr) {
                open = TakeWaiting(m_output.Get(), run.standardOutput);
                open = TakeWaiting(m_errors.Get(), run.standardError) || open;
            }
            // What the child wrote before it ended is still in the pipes: taken above, once more
            // after its end.
            if (waited == WAIT_OBJECT_0 || std::chrono::steady_clock::now() > deadline) {
                break;
            }
            // A child whose pipes are closed is only waited for.
            waited = WaitForSingleObject(m_process.Get(), open ? kPollMilliseconds : kWaitPiece);
        }
        run.milliseconds =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_started)
                .count();
        if (waited == WAIT_OBJECT_0) {
            DWORD exitCode = 0;
            GetExitCodeProcess(m_process.Get(), &exitCode);
            run.exitStatus = static_cast<int>(exitCode);
        }
        return run;
    }

    std::optional<int> WaitForExit(std::chrono::milliseconds timeout) {
        if (WaitForSingleObject(m_process.Get(), static_cast<DWORD>(timeout.count())) !=
            WAIT_OBJECT_0) {
            return std::nullopt;
        }
        DWORD exitCode = 0;
        GetExitCodeProcess(m_process.Get(), &exitCode);
        return static_cast<int>(exitCode);
    }

private:
    std::chrono::steady_clock::time_point m_started;
    Handle m_process;
    Handle m_output;
    Handle m_errors;
    DWORD m_id = 0;
};

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::filesystem::path& directory, const ChildSetup& setup)
    : m_running(std::make_unique<Running>(program, directory, setup)) {}

ChildProcess::~ChildProcess() = default;

std::uint32_t ChildProcess::Id() const {
    return m_running->Id();
}

ChildRun ChildProcess::Finish() {
    return m_running->Finish();
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    return m_running->WaitForExit(timeout);
}

ChildRun RunChild(const std::filesystem::path& program, const std::filesystem::path& directory,
                  const ChildSetup& setup) {
    try {
        ChildProcess child(program, directory, setup);
        return child.Finish();
    } catch (const std::runtime_error&) {
        return ChildRun{};
    }
}

}  // namespace kolt::test_support
