// Whole-process wall time and peak memory of kolt_info_cli beside another program that reports
// the same facts, started alternately in one run so both meet the same machine load. Prints the
// median of each, the ratio of the medians, and the spread of the ratio over the pairs.
//
//   kolt_process_compare RUNS [--selection V,V,...] [--settled] OUR_PROGRAM
//                        [-- PEER_PROGRAM [ARGUMENT...]]
//
// Our program runs in a scratch directory whose selection file holds the values given (by
// default every section but the CPU speed and the extended one); without a peer only our figures
// are printed. Standard output goes to /dev/null. Runs follow each other within milliseconds, so
// each report replaces one the system has not yet written to the disk; with --settled the scratch
// directory's file system is synced before each of our runs (outside the timed part), so each
// replaces a report that is on the disk, as it is when the program runs minutes apart.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace {

namespace fs = std::filesystem;

using Sample = kolt::test_support::ChildRun;

// One whole run of `command` (its program first) in `directory`, its output discarded; nullopt
// when it could not be started or did not exit with status 0.
std::optional<Sample> RunProcess(const std::vector<std::string>& command,
                                 const fs::path& directory) {
    if (command.empty()) {
        return std::nullopt;
    }
    kolt::test_support::ChildSetup setup;
    setup.arguments.assign(command.begin() + 1, command.end());
    setup.keepOutput = false;
    Sample run = kolt::test_support::RunChild(command.front(), directory, setup);
    if (!run.started || run.exitStatus != 0) {
        return std::nullopt;
    }
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void PrintFigures(const char* who, const std::vector<Sample>& samples) {
    std::vector<double> times;
    long peak = 0;
    for (const Sample& sample : samples) {
        times.push_back(sample.milliseconds);
        peak = std::max(peak, sample.peakKilobytes);
    }
    std::printf("%-6s median %7.3f ms  min %7.3f ms  peak memory %6.2f MB  (%zu runs)\n", who,
                Median(times), *std::min_element(times.begin(), times.end()),
                static_cast<double>(peak) / 1024.0, samples.size());
}

}  // namespace

int main(int argc, char** argv) {
    int next = 2;
    std::string selection = "0,1,1,1,1,1,1,1,0,1";
    if (argc > 3 && std::string(argv[next]) == "--selection") {
        selection = argv[next + 1];
        next += 2;
    }
    bool settled = false;
    if (argc > next && std::string(argv[next]) == "--settled") {
        settled = true;
        ++next;
    }
    if (argc <= next) {
        std::fprintf(stderr,
                     "usage: kolt_process_compare RUNS [--selection V,V,...] [--settled] "
                     "OUR_PROGRAM [-- PEER_PROGRAM [ARG...]]\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const std::vector<std::string> ours{fs::absolute(argv[next]).string()};
    std::vector<std::string> peer;
    for (int i = next + 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--" && peer.empty()) {
            continue;
        }
        // The program's path is made absolute: it starts in the scratch directory.
        peer.emplace_back(peer.empty() ? fs::absolute(argv[i]).string() : argv[i]);
    }

    std::random_device random;
    const fs::path scratch =
        fs::temp_directory_path() / ("kolt_compare_" + std::to_string(random()));
    fs::create_directories(scratch);
    {
        std::FILE* file = std::fopen((scratch / "kolt_info.cfg").c_str(), "wb");
        if (file == nullptr) {
            return 1;
        }
        std::string lines = selection;
        std::replace(lines.begin(), lines.end(), ',', '\n');
        lines += '\n';
        std::fputs(lines.c_str(), file);
        std::fclose(file);
    }

    // One unmeasured round each, so both start with warm caches.
    RunProcess(ours, scratch);
    if (!peer.empty()) {
        RunProcess(peer, scratch);
    }
    std::vector<Sample> oursSamples;
    std::vector<Sample> peerSamples;
    std::vector<double> ratios;
    bool failed = false;
    const int scratchHandle = ::open(scratch.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int round = 0; round < runs && !failed; ++round) {
        if (settled && scratchHandle >= 0) {
            ::syncfs(scratchHandle);
        }
        const auto mine = RunProcess(ours, scratch);
        failed = !mine;
        if (mine) {
            oursSamples.push_back(*mine);
        }
        if (!peer.empty() && mine) {
            const auto theirs = RunProcess(peer, scratch);
            failed = !theirs;
            if (theirs) {
                peerSamples.push_back(*theirs);
                ratios.push_back(mine->milliseconds / theirs->milliseconds);
            }
        }
    }
    if (scratchHandle >= 0) {
        ::close(scratchHandle);
    }
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
    if (failed) {
        std::fprintf(stderr, "kolt_process_compare: a run did not exit with status 0\n");
        return 1;
    }

    PrintFigures("ours", oursSamples);
    if (!peer.empty()) {
        PrintFigures("peer", peerSamples);
        std::vector<double> oursTimes;
        std::vector<double> peerTimes;
        for (std::size_t i = 0; i < oursSamples.size(); ++i) {
            oursTimes.push_back(oursSamples[i].milliseconds);
            peerTimes.push_back(peerSamples[i].milliseconds);
        }
        std::sort(ratios.begin(), ratios.end());
        std::printf("ratio ours / peer: %.2f (medians); per pair %.2f to %.2f, median %.2f\n",
                    Median(oursTimes) / Median(peerTimes), ratios.front(), ratios.back(),
                    Median(ratios));
    }
    return 0;
}
