// The host's own figures, handed to the Windows test programs through the environment by
// wine-test.sh, so Wine's answers are checked against the machine behind them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kolt::test_support {

// A variable's value; nullopt when it is not set.
std::optional<std::string> HostFact(const char* name);

// A variable made of whitespace-separated unsigned numbers; empty when it is not set.
std::vector<std::uint64_t> HostNumbers(const char* name);

// The figures of the volume behind a path on the host, as `stat -f` gives them.
struct HostVolume {
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0;  // free for ordinary users
};
std::optional<HostVolume> HostVolumeFact(const char* name);

}  // namespace kolt::test_support
