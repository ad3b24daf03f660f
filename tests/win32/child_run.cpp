#include "tests/win32/child_run.h"

#include <windows.h>

#include <array>
#include <string>
#include <utility>

#include "tests/win32/system_utf8.h"

namespace kolt::test_support {
namespace {

// A kernel handle, closed when the object goes out of scope.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~Handle() { Close(); }
    Handle(Handle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) {
            Close();
            m_handle = std::exchange(other.m_handle, nullptr);
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE Get() const { return m_handle; }
    HANDLE* Receive() {
        Close();
        return &m_handle;
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

// Everything a pipe delivers until its writers are gone.
std::string ReadToEnd(HANDLE pipe) {
    std::string bytes;
    std::array<char, 4096> chunk{};
    DWORD received = 0;
    while (ReadFile(pipe, chunk.data(), static_cast<DWORD>(chunk.size()), &received, nullptr) &&
           received > 0) {
        bytes.append(chunk.data(), received);
    }
    return bytes;
}

}  // namespace

ChildRun RunChild(const std::string& program, const std::string& directory,
                  const std::vector<std::string>& arguments) {
    ChildRun run;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};

    Handle outputRead;
    Handle outputWrite;
    Handle errorRead;
    Handle errorWrite;
    if (!CreatePipe(outputRead.Receive(), outputWrite.Receive(), &inheritable, 0) ||
        !SetHandleInformation(outputRead.Get(), HANDLE_FLAG_INHERIT, 0) ||
        !CreatePipe(errorRead.Receive(), errorWrite.Receive(), &inheritable, 0) ||
        !SetHandleInformation(errorRead.Get(), HANDLE_FLAG_INHERIT, 0)) {
        return run;
    }
    Handle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                             OPEN_EXISTING, 0, nullptr));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.Get();
    startup.hStdOutput = outputWrite.Get();
    startup.hStdError = errorWrite.Get();

    // The command line is the program's name alone, quoted for a path with spaces; the call may
    // write into it, so it is a copy. Through the wide call, so a folder of any name works.
    std::string commandLine = "\"" + program + "\"";
    for (const std::string& argument : arguments) {
        commandLine += " \"" + argument + "\"";
    }
    std::wstring wideCommandLine = SystemUtf16(commandLine);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(SystemUtf16(program).c_str(), wideCommandLine.data(), nullptr, nullptr,
                        TRUE, 0, nullptr, SystemUtf16(directory).c_str(), &startup, &process)) {
        return run;
    }
    run.started = true;
    const Handle processHandle(process.hProcess);
    const Handle threadHandle(process.hThread);
    // Only the child holds the write ends now, so the pipes end when the child does. Standard
    // error is read second: the little it holds fits its pipe meanwhile.
    outputWrite.Close();
    errorWrite.Close();
    run.standardOutput = ReadToEnd(outputRead.Get());
    run.standardError = ReadToEnd(errorRead.Get());
    WaitForSingleObject(processHandle.Get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(processHandle.Get(), &exitCode);
    run.exitCode = exitCode;
    return run;
}

}  // namespace kolt::test_support
