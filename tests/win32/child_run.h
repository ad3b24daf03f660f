// Starts a Windows program in a directory of the test's choosing and collects its standard output,
// so the real console program can be checked end to end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kolt::test_support {

struct ChildRun {
    bool started = false;
    std::uint32_t exitCode = 0;
    std::string standardOutput;  // every byte the program wrote, unchanged
    std::string standardError;   // the same for standard error (a few lines at most)
};

// Runs `program` (a path Windows understands) in `directory` with `arguments` (each passed as
// one word; none may hold a double quote), all in UTF-8, with standard input empty and standard
// output and error captured; waits for it.
ChildRun RunChild(const std::string& program, const std::string& directory,
                  const std::vector<std::string>& arguments = {});

}  // namespace kolt::test_support
