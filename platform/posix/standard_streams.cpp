// Standard output and error on POSIX systems. Only POSIX calls here.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/process.h"

namespace kolt {

StreamWriteResult WriteToStandardStream(StandardStream stream, std::string_view bytes) {
    const int fd = stream == StandardStream::Output ? STDOUT_FILENO : STDERR_FILENO;
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written >= 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // A non-blocking stream that is full (a pipe whose reader is slow): wait until it
            // takes more, as a blocking one would. A reader that goes away ends the wait, and the
            // next write then fails.
            pollfd writable{fd, POLLOUT, 0};
            ::poll(&writable, 1, -1);
        } else if (errno != EINTR) {
            return StreamWriteResult{false, std::generic_category().message(errno)};
        }
    }
    return StreamWriteResult{true, {}};
}

}  // namespace kolt
