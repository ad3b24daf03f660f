// The firmware's SMBIOS table. Only Win32 code here.
#include "platform/win32/win32_firmware.h"

#include <windows.h>

#include <string>

#include "platform/win32/smbios_raw.h"

namespace kolt::win32 {

namespace {

// The raw SMBIOS provider's signature, 'RSMB'.
constexpr DWORD kRawSmbiosProvider = 'R' << 24 | 'S' << 16 | 'M' << 8 | 'B';

// The table may change size between the size query and the read (it does not in practice).
constexpr int kReadRounds = 2;

}  // namespace

FirmwareInfo ReadFirmware() {
    UINT size = GetSystemFirmwareTable(kRawSmbiosProvider, 0, nullptr, 0);
    for (int round = 0; round < kReadRounds && size > 0; ++round) {
        std::string raw(size, '\0');
        const UINT written = GetSystemFirmwareTable(kRawSmbiosProvider, 0, raw.data(), size);
        if (written == 0) {
            break;
        }
        if (written <= size) {
            raw.resize(written);
            return FirmwareFromRawSmbios(raw);
        }
        size = written;  // the size it needs now
    }
    return {};
}

}  // namespace kolt::win32
