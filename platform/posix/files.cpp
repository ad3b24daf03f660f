// Only POSIX file access here.
#include "platform/posix/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <ctime>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/files.h"
#include "platform/posix/new_file.h"
#include "platform/posix/removed_on_signal.h"

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

FileWriteResult Failure(int error, std::string leftBehind = {}) {
    return FileWriteResult{false, std::generic_category().message(error), std::move(leftBehind)};
}

// The new file, complete and on its way to the disk under `temporary`, takes the place of `path`;
// where it cannot, it is removed again. The caller guards `temporary` against signals.
FileWriteResult PutInPlace(const std::string& temporary, const std::string& path,
                           const std::string& directory, const posix::CrashSafety& safety) {
    if (posix::MoveOver(temporary, path)) {
        safety.NameAfterNaming(directory);
        return FileWriteResult{true, {}, {}};
    }
    const int error = errno;
    if (::unlink(temporary.c_str()) != 0 && errno != ENOENT) {
        return Failure(error, temporary);
    }
    return Failure(error);
}

// The bytes go to a file that has no name until they are all written: a signal or a failed write
// leaves nothing behind. Named at `path` at once when nothing stands there; otherwise under a
// temporary name that takes the place of the old file straight away. nullopt when the unnamed file
// cannot be named at all (no /proc): the caller then writes a named file instead.
std::optional<FileWriteResult> WriteUnnamedFile(posix::UniqueFd& file, const std::string& path,
                                                const std::string& directory,
                                                std::string_view bytes) {
    const posix::CrashSafety safety(file.Get());
    if (!WriteAll(file.Get(), bytes) || !safety.ContentBeforeNaming()) {
        return Failure(errno);
    }
    if (posix::NameUnnamedFile(file.Get(), path)) {
        safety.NameAfterNaming(directory);
        return FileWriteResult{true, {}, {}};
    }
    if (errno != EEXIST) {
        return std::nullopt;
    }
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        const std::string temporary = TemporaryNameBeside(path, attempt);
        // Armed before the name exists, so that no moment leaves it unguarded; the name is this
        // process's own, so no other file is ever removed.
        const posix::RemovedOnSignal guard(temporary);
        if (posix::NameUnnamedFile(file.Get(), temporary)) {
            return PutInPlace(temporary, path, directory, safety);
        }
        if (errno != EEXIST) {
            return Failure(errno);
        }
    }
    return Failure(EEXIST);
}

// Where no unnamed file can be made (a network or FAT file system): a new file under a temporary
// name, removed again on any failure and when a signal ends the program while it exists.
FileWriteResult WriteNamedFile(const std::string& path, const std::string& directory,
                               std::string_view bytes) {
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        const std::string temporary = TemporaryNameBeside(path, attempt);
        const posix::RemovedOnSignal guard(temporary);
        // O_EXCL with O_CREAT creates a new file or fails: it never follows a link, and
        // O_NOFOLLOW says so twice. 0666 less the umask, as any new file gets.
        posix::UniqueFd file(::open(temporary.c_str(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC,
                                    0666));
        if (!file.Valid()) {
            if (errno == EEXIST) {
                continue;
            }
            return Failure(errno);
        }
        const posix::CrashSafety safety(file.Get());
        if (!WriteAll(file.Get(), bytes) || !safety.ContentBeforeNaming() || !file.Close()) {
            const int error = errno;
            if (::unlink(temporary.c_str()) != 0) {
                return Failure(error, temporary);
            }
            return Failure(error);
        }
        return PutInPlace(temporary, path, directory, safety);
    }
    return Failure(EEXIST);
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

FileWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string directory = posix::DirectoryOf(path);
    if (posix::UniqueFd unnamed = posix::OpenUnnamedFile(directory); unnamed.Valid()) {
        if (auto result = WriteUnnamedFile(unnamed, path, directory, bytes)) {
            return *std::move(result);
        }
    }
    return WriteNamedFile(path, directory, bytes);
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

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

void FlushDirectory(const std::string& directory) {
    const UniqueFd handle(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.Valid()) {
        ::fsync(handle.Get());
    }
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
