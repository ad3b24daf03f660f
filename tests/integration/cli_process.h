// Runs the real console program in a directory of its own and collects what it printed.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kolt::integration {

struct CliRun {
    int exitStatus = -1;  // -1 when the program did not exit normally
    int signal = 0;       // the signal that ended it, if one did
    std::string standardOutput;
    std::string standardError;
};

// Hostile surroundings a run can be started in. Those marked "root" need the privilege to make
// private namespaces (see CanMakeNamespaces); they only change the program's own view.
struct RunConditions {
    bool readerGone = false;          // standard output is a pipe nobody reads any more
    std::uint64_t fileSizeLimit = 0;  // bytes a file may grow to (ulimit -f); 0: no limit
    std::vector<std::string> arguments{};
    // Standard output is a non-blocking pipe, and its reader starts this late.
    bool nonBlockingOutput = false;
    std::chrono::milliseconds readerDelay{0};
    bool directoryDeleted = false;   // the (empty) directory is removed once the program is in it
    bool readOnlyDirectory = false;  // root: the directory is mounted read-only for the program
    std::optional<std::string> hostName{};  // root: the program's host name
    // Called with the program's process id while it runs, before its output is read.
    std::function<void(pid_t)> whileRunning{};
};

// The longest a run may take before it is stopped (SIGALRM) and counted as hung.
inline constexpr unsigned kRunTimeLimitSeconds = 20;

// Starts `program` with the conditions' arguments and `directory` as its current directory and the
// test's environment, less USERDOMAIN and USERDNSDOMAIN, plus `extraEnvironment` ("NAME=value"
// each); waits for it.
CliRun RunProgram(const std::string& program, const std::filesystem::path& directory,
                  const std::vector<std::string>& extraEnvironment = {},
                  const RunConditions& conditions = {});

// Runs a command found on the search path with its output discarded; its exit status, or -1 when
// it could not be started or did not exit normally.
int RunCommand(const std::vector<std::string>& command);

// Whether this process may make private mount and host-name namespaces (as root may).
bool CanMakeNamespaces();

// The name the program uses for this machine: the host name's first label, upper-cased, cut to
// 15 characters.
std::string NetbiosName();

}  // namespace kolt::integration
