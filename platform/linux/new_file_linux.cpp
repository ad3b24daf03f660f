// New files on Linux: unnamed until complete (O_TMPFILE), and made crash-safe as cheaply as the
// file system allows. Only Linux calls here.
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/posix/new_file.h"

namespace kolt::posix {

namespace {

// What a file system needs so that its new files survive a crash whole once named.
CrashSafety::Need NeedOf(int fd) {
    struct statfs info {};
    if (::fstatfs(fd, &info) != 0) {
        return CrashSafety::Need::FlushAndWait;
    }
    switch (static_cast<unsigned long>(info.f_type)) {
        case TMPFS_MAGIC:
        case RAMFS_MAGIC:
            return CrashSafety::Need::Nothing;
        case EXT4_SUPER_MAGIC:  // the one driver serves ext3 and ext4 (and ext2) under it
            return CrashSafety::Need::WriteOut;
        default:
            return CrashSafety::Need::FlushAndWait;
    }
}

}  // namespace

UniqueFd OpenUnnamedFile(const std::string& directory) {
    // 0666 less the umask, as any new file gets. File systems without unnamed files refuse.
    return UniqueFd(::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
}

bool NameUnnamedFile(int fd, const std::string& path) {
    // The documented way to name an unnamed file without privileges: through its /proc entry.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

CrashSafety::CrashSafety(int fd) : m_fd(fd), m_need(NeedOf(fd)) {}

bool CrashSafety::ContentBeforeNaming() const {
    switch (m_need) {
        case Need::Nothing:
            return true;
        case Need::WriteOut:
            // ext4 gives a new file its blocks only when it writes them out, and records them as
            // written only once the write has completed (until then they read as zeros). Waiting
            // here for that write puts both before the name change in the journal, which commits
            // in order and flushes the disk's cache before each commit: a crash then finds the
            // old file or the whole new one. Merely starting the write is not enough (a power
            // cut under load left a report of zeros); a full flush and journal commit per file
            // (fdatasync) would cost several times a whole report's run.
            return ::sync_file_range(m_fd, 0, 0,
                                     SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE |
                                         SYNC_FILE_RANGE_WAIT_AFTER) == 0;
        case Need::FlushAndWait:
            return ::fdatasync(m_fd) == 0;
    }
    return false;
}

void CrashSafety::NameAfterNaming(const std::string& directory) const {
    if (m_need == Need::FlushAndWait) {
        FlushDirectory(directory);
    }
}

}  // namespace kolt::posix
