// Drive letters and drive types from canned mountinfo text.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/linux/mount_table.h"
#include "platform/platform.h"

namespace kolt::linux_backend {
namespace {

std::vector<std::string> MountPoints(const std::vector<MountEntry>& mounts) {
    std::vector<std::string> points;
    for (const MountEntry& entry : mounts) {
        points.push_back(entry.mountPoint);
    }
    return points;
}

TEST(DecodeMountField, TurnsOctalEscapesBackIntoBytes) {
    struct Case {
        const char* field;
        std::string expected;
    };
    const Case cases[] = {
        {R"(/media/My\040Disk)", "/media/My Disk"},
        {R"(/a\011b\012c\134d)", "/a\tb\nc\\d"},
        {R"(/ends\04)", R"(/ends\04)"},  // too short to be an escape
        {R"(/not\08x)", R"(/not\08x)"},  // 8 is no octal digit
        {R"(/big\400)", R"(/big\400)"},  // beyond one byte
        {R"(/trailing\)", R"(/trailing\)"},
        {R"(\000)", std::string(1, '\0')},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(DecodeMountField(c.field), c.expected);
    }
}

TEST(ParseMountInfo, ReadsFieldsAroundOptionalTagsAndSkipsBrokenLines) {
    const std::vector<MountEntry> mounts = ParseMountInfo(
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "61 27 8:17 / /media/alice/My\\040Stick rw shared:5 master:2 - vfat /dev/sdb1 rw\n"
        "70 27 0:52 / /mnt/nas rw - nfs4 nas.local:/export rw,vers=4.2\n"
        "71 27 0:53 / /broken rw shared:9\n"  // no separator
        "72 27 x:1 / /bad-device rw - ext4 /dev/sdc rw\n"
        "73 27 0:54 / /no-type rw -\n"
        "\n");
    ASSERT_EQ(mounts.size(), 3u);
    EXPECT_EQ(mounts[0].mountPoint, "/");
    EXPECT_EQ(mounts[0].fsType, "ext4");
    EXPECT_EQ(mounts[0].source, "/dev/vda");
    EXPECT_EQ(mounts[0].devMajor, 254u);
    EXPECT_EQ(mounts[0].devMinor, 0u);
    EXPECT_EQ(mounts[1].mountPoint, "/media/alice/My Stick");
    EXPECT_EQ(mounts[1].fsType, "vfat");
    EXPECT_EQ(mounts[1].devMajor, 8u);
    EXPECT_EQ(mounts[1].devMinor, 17u);
    EXPECT_EQ(mounts[2].source, "nas.local:/export");
}

// A desktop's mount table: only the file systems a user would call drives get letters.
constexpr const char* kDesktopMounts =
    "22 26 0:21 / /proc rw - proc proc rw\n"
    "23 26 0:22 / /sys rw - sysfs sysfs rw\n"
    "24 26 0:5 / /dev rw - devtmpfs udev rw\n"
    "25 26 0:23 / /run rw - tmpfs tmpfs rw\n"
    "26 1 8:2 / / rw - ext4 /dev/sda2 rw\n"
    "27 26 0:24 / /dev/shm rw - tmpfs tmpfs rw\n"
    "28 26 0:25 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
    "29 26 8:1 / /boot/efi rw - vfat /dev/sda1 rw\n"
    "30 26 8:3 / /home rw - ext4 /dev/sda3 rw\n"
    "31 26 7:0 / /snap/core22/1380 ro - squashfs /dev/loop0 ro\n"
    "32 26 0:26 / /tmp rw - tmpfs tmpfs rw\n"
    "33 25 0:27 / /run/user/1000 rw - tmpfs tmpfs rw\n"
    "34 33 0:28 / /run/user/1000/gvfs rw - fuse.gvfsd-fuse gvfsd-fuse rw\n"
    "35 26 8:3 /alice /srv/alice rw - ext4 /dev/sda3 rw\n"  // bind mount of /home's device
    "36 26 0:29 / /mnt/nas rw - autofs systemd-1 rw\n"
    "37 36 0:30 / /mnt/nas rw - nfs4 nas:/share rw\n"  // hides the autofs trigger
    "38 25 8:17 / /run/media/alice/STICK rw - vfat /dev/sdb1 rw\n"
    "39 26 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n"
    "40 26 0:31 / /var/lib/docker/overlay2/x/merged rw - overlay overlay rw\n"
    "41 26 8:2 / /var/snapshot rw - ext4 /dev/sda2 rw\n";  // the root's device again

TEST(DriveLetterMounts, RootFirstThenUserFileSystemsInTableOrder) {
    const std::vector<MountEntry> letters = DriveLetterMounts(ParseMountInfo(kDesktopMounts));
    EXPECT_EQ(MountPoints(letters),
              (std::vector<std::string>{"/", "/boot/efi", "/home", "/tmp", "/mnt/nas",
                                        "/run/media/alice/STICK", "/media/cdrom"}));
    ASSERT_GE(letters.size(), 5u);
    EXPECT_EQ(letters[4].fsType, "nfs4");  // the visible mount, not the autofs trigger
}

TEST(DriveLetterMounts, RootIsCEvenWhenTheTableLacksIt) {
    const std::vector<MountEntry> letters =
        DriveLetterMounts(ParseMountInfo("30 1 8:3 / /home rw - ext4 /dev/sda3 rw\n"));
    EXPECT_EQ(MountPoints(letters), (std::vector<std::string>{"/", "/home"}));
    EXPECT_EQ(DriveLetterMounts(std::string_view()).size(), 1u);
}

TEST(DriveLetterMounts, LaterRootMountReplacesTheEarlierOne) {
    const std::vector<MountEntry> letters =
        DriveLetterMounts(ParseMountInfo("1 0 0:1 / / rw - rootfs rootfs rw\n"
                                         "2 1 8:2 / / rw - ext4 /dev/sda2 rw\n"));
    ASSERT_EQ(letters.size(), 1u);
    EXPECT_EQ(letters[0].fsType, "ext4");
}

TEST(DriveLetterMounts, StopsAtZ) {
    std::string table = "1 0 8:0 / / rw - ext4 /dev/sda rw\n";
    for (int i = 0; i < 40; ++i) {
        table += std::to_string(i + 2) + " 1 0:" + std::to_string(100 + i) + " / /mnt/d" +
                 std::to_string(i) + " rw - nfs4 s:/e" + std::to_string(i) + " rw\n";
    }
    const std::vector<MountEntry> letters = DriveLetterMounts(ParseMountInfo(table));
    ASSERT_EQ(letters.size(), kDriveLetterCount);
    EXPECT_EQ(letters.back().mountPoint, "/mnt/d22");  // Z: is the 23rd after the root
}

// What a path shows decides, not the table's order: the kernel lists mounts in the order of its
// own list, which can put the root after mounts made on it.
TEST(DriveLetterMounts, EachFileSystemOnceAndOnlyWhereItIsInSight) {
    struct Case {
        const char* what;
        const char* table;
        std::vector<std::string> letters;
    };
    const Case cases[] = {
        {"a later mount over a directory above hides what was mounted below it",
         "20 1 254:0 / / rw - ext4 /dev/vda rw\n"
         "21 20 8:17 / /srv/data/archive rw - ext4 /dev/sdb1 rw\n"
         "22 20 8:33 / /srv rw - xfs /dev/sdc1 rw\n"
         "23 22 8:49 / /srv/new rw - ext4 /dev/sdd1 rw\n"
         "24 20 0:40 / /mnt/x rw - nfs4 a:/x rw\n"
         "25 24 0:41 / /mnt/x rw - nfs4 b:/x rw\n",
         {"/", "/srv", "/srv/new", "/mnt/x"}},
        {"the root listed after the mounts made on it",
         "22 27 0:21 / /proc rw - proc proc rw\n"
         "21 27 8:17 / /data rw - ext4 /dev/sdb1 rw\n"
         "27 1 254:0 / / rw - ext4 /dev/vda rw\n"
         "28 27 0:25 / /mnt/tools ro - tmpfs tools ro\n",
         {"/", "/data", "/mnt/tools"}},
        {"a broken table that names itself as parent cannot loop",
         "1 0 8:0 / / rw - ext4 /dev/sda rw\n"
         "5 5 8:1 / /self rw - ext4 /dev/sda1 rw\n"
         "6 7 8:2 / /p rw - ext4 /dev/sda2 rw\n"
         "7 6 8:3 / /p rw - ext4 /dev/sda3 rw\n"
         "8 1 8:4 / /q rw - ext4 /dev/sda4 rw\n",
         {"/", "/q"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<MountEntry> letters = DriveLetterMounts(std::string_view(c.table));
        EXPECT_EQ(MountPoints(letters), c.letters);
    }
}

// A stack of mounts on one point shows its top, however the table orders it and however deep it
// is; a mount attached to a covered member of the stack is out of sight, one on the top is not.
TEST(DriveLetterMounts, AStackShowsItsTopHoweverDeepOrListed) {
    struct Case {
        const char* what;
        int depth;
        bool topListedFirst;
    };
    const Case cases[] = {
        {"three, the top listed first", 3, true},
        {"20,000, in the order they were made", 20'000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto line = [](int id, int parent, const std::string& point) {
            return std::to_string(id) + " " + std::to_string(parent) + " 0:" + std::to_string(id) +
                   " / " + point + " rw - tmpfs s" + std::to_string(id) + " rw\n";
        };
        std::string stack;
        for (int id = 2; id < c.depth + 2; ++id) {
            const std::string entry = line(id, id - 1, "/mnt/s");
            // Appended in place: a copy of the whole stack per entry would make the test
            // itself quadratic, minutes under the sanitizers at this depth.
            if (c.topListedFirst) {
                stack.insert(0, entry);
            } else {
                stack += entry;
            }
        }
        const int top = c.depth + 1;
        const std::string table = "1 0 254:0 / / rw - ext4 /dev/vda rw\n" + stack +
                                  line(top + 1, top, "/mnt/s/on-top") +
                                  line(top + 2, top - 1, "/mnt/s/covered");
        const std::vector<MountEntry> letters = DriveLetterMounts(std::string_view(table));
        EXPECT_EQ(MountPoints(letters), (std::vector<std::string>{"/", "/mnt/s", "/mnt/s/on-top"}));
        ASSERT_GE(letters.size(), 2u);
        EXPECT_EQ(letters[1].source, "s" + std::to_string(top));
    }
}

// Mounts each on a directory of the one before, down to 4,000 bytes: every one is in sight, until
// one is covered by a mount on a directory above it.
TEST(DriveLetterMounts, NestedMountsOnLongPathsAreFollowedToTheEnd) {
    constexpr int kLevels = 1'995;  // "/n" 1,995 times: 3,990 bytes
    std::string table = "1 0 254:0 / / rw - ext4 /dev/vda rw\n";
    std::string point;
    int id = 2;
    for (int level = 1; level <= kLevels; ++level, ++id) {
        point += "/n";
        // Only the deepest 22 get letters after "/n": the others share its device, as bind
        // mounts do.
        const int device = level <= kLevels - 22 ? 40 : 100 + level;
        table += std::to_string(id) + " " + std::to_string(id - 1) +
                 " 0:" + std::to_string(device) + " / " + point + " rw - tmpfs t rw\n";
    }
    const std::string deepest = point;
    // Attached to the root over "/n": everything beneath it is out of sight.
    const std::string covered = table + std::to_string(id) + " 1 0:99 / /n rw - tmpfs c rw\n";

    const std::vector<MountEntry> letters = DriveLetterMounts(std::string_view(table));
    ASSERT_EQ(letters.size(), 24u);
    EXPECT_EQ(letters.back().mountPoint, deepest);
    EXPECT_EQ(MountPoints(DriveLetterMounts(std::string_view(covered))),
              (std::vector<std::string>{"/", "/n"}));
}

// Only a file system kept on this machine, reached only through such file systems, is measured
// without a deadline.
TEST(DriveMounts, OnlyLocalFileSystemsReachedThroughLocalOnesAnswerAtOnce) {
    const std::vector<DriveMount> drives =
        DriveMounts(std::string_view("20 1 254:0 / / rw - ext4 /dev/vda rw\n"
                                     "21 20 0:30 / /tmp rw - tmpfs tmpfs rw\n"
                                     "22 20 0:31 / /media rw - tmpfs media rw\n"
                                     "23 22 8:17 / /media/stick rw - vfat /dev/sdb1 rw\n"
                                     "24 20 0:40 / /mnt/nas rw - nfs4 nas:/share rw\n"
                                     "25 24 8:33 / /mnt/nas/disk rw - ext4 /dev/sdc1 rw\n"
                                     "26 20 0:41 / /mnt/ssh rw - fuse.sshfs me@host: rw\n"
                                     "27 20 0:42 / /mnt/box rw - fuseblk /dev/sdd1 rw\n"
                                     "28 20 0:43 / /net rw - autofs systemd-1 rw\n"
                                     "29 28 8:49 / /net/disk rw - xfs /dev/sde1 rw\n"));
    std::vector<std::pair<std::string, bool>> answers;
    for (const DriveMount& drive : drives) {
        answers.emplace_back(drive.mount.mountPoint, drive.answersAtOnce);
    }
    EXPECT_EQ(answers, (std::vector<std::pair<std::string, bool>>{
                           {"/", true},
                           {"/tmp", true},
                           {"/media", true},
                           {"/media/stick", true},
                           {"/mnt/nas", false},
                           {"/mnt/nas/disk", false},  // reached through the network
                           {"/mnt/ssh", false},
                           {"/mnt/box", false},
                           {"/net/disk", false},  // reached through an automounter
                       }));
    // Nothing is known of a root the table lacks.
    const std::vector<DriveMount> rootless = DriveMounts(std::string_view());
    ASSERT_EQ(rootless.size(), 1u);
    EXPECT_FALSE(rootless[0].answersAtOnce);
}

TEST(ClassifyDrive, NetworkOpticalRamRemovableFixed) {
    struct Case {
        MountEntry mount;
        bool removable;
        DriveKind expected;
        bool asksRemovable;
    };
    const Case cases[] = {
        {{"/mnt/nas", "nfs4", "nas:/share", 0, 40}, true, DriveKind::Network, false},
        {{"/mnt/win", "cifs", "//pc/c", 0, 41}, false, DriveKind::Network, false},
        {{"/mnt/ssh", "fuse.sshfs", "me@host:", 0, 42}, false, DriveKind::Network, false},
        {{"/media/cd", "iso9660", "/dev/sr0", 11, 0}, true, DriveKind::CdRom, false},
        {{"/media/bd", "udf", "/dev/sr1", 11, 1}, false, DriveKind::CdRom, false},
        {{"/media/cd", "auto", "/dev/sr0", 11, 0}, false, DriveKind::CdRom, false},
        {{"/tmp", "tmpfs", "tmpfs", 0, 30}, true, DriveKind::RamDisk, false},
        {{"/mnt/ram", "ramfs", "ramfs", 0, 31}, false, DriveKind::RamDisk, false},
        {{"/media/usb", "vfat", "/dev/sdb1", 8, 17}, true, DriveKind::Removable, true},
        {{"/home", "ext4", "/dev/sda3", 8, 3}, false, DriveKind::Fixed, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mount.mountPoint + " " + c.mount.fsType);
        bool asked = false;
        EXPECT_EQ(ClassifyDrive(c.mount,
                                [&] {
                                    asked = true;
                                    return c.removable;
                                }),
                  c.expected);
        EXPECT_EQ(asked, c.asksRemovable);
    }
}

}  // namespace
}  // namespace kolt::linux_backend
