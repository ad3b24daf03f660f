// Process set-up on POSIX systems.
#include <csignal>

#include "platform/process.h"

namespace kolt {

void PrepareConsoleProcess() {
    // POSIX streams never translate line ends, so standard output already carries bytes
    // unchanged. A reader that closes the pipe early (`kolt_info_cli | head`) or a file-size
    // limit must fail a write, not end the run before the report file is written.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

// POSIX systems show no box for a drive without a medium; probing one simply fails.
void SuppressCriticalErrorDialogs() {}

}  // namespace kolt
