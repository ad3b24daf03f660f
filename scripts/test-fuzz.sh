#!/usr/bin/env bash
# Builds the fuzz preset (clang++, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs a bounded fuzz session of the selection reader from the committed seeds. Exits non-zero
# when the fuzzer finds a crash, a sanitizer report or a wrong value; the offending input is kept
# as crash-* in the build directory.
# KOLT_FUZZ_SECONDS sets the length of the run (default 30), KOLT_FUZZ_BUILD_DIR the build
# directory (default the preset's).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${KOLT_FUZZ_SECONDS:-30}
build_dir=${KOLT_FUZZ_BUILD_DIR:-build/fuzz}

cmake --preset fuzz -B "$build_dir" >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target kolt_selection_fuzzer

# New inputs go to a scratch corpus, so the committed seeds stay as they are.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Inputs up to 64 KiB, so lines far longer than the reader's buffer are tried too.
"$build_dir/fuzz/kolt_selection_fuzzer" \
    -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=1024 \
    -print_final_stats=1 -artifact_prefix="$build_dir/fuzz/" \
    "$scratch" fuzz/corpus/selection
echo "test-fuzz: no crash in ${seconds} s"
