// Starts a program as a child process, for every test and benchmark that runs one: the console
// program end to end, the dialog program under its driver, the commands a test needs, and the
// programs a benchmark times. One interface; the build picks the POSIX or the Windows file.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kolt::test_support {

// How a run ended, and what it wrote.
struct ChildRun {
    bool started = false;
    int exitStatus = -1;  // -1 when the program did not exit normally (POSIX: a signal ended it)
    int signal = 0;       // POSIX: the signal that ended it, if one did
    std::string standardOutput;  // every byte the program wrote, unchanged; empty when discarded
    std::string standardError;
    double milliseconds = 0;  // wall time from the start to the exit
    long peakKilobytes = 0;   // POSIX: the process's largest resident set
};

// How the child is started. Everything below `keepOutput` describes hostile surroundings that
// only a POSIX system can make; a Windows run refuses a setup that asks for any of them.
struct ChildSetup {
    std::vector<std::string> arguments{};  // each passed as one word (Windows: no double quote)
    // Changes to the caller's environment: "NAME=value" sets NAME, "NAME" alone removes it.
    std::vector<std::string> environment{};
    // False: standard output and error go to the null device and nothing is collected.
    bool keepOutput = true;

    bool readerGone = false;          // standard output is a pipe nobody reads any more
    std::uint64_t fileSizeLimit = 0;  // bytes a file may grow to (ulimit -f); 0: no limit
    // Standard output is a non-blocking pipe, and its reader starts this late.
    bool nonBlockingOutput = false;
    std::chrono::milliseconds readerDelay{0};
    bool directoryDeleted = false;   // the (empty) directory is removed once the program is in it
    bool readOnlyDirectory = false;  // root: the directory is mounted read-only for the program
    std::optional<std::string> hostName{};  // root: the program's host name
    // Called with the program's process id while it runs, before its output is read.
    std::function<void(std::uint32_t)> whileRunning{};
};

// The longest a run that is waited for to the end may take before it is stopped and counted as
// hung (POSIX: SIGALRM ends it).
inline constexpr unsigned kChildTimeLimitSeconds = 20;

// A started program. One that is still running when the object goes is ended, so a failed check
// never leaves a program behind.
class ChildProcess {
public:
    // Starts `program` (a path; POSIX: a bare name is looked up on the search path) in
    // `directory` (empty: the caller's own) with standard input empty. Throws when the program
    // cannot be started in the surroundings asked for.
    ChildProcess(const std::filesystem::path& program, const std::filesystem::path& directory,
                 const ChildSetup& setup = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    std::uint32_t Id() const;

    // Collects the output until the program closes it, then waits for its end: the whole run.
    ChildRun Finish();

    // The exit status once the program has ended within `timeout`; nullopt while it runs.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);

private:
    class Running;
    std::unique_ptr<Running> m_running;
};

// Starts `program` and finishes its run; `started` false when it could not be started.
ChildRun RunChild(const std::filesystem::path& program, const std::filesystem::path& directory,
                  const ChildSetup& setup = {});

}  // namespace kolt::test_support
