#include "platform/win32/drive_kinds.h"

#include <array>

namespace kolt::win32 {

namespace {

// Indexed by the Windows code: DRIVE_UNKNOWN, DRIVE_NO_ROOT_DIR, DRIVE_REMOVABLE, DRIVE_FIXED,
// DRIVE_REMOTE, DRIVE_CDROM, DRIVE_RAMDISK.
constexpr std::array<DriveKind, 7> kKindOfCode{
    DriveKind::Unknown, DriveKind::NoRootDirectory, DriveKind::Removable, DriveKind::Fixed,
    DriveKind::Network, DriveKind::CdRom,           DriveKind::RamDisk,
};

}  // namespace

DriveKind DriveKindOfWindowsType(std::uint32_t driveType) {
    return driveType < kKindOfCode.size() ? kKindOfCode[driveType] : DriveKind::Other;
}

}  // namespace kolt::win32
