// The drives on Linux: C: is the root file system, D: onwards the other file systems a user would
// recognise, each measured with statvfs and typed from the mount table and /sys/dev/block.
#pragma once

#include <vector>

#include "platform/common/stuck_questions.h"
#include "platform/linux/mount_table.h"
#include "platform/platform.h"

namespace kolt::linux_backend {

// Every lettered drive, from one read of the mount table. A drive whose earlier probe is still
// stuck in `stuck` counts as not answering at once.
std::vector<DriveInfo> ReadDrives(common::StuckQuestions& stuck);

// Whether the block device behind a mount says it is removable in /sys (for a partition, its
// disk does); false for a mount without a block device.
bool IsRemovableBlockDevice(const MountEntry& mount);

}  // namespace kolt::linux_backend
