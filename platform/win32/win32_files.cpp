// The programs' own files on Windows. Only Win32 code here.
#include <windows.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <utility>

#include "platform/files.h"
#include "platform/win32/system_message.h"
#include "text/utf16.h"

namespace kolt {

namespace {

constexpr DWORD kReadChunk = 16 * 1024;
// Tries at other temporary names before a replacement gives up.
constexpr int kTemporaryNameTries = 16;

// An open file handle, closed when the object goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    // Closes now; false when the close reports an error (a write that failed late).
    bool Close() {
        if (m_handle == INVALID_HANDLE_VALUE) {
            return true;
        }
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

private:
    HANDLE m_handle;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (WriteFile(file, bytes.data(), wanted, &written, nullptr) == 0 || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// The path (UTF-8) in the system's wide form, so a folder whatever its name is reached. Paths as
// long as MAX_PATH or longer (the console program reads its selection from a directory of up to
// 1023 characters) are made absolute and given the "\\?\" prefix that lifts the limit.
std::wstring WidePath(const std::string& path) {
    std::wstring wide = text::Utf16FromUtf8(path);
    if (wide.size() < MAX_PATH || wide.starts_with(L"\\\\?\\")) {
        return wide;
    }
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return wide;
    }
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) {
        return wide;
    }
    full.resize(written);
    if (full.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share\...
    }
    return L"\\\\?\\" + full;
}

FileWriteResult Failure(DWORD error, std::string leftBehind = {}) {
    return FileWriteResult{false, win32::SystemMessage(error), std::move(leftBehind)};
}

// A name beside `path` that no other run picks at the same moment: the process, the tick count
// and the try number; CREATE_NEW catches the rare clash.
std::string TemporaryNameBeside(const std::string& path, int attempt) {
    return path + "." + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount64()) + "-" + std::to_string(attempt) + ".tmp";
}

}  // namespace

bool ReadRegularFile(const std::string& path, std::size_t limit,
                     const std::function<bool(std::string_view)>& consume) {
    // Without FILE_FLAG_BACKUP_SEMANTICS a directory does not open; a pipe or a device opens but
    // is not a disk file.
    FileHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid() || GetFileType(file.Get()) != FILE_TYPE_DISK) {
        return false;
    }
    std::array<char, kReadChunk> buffer;
    std::size_t total = 0;
    while (total < limit) {
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), limit - total));
        DWORD got = 0;
        if (ReadFile(file.Get(), buffer.data(), wanted, &got, nullptr) == 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        total += got;
        if (!consume(std::string_view(buffer.data(), got))) {
            break;
        }
    }
    return true;
}

std::string TextFileBytes(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 32);
    for (const char c : text) {
        if (c == '\n') {
            bytes += '\r';
        }
        bytes += c;
    }
    return bytes;
}

FileWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        const std::string temporaryName = TemporaryNameBeside(path, attempt);
        const std::wstring temporary = WidePath(temporaryName);
        FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            if (GetLastError() == ERROR_FILE_EXISTS) {
                continue;
            }
            return Failure(GetLastError());
        }
        // The bytes reach the disk before the file takes the name, and the move is written
        // through: a crash or power cut leaves the whole old file or the whole new one.
        DWORD error = ERROR_SUCCESS;
        if (!WriteAll(file.Get(), bytes) || FlushFileBuffers(file.Get()) == 0 || !file.Close()) {
            error = GetLastError();
        } else if (MoveFileExW(temporary.c_str(), WidePath(path).c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
            // The move replaces whatever file or link stands at the name and never follows a
            // link.
            return FileWriteResult{true, {}, {}};
        } else {
            error = GetLastError();
        }
        file.Close();
        if (DeleteFileW(temporary.c_str()) == 0) {
            return Failure(error, temporaryName);
        }
        return Failure(error);
    }
    return Failure(ERROR_FILE_EXISTS);
}

}  // namespace kolt
