// The firmware's SMBIOS table through kernel32. Only Win32 code here.
#pragma once

#include "platform/platform.h"

namespace kolt::win32 {

// The make, model, serial number and BIOS of the raw SMBIOS table; all unknown when the system
// gives no table.
FirmwareInfo ReadFirmware();

}  // namespace kolt::win32
