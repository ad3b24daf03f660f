#!/usr/bin/env bash
# Builds the native preset's benchmarks and prints their figures:
#   - each report section but the CPU speed in-process, a whole report without it, the text
#     helpers and the selection reader (Google Benchmark; extra arguments go to it, e.g.
#     --benchmark_filter=Section);
#   - kolt_info_cli as a process: every section but the CPU speed, and the full report;
#   - side by side with the peer program in ../shared/peers/fastfetch when it is there: both
#     started alternately in one run, medians, the ratio and its spread over the pairs; once
#     back to back, once with each report replacing one already on the disk;
#   - what the Extended Information section adds: the program with and without it, alternately,
#     and with it beside the peer asked for the same facts (uptime, host, BIOS, addresses, GPU);
#   - with 2,000 extra mounts in a private mount namespace (root only): what they add.
# KOLT_BENCH_BUILD_DIR picks another build directory than the preset's, KOLT_BENCH_RUNS the number
# of process runs per figure (default 40).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${KOLT_BENCH_BUILD_DIR:-build/native}
runs=${KOLT_BENCH_RUNS:-40}
peer=../shared/peers/fastfetch/fastfetch

cmake --preset native -B "$build_dir" >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target kolt_bench kolt_cli_bench kolt_process_compare \
    kolt_info_cli

cli=$build_dir/console/kolt_info_cli
compare=$build_dir/bench/kolt_process_compare

echo
echo "==== in-process figures ===="
"$build_dir/bench/kolt_bench" "$@"
echo
echo "==== kolt_info_cli as a process (wall time) ===="
"$build_dir/bench/kolt_cli_bench" "$@"

echo
echo "==== every section but the CPU speed, as a whole process ===="
peer_command=("$peer" --pipe --logo none -s OS:Kernel:CPU:Memory:Swap:Disk:LocalIp:Title:DateTime)
if [[ -x $peer ]]; then
    echo "beside the peer: ${peer_command[*]}"
    "$compare" "$runs" "$cli" -- "${peer_command[@]}"
    echo "-- each report replacing one already on the disk (as runs minutes apart do):"
    "$compare" "$runs" --settled "$cli" -- "${peer_command[@]}"
else
    echo "(no peer program at $peer: our figures alone)"
    "$compare" "$runs" "$cli"
    echo "-- each report replacing one already on the disk (as runs minutes apart do):"
    "$compare" "$runs" --settled "$cli"
fi

echo
echo "==== what the Extended Information section adds to a whole report ===="
echo "ours: every section but the CPU speed; peer: the same program with --extended, alternately"
"$compare" "$runs" "$cli" -- "$cli" --extended
extended_selection=0,1,1,1,1,1,1,1,0,1,1
if [[ -x $peer ]]; then
    peer_extended=("${peer_command[@]}")
    peer_extended[${#peer_extended[@]} - 1]+=:Uptime:Host:BIOS:LocalIp:GPU
    echo "with the section beside the peer: ${peer_extended[*]}"
    "$compare" "$runs" --selection "$extended_selection" "$cli" -- "${peer_extended[@]}"
fi

echo
echo "==== the same with 2,000 more mounts (tmpfs, private mount namespace) ===="
if [[ $(id -u) -eq 0 ]] && command -v unshare >/dev/null; then
    unshare -m bash -euo pipefail -c '
        scratch=$(mktemp -d)
        mount -t tmpfs none "$scratch"
        for i in $(seq 2000); do
            mkdir "$scratch/$i"
            mount -t tmpfs none "$scratch/$i"
        done
        echo "mount table: $(wc -l < /proc/self/mountinfo) mounts"
        "$1" "$2" "$3"' _ "$compare" "$runs" "$cli"
else
    echo "(needs root for a private mount namespace: skipped)"
fi
