// Only POSIX code here (and Linux's private namespaces for the surroundings that need root).
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <thread>

#include "tests/support/child_process.h"

extern char** environ;

namespace kolt::test_support {

namespace {

// A file descriptor, closed when the object goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }
    int Release() {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    void Reset(int fd) {
        Close();
        m_fd = fd;
    }
    void Close() {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

private:
    int m_fd;
};

[[noreturn]] void Fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// The caller's environment with `changes` applied ("NAME=value" sets, "NAME" removes).
std::vector<std::string> ChangedEnvironment(const std::vector<std::string>& changes) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        environment.emplace_back(*entry);
    }
    for (const std::string& change : changes) {
        const std::string name = change.substr(0, change.find('='));
        std::erase_if(environment, [&name](const std::string& entry) {
            return entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 &&
                   entry[name.size()] == '=';
        });
        if (change.size() > name.size()) {
            environment.push_back(change);
        }
    }
    return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& words) {
    std::vector<char*> pointers;
    for (std::string& word : words) {
        pointers.push_back(word.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// The child's view of its surroundings, set up after fork with system calls only. False when a
// step fails.
bool PrepareChild(const std::string& dir, const ChildSetup& setup) {
    if (setup.readOnlyDirectory || setup.hostName) {
        if (::unshare(CLONE_NEWNS | CLONE_NEWUTS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            return false;
        }
    }
    if (setup.hostName && ::sethostname(setup.hostName->data(), setup.hostName->size()) != 0) {
        return false;
    }
    if (setup.readOnlyDirectory &&
        (::mount(dir.c_str(), dir.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
         ::mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)) {
        return false;
    }
    if (!dir.empty() && ::chdir(dir.c_str()) != 0) {
        return false;
    }
    if (setup.directoryDeleted && ::rmdir(dir.c_str()) != 0) {
        return false;
    }
    if (setup.fileSizeLimit != 0) {
        const rlimit limit{setup.fileSizeLimit, setup.fileSizeLimit};
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

class ChildProcess::Running {
public:
    Running(const std::filesystem::path& program, const std::filesystem::path& directory,
            const ChildSetup& setup)
        : m_setup(setup), m_started(std::chrono::steady_clock::now()) {
        // Everything the child needs is prepared before fork: it only calls async-signal-safe
        // functions afterwards.
        std::vector<std::string> environment = ChangedEnvironment(setup.environment);
        std::vector<char*> envp = Pointers(environment);
        std::vector<std::string> words{program.string()};
        words.insert(words.end(), setup.arguments.begin(), setup.arguments.end());
        std::vector<char*> argv = Pointers(words);
        const bool searchPath = program.string().find('/') == std::string::npos;
        const std::string dir = directory.string();

        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            Fail("pipe2");
        }
        Descriptor outputRead(fds[0]);
        Descriptor outputWrite(fds[1]);
        if (setup.nonBlockingOutput) {
            ::fcntl(fds[1], F_SETFL, ::fcntl(fds[1], F_GETFL) | O_NONBLOCK);
        }
        // Standard error goes to an unnamed file, read once the program has ended: it can never
        // fill up and hold the program while standard output is being read.
        Descriptor errorFile(::open("/tmp", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
        Descriptor nullDevice(::open("/dev/null", O_RDWR | O_CLOEXEC));
        if (errorFile.Get() < 0 || nullDevice.Get() < 0) {
            Fail("open");
        }
        // The child reports a failed set-up or start here; a successful start closes it.
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            Fail("pipe2");
        }
        Descriptor reportRead(fds[0]);
        Descriptor reportWrite(fds[1]);

        m_pid = ::fork();
        if (m_pid < 0) {
            Fail("fork");
        }
        if (m_pid == 0) {
            const int output = setup.keepOutput ? outputWrite.Get() : nullDevice.Get();
            const int errors = setup.keepOutput ? errorFile.Get() : nullDevice.Get();
            if (::dup2(nullDevice.Get(), STDIN_FILENO) >= 0 && ::dup2(output, STDOUT_FILENO) >= 0 &&
                ::dup2(errors, STDERR_FILENO) >= 0 && PrepareChild(dir, setup)) {
                // The program starts with the default signal actions a shell would give it.
                ::signal(SIGPIPE, SIG_DFL);
                ::signal(SIGXFSZ, SIG_DFL);
                // A hung program is ended, so a test reports the hang instead of waiting forever.
                ::alarm(kChildTimeLimitSeconds);
                environ = envp.data();
                if (searchPath) {
                    ::execvp(argv[0], argv.data());
                } else {
                    ::execve(argv[0], argv.data(), envp.data());
                }
            }
            const int error = errno;
            [[maybe_unused]] const ssize_t written =
                ::write(reportWrite.Get(), &error, sizeof error);
            ::_exit(127);
        }
        reportWrite.Close();
        outputWrite.Close();
        int error = 0;
        if (ReadAll(reportRead.Get()).size() >= sizeof error) {
            Reap(0);
            throw std::runtime_error("cannot start " + program.string() +
                                     " in the surroundings asked for");
        }
        m_output.Reset(outputRead.Release());
        m_errors.Reset(errorFile.Release());
    }

    ~Running() {
        if (!m_reaped) {
            ::kill(m_pid, SIGKILL);
            Reap(0);
        }
    }

    std::uint32_t Id() const { return static_cast<std::uint32_t>(m_pid); }

    ChildRun Finish() {
        ChildRun run;
        run.started = true;
        if (m_setup.whileRunning) {
            m_setup.whileRunning(Id());
        }
        if (m_setup.readerGone) {
            m_output.Close();
        } else {
            std::this_thread::sleep_for(m_setup.readerDelay);
            run.standardOutput = ReadAll(m_output.Get());
            m_output.Close();
        }
        Reap(0);
        run.exitStatus = WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
        run.signal = WIFSIGNALED(m_status) ? WTERMSIG(m_status) : 0;
        run.milliseconds = std::chrono::duration<double, std::milli>(m_ended - m_started).count();
        run.peakKilobytes = m_usage.ru_maxrss;
        ::lseek(m_errors.Get(), 0, SEEK_SET);
        run.standardError = ReadAll(m_errors.Get());
        return run;
    }

    std::optional<int> WaitForExit(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!Reap(WNOHANG) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!m_reaped) {
            return std::nullopt;
        }
        return WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
    }

private:
    // Collects the child's end (`flags` WNOHANG: only if it has ended); true once collected.
    bool Reap(int flags) {
        if (m_reaped) {
            return true;
        }
        pid_t got = 0;
        while ((got = ::wait4(m_pid, &m_status, flags, &m_usage)) < 0 && errno == EINTR) {
        }
        if (got == m_pid) {
            m_reaped = true;
            m_ended = std::chrono::steady_clock::now();
        }
        return m_reaped;
    }

    ChildSetup m_setup;
    std::chrono::steady_clock::time_point m_started;
    std::chrono::steady_clock::time_point m_ended;
    pid_t m_pid = -1;
    bool m_reaped = false;
    int m_status = 0;
    rusage m_usage{};
    Descriptor m_output;
    Descriptor m_errors;
};

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::filesystem::path& directory, const ChildSetup& setup)
    : m_running(std::make_unique<Running>(program, directory, setup)) {}

ChildProcess::~ChildProcess() = default;

std::uint32_t ChildProcess::Id() const {
    return m_running->Id();
}

ChildRun ChildProcess::Finish() {
    return m_running->Finish();
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    return m_running->WaitForExit(timeout);
}

ChildRun RunChild(const std::filesystem::path& program, const std::filesystem::path& directory,
                  const ChildSetup& setup) {
    try {
        ChildProcess child(program, directory, setup);
        return child.Finish();
    } catch (const std::runtime_error&) {
        return ChildRun{};
    }
}

}  // namespace kolt::test_support
