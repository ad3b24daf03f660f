// Standard output and error on Windows. Only Win32 code here.
#include <windows.h>

#include <algorithm>

#include "platform/platform.h"

namespace kolt {

bool WriteToStandardStream(StandardStream stream, std::string_view bytes) {
    const HANDLE handle =
        GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    while (!bytes.empty()) {
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (WriteFile(handle, bytes.data(), wanted, &written, nullptr) == 0) {
            return false;
        }
        if (written == 0) {
            // A pipe in non-blocking mode that is full takes nothing for now: wait a moment, as
            // a blocking pipe would wait for its reader.
            Sleep(1);
            continue;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace kolt
