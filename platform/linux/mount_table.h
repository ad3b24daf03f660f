// Drive letters on Linux: which mounted file system stands behind C: to Z:, and what type of
// drive it is, worked out from the text of /proc/self/mountinfo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kolt::linux_backend {

template <typename Text>
struct BasicMountEntry {
    Text mountPoint;
    Text fsType;  // "ext4", "nfs4", "fuse.sshfs", ...
    Text source;  // "/dev/sda1", "server:/export", "tmpfs", ...
    std::uint32_t devMajor = 0;
    std::uint32_t devMinor = 0;
    std::uint64_t id = 0;        // the mount's own number
    std::uint64_t parentId = 0;  // the mount it is attached to
};
// A mount with its fields decoded.
using MountEntry = BasicMountEntry<std::string>;
// A mount as the table writes it, escapes and all, in the table's own text: reading a table of
// thousands of mounts allocates nothing per mount.
using MountView = BasicMountEntry<std::string_view>;

// The mounts of a mountinfo text in table order. Its fields escape space, tab, line feed and
// backslash as "\ooo"; those are decoded. Lines that do not have the format are skipped.
std::vector<MountEntry> ParseMountInfo(std::string_view content);

// The same, fields left as the table writes them.
std::vector<MountView> ParseMountViews(std::string_view content);

// A mountinfo field with its "\ooo" octal escapes turned back into bytes; a backslash that
// starts no valid escape stays as it is.
std::string DecodeMountField(std::string_view field);

// Letters C to Z.
inline constexpr std::size_t kDriveLetterCount = 24;

// The mounts behind the letters, in letter order: [0] is C:, always the root "/" (an entry with
// only the mount point when the table has none), then D: onwards the file systems a user would
// recognise in table order, at most 23 of them. Left out: pseudo and system file systems, mounts
// under /proc, /sys, /dev and /run (removable media that desktops mount under /run/media are
// kept), mounts out of sight (another mount stacked on the same point, or attached over a directory
// above it: the path then shows that other file system), and any device already given a letter,
// the root's included. What a path shows is found as the kernel's path lookup finds it, through
// the mount tree, since the table's order is not the order the mounts were made in.
std::vector<MountEntry> DriveLetterMounts(const std::vector<MountEntry>& mounts);

// The same for a mountinfo text: only the mounts that get a letter are decoded.
std::vector<MountEntry> DriveLetterMounts(std::string_view mountinfo);

// A lettered mount, and whether measuring it answers at once: its file system and that of every
// mount above it on its path keep their data on this machine's disks or in its memory (ext4, xfs,
// vfat, tmpfs, ...). A network or FUSE file system, an automounter on the way or a kind not known
// here may wait on something outside the machine.
struct DriveMount {
    MountEntry mount;
    bool answersAtOnce = false;
};

// The lettered mounts of a mountinfo text, as DriveLetterMounts finds them. The cost grows with
// the table's length, however deep its stacks or long its paths.
std::vector<DriveMount> DriveMounts(std::string_view mountinfo);

// The kind of drive a mount is: network file systems Network, optical media CdRom, tmpfs and
// ramfs RamDisk, a removable block device Removable (`isRemovableBlockDevice` is asked only when
// the earlier rules do not decide), otherwise Fixed.
DriveKind ClassifyDrive(const MountEntry& mount,
                        const std::function<bool()>& isRemovableBlockDevice);

}  // namespace kolt::linux_backend
