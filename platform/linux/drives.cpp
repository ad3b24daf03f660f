// Only Linux file-system calls here.
#include "platform/linux/drives.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <string>
#include <string_view>

#include "platform/common/deadlines.h"
#include "platform/common/drive_probes.h"
#include "platform/linux/space_in_child.h"
#include "platform/linux/text_lines.h"
#include "platform/posix/files.h"
#include "platform/posix/system_queries.h"

namespace kolt::linux_backend {

namespace {

bool ReadsOne(const std::string& path) {
    const auto content = posix::ReadTextFile(path.c_str());
    return content && Trim(*content) == "1";
}

}  // namespace

std::vector<DriveInfo> ReadDrives(common::StuckQuestions& stuck) {
    const auto table = posix::ReadTextFile("/proc/self/mountinfo", posix::kMountTableLimit);
    const std::vector<DriveMount> letters = DriveMounts(std::string_view(table ? *table : ""));
    std::vector<common::DriveProbe> probes;
    probes.reserve(letters.size());
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const MountEntry& mount = letters[i].mount;
        common::DriveProbe probe;
        probe.key = mount.mountPoint;
        probe.known.letter = static_cast<char>('C' + i);
        // The type comes from the mount table and /sys alone, never from the file system.
        probe.known.kind = ClassifyDrive(mount, [&mount] { return IsRemovableBlockDevice(mount); });
        probe.mayWait = !letters[i].answersAtOnce;
        if (probe.mayWait) {
            probe.askSpace = [point = mount.mountPoint] { return MeasureInChildProcess(point); };
        } else {
            probe.askSpace = [point = mount.mountPoint] { return posix::MeasureFileSystem(point); };
        }
        probes.push_back(std::move(probe));
    }
    return common::ProbeDrives(std::move(probes), common::kDriveAnswerLimit, stuck);
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
    const auto own = posix::ReadTextFile((device + "/removable").c_str());
    if (own) {
        return Trim(*own) == "1";
    }
    return ReadsOne(device + "/../removable");
}

}  // namespace kolt::linux_backend
