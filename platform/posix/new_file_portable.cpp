// What any POSIX system offers for a new file: no unnamed files, and an explicit flush of the
// data before the file takes its name and of the directory after. Only POSIX calls here.
#include <unistd.h>

#include <cerrno>

#include "platform/posix/new_file.h"

namespace kolt::posix {

UniqueFd OpenUnnamedFile(const std::string&) {
    return UniqueFd(-1);
}

bool NameUnnamedFile(int, const std::string&) {
    errno = ENOTSUP;
    return false;
}

CrashSafety::CrashSafety(int fd) : m_fd(fd), m_need(Need::FlushAndWait) {}

bool CrashSafety::ContentBeforeNaming() const {
    return m_need != Need::FlushAndWait || ::fsync(m_fd) == 0;
}

void CrashSafety::NameAfterNaming(const std::string& directory) const {
    if (m_need == Need::FlushAndWait) {
        FlushDirectory(directory);
    }
}

}  // namespace kolt::posix
