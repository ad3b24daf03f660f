// Only POSIX file access here.
#include "platform/posix/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <ctime>
#include <string_view>

#include "platform/platform.h"

namespace kolt {

namespace {

constexpr std::size_t kReadChunk = 16 * 1024;
// Tries at other temporary names before a replacement gives up.
constexpr int kTemporaryNameTries = 16;

// Writes every byte, going on after partial writes and interruptions.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A name beside `path` that no other run picks at the same moment: the process, the clock and
// the try number; O_EXCL catches the rare clash.
std::string TemporaryNameBeside(const std::string& path, int attempt) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const auto stamp = static_cast<unsigned long long>(now.tv_nsec) ^
                       (static_cast<unsigned long long>(now.tv_sec) << 20);
    return path + "." + std::to_string(::getpid()) + "-" + std::to_string(stamp) + "-" +
           std::to_string(attempt) + ".tmp";
}

}  // namespace

bool ReadRegularFile(const std::string& path, std::size_t limit,
                     const std::function<bool(std::string_view)>& consume) {
    // Asked first so that a device is never opened (opening some has effects of its own); asked
    // again of the open file, which is what is read, in case the name changed in between.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    // Non-blocking, so that a FIFO swapped in after the check cannot hold the open.
    const posix::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    std::array<char, kReadChunk> buffer;
    std::size_t total = 0;
    while (total < limit) {
        const std::size_t wanted = std::min(buffer.size(), limit - total);
        const ssize_t got = ::read(fd.Get(), buffer.data(), wanted);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (got == 0) {
            break;
        }
        total += static_cast<std::size_t>(got);
        if (!consume(std::string_view(buffer.data(), static_cast<std::size_t>(got)))) {
            break;
        }
    }
    return true;
}

std::string TextFileBytes(std::string_view text) {
    return std::string(text);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        const std::string temporary = TemporaryNameBeside(path, attempt);
        // O_EXCL with O_CREAT creates a new file or fails: it never follows a link, and
        // O_NOFOLLOW says so twice. 0666 less the umask, as any new file gets.
        posix::UniqueFd fd(::open(temporary.c_str(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC,
                                  0666));
        if (!fd.Valid()) {
            if (errno == EEXIST) {
                continue;
            }
            return false;
        }
        const bool written = WriteAll(fd.Get(), bytes);
        const bool closed = fd.Close();
        if (written && closed && posix::MoveOver(temporary, path)) {
            return true;
        }
        ::unlink(temporary.c_str());
        return false;
    }
    return false;
}

namespace posix {

UniqueFd::~UniqueFd() {
    Close();
}

bool UniqueFd::Close() noexcept {
    if (m_fd < 0) {
        return true;
    }
    const int fd = m_fd;
    m_fd = -1;
    // A close that fails with EINTR has still released the descriptor on Linux: never retried.
    return ::close(fd) == 0;
}

std::optional<std::string> ReadTextFile(const char* path, std::size_t limit) {
    std::string content;
    const bool read = ReadRegularFile(path, limit, [&content](std::string_view bytes) {
        content.append(bytes);
        return true;
    });
    if (!read) {
        return std::nullopt;
    }
    return content;
}

std::optional<std::string> ReadFirstParagraph(const char* path) {
    std::string content;
    const bool read = ReadRegularFile(path, kTextFileLimit, [&content](std::string_view bytes) {
        // Look again at the byte before the new piece: the "\n\n" may straddle two reads.
        const std::size_t from = content.empty() ? 0 : content.size() - 1;
        content.append(bytes);
        return content.find("\n\n", from) == std::string::npos;
    });
    if (!read) {
        return std::nullopt;
    }
    const std::size_t end = content.find("\n\n");
    if (end != std::string::npos) {
        content.resize(end + 2);
    }
    return content;
}

}  // namespace posix
}  // namespace kolt
