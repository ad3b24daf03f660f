// Names and texts the system writes into a caller's area, read whole whatever their length
// through the wide calls. Only Win32 code here.
#include "platform/win32/win32_names.h"

#include <windows.h>
// After windows.h, which it needs.
#include <lmcons.h>

#include <algorithm>
#include <string>
#include <vector>

#include "text/utf16.h"

namespace kolt::win32 {
namespace {

// Calls a "name into area, size in and out" function with a growing area until the whole name
// fits. The area carries one spare zero unit, so the text always ends in a NUL.
template <typename Query>
std::optional<std::string> ReadWhole(Query query, DWORD capacity) {
    // The name can change between two calls, so a few rounds are allowed, not an endless loop.
    for (int round = 0; round < 8; ++round) {
        std::vector<wchar_t> area(static_cast<std::size_t>(capacity) + 1, L'\0');
        DWORD size = capacity;
        if (query(area.data(), &size)) {
            return text::Utf8FromUtf16(area.data());
        }
        const DWORD error = GetLastError();
        if (error != ERROR_BUFFER_OVERFLOW && error != ERROR_INSUFFICIENT_BUFFER &&
            error != ERROR_MORE_DATA) {
            return std::nullopt;
        }
        // The size now holds what the name needs; grow at least twofold in case it does not.
        capacity = std::max<DWORD>(size, capacity * 2);
    }
    return std::nullopt;
}

// Calls a "capacity and area in, length out" function (the current directory, an environment
// value) with a growing area until the whole text fits. `absent` tells a failure from an empty
// text, which both answer with 0.
template <typename Query, typename Absent>
std::optional<std::string> ReadGrowing(Query query, Absent absent) {
    DWORD capacity = MAX_PATH;
    for (int round = 0; round < 8; ++round) {
        std::vector<wchar_t> area(static_cast<std::size_t>(capacity) + 1, L'\0');
        SetLastError(ERROR_SUCCESS);
        const DWORD result = query(capacity, area.data());
        if (result == 0 && absent()) {
            return std::nullopt;
        }
        if (result < capacity) {
            return text::Utf8FromUtf16(std::wstring_view(area.data(), result));
        }
        // Too small: the result is the size needed, terminator included.
        capacity = std::max<DWORD>(result, capacity * 2);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadComputerName() {
    return ReadWhole([](wchar_t* area, DWORD* size) { return GetComputerNameW(area, size) != 0; },
                     MAX_COMPUTERNAME_LENGTH + 1);
}

std::optional<std::string> ReadUserName() {
    return ReadWhole([](wchar_t* area, DWORD* size) { return GetUserNameW(area, size) != 0; },
                     UNLEN + 1);
}

std::optional<std::string> ReadCurrentDirectory() {
    return ReadGrowing(
        [](DWORD capacity, wchar_t* area) { return GetCurrentDirectoryW(capacity, area); },
        [] { return true; });
}

std::optional<std::string> ReadEnvironmentVariable(const std::string& name) {
    const std::wstring wideName = text::Utf16FromUtf8(name);
    return ReadGrowing(
        [&](DWORD capacity, wchar_t* area) {
            return GetEnvironmentVariableW(wideName.c_str(), area, capacity);
        },
        // A variable set to an empty value answers 0 as well, without this error.
        [] { return GetLastError() == ERROR_ENVVAR_NOT_FOUND; });
}

}  // namespace kolt::win32
