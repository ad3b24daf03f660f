// The integration suite's runs of the real console program, and the commands its cases need, all
// started through the one child-process runner.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace kolt::integration {

using CliRun = test_support::ChildRun;
// Hostile surroundings a run can be started in, and its arguments (see ChildSetup).
using RunConditions = test_support::ChildSetup;

// The longest a run may take before it is stopped (SIGALRM) and counted as hung.
inline constexpr unsigned kRunTimeLimitSeconds = test_support::kChildTimeLimitSeconds;

// Starts `program` with the conditions' arguments and `directory` as its current directory and the
// test's environment, less USERDOMAIN and USERDNSDOMAIN, plus `extraEnvironment` ("NAME=value"
// each); waits for it. Throws when it cannot be started in the surroundings asked for.
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
