// Wall time of the real kolt_info_cli, started as a process in a scratch directory with its own
// selection file and its standard output discarded: what a user waits for. Linux only, like the
// rest of the benchmarks.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "selection/selection_file.h"

extern char** environ;

namespace kolt {
namespace {

namespace fs = std::filesystem;

// A scratch directory holding one selection file, removed afterwards.
class ScratchDirectory {
public:
    explicit ScratchDirectory(const SelectionValues& selection) {
        std::random_device random;
        m_path = fs::temp_directory_path() / ("kolt_cli_bench_" + std::to_string(random()));
        fs::create_directories(m_path);
        WriteSelection((m_path / kSelectionFileName).string(), selection);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&m_actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&m_actions); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* Get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
};

// Runs the program once in `directory`; true when it started and exited with status 0.
bool RunCli(const fs::path& directory) {
    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.Get(), STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(actions.Get(), directory.c_str());
    std::string program = KOLT_CLI_PATH;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), actions.Get(), nullptr, argv, environ) != 0) {
        return false;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) {
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void RunProcess(benchmark::State& state, const SelectionValues& selection) {
    const ScratchDirectory scratch(selection);
    for (auto _ : state) {
        if (!RunCli(scratch.Path())) {
            state.SkipWithError("kolt_info_cli did not run to exit status 0");
            break;
        }
    }
}

// All off, CPU speed off, every other section on.
void BM_ProcessAllSectionsButCpuSpeed(benchmark::State& state) {
    RunProcess(state, SelectionValues{0, 1, 1, 1, 1, 1, 1, 1, 0, 1});
}
BENCHMARK(BM_ProcessAllSectionsButCpuSpeed)
    ->Name("Process/AllSectionsButCpuSpeed")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The full report, whose one-second clock measurement is the floor.
void BM_ProcessFullReport(benchmark::State& state) {
    SelectionValues all;
    all.fill(1);
    RunProcess(state, all);
}
BENCHMARK(BM_ProcessFullReport)
    ->Name("Process/FullReport")
    ->UseRealTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kolt
