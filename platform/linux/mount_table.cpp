#include "platform/linux/mount_table.h"

#include <algorithm>
#include <array>
#include <limits>
#include <set>
#include <unordered_map>
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

// File systems whose data is on this machine's own disks or in its memory: their space is known
// at once. Anything else (network and FUSE file systems, automounter triggers, a kind unknown
// here) may wait on something outside the machine, and is measured with a deadline.
constexpr std::array<std::string_view, 24> kLocalFileSystems{
    "ext2", "ext3",    "ext4",     "xfs",  "btrfs", "f2fs",  "jfs",   "reiserfs",
    "zfs",  "nilfs2",  "bcachefs", "vfat", "msdos", "exfat", "ntfs",  "ntfs3",
    "hfs",  "hfsplus", "iso9660",  "udf",  "erofs", "tmpfs", "ramfs", "rootfs"};

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

// A mount point as a lookup key: its text and its FNV-1a hash. FNV-1a goes byte by byte, so a walk
// along a path has the hash of every prefix on the way, and looking up all prefixes of a path
// costs its length once, not its length for every prefix.
constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

std::uint64_t HashStep(std::uint64_t hash, char c) {
    return (hash ^ static_cast<unsigned char>(c)) * kFnvPrime;
}

std::uint64_t HashOf(std::string_view text) {
    std::uint64_t hash = kFnvOffset;
    for (const char c : text) {
        hash = HashStep(hash, c);
    }
    return hash;
}

struct PointKey {
    std::string_view text;
    std::uint64_t hash;
    friend bool operator==(const PointKey& a, const PointKey& b) { return a.text == b.text; }
};
struct PointKeyHash {
    std::size_t operator()(const PointKey& key) const noexcept {
        return static_cast<std::size_t>(key.hash);
    }
};

// A child mount of one parent (by its id) on one mount point (by its number).
struct ChildKey {
    std::uint64_t parentId;
    std::size_t point;
    friend bool operator==(const ChildKey&, const ChildKey&) = default;
};
struct ChildKeyHash {
    std::size_t operator()(const ChildKey& key) const noexcept {
        return std::hash<std::uint64_t>{}(key.parentId * kFnvPrime ^ key.point);
    }
};

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// The mounts as path lookup walks them: from the root mount, each directory of a path either
// stays on the current mount or enters the mount attached there, and a mount stacked on the same
// point hides the one below it. What every mount point shows is worked out once for the whole
// table, each point from the nearest point above it and each stack's top once, so the cost grows
// with the table's length, however deep the stacks or long the paths.
class MountTree {
public:
    explicit MountTree(const std::vector<MountView>& mounts)
        : m_mounts(mounts), m_pointOf(mounts.size()), m_top(mounts.size(), kNone) {
        m_byId.reserve(mounts.size());
        for (std::size_t i = 0; i < mounts.size(); ++i) {
            m_byId.try_emplace(mounts[i].id, i);
            m_pointOf[i] = PointNumber(mounts[i].mountPoint);
        }
        for (std::size_t i = 0; i < mounts.size(); ++i) {
            // The root is attached to nothing this process can see.
            if (mounts[i].mountPoint == "/" && m_byId.count(mounts[i].parentId) == 0) {
                m_root = i;
            }
        }
        m_shown.assign(m_points.size(), kNone);
        if (!m_root) {
            // A table without a root (which a process should never see) leaves no tree to walk:
            // the last mount on each point counts then.
            for (std::size_t i = 0; i < mounts.size(); ++i) {
                m_shown[m_pointOf[i]] = i;
            }
            return;
        }
        m_childAt.reserve(mounts.size());
        for (std::size_t i = 0; i < mounts.size(); ++i) {
            // Two mounts on one point of one parent: the later in the table is on top.
            m_childAt[{mounts[i].parentId, m_pointOf[i]}] = i;
        }
        ShowEveryPoint();
    }

    // The mount the root directory shows; nullopt for a table without a root.
    std::optional<std::size_t> RootShown() const {
        if (m_root) {
            return m_top[*m_root];
        }
        const auto root = m_pointNumbers.find(PointKey{"/", HashOf("/")});
        if (root == m_pointNumbers.end() || m_shown[root->second] == kNone) {
            return std::nullopt;
        }
        return m_shown[root->second];
    }

