// Measuring a file system that may never answer. A thread stuck in a file-system call that the
// kernel waits on without end (a FUSE file system whose server reads the request and never
// answers) keeps its whole process from ending, even after exit; a child process stuck in the
// same call does not. So the call is made in a child, and the caller waits for its answer.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace kolt::linux_backend {

// Size and free bytes of the file system at `mountPoint`, measured by a child process that holds
// nothing of this one open but the pipe it answers through; nullopt when it cannot be measured
// or no child could be started. Waits as long as the child does: call it on a worker thread
// with a deadline. A child left waiting is ended with the thread that started it (when the
// kernel lets it go).
std::optional<DiskSpace> MeasureInChildProcess(const std::string& mountPoint);

}  // namespace kolt::linux_backend
