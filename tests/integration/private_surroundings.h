// The console program run where the network is broken, without touching the machine: in private
// mount, network and host-name namespaces (root only) that hold file systems that never answer and
// a name server that never answers, and that die with the process that made them, mounts and all.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/integration/cli_process.h"

namespace kolt::integration {

struct BrokenNetwork {
    // File systems mounted in the private namespace whose every request is read and never
    // answered (what a share whose server is gone looks like), typed as network shares.
    int deadShares = 0;
    // The only name server is 127.0.0.1, which takes every question and answers none, and the
    // host's name is one that no hosts file lists.
    bool silentNameServer = false;
};

struct TimedRun {
    CliRun run;
    double seconds = 0;  // wall time of the program, start to exit
    // Why the surroundings could not be made here (not root, no FUSE device...); the run did not
    // happen then.
    std::optional<std::string> impossible;
};

// Starts `program` with `arguments` in `directory` inside such surroundings and waits for it. The
// surroundings are made in a child process of their own, which takes its mounts and every process
// it started down with it when it ends, however the run went, and which ends after at most 30 s in
// any case (a run that hangs is then reported as taking that long).
TimedRun RunWithBrokenNetwork(const BrokenNetwork& network, const std::string& program,
                              const std::vector<std::string>& arguments,
                              const std::filesystem::path& directory);

}  // namespace kolt::integration
