#!/usr/bin/env bash
# Builds the fuzz preset (clang++, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs a bounded fuzz session of each target from its committed seeds, the two at the same time:
# the selection reader and the SMBIOS parser. Exits non-zero when a fuzzer finds a crash, a
# sanitizer report or a wrong value; the offending input is kept as crash-* in the build directory.
# KOLT_FUZZ_SECONDS sets the length of the run (default 30), KOLT_FUZZ_BUILD_DIR the build
# directory (default the preset's).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${KOLT_FUZZ_SECONDS:-30}
build_dir=${KOLT_FUZZ_BUILD_DIR:-build/fuzz}

cmake --preset fuzz -B "$build_dir" >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target kolt_selection_fuzzer kolt_smbios_fuzzer

# New inputs go to scratch corpora, so the committed seeds stay as they are.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# run_fuzzer NAME SEED_DIRECTORY MAX_LEN: one bounded session, its output in the scratch directory.
run_fuzzer() {
    local name=$1 seeds=$2 max_len=$3
    mkdir -p "$scratch/$name"
    "$build_dir/fuzz/kolt_${name}_fuzzer" \
        -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=1024 \
        -print_final_stats=1 -artifact_prefix="$build_dir/fuzz/" \
        "$scratch/$name" "$seeds" >"$scratch/$name.log" 2>&1
}

# Inputs up to 64 KiB: selection lines far longer than the reader's buffer, and tables as large
# as the 32-bit SMBIOS form allows.
run_fuzzer selection fuzz/corpus/selection 65536 &
selection=$!
run_fuzzer smbios fuzz/corpus/smbios 65536 &
smbios=$!

failed=0
for name in selection smbios; do
    pid=${!name}
    if ! wait "$pid"; then
        failed=1
        echo "test-fuzz: the $name fuzzer failed:" >&2
        tail -n 40 "$scratch/$name.log" >&2
    else
        grep -E '^stat::number_of_executed_units' "$scratch/$name.log" | sed "s/^/$name: /"
    fi
done
((failed == 0)) || exit 1
echo "test-fuzz: no crash in ${seconds} s of either fuzzer"
