// Only Linux calls here.
#include "platform/linux/space_in_child.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/statfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "platform/posix/system_queries.h"

namespace kolt::linux_backend {

namespace {

// What the child writes: whether it measured, then the file system's counts.
struct Answer {
    std::uint64_t measured = 0;
    std::uint64_t blocks = 0;
    std::uint64_t freeBlocks = 0;
    std::uint64_t fragmentSize = 0;
    std::uint64_t blockSize = 0;
};

// Where the child closes descriptors one by one, on a kernel without close_range.
constexpr long kLargestDescriptorToClose = 1 << 16;

// The child's whole life. Everything between fork and _exit is async-signal-safe: the parent may
// have other threads, whose locks the child inherits held.
[[noreturn]] void MeasureAndAnswer(const char* mountPoint, int answerPipe, pid_t parent,
                                   long descriptorLimit) {
    // The child ends with the thread that waits for it, and holds nothing of the parent's open but
    // its answer pipe: a pipe to a reader of the program's output must not stay open for as long as
    // the child is stuck.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) {
        ::_exit(1);
    }
    if (answerPipe != 0) {
        ::dup2(answerPipe, 0);
    }
    if (::close_range(1, ~0u, 0) != 0) {
        for (int descriptor = 1; descriptor < descriptorLimit; ++descriptor) {
            ::close(descriptor);
        }
    }
    Answer answer;
    struct statfs info {};
    if (::statfs(mountPoint, &info) == 0) {
        answer = Answer{
            1, static_cast<std::uint64_t>(info.f_blocks), static_cast<std::uint64_t>(info.f_bfree),
            static_cast<std::uint64_t>(info.f_frsize), static_cast<std::uint64_t>(info.f_bsize)};
    }
    const ssize_t written = ::write(0, &answer, sizeof answer);
    ::_exit(written == static_cast<ssize_t>(sizeof answer) ? 0 : 1);
}

}  // namespace

std::optional<DiskSpace> MeasureInChildProcess(const std::string& mountPoint) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    const pid_t parent = ::getpid();
    const long descriptorLimit = std::min(::sysconf(_SC_OPEN_MAX), kLargestDescriptorToClose);
    const pid_t child = ::fork();
    if (child == 0) {
        MeasureAndAnswer(mountPoint.c_str(), pipeEnds[1], parent, descriptorLimit);
    }
    ::close(pipeEnds[1]);
    if (child < 0) {
        ::close(pipeEnds[0]);
        return std::nullopt;
    }
    Answer answer;
    std::size_t received = 0;
    while (received < sizeof answer) {
        const ssize_t got = ::read(pipeEnds[0], reinterpret_cast<char*>(&answer) + received,
                                   sizeof answer - received);
        if (got > 0) {
            received += static_cast<std::size_t>(got);
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(pipeEnds[0]);
    // The child ends right after answering, or has ended without an answer: this only collects
    // its exit status.
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    if (received < sizeof answer || answer.measured == 0) {
        return std::nullopt;
    }
    return posix::DiskSpaceFromBlocks(answer.blocks, answer.freeBlocks, answer.fragmentSize,
                                      answer.blockSize);
}

}  // namespace kolt::linux_backend
