// The machine's make, model, serial number and firmware on Linux: the kernel's copy of the SMBIOS
// table where it may be read (root only), else the kernel's own files of the same strings (the
// serial number among them is root only too).
#pragma once

#include <string>

#include "platform/platform.h"

namespace kolt::linux_backend {

// Read under `root` ("" for the machine itself): /sys/firmware/dmi/tables/DMI, else
// /sys/class/dmi/id. Placeholders count as unknown either way.
FirmwareInfo ReadFirmware(const std::string& root);

}  // namespace kolt::linux_backend
