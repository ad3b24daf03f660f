// The real kolt_info_cli cut short: a power cut right after the report was replaced, signals at
// any moment of a run, a stop in the middle of the clock measurement.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/integration/cli_process.h"
#include "tests/support/scratch_directory.h"

namespace kolt::integration {
namespace {

namespace fs = std::filesystem;

// The file systems' "going down" request (ext4 and XFS share it), and its flag that commits the
// journal but drops every data block not yet written: a power cut right after a journal commit.
constexpr unsigned long kShutdownRequest = _IOR('X', 125, std::uint32_t);
constexpr std::uint32_t kShutdownFlushingTheJournal = 1;

// Memory only: a report that takes a millisecond.
constexpr std::string_view kMemoryOnly = "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n";

bool IsWholeReport(const std::string& bytes, bool json) {
    if (json) {
        return bytes.starts_with("{\n  \"product\": \"Kolt Information\",") &&
               bytes.ends_with("}\n");
    }
    return bytes.starts_with("Kolt Information - Version") && bytes.ends_with("\r\n\n");
}

// Everything the power cut needs happens in a child with a private mount namespace: the image's
// mount vanishes with it, whatever goes wrong, and nothing else on the machine ever sees it. The
// child leaves what the name holds after the cut in `after`, and answers through its status.
enum class CutOutcome { Done = 0, NoLoopMount = 10, NoShutdown = 11, StepFailed = 12 };

CutOutcome RunAndCutThePower(const fs::path& image, const fs::path& mountPoint,
                             const std::vector<std::string>& arguments,
                             const std::string& reportName, const fs::path& after) {
    const pid_t child = ::fork();
    if (child < 0) {
        return CutOutcome::StepFailed;
    }
    if (child == 0) {
        const auto step = [](bool ok, CutOutcome failure) {
            if (!ok) {
                ::_exit(static_cast<int>(failure));
            }
        };
        step(::unshare(CLONE_NEWNS) == 0 &&
                 ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0,
             CutOutcome::StepFailed);
        const auto mountImage = [&] {
            return RunCommand({"mount", "-o", "loop", image.string(), mountPoint.string()}) == 0;
        };
        step(mountImage(), CutOutcome::NoLoopMount);
        test_support::WriteBytes(mountPoint / "kolt_info.cfg", kMemoryOnly);
        RunConditions conditions;
        conditions.arguments = arguments;
        // The first report is on the disk for sure; the second replaces it, and the power goes.
        // (This child must never return into the test's own code: it ends here in every case.)
        const auto runProgram = [&] {
            try {
                RunProgram(KOLT_CLI_PATH, mountPoint, {}, conditions);
            } catch (...) {
                ::_exit(static_cast<int>(CutOutcome::StepFailed));
            }
        };
        runProgram();
        const int root = ::open(mountPoint.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        step(root >= 0 && ::syncfs(root) == 0, CutOutcome::StepFailed);
        runProgram();
        std::uint32_t flags = kShutdownFlushingTheJournal;
        step(::ioctl(root, kShutdownRequest, &flags) == 0, CutOutcome::NoShutdown);
        ::close(root);
        step(::umount(mountPoint.c_str()) == 0 && mountImage(), CutOutcome::StepFailed);
        std::error_code copied;
        fs::copy_file(mountPoint / reportName, after, copied);
        ::_exit(static_cast<int>(CutOutcome::Done));
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? static_cast<CutOutcome>(WEXITSTATUS(status))
                             : CutOutcome::StepFailed;
}

// A power cut right after the journal commits, after the report was replaced, leaves the whole
// new report or the whole old one: the new file's bytes reach the disk before it takes the name.
TEST(CliInterruption, APowerCutAfterTheReplacementLeavesAWholeReport) {
    if (!CanMakeNamespaces()) {
        GTEST_SKIP() << "needs root for a private mount namespace and a loop device";
    }
    const struct {
        const char* form;
        std::vector<std::string> arguments;
        std::string extension;
    } cases[] = {{"text", {}, ".txt"}, {"json", {"--format", "json"}, ".json"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        test_support::ScratchDirectory scratch{"kolt_power_cut_"};
        const fs::path image = scratch.Path() / "ext4.img";
        const fs::path mountPoint = scratch.Path() / "mnt";
        fs::create_directory(mountPoint);
        test_support::WriteBytes(image, "");
        fs::resize_file(image, 32u << 20);
        if (RunCommand({"mkfs.ext4", "-q", "-F", image.string()}) != 0) {
            GTEST_SKIP() << "mkfs.ext4 (e2fsprogs) is not there to make the image";
        }
        const std::string reportName = "kolt_info_" + NetbiosName() + c.extension;
        const fs::path after = scratch.Path() / "after";
        const CutOutcome outcome =
            RunAndCutThePower(image, mountPoint, c.arguments, reportName, after);
        if (outcome == CutOutcome::NoLoopMount) {
            GTEST_SKIP() << "no loop device to mount the image on";
        }
        if (outcome == CutOutcome::NoShutdown) {
            GTEST_SKIP() << "this kernel cannot shut a file system down";
        }
        ASSERT_EQ(outcome, CutOutcome::Done);
        const std::string report = test_support::ReadBytes(after);
        EXPECT_TRUE(IsWholeReport(report, c.extension == ".json"))
            << report.size() << " bytes: " << report;
    }
}

// Interrupt, terminate and hang-up at any moment of a run that replaces an older report: no
// temporary file outlives the program, and the name holds the old report or a whole new one.
TEST(CliInterruption, SignalsAtAnyMomentLeaveNoTemporaryFile) {
    constexpr int kRuns = 200;
    constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    // Most runs take one to three milliseconds here: the signals fall before, in and after the
    // writing of the report file.
    std::uniform_int_distribution<int> delayMicroseconds(0, 4000);

    test_support::ScratchDirectory dir{"kolt_signals_"};
    dir.Write("kolt_info.cfg", kMemoryOnly);
    const std::string reportName = "kolt_info_" + NetbiosName() + ".txt";
    int ended = 0;
    for (int run = 0; run < kRuns; ++run) {
        dir.Write(reportName, "older report");
        const int signalNumber = kSignals[run % 3];
        const auto delay = std::chrono::microseconds(delayMicroseconds(random));
        RunConditions conditions;
        conditions.whileRunning = [&](pid_t program) {
            std::this_thread::sleep_for(delay);
            ::kill(program, signalNumber);
        };
        const CliRun result = RunProgram(KOLT_CLI_PATH, dir.Path(), {}, conditions);
        ended += result.signal == signalNumber ? 1 : 0;

        for (const auto& entry : fs::directory_iterator(dir.Path())) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == reportName || name == "kolt_info.cfg")
                << name << " left behind by signal " << signalNumber << " after " << delay.count()
                << " us";
            if (name != reportName && name != "kolt_info.cfg") {
                fs::remove(entry.path());
            }
        }
        const std::string report = dir.Read(reportName);
        EXPECT_TRUE(report == "older report" || IsWholeReport(report, false)) << report;
    }
    // Some runs at least were cut short; had none been, the test would have shown nothing.
    EXPECT_GT(ended, 0);
}

// The clock measurement divides by the time that passed: a run stopped for 1.5 s in the middle
// of its one-second window shows the clock an undisturbed run shows, not 2.5 times as much. The
// bound is generous: the measurement itself is never asserted to the digit.
TEST(CliInterruption, AStopDuringTheClockMeasurementDoesNotChangeTheClock) {
    test_support::ScratchDirectory dir{"kolt_stopped_"};
    dir.Write("kolt_info.cfg", "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n");
    const auto megahertz = [](const CliRun& run) {
        const std::string label = "  CPU Speed       : ";
        const std::size_t at = run.standardOutput.find(label);
        return at == std::string::npos
                   ? 0.0
                   : std::strtod(run.standardOutput.c_str() + at + label.size(), nullptr);
    };
    const double undisturbed = megahertz(RunProgram(KOLT_CLI_PATH, dir.Path()));
    ASSERT_GT(undisturbed, 0.0);

    RunConditions conditions;
    conditions.whileRunning = [](pid_t program) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ::kill(program, SIGSTOP);
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        ::kill(program, SIGCONT);
    };
    const CliRun stopped = RunProgram(KOLT_CLI_PATH, dir.Path(), {}, conditions);
    EXPECT_EQ(stopped.exitStatus, 0);
    EXPECT_NEAR(megahertz(stopped), undisturbed, undisturbed * 0.1) << stopped.standardOutput;
}

}  // namespace
}  // namespace kolt::integration
