// Runs the real console program in a directory of its own and collects what it printed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kolt::integration {

struct CliRun {
    int exitStatus = -1;  // -1 when the program did not exit normally
    int signal = 0;       // the signal that ended it, if one did
    std::string standardOutput;
};

// Hostile surroundings a run can be started in.
struct RunConditions {
    bool readerGone = false;          // standard output is a pipe nobody reads any more
    std::uint64_t fileSizeLimit = 0;  // bytes a file may grow to (ulimit -f); 0: no limit
};

// The longest a run may take before it is stopped (SIGALRM) and counted as hung.
inline constexpr unsigned kRunTimeLimitSeconds = 20;

// Starts `program` with `arguments` and `directory` as its current directory and the test's
// environment, less USERDOMAIN and USERDNSDOMAIN, plus `extraEnvironment` ("NAME=value" each);
// waits for it.
CliRun RunProgram(const std::string& program, const std::filesystem::path& directory,
                  const std::vector<std::string>& extraEnvironment = {},
                  const RunConditions& conditions = {},
                  const std::vector<std::string>& arguments = {});

}  // namespace kolt::integration
