// Each report section on this machine's real answers, the CPU speed excepted (it waits one second
// by design), and a whole in-process report of every other section.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/platform.h"
#include "report/build_report.h"
#include "report/gather_context.h"
#include "report/sections/extended.h"
#include "report/system_report.h"

namespace kolt {
namespace {

using Section = std::string& (CSystemReport::*)(std::string&);

template <Section kAppend>
void BM_Section(benchmark::State& state) {
    const std::unique_ptr<Platform> platform = CreateHostPlatform();
    CSystemReport composer(*platform);
    std::string report;
    for (auto _ : state) {
        report.clear();
        (composer.*kAppend)(report);
        benchmark::DoNotOptimize(report.data());
    }
}

BENCHMARK(BM_Section<&CSystemReport::AppendDateTime>)->Name("Section/DateTime");
BENCHMARK(BM_Section<&CSystemReport::AppendArchitecture>)->Name("Section/Architecture");
BENCHMARK(BM_Section<&CSystemReport::AppendOperatingSystem>)->Name("Section/OperatingSystem");
BENCHMARK(BM_Section<&CSystemReport::AppendComputerName>)->Name("Section/ComputerName");
BENCHMARK(BM_Section<&CSystemReport::AppendIpAddress>)->Name("Section/IpAddress");
BENCHMARK(BM_Section<&CSystemReport::AppendUserName>)->Name("Section/UserName");
BENCHMARK(BM_Section<&CSystemReport::AppendMemory>)->Name("Section/Memory");
BENCHMARK(BM_Section<&CSystemReport::AppendDisks>)->Name("Section/Disks");

// The Extended Information section: its facts gathered and laid out as text.
void BM_ExtendedSection(benchmark::State& state) {
    const std::unique_ptr<Platform> platform = CreateHostPlatform();
    std::string report;
    for (auto _ : state) {
        report.clear();
        GatherContext context(*platform);
        AppendExtendedText(GatherExtended(context), report);
        benchmark::DoNotOptimize(report.data());
    }
}
BENCHMARK(BM_ExtendedSection)->Name("Section/Extended");

// One composer, header, every section but the CPU speed in report order, footer: the part of a
// report that should stay well under 10 ms. The opt-in Extended Information section is left out,
// as a default report leaves it out; Section/Extended times it alone.
void BM_AllSectionsButCpuSpeed(benchmark::State& state) {
    const std::unique_ptr<Platform> platform = CreateHostPlatform();
    for (auto _ : state) {
        CSystemReport composer(*platform);
        const std::string report = BuildReport(composer, [](ReportSection section) {
            return section != ReportSection::CpuSpeed && section != ReportSection::Extended;
        });
        benchmark::DoNotOptimize(report.data());
    }
}
BENCHMARK(BM_AllSectionsButCpuSpeed)->Name("Report/AllSectionsButCpuSpeed");

}  // namespace
}  // namespace kolt
