// Runs the real console program in a directory of its own and collects what it printed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kolt::integration {

// A fresh directory under the system's temporary directory, removed with its content afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    void WriteFile(const std::string& name, const std::string& bytes) const;
    // The file's bytes; empty when it cannot be read.
    std::string ReadFile(const std::string& name) const;

private:
    std::filesystem::path m_path;
};

struct CliRun {
    int exitStatus = -1;  // -1 when the program did not exit normally
    std::string standardOutput;
};

// Starts `program` with `directory` as its current directory and the test's environment, less
// USERDOMAIN and USERDNSDOMAIN, plus `extraEnvironment` ("NAME=value" each); waits for it.
CliRun RunProgram(const std::string& program, const std::filesystem::path& directory,
                  const std::vector<std::string>& extraEnvironment = {});

}  // namespace kolt::integration
