// The drive kinds of the Windows drive-type codes: a pure rule, compiled into every build so the
// native tests check it too.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace kolt::win32 {

// The kind of the code GetDriveType answers (DRIVE_UNKNOWN 0 to DRIVE_RAMDISK 6); any other code
// is a kind the report has no name for.
DriveKind DriveKindOfWindowsType(std::uint32_t driveType);

}  // namespace kolt::win32
