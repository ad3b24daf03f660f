#!/usr/bin/env bash
# Builds the native preset's benchmarks and prints their figures: each report section but the
# CPU speed on this machine, a whole report without it (goal: under 10 ms), the text helpers,
# the selection reader, and the wall time of the real kolt_info_cli run as a process, without
# the CPU speed and with the full report (goal: within 1.05 s). Extra arguments go to both
# benchmark programs, e.g. --benchmark_filter=Section.
# KOLT_BENCH_BUILD_DIR picks another build directory than the preset's.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${KOLT_BENCH_BUILD_DIR:-build/native}

cmake --preset native -B "$build_dir" >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target kolt_bench kolt_cli_bench

echo
echo "==== in-process figures ===="
"$build_dir/bench/kolt_bench" "$@"
echo
echo "==== kolt_info_cli as a process (wall time) ===="
"$build_dir/bench/kolt_cli_bench" "$@"
