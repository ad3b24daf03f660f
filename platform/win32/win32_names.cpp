// Names the system writes into a caller's area, read whole whatever their length. Only Win32 code
// here.
#include "platform/win32/win32_names.h"

#include <windows.h>
// After windows.h, which it needs.
#include <lmcons.h>

#include <algorithm>
#include <vector>

namespace kolt::win32 {
namespace {

// Calls a "name into area, size in and out" function with a growing area until the whole name
// fits. The area carries one spare zero byte, so the text always ends in a NUL.
template <typename Query>
std::optional<std::string> ReadWhole(Query query, DWORD capacity) {
    // The name can change between two calls, so a few rounds are allowed, not an endless loop.
    for (int round = 0; round < 8; ++round) {
        std::vector<char> area(static_cast<std::size_t>(capacity) + 1, '\0');
        DWORD size = capacity;
        if (query(area.data(), &size)) {
            return std::string(area.data());
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

}  // namespace

std::optional<std::string> ReadComputerName() {
    return ReadWhole([](char* area, DWORD* size) { return GetComputerNameA(area, size) != 0; },
                     MAX_COMPUTERNAME_LENGTH + 1);
}

std::optional<std::string> ReadUserName() {
    return ReadWhole([](char* area, DWORD* size) { return GetUserNameA(area, size) != 0; },
                     UNLEN + 1);
}

std::optional<std::string> ReadCurrentDirectory() {
    DWORD capacity = MAX_PATH;
    for (int round = 0; round < 8; ++round) {
        std::vector<char> area(static_cast<std::size_t>(capacity) + 1, '\0');
        const DWORD result = GetCurrentDirectoryA(capacity, area.data());
        if (result == 0) {
            return std::nullopt;
        }
        if (result < capacity) {
            return std::string(area.data(), result);
        }
        // Too small: the result is the size needed, terminator included.
        capacity = std::max<DWORD>(result, capacity * 2);
    }
    return std::nullopt;
}

}  // namespace kolt::win32
