#!/usr/bin/env bash
# Builds everything and runs every test: native unit and integration suites, the same suites
# under AddressSanitizer and UndefinedBehaviorSanitizer, a bounded fuzz run of the selection
# reader, the Windows builds (64-bit run under Wine, 32-bit checked) and the dialog program end
# to end under Wine and Xvfb. Installs what it needs first. Every stage runs even when an
# earlier one failed, so one run shows every failure; the exit status is non-zero if any did.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh || exit 1

jobs=$(nproc)
passed=0
failed=0
failed_stages=()
started=$SECONDS

stage() { printf '\n==== %s ====\n' "$*"; }

# Adds the counts of every CTest-style summary line in a log to the totals.
count_summaries() {
    local log=$1 line total fails found=false
    while read -r line; do
        total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
        fails=$(sed -E 's/.*, ([0-9]+) tests? failed.*/\1/' <<<"$line")
        passed=$((passed + total - fails))
        failed=$((failed + fails))
        found=true
    done < <(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" || true)
    $found
}

# Runs a command whose output carries CTest-style summary lines; a failing command or one that
# printed no summary fails the stage.
run_counted() {
    local name=$1 log status=0
    shift
    stage "$name"
    log=$(mktemp)
    "$@" 2>&1 | tee "$log" || status=$?
    if ! count_summaries "$log"; then
        echo "test-all: $name printed no test summary" >&2
        status=1
        failed=$((failed + 1))
    fi
    rm -f "$log"
    if ((status != 0)); then
        failed_stages+=("$name")
    fi
}

# Runs a check that is not a test suite: it counts as one test.
run_single() {
    local name=$1
    shift
    stage "$name"
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        failed_stages+=("$name")
    fi
}

native_suite() {
    cmake --preset native && cmake --build --preset native -j "$jobs" &&
        ctest --preset native -j "$jobs"
}

sanitizer_suite() {
    cmake --preset sanitize && cmake --build --preset sanitize -j "$jobs" &&
        ctest --preset sanitize -j "$jobs"
}

run_counted "native build and tests" native_suite
run_counted "AddressSanitizer and UndefinedBehaviorSanitizer build and tests" sanitizer_suite
run_single "fuzzing the selection reader" env KOLT_FUZZ_SECONDS="${KOLT_FUZZ_SECONDS:-30}" \
    scripts/test-fuzz.sh
run_counted "Windows builds, tests under Wine, 32-bit checks" scripts/test-windows.sh
run_counted "dialog program end to end under Wine and Xvfb" scripts/test-gui.sh

echo
echo "test-all: $passed passed, $failed failed in $((SECONDS - started)) s"
if ((${#failed_stages[@]} > 0)); then
    printf 'test-all: failed stage: %s\n' "${failed_stages[@]}"
    exit 1
fi
((failed == 0))
