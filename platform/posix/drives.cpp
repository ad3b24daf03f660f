// Only POSIX and Linux file-system calls here.
#include "platform/posix/drives.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <limits>
#include <string_view>

#include "platform/posix/file_content.h"
#include "platform/posix/text_lines.h"

namespace kolt::posix {

namespace {

std::uint64_t SaturatingProduct(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return a * b;
}

// The mount behind a drive root, from a fresh read of the mount table.
std::optional<MountEntry> MountBehind(const std::string& rootPath) {
    const std::optional<std::size_t> index = DriveLetterIndex(rootPath);
    if (!index) {
        return std::nullopt;
    }
    std::vector<MountEntry> mounts;
    if (const auto content = ReadFileContent("/proc/self/mountinfo")) {
        mounts = ParseMountInfo(*content);
    }
    std::vector<MountEntry> letters = DriveLetterMounts(mounts);
    if (*index >= letters.size()) {
        return std::nullopt;
    }
    return std::move(letters[*index]);
}

bool ReadsOne(const std::string& path) {
    const auto content = ReadFileContent(path.c_str());
    return content && Trim(*content) == "1";
}

}  // namespace

std::optional<DiskSpace> QueryDiskSpace(const std::string& rootPath) {
    const std::optional<std::size_t> index = DriveLetterIndex(rootPath);
    if (!index) {
        return std::nullopt;
    }
    std::string mountPoint = "/";  // C: needs no look at the mount table
    if (*index != 0) {
        std::optional<MountEntry> mount = MountBehind(rootPath);
        if (!mount) {
            return std::nullopt;
        }
        mountPoint = std::move(mount->mountPoint);
    }
    struct statvfs info {};
    if (::statvfs(mountPoint.c_str(), &info) != 0) {
        return std::nullopt;
    }
    const std::uint64_t unit = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
    DiskSpace space;
    space.totalBytes = SaturatingProduct(info.f_blocks, unit);
    space.totalFreeBytes = SaturatingProduct(info.f_bfree, unit);
    return space;
}

std::uint32_t QueryDriveType(const std::string& rootPath) {
    const std::optional<MountEntry> mount = MountBehind(rootPath);
    if (!mount) {
        return drive_type::kNoRootDir;
    }
    return ClassifyDrive(*mount, [&mount] { return IsRemovableBlockDevice(*mount); });
}

bool IsRemovableBlockDevice(const MountEntry& mount) {
    std::uint32_t devMajor = mount.devMajor;
    std::uint32_t devMinor = mount.devMinor;
    if (devMajor == 0) {
        // File systems such as btrfs report an anonymous device number; the source names the
        // block device itself.
        struct stat info {};
        if (std::string_view(mount.source).substr(0, 5) != "/dev/" ||
            ::stat(mount.source.c_str(), &info) != 0 || !S_ISBLK(info.st_mode)) {
            return false;
        }
        devMajor = major(info.st_rdev);
        devMinor = minor(info.st_rdev);
    }
    const std::string device =
        "/sys/dev/block/" + std::to_string(devMajor) + ":" + std::to_string(devMinor);
    // A partition has no flag of its own; the disk it belongs to is its parent in /sys.
    const auto own = ReadFileContent((device + "/removable").c_str());
    if (own) {
        return Trim(*own) == "1";
    }
    return ReadsOne(device + "/../removable");
}

}  // namespace kolt::posix
