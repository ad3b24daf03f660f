// Runs the real console program in a directory of its own and collects what it printed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kolt::integration {

struct CliRun {
    int exitStatus = -1;  // -1 when the program did not exit normally
    std::string standardOutput;
};

// Starts `program` with `directory` as its current directory and the test's environment, less
// USERDOMAIN and USERDNSDOMAIN, plus `extraEnvironment` ("NAME=value" each); waits for it.
CliRun RunProgram(const std::string& program, const std::filesystem::path& directory,
                  const std::vector<std::string>& extraEnvironment = {});

}  // namespace kolt::integration
