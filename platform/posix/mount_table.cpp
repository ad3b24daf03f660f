#include "platform/posix/mount_table.h"

#include <algorithm>
#include <array>
#include <limits>
#include <set>
#include <unordered_map>
#include <utility>

#include "platform/platform.h"
#include "platform/posix/text_lines.h"

namespace kolt::posix {

namespace {

// File systems that describe the kernel, not storage a user keeps files on, and container or
// package plumbing (overlay layers, snap images) that Windows would never show as a drive.
constexpr std::array<std::string_view, 33> kPseudoFileSystems{
    "autofs",      "binfmt_misc", "bpf",
    "cgroup",      "cgroup2",     "configfs",
    "debugfs",     "devpts",      "devtmpfs",
    "efivarfs",    "fusectl",     "hugetlbfs",
    "mqueue",      "nsfs",        "proc",
    "pstore",      "rpc_pipefs",  "securityfs",
    "selinuxfs",   "sysfs",       "tracefs",
    "nfsd",        "overlay",     "squashfs",
    "rootfs",      "binder",      "fuse.gvfsd-fuse",
    "fuse.portal", "fuse.lxcfs",  "fuse.snapfuse",
    "devfs",       "usbfs",       "xenfs"};

constexpr std::array<std::string_view, 17> kNetworkFileSystems{
    "nfs",        "nfs4",           "cifs",       "smb3",     "smbfs", "ncpfs",     "ncp",
    "afs",        "coda",           "9p",         "virtiofs", "ceph",  "glusterfs", "lustre",
    "fuse.sshfs", "fuse.glusterfs", "fuse.rclone"};

constexpr std::array<std::string_view, 2> kOpticalFileSystems{"iso9660", "udf"};

// The block-device major number of SCSI optical drives (/dev/sr*).
constexpr std::uint32_t kScsiCdromMajor = 11;

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsUnder(std::string_view path, std::string_view tree) {
    return path == tree || (path.size() > tree.size() && path.substr(0, tree.size()) == tree &&
                            path[tree.size()] == '/');
}

bool IsInSystemTree(std::string_view mountPoint) {
    if (IsUnder(mountPoint, "/run")) {
        // Desktops mount a user's USB sticks and discs here; those are the user's drives.
        return !(mountPoint.size() > 11 && mountPoint.substr(0, 11) == "/run/media/");
    }
    return IsUnder(mountPoint, "/proc") || IsUnder(mountPoint, "/sys") ||
           IsUnder(mountPoint, "/dev");
}

bool IsOctal(char c) {
    return c >= '0' && c <= '7';
}

std::optional<std::pair<std::uint32_t, std::uint32_t>> ParseDevice(std::string_view field) {
    const std::size_t colon = field.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const auto major = ParseUnsigned(field.substr(0, colon));
    const auto minor = ParseUnsigned(field.substr(colon + 1));
    constexpr std::uint64_t kMaxNumber = std::numeric_limits<std::uint32_t>::max();
    if (!major || !minor || *major > kMaxNumber || *minor > kMaxNumber) {
        return std::nullopt;
    }
    return std::pair{static_cast<std::uint32_t>(*major), static_cast<std::uint32_t>(*minor)};
}

std::optional<MountEntry> ParseMountLine(std::string_view line) {
    // id parent major:minor root mount-point options [optional fields...] - type source options
    std::array<std::string_view, 6> head;
    for (std::string_view& field : head) {
        field = NextField(line);
        if (field.empty()) {
            return std::nullopt;
        }
    }
    for (std::string_view field = NextField(line); field != "-"; field = NextField(line)) {
        if (field.empty()) {
            return std::nullopt;
        }
    }
    const std::string_view fsType = NextField(line);
    const std::string_view source = NextField(line);
    const auto device = ParseDevice(head[2]);
    if (fsType.empty() || !device) {
        return std::nullopt;
    }
    MountEntry entry;
    entry.mountPoint = DecodeMountField(head[4]);
    entry.fsType = DecodeMountField(fsType);
    entry.source = DecodeMountField(source);
    entry.devMajor = device->first;
    entry.devMinor = device->second;
    return entry;
}

}  // namespace

std::string DecodeMountField(std::string_view field) {
    std::string decoded;
    decoded.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) &&
            IsOctal(field[i + 2]) && IsOctal(field[i + 3])) {
            const int value =
                (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            if (value <= 0xFF) {
                decoded += static_cast<char>(value);
                i += 3;
                continue;
            }
        }
        decoded += field[i];
    }
    return decoded;
}

std::vector<MountEntry> ParseMountInfo(std::string_view content) {
    std::vector<MountEntry> mounts;
    ForEachLine(content, [&mounts](std::string_view line) {
        if (auto entry = ParseMountLine(line)) {
            mounts.push_back(std::move(*entry));
        }
    });
    return mounts;
}

std::vector<MountEntry> DriveLetterMounts(const std::vector<MountEntry>& mounts) {
    // A mount point mounted more than once shows only its last mount.
    std::unordered_map<std::string_view, std::size_t> lastAt;
    for (std::size_t i = 0; i < mounts.size(); ++i) {
        lastAt[mounts[i].mountPoint] = i;
    }
    const auto visible = [&](std::size_t i) { return lastAt.at(mounts[i].mountPoint) == i; };

    std::vector<MountEntry> letters;
    std::set<std::pair<std::uint32_t, std::uint32_t>> devicesSeen;
    const auto root = lastAt.find("/");
    if (root != lastAt.end()) {
        const MountEntry& entry = mounts[root->second];
        letters.push_back(entry);
        devicesSeen.insert({entry.devMajor, entry.devMinor});
    } else {
        letters.push_back(MountEntry{"/", "", "", 0, 0});
    }
    for (std::size_t i = 0; i < mounts.size() && letters.size() < kDriveLetterCount; ++i) {
        const MountEntry& entry = mounts[i];
        if (entry.mountPoint == "/" || !visible(i) || IsInSystemTree(entry.mountPoint) ||
            Contains(kPseudoFileSystems, entry.fsType)) {
            continue;
        }
        if (!devicesSeen.insert({entry.devMajor, entry.devMinor}).second) {
            continue;
        }
        letters.push_back(entry);
    }
    return letters;
}

std::optional<std::size_t> DriveLetterIndex(std::string_view rootPath) {
    if (rootPath.size() < 2 || rootPath.size() > 3 || rootPath[1] != ':' ||
        (rootPath.size() == 3 && rootPath[2] != '\\')) {
        return std::nullopt;
    }
    char letter = rootPath[0];
    if (letter >= 'a' && letter <= 'z') {
        letter = static_cast<char>(letter - 'a' + 'A');
    }
    if (letter < 'C' || letter > 'Z') {
        return std::nullopt;
    }
    return static_cast<std::size_t>(letter - 'C');
}

std::uint32_t ClassifyDrive(const MountEntry& mount,
                            const std::function<bool()>& isRemovableBlockDevice) {
    if (Contains(kNetworkFileSystems, mount.fsType)) {
        return drive_type::kRemote;
    }
    if (Contains(kOpticalFileSystems, mount.fsType) || mount.devMajor == kScsiCdromMajor) {
        return drive_type::kCdRom;
    }
    if (mount.fsType == "tmpfs" || mount.fsType == "ramfs") {
        return drive_type::kRamDisk;
    }
    if (isRemovableBlockDevice && isRemovableBlockDevice()) {
        return drive_type::kRemovable;
    }
    return drive_type::kFixed;
}

}  // namespace kolt::posix
