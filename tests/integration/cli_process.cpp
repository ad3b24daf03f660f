#include "tests/integration/cli_process.h"

#include <sched.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

namespace kolt::integration {

CliRun RunProgram(const std::string& program, const std::filesystem::path& directory,
                  const std::vector<std::string>& extraEnvironment,
                  const RunConditions& conditions) {
    // The machine's own domains would make every report differ from what a case expects.
    RunConditions setup = conditions;
    setup.environment = {"USERDOMAIN", "USERDNSDOMAIN"};
    setup.environment.insert(setup.environment.end(), extraEnvironment.begin(),
                             extraEnvironment.end());
    test_support::ChildProcess child(program, directory, setup);
    return child.Finish();
}

int RunCommand(const std::vector<std::string>& command) {
    if (command.empty()) {
        return -1;
    }
    RunConditions setup;
    setup.arguments.assign(command.begin() + 1, command.end());
    setup.keepOutput = false;
    return test_support::RunChild(command.front(), {}, setup).exitStatus;
}

bool CanMakeNamespaces() {
    const pid_t child = ::fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        ::_exit(::unshare(CLONE_NEWNS | CLONE_NEWUTS) == 0 ? 0 : 1);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string NetbiosName() {
    utsname system{};
    if (::uname(&system) != 0) {
        return {};
    }
    std::string name(system.nodename);
    name = name.substr(0, name.find('.')).substr(0, 15);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name;
}

}  // namespace kolt::integration
