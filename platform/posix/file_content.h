// Reading the small text files the Linux backend answers from (/proc, /sys, /etc). Every
// descriptor is owned by a UniqueFd and closed before the function returns.
#pragma once

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

private:
    int m_fd;
};

// The whole content of a file; nullopt when it cannot be opened or read, or is implausibly large
// for the kind of file this backend reads.
std::optional<std::string> ReadFileContent(const char* path);

// The content of a file up to and including its first empty line (or all of it when there is
// none): the first record of a file such as /proc/cpuinfo, without making the kernel produce the
// records of every other processor.
std::optional<std::string> ReadFirstParagraph(const char* path);

}  // namespace kolt::posix
