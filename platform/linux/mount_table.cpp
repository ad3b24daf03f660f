#include "platform/linux/mount_table.h"

#include <algorithm>
#include <array>
#include <limits>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "platform/linux/text_lines.h"
#include "platform/platform.h"

namespace kolt::linux_backend {

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

std::optional<MountView> ParseMountLine(std::string_view line) {
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
    const auto id = ParseUnsigned(head[0]);
    const auto parentId = ParseUnsigned(head[1]);
    if (fsType.empty() || !device || !id || !parentId) {
        return std::nullopt;
    }
    return MountView{head[4], fsType, source, device->first, device->second, *id, *parentId};
}

MountEntry Decoded(const MountView& view) {
    return MountEntry{DecodeMountField(view.mountPoint),
                      DecodeMountField(view.fsType),
                      DecodeMountField(view.source),
                      view.devMajor,
                      view.devMinor,
                      view.id,
                      view.parentId};
}

MountView ViewOf(const MountEntry& entry) {
    return MountView{entry.mountPoint, entry.fsType, entry.source,  entry.devMajor,
                     entry.devMinor,   entry.id,     entry.parentId};
}

// A child mount of one parent on one mount point.
struct ChildKey {
    std::uint64_t parentId;
    std::string_view point;
    friend bool operator==(const ChildKey&, const ChildKey&) = default;
};
struct ChildKeyHash {
    std::size_t operator()(const ChildKey& key) const noexcept {
        return std::hash<std::string_view>{}(key.point) ^
               (std::hash<std::uint64_t>{}(key.parentId) * 31);
    }
};

// The mounts as path lookup walks them: from the root mount, each directory of a path either
// stays on the current mount or enters the mount attached there, and a mount stacked on the same
// point hides the one below it.
class MountTree {
public:
    explicit MountTree(const std::vector<MountView>& mounts) : m_mounts(mounts) {
        std::unordered_set<std::uint64_t> ids;
        ids.reserve(mounts.size());
        m_childAt.reserve(mounts.size());
        for (const MountView& entry : mounts) {
            ids.insert(entry.id);
        }
        for (std::size_t i = 0; i < mounts.size(); ++i) {
            // Two mounts on one point of one parent: the later in the table is on top.
            m_childAt[{mounts[i].parentId, mounts[i].mountPoint}] = i;
            // The root is attached to nothing this process can see.
            if (mounts[i].mountPoint == "/" && ids.count(mounts[i].parentId) == 0) {
                m_root = i;
            }
        }
        if (!m_root) {
            for (std::size_t i = 0; i < mounts.size(); ++i) {
                m_lastAt[mounts[i].mountPoint] = i;
            }
        }
    }

    // The mount that a path shows. A table without a root (which a process should never see)
    // leaves no tree to walk: the last mount on the path itself counts then.
    std::optional<std::size_t> Serving(std::string_view path) const {
        if (!m_root) {
            const auto last = m_lastAt.find(path);
            return last == m_lastAt.end() ? std::nullopt : std::optional(last->second);
        }
        std::size_t current = Topmost(*m_root, "/");
        // "/a/b/c" is entered as "/a", "/a/b", "/a/b/c".
        for (std::size_t start = 1; path != "/" && start <= path.size();) {
            const std::size_t end = path.find('/', start);
            const std::string_view prefix = path.substr(0, end);
            if (const auto child = ChildAt(current, prefix)) {
                current = Topmost(*child, prefix);
            }
            if (end == std::string_view::npos) {
                break;
            }
            start = end + 1;
        }
        return current;
    }

private:
    std::optional<std::size_t> ChildAt(std::size_t parent, std::string_view point) const {
        const auto found = m_childAt.find({m_mounts[parent].id, point});
        if (found == m_childAt.end() || found->second == parent) {
            return std::nullopt;
        }
        return found->second;
    }

    // The last mount stacked on `point` over `index`; a broken table cannot make it loop.
    std::size_t Topmost(std::size_t index, std::string_view point) const {
        for (std::size_t step = 0; step < m_mounts.size(); ++step) {
            const auto above = ChildAt(index, point);
            if (!above) {
                break;
            }
            index = *above;
        }
        return index;
    }

    const std::vector<MountView>& m_mounts;
    std::unordered_map<ChildKey, std::size_t, ChildKeyHash> m_childAt;
    std::unordered_map<std::string_view, std::size_t> m_lastAt;
    std::optional<std::size_t> m_root;
};

// The indexes of the mounts behind the letters, in letter order; nullopt for a root that the
// table lacks.
std::vector<std::optional<std::size_t>> LetterIndexes(const std::vector<MountView>& mounts) {
    const MountTree tree(mounts);
    const std::optional<std::size_t> rootIndex = tree.Serving("/");

    std::vector<std::optional<std::size_t>> letters{rootIndex};
    std::set<std::pair<std::uint32_t, std::uint32_t>> devicesSeen;
    if (rootIndex) {
        devicesSeen.insert({mounts[*rootIndex].devMajor, mounts[*rootIndex].devMinor});
    }
    for (std::size_t i = 0; i < mounts.size() && letters.size() < kDriveLetterCount; ++i) {
        const MountView& entry = mounts[i];
        // The cheap tests first: the tree walk is asked only of a candidate.
        if (entry.mountPoint == "/" || IsInSystemTree(entry.mountPoint) ||
            Contains(kPseudoFileSystems, entry.fsType) || tree.Serving(entry.mountPoint) != i) {
            continue;
        }
        if (!devicesSeen.insert({entry.devMajor, entry.devMinor}).second) {
            continue;
        }
        letters.emplace_back(i);
    }
    return letters;
}

template <typename MakeEntry>
std::vector<MountEntry> LetterMounts(const std::vector<MountView>& mounts, MakeEntry make) {
    std::vector<MountEntry> letters;
    for (const std::optional<std::size_t> index : LetterIndexes(mounts)) {
        letters.push_back(index ? make(*index) : MountEntry{"/", "", "", 0, 0, 0, 0});
    }
    return letters;
}

}  // namespace

std::string DecodeMountField(std::string_view field) {
    if (field.find('\\') == std::string_view::npos) {
        return std::string(field);
    }
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

std::vector<MountView> ParseMountViews(std::string_view content) {
    std::vector<MountView> mounts;
    mounts.reserve(static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')));
    ForEachLine(content, [&mounts](std::string_view line) {
        if (const auto entry = ParseMountLine(line)) {
            mounts.push_back(*entry);
        }
    });
    return mounts;
}

std::vector<MountEntry> ParseMountInfo(std::string_view content) {
    std::vector<MountEntry> mounts;
    for (const MountView& view : ParseMountViews(content)) {
        mounts.push_back(Decoded(view));
    }
    return mounts;
}

std::vector<MountEntry> DriveLetterMounts(const std::vector<MountEntry>& mounts) {
    std::vector<MountView> views;
    views.reserve(mounts.size());
    for (const MountEntry& entry : mounts) {
        views.push_back(ViewOf(entry));
    }
    return LetterMounts(views, [&mounts](std::size_t i) { return mounts[i]; });
}

std::vector<MountEntry> DriveLetterMounts(std::string_view mountinfo) {
    const std::vector<MountView> views = ParseMountViews(mountinfo);
    return LetterMounts(views, [&views](std::size_t i) { return Decoded(views[i]); });
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

}  // namespace kolt::linux_backend
