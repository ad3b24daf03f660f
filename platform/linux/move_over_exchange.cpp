// Only Linux calls here.
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/files.h"

namespace kolt::posix {

// A rename over an existing file makes ext4 write the new file's data out before it returns
// (its guard against empty files after a crash), which cost most of a report's run. Exchanging
// the two names is just as atomic at the name and has no such cost; the old file, now under the
// temporary name, is then removed.
bool MoveOver(const std::string& temporary, const std::string& path) {
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) != 0) {
        // Nothing at the name yet, or a file system that cannot exchange: a rename then.
        if (errno != ENOENT && errno != EINVAL && errno != ENOSYS) {
            return false;
        }
        return ::rename(temporary.c_str(), path.c_str()) == 0;
    }
    if (::unlink(temporary.c_str()) == 0) {
        return true;
    }
    // What stood at the name cannot be removed (a directory): it goes back to its name, and the
    // caller learns why the removal failed.
    const int error = errno;
    ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE);
    errno = error;
    return false;
}

}  // namespace kolt::posix
