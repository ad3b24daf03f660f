// Only POSIX file access here.
#include "platform/posix/file_content.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <string_view>

namespace kolt::posix {

namespace {

// Far above anything /proc, /sys or os-release hold; a larger file is not one we should read.
constexpr std::size_t kMaxFileSize = 16u << 20;
constexpr std::size_t kChunkSize = 4096;

// Reads chunks until the end of the file or until `stop` says the content so far is enough.
template <typename Stop>
std::optional<std::string> ReadUntil(const char* path, Stop stop) {
    const UniqueFd fd(::open(path, O_RDONLY | O_CLOEXEC));
    if (!fd.Valid()) {
        return std::nullopt;
    }
    std::string content;
    for (;;) {
        const std::size_t before = content.size();
        if (before >= kMaxFileSize) {
            return std::nullopt;
        }
        content.resize(before + kChunkSize);
        const ssize_t got = ::read(fd.Get(), content.data() + before, kChunkSize);
        if (got < 0) {
            if (errno == EINTR) {
                content.resize(before);
                continue;
            }
            return std::nullopt;
        }
        content.resize(before + static_cast<std::size_t>(got));
        if (got == 0 || stop(std::string_view(content), before)) {
            return content;
        }
    }
}

}  // namespace

UniqueFd::~UniqueFd() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

std::optional<std::string> ReadFileContent(const char* path) {
    return ReadUntil(path, [](std::string_view, std::size_t) { return false; });
}

std::optional<std::string> ReadFirstParagraph(const char* path) {
    auto content = ReadUntil(path, [](std::string_view text, std::size_t newFrom) {
        // Look again at the byte before the new chunk: the "\n\n" may straddle two reads.
        const std::size_t from = newFrom == 0 ? 0 : newFrom - 1;
        return text.find("\n\n", from) != std::string_view::npos;
    });
    if (content) {
        const std::size_t end = content->find("\n\n");
        if (end != std::string::npos) {
            content->resize(end + 2);
        }
    }
    return content;
}

}  // namespace kolt::posix