    // Whether a mount is what its own mount point shows.
    bool InSight(std::size_t index) const { return m_shown[m_pointOf[index]] == index; }

    // The mount a mount is attached to; nullopt for one attached to nothing in the table.
    std::optional<std::size_t> Parent(std::size_t index) const {
        const auto found = m_byId.find(m_mounts[index].parentId);
        if (found == m_byId.end()) {
            return std::nullopt;
        }
        return found->second;
    }

private:
    std::size_t PointNumber(std::string_view point) {
        const auto [entry, added] =
            m_pointNumbers.try_emplace(PointKey{point, HashOf(point)}, m_points.size());
        if (added) {
            m_points.push_back(point);
        }
        return entry->second;
    }

    // The mount stacked on `index`'s own point over it, if any.
    std::size_t Above(std::size_t index) const {
        const auto found = m_childAt.find({m_mounts[index].id, m_pointOf[index]});
        return found == m_childAt.end() || found->second == index ? kNone : found->second;
    }

    // The last mount stacked over `index`, each stack walked once; a broken table whose mounts
    // stack on each other in a ring stops where the ring closes.
    std::size_t Top(std::size_t index) {
        m_walked.clear();
        std::size_t current = index;
        std::size_t top = kNone;
        while (top == kNone) {
            if (m_top[current] == kOnWalk) {
                top = current;
            } else if (m_top[current] != kNone) {
                top = m_top[current];
            } else {
                m_top[current] = kOnWalk;
                m_walked.push_back(current);
                const std::size_t above = Above(current);
                if (above == kNone) {
                    top = current;
                }
                current = above == kNone ? current : above;
            }
        }
        for (const std::size_t member : m_walked) {
            m_top[member] = top;
        }
        return top;
    }

    // The nearest mount point above `point` on its path, as path lookup enters the directories
    // ("/a/b/c" is entered as "/a", "/a/b", "/a/b/c"); kNone when there is none.
    std::size_t NearestPointAbove(std::string_view point) {
        std::vector<std::pair<std::size_t, std::uint64_t>>& prefixes = m_prefixes;
        prefixes.clear();
        std::uint64_t hash = kFnvOffset;
        for (std::size_t i = 0; i < point.size(); ++i) {
            if (i > 0 && point[i] == '/') {
                prefixes.emplace_back(i, hash);
            }
            hash = HashStep(hash, point[i]);
        }
        for (auto prefix = prefixes.rbegin(); prefix != prefixes.rend(); ++prefix) {
            const auto found =
                m_pointNumbers.find(PointKey{point.substr(0, prefix->first), prefix->second});
            if (found != m_pointNumbers.end()) {
                return found->second;
            }
        }
        return kNone;
    }

    // What each mount point shows: what the nearest point above it shows (the root's top for
    // none), or the top of the mount attached to that on this point. Points are taken shortest
    // first, so the point above is always done.
    void ShowEveryPoint() {
        std::vector<std::size_t> order(m_points.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
            return m_points[a].size() < m_points[b].size();
        });
        const std::size_t rootTop = Top(*m_root);
        for (const std::size_t point : order) {
            const std::size_t above = NearestPointAbove(m_points[point]);
            const std::size_t current = above == kNone ? rootTop : m_shown[above];
            const auto child = m_childAt.find({m_mounts[current].id, point});
            m_shown[point] =
                child == m_childAt.end() || child->second == current ? current : Top(child->second);
        }
    }

    static constexpr std::size_t kOnWalk = kNone - 1;

    const std::vector<MountView>& m_mounts;
    std::unordered_map<std::uint64_t, std::size_t> m_byId;  // the first mount with each id
    std::unordered_map<PointKey, std::size_t, PointKeyHash> m_pointNumbers;
    std::vector<std::string_view> m_points;  // by number
    std::vector<std::size_t> m_pointOf;      // each mount's point number
    std::unordered_map<ChildKey, std::size_t, ChildKeyHash> m_childAt;
    std::vector<std::size_t> m_top;    // each mount's stack top, once known
    std::vector<std::size_t> m_shown;  // the mount each point shows
    std::optional<std::size_t> m_root;
    // Scratch space of the walks, kept to spare an allocation per mount.
    std::vector<std::size_t> m_walked;
    std::vector<std::pair<std::size_t, std::uint64_t>> m_prefixes;
};

