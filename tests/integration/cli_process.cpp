#include "tests/integration/cli_process.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

extern char** environ;

namespace kolt::integration {

CliRun RunProgram(const std::string& program, const std::filesystem::path& directory,
                  const std::vector<std::string>& extraEnvironment, const RunConditions& conditions,
                  const std::vector<std::string>& arguments) {
    // Everything the child needs is prepared before fork: it only calls async-signal-safe
    // functions afterwards.
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        if (text.rfind("USERDOMAIN=", 0) != 0 && text.rfind("USERDNSDOMAIN=", 0) != 0) {
            environment.emplace_back(text);
        }
    }
    environment.insert(environment.end(), extraEnvironment.begin(), extraEnvironment.end());
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::string programPath = program;
    std::vector<std::string> commandLine{program};
    commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : commandLine) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const std::string dir = directory.string();

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        throw std::system_error(errno, std::generic_category(), "pipe2");
    }
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::system_error(errno, std::generic_category(), "fork");
    }
    if (child == 0) {
        if (::dup2(pipeFds[1], STDOUT_FILENO) < 0 || ::chdir(dir.c_str()) != 0) {
            ::_exit(126);
        }
        if (conditions.fileSizeLimit != 0) {
            const rlimit limit{conditions.fileSizeLimit, conditions.fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        // The program starts with the default signal actions a shell would give it.
        ::signal(SIGPIPE, SIG_DFL);
        ::signal(SIGXFSZ, SIG_DFL);
        // A hung program is ended, so a test reports the hang instead of waiting forever.
        ::alarm(kRunTimeLimitSeconds);
        ::execve(programPath.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    CliRun run;
    if (conditions.readerGone) {
        ::close(pipeFds[0]);
        pipeFds[0] = -1;
    }
    char buffer[65536];
    while (pipeFds[0] >= 0) {
        const ssize_t got = ::read(pipeFds[0], buffer, sizeof buffer);
        if (got > 0) {
            run.standardOutput.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    if (pipeFds[0] >= 0) {
        ::close(pipeFds[0]);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return run;
}

}  // namespace kolt::integration
