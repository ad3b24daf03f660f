// The text helpers the report leans on, and reading the selection file.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "report/decimal_format.h"
#include "report/system_report.h"
#include "selection/selection_file.h"

namespace kolt {
namespace {

void BM_FormatByteSize(benchmark::State& state) {
    const std::int64_t byteCount = state.range(0);
    std::string text;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CSystemReport::FormatByteSize(byteCount, text));
    }
}
// Bytes, Kb, Gb and Tb.
BENCHMARK(BM_FormatByteSize)->Arg(512)->Arg(1536)->Arg(40'007'360'512)->Arg(5'497'558'138'880);

void BM_FormatDecimal(benchmark::State& state) {
    const double values[] = {2793.123456, 12.5, 1.125, 38147.9712, 0.004999};
    const int decimals = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (const double value : values) {
            benchmark::DoNotOptimize(FormatDecimal(value, decimals));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(std::size(values)));
}
BENCHMARK(BM_FormatDecimal)->Arg(0)->Arg(2);

// A selection file as the dialog program writes it.
void BM_ReadSelection(benchmark::State& state) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "kolt_bench_kolt_info.cfg";
    WriteSelection(path.string(), SelectionValues{0, 1, 1, 1, 1, 1, 1, 1, 0, 1});
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadSelection(path.string()));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadSelection);

void BM_ReadSelectionAbsent(benchmark::State& state) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "kolt_bench_absent" / "kolt_info.cfg";
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadSelection(path.string()));
    }
}
BENCHMARK(BM_ReadSelectionAbsent);

}  // namespace
}  // namespace kolt