// The indexes of the mounts behind the letters, in letter order; nullopt for a root that the
// table lacks.
std::vector<std::optional<std::size_t>> LetterIndexes(const std::vector<MountView>& mounts,
                                                      const MountTree& tree) {
    const std::optional<std::size_t> rootIndex = tree.RootShown();

    std::vector<std::optional<std::size_t>> letters{rootIndex};
    std::set<std::pair<std::uint32_t, std::uint32_t>> devicesSeen;
    if (rootIndex) {
        devicesSeen.insert({mounts[*rootIndex].devMajor, mounts[*rootIndex].devMinor});
    }
    for (std::size_t i = 0; i < mounts.size() && letters.size() < kDriveLetterCount; ++i) {
        const MountView& entry = mounts[i];
        if (entry.mountPoint == "/" || IsInSystemTree(entry.mountPoint) ||
            Contains(kPseudoFileSystems, entry.fsType) || !tree.InSight(i)) {
            continue;
        }
        if (!devicesSeen.insert({entry.devMajor, entry.devMinor}).second) {
            continue;
        }
        letters.emplace_back(i);
    }
    return letters;
}

// Whether measuring a mount answers at once: its file system and that of every mount it hangs
// from, which a path lookup passes through, keep their data on this machine. A broken table whose
// mounts hang from each other in a ring counts as one that may wait.
bool AnswersAtOnce(const std::vector<MountView>& mounts, const MountTree& tree, std::size_t index) {
    std::optional<std::size_t> current = index;
    for (std::size_t step = 0; current && step <= mounts.size(); ++step) {
        if (!Contains(kLocalFileSystems, mounts[*current].fsType)) {
            return false;
        }
        current = tree.Parent(*current);
    }
    return !current;
}

template <typename MakeEntry>
std::vector<DriveMount> LetterMounts(const std::vector<MountView>& mounts, MakeEntry make) {
    const MountTree tree(mounts);
    std::vector<DriveMount> letters;
    for (const std::optional<std::size_t> index : LetterIndexes(mounts, tree)) {
        if (index) {
            letters.push_back(DriveMount{make(*index), AnswersAtOnce(mounts, tree, *index)});
        } else {
            // Nothing is known of the root's file system: it may wait.
            letters.push_back(DriveMount{MountEntry{"/", "", "", 0, 0, 0, 0}, false});
        }
    }
    return letters;
}

std::vector<MountEntry> EntriesOf(std::vector<DriveMount> drives) {
    std::vector<MountEntry> entries;
    entries.reserve(drives.size());
    for (DriveMount& drive : drives) {
        entries.push_back(std::move(drive.mount));
    }
    return entries;
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
    return EntriesOf(LetterMounts(views, [&mounts](std::size_t i) { return mounts[i]; }));
}

std::vector<MountEntry> DriveLetterMounts(std::string_view mountinfo) {
    return EntriesOf(DriveMounts(mountinfo));
}

std::vector<DriveMount> DriveMounts(std::string_view mountinfo) {
    const std::vector<MountView> views = ParseMountViews(mountinfo);
    return LetterMounts(views, [&views](std::size_t i) { return Decoded(views[i]); });
}

DriveKind ClassifyDrive(const MountEntry& mount,
                        const std::function<bool()>& isRemovableBlockDevice) {
    if (Contains(kNetworkFileSystems, mount.fsType)) {
        return DriveKind::Network;
    }
    if (Contains(kOpticalFileSystems, mount.fsType) || mount.devMajor == kScsiCdromMajor) {
        return DriveKind::CdRom;
    }
    if (mount.fsType == "tmpfs" || mount.fsType == "ramfs") {
        return DriveKind::RamDisk;
    }
    if (isRemovableBlockDevice && isRemovableBlockDevice()) {
        return DriveKind::Removable;
    }
    return DriveKind::Fixed;
}

}  // namespace kolt::linux_backend
