#include "tests/integration/private_surroundings.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "tests/support/scratch_directory.h"

namespace kolt::integration {
namespace {

// The longest the surroundings live: a run that hangs ends with them, and the test reports it.
constexpr unsigned kSurroundingsLimitSeconds = 30;
// How long the dead file systems may take to be mounted.
constexpr int kMountLimitMilliseconds = 10'000;

// A host name that no hosts file lists, so that resolving it asks the name server.
constexpr const char* kUnlistedHostName = "kolt-unlisted-host";

void WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::string ReadToEnd(int fd) {
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

std::string Failed(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Brings the private network's loopback interface up: a name server on 127.0.0.1 then takes
// questions instead of the network refusing them at once.
std::string LoopbackUp() {
    const int socketFd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socketFd < 0) {
        return Failed("socket");
    }
    ifreq request{};
    std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    std::string problem;
    if (::ioctl(socketFd, SIOCGIFFLAGS, &request) != 0) {
        problem = Failed("reading the loopback interface");
    } else {
        request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
        if (::ioctl(socketFd, SIOCSIFFLAGS, &request) != 0) {
            problem = Failed("bringing the loopback interface up");
        }
    }
    ::close(socketFd);
    return problem;
}

// A name server that takes every question and answers none: a bound socket that nobody reads.
// The kernel keeps the questions (and drops them once its buffer is full) and sends nothing back,
// so a resolver hears nothing at all, as from a server that has gone quiet.
std::string SilentNameServer(const std::filesystem::path& scratch) {
    // Open until the surroundings end.
    const int server = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(53);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (server < 0 ||
        ::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return Failed("a name server on 127.0.0.1");
    }
    // The machine's files stay as they are: the private mount namespace sees these in their place.
    const std::pair<const char*, const char*> files[] = {
        // A resolver that waits 20 s for it, as one with a slow name server configured might.
        {"/etc/resolv.conf", "nameserver 127.0.0.1\noptions timeout:20 attempts:1\n"},
        {"/etc/nsswitch.conf", "passwd: files\ngroup: files\nhosts: files dns\n"},
    };
    for (const auto& [target, content] : files) {
        const std::filesystem::path replacement =
            scratch / std::filesystem::path(target).filename();
        test_support::WriteBytes(replacement, content);
        if (::mount(replacement.c_str(), target, nullptr, MS_BIND, nullptr) != 0) {
            return Failed(std::string("putting a private ") + target + " in place");
        }
    }
    return {};
}

// Starts the file system that never answers on `count` directories and waits until they are
// mounted. Its process (`server`) ends with the one that starts it.
std::string DeadShares(int count, const std::filesystem::path& scratch, pid_t& server) {
    if (::access("/dev/fuse", R_OK | W_OK) != 0) {
        return Failed("/dev/fuse");
    }
    std::vector<std::string> arguments{KOLT_NEVER_ANSWERING_FS_PATH, "fuse.sshfs"};
    for (int i = 0; i < count; ++i) {
        const std::filesystem::path share = scratch / ("share" + std::to_string(i));
        std::filesystem::create_directory(share);
        arguments.push_back(share.string());
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) {
        return Failed("pipe2");
    }
    server = ::fork();
    if (server == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        ::dup2(ready[1], STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(ready[1]);
    pollfd answer{ready[0], POLLIN, 0};
    std::string line;
    if (server > 0 && ::poll(&answer, 1, kMountLimitMilliseconds) == 1) {
        char buffer[16] = {};
        const ssize_t got = ::read(ready[0], buffer, sizeof buffer - 1);
        line.assign(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    ::close(ready[0]);
    return line == "ready\n" ? std::string() : "the file system that never answers did not start";
}

std::string MakeSurroundings(const BrokenNetwork& network, const std::filesystem::path& scratch,
                             pid_t& fileSystemServer) {
    if (::unshare(CLONE_NEWNS | CLONE_NEWNET | CLONE_NEWUTS) != 0) {
        return Failed("private mount, network and host-name namespaces (root only)");
    }
    // Nothing mounted from here on reaches the machine's own namespace.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return Failed("making the private mounts private");
    }
    if (::sethostname(kUnlistedHostName, std::strlen(kUnlistedHostName)) != 0) {
        return Failed("sethostname");
    }
    std::string problem = LoopbackUp();
    if (problem.empty() && network.silentNameServer) {
        problem = SilentNameServer(scratch);
    }
    if (problem.empty() && network.deadShares > 0) {
        problem = DeadShares(network.deadShares, scratch, fileSystemServer);
    }
    return problem;
}

// The child that holds the surroundings: it makes them, runs the program, reports through
// `report`, then ends every process it started (the file system first, which lets go of every
// call still waiting on it) and waits for all of them, so nothing outlives it.
[[noreturn]] void HoldSurroundings(const BrokenNetwork& network, const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   const std::filesystem::path& directory,
                                   const std::filesystem::path& scratch, int report) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    ::alarm(kSurroundingsLimitSeconds);
    pid_t fileSystemServer = 0;
    const std::string problem = MakeSurroundings(network, scratch, fileSystemServer);
    if (!problem.empty()) {
        WriteAll(report, "impossible " + problem);
    } else {
        const auto start = std::chrono::steady_clock::now();
        RunConditions conditions;
        conditions.arguments = arguments;
        const CliRun run = RunProgram(program, directory, {}, conditions);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::ostringstream header;
        header << "ran " << run.exitStatus << ' ' << run.signal << ' ' << took.count() << '\n';
        WriteAll(report, header.str() + run.standardOutput);
    }
    ::close(report);
    // Ending the file system aborts its connections: every call still waiting on it fails, and a
    // child the program left stuck in one ends (as this process's adopted child).
    if (fileSystemServer > 0) {
        ::kill(fileSystemServer, SIGKILL);
    }
    while (::waitpid(-1, nullptr, 0) > 0 || errno == EINTR) {
    }
    ::_exit(0);
}

}  // namespace

TimedRun RunWithBrokenNetwork(const BrokenNetwork& network, const std::string& program,
                              const std::vector<std::string>& arguments,
                              const std::filesystem::path& directory) {
    const test_support::ScratchDirectory scratch{"kolt_broken_network_"};
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        throw std::system_error(errno, std::generic_category(), "pipe2");
    }
    const pid_t holder = ::fork();
    if (holder < 0) {
        throw std::system_error(errno, std::generic_category(), "fork");
    }
    if (holder == 0) {
        ::close(report[0]);
        HoldSurroundings(network, program, arguments, directory, scratch.Path(), report[1]);
    }
    ::close(report[1]);
    const std::string answer = ReadToEnd(report[0]);
    ::close(report[0]);
    while (::waitpid(holder, nullptr, 0) < 0 && errno == EINTR) {
    }

    TimedRun timed;
    if (answer.rfind("impossible ", 0) == 0) {
        timed.impossible = answer.substr(11);
        return timed;
    }
    std::istringstream header(answer.substr(0, answer.find('\n')));
    std::string word;
    if (!(header >> word >> timed.run.exitStatus >> timed.run.signal >> timed.seconds) ||
        word != "ran") {
        timed.run.exitStatus = -1;
        timed.seconds = kSurroundingsLimitSeconds;  // the surroundings ended it: it hung
        return timed;
    }
    timed.run.standardOutput = answer.substr(answer.find('\n') + 1);
    return timed;
}

}  // namespace kolt::integration
