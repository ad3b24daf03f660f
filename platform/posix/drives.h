// Drive letters answered from the mount table, statvfs and /sys/dev/block.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/posix/mount_table.h"

namespace kolt::posix {

// Size and free bytes of the file system behind a drive root; nullopt for a letter with no mount
// or a mount that cannot be measured (no permission, gone).
std::optional<DiskSpace> QueryDiskSpace(const std::string& rootPath);

// The drive-type code of the mount behind a drive root; 1 (no root directory) for a letter with
// no mount.
std::uint32_t QueryDriveType(const std::string& rootPath);

// Whether the block device behind a mount says it is removable in /sys (for a partition, its
// disk does); false for a mount without a block device.
bool IsRemovableBlockDevice(const MountEntry& mount);

}  // namespace kolt::posix
