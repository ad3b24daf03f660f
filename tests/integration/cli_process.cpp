#include "tests/integration/cli_process.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>
#include <thread>

extern char** environ;

namespace kolt::integration {

namespace {

// Exit statuses of a child that could not set up the run; the tests report them as such.
constexpr int kSetUpFailed = 126;
constexpr int kNotStarted = 127;

// The child's view of its surroundings, set up after fork with system calls only. False when a
// step fails.
bool PrepareChild(const std::string& dir, const RunConditions& conditions) {
    if (conditions.readOnlyDirectory || conditions.hostName) {
        if (::unshare(CLONE_NEWNS | CLONE_NEWUTS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            return false;
        }
    }
    if (conditions.hostName &&
        ::sethostname(conditions.hostName->data(), conditions.hostName->size()) != 0) {
        return false;
    }
    if (conditions.readOnlyDirectory &&
        (::mount(dir.c_str(), dir.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
         ::mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)) {
        return false;
    }
    if (::chdir(dir.c_str()) != 0) {
        return false;
    }
    if (conditions.directoryDeleted && ::rmdir(dir.c_str()) != 0) {
        return false;
    }
    if (conditions.fileSizeLimit != 0) {
        const rlimit limit{conditions.fileSizeLimit, conditions.fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    return true;
}

std::string ReadAll(int fd) {
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            bytes.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            return bytes;
        }
    }
}

}  // namespace

CliRun RunProgram(const std::string& program, const std::filesystem::path& directory,
                  const std::vector<std::string>& extraEnvironment,
                  const RunConditions& conditions) {
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
    std::vector<std::string> arguments = conditions.arguments;
    std::vector<char*> argv{programPath.data()};
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const std::string dir = directory.string();

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        throw std::system_error(errno, std::generic_category(), "pipe2");
    }
    if (conditions.nonBlockingOutput) {
        ::fcntl(pipeFds[1], F_SETFL, ::fcntl(pipeFds[1], F_GETFL) | O_NONBLOCK);
    }
    // Standard error goes to an unnamed file, read once the program has ended: it can never fill
    // up and hold the program while standard output is being read.
    const int errorFile = ::open("/tmp", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (errorFile < 0) {
        throw std::system_error(errno, std::generic_category(), "open O_TMPFILE");
    }
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::system_error(errno, std::generic_category(), "fork");
    }
    if (child == 0) {
        if (::dup2(pipeFds[1], STDOUT_FILENO) < 0 || ::dup2(errorFile, STDERR_FILENO) < 0 ||
            !PrepareChild(dir, conditions)) {
            ::_exit(kSetUpFailed);
        }
        // The program starts with the default signal actions a shell would give it.
        ::signal(SIGPIPE, SIG_DFL);
        ::signal(SIGXFSZ, SIG_DFL);
        // A hung program is ended, so a test reports the hang instead of waiting forever.
        ::alarm(kRunTimeLimitSeconds);
        ::execve(programPath.c_str(), argv.data(), envp.data());
        ::_exit(kNotStarted);
    }
    ::close(pipeFds[1]);
    CliRun run;
    if (conditions.whileRunning) {
        conditions.whileRunning(child);
    }
    if (conditions.readerGone) {
        ::close(pipeFds[0]);
    } else {
        std::this_thread::sleep_for(conditions.readerDelay);
        run.standardOutput = ReadAll(pipeFds[0]);
        ::close(pipeFds[0]);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    ::lseek(errorFile, 0, SEEK_SET);
    run.standardError = ReadAll(errorFile);
    ::close(errorFile);
    if (run.exitStatus == kSetUpFailed || run.exitStatus == kNotStarted) {
        throw std::runtime_error("the program could not be started in the surroundings asked for");
    }
    return run;
}

int RunCommand(const std::vector<std::string>& command) {
    std::vector<std::string> words = command;
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execvp(argv[0], argv.data());
        ::_exit(kNotStarted);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) != kNotStarted ? WEXITSTATUS(status) : -1;
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
