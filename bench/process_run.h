// Starting a program as a whole process, in a directory of its own with its standard output
// discarded, and waiting for it: what a user waits for when the program runs. Linux only, like
// the rest of the benchmarks.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kolt::bench {

struct ProcessRun {
    double milliseconds = 0;  // wall time from the start to the exit
    long peakKilobytes = 0;   // the process's largest resident set
};

// Runs `command` (its program's path first) in `directory`; nullopt when it could not be started
// or did not exit with status 0.
std::optional<ProcessRun> RunProcess(const std::vector<std::string>& command,
                                     const std::filesystem::path& directory);

}  // namespace kolt::bench
