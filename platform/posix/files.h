// File access the POSIX backends share: an owned descriptor, and bounded reads of the small text
// files a backend answers from (/proc, /sys, /etc). Only regular files are read, so a FIFO or a
// device planted where a text is expected can neither block nor flood a report.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kolt::posix {

// Owns one file descriptor and closes it when it goes out of scope.
class UniqueFd {
public:
    explicit UniqueFd(int fd) noexcept : m_fd(fd) {}
    ~UniqueFd();
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const noexcept { return m_fd; }
    bool Valid() const noexcept { return m_fd >= 0; }
    // Closes now; false when the close reports an error (a write that failed late).
    bool Close() noexcept;

private:
    int m_fd;
};

// Far above anything /proc, /sys or os-release hold for one report.
inline constexpr std::size_t kTextFileLimit = 1u << 20;
// The mount table grows with the machine's clutter: room for tens of thousands of mounts.
inline constexpr std::size_t kMountTableLimit = 16u << 20;

// A regular file's content, at most `limit` bytes of it (what lies beyond counts as the end);
// nullopt when it is not a regular file or cannot be opened or read.
std::optional<std::string> ReadTextFile(const char* path, std::size_t limit = kTextFileLimit);

// Puts the file at `temporary` in the place of `path` in one step, replacing whatever stands
// there (a link is replaced, never followed). False, with errno saying why, when it cannot;
// `temporary` then still names the new file, for the caller to remove. How is the system's
// business: the build picks the implementation (a plain rename, or Linux's exchange of the two
// names).
bool MoveOver(const std::string& temporary, const std::string& path);

// The content of a file up to and including its first empty line (or all of it when there is
// none): the first record of a file such as /proc/cpuinfo, without making the kernel produce the
// records of every other processor.
std::optional<std::string> ReadFirstParagraph(const char* path);

}  // namespace kolt::posix
