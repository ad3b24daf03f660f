// Wall time of the real kolt_info_cli, started as a process in a scratch directory with its own
// selection file and its standard output discarded: what a user waits for. Linux only, like the
// rest of the benchmarks.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "selection/selection_file.h"
#include "tests/support/child_process.h"

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

void RunCliProcess(benchmark::State& state, const SelectionValues& selection) {
    const ScratchDirectory scratch(selection);
    for (auto _ : state) {
        const test_support::ChildRun run = test_support::RunChild(
            KOLT_CLI_PATH, scratch.Path(), test_support::ChildSetup{.keepOutput = false});
        if (!run.started || run.exitStatus != 0) {
            state.SkipWithError("kolt_info_cli did not run to exit status 0");
            break;
        }
    }
}

// All off, CPU speed off, every other section on.
void BM_ProcessAllSectionsButCpuSpeed(benchmark::State& state) {
    RunCliProcess(state, SelectionValues{0, 1, 1, 1, 1, 1, 1, 1, 0, 1});
}
BENCHMARK(BM_ProcessAllSectionsButCpuSpeed)
    ->Name("Process/AllSectionsButCpuSpeed")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The full report, whose one-second clock measurement is the floor.
void BM_ProcessFullReport(benchmark::State& state) {
    SelectionValues all;
    all.fill(1);
    RunCliProcess(state, all);
}
BENCHMARK(BM_ProcessFullReport)
    ->Name("Process/FullReport")
    ->UseRealTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kolt
