#!/usr/bin/env bash
# Builds everything and runs every test: the source checks (layering, formatting), the native unit
# and integration suites, the same suites under AddressSanitizer and UndefinedBehaviorSanitizer, a
# bounded fuzz run of the selection reader, the Windows builds run under Wine (32- and 64-bit), the
# packages desks install and the playbook fleets collect with (Debian package, winget and Scoop
# manifests, signing, the JSON form's schema, Ansible), and the dialog program end to end under
# Wine and Xvfb. Installs what it needs first. Every stage runs even when an earlier one failed,
# so one run shows every failure; the exit status is non-zero if any stage failed. Where the
# kernel refuses 32-bit x86 programs, the cases that would run one are reported as skipped with
# the reason, and the summary says so.
#
# Counts come from CTest's JUnit reports (every stage that runs CTest writes them into
# KOLT_JUNIT_DIR) and from exit statuses, never from CTest's printed summary. A stage that fails
# without a failed test in its reports (a build that breaks) counts as one failed test.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh || exit 1

jobs=$(nproc)
junit_root=$(mktemp -d)
trap 'rm -rf "$junit_root"' EXIT
passed=0
failed=0
skipped=0
failed_stages=()
timings=()
started=$SECONDS

# Sums one attribute over the <testsuite> elements of a stage's JUnit reports.
junit_sum() {
    local directory=$1 attribute=$2
    # CTest writes each attribute on a line of its own.
    cat "$directory"/*.xml 2>/dev/null |
        tr '\n\t' '  ' |
        grep -o "<testsuite [^>]*" |
        sed -nE "s/.* $attribute=\"([0-9]+)\".*/\\1/p" |
        awk '{ sum += $1 } END { print sum + 0 }'
}

# Runs one stage. With --counted it runs CTest and its JUnit reports give the counts; otherwise
# the stage is one check that passes or fails.
stage() {
    local counted=false
    if [[ $1 == --counted ]]; then
        counted=true
        shift
    fi
    local name=$1 status=0 begun=$SECONDS
    shift
    printf '\n==== %s ====\n' "$name"
    local directory=$junit_root/${#timings[@]}
    mkdir -p "$directory"
    KOLT_JUNIT_DIR=$directory "$@" || status=$?

    if $counted; then
        local tests failures skips
        tests=$(junit_sum "$directory" tests)
        failures=$(junit_sum "$directory" failures)
        skips=$(junit_sum "$directory" skipped)
        if ((status != 0 && failures == 0)); then
            failures=1
        fi
        if ((tests == 0 && status == 0)); then
            echo "test-all: $name ran no test" >&2
            status=1
            failures=1
        fi
        passed=$((passed + tests - failures - skips))
        failed=$((failed + failures))
        skipped=$((skipped + skips))
    elif ((status == 0)); then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
    ((status == 0)) || failed_stages+=("$name")
    timings+=("$(printf '%5d s  %s' $((SECONDS - begun)) "$name")")
}

preset_suite() {
    local preset=$1
    cmake --preset "$preset" && cmake --build --preset "$preset" -j "$jobs" &&
        ctest --preset "$preset" -j "$jobs" --output-junit "$KOLT_JUNIT_DIR/$preset.xml"
}

# Whether this machine runs 32-bit x86 programs, asked once for every stage (see
# scripts/lib/runs-32bit.sh): where the kernel refuses them, every case that would run one is
# reported as skipped with this reason, and everything else about the 32-bit programs is still
# built and checked.
source scripts/lib/runs-32bit.sh
unset KOLT_RUNS_32BIT KOLT_NO_32BIT_REASON
if kolt_runs_32bit; then
    runs_32bit_summary="32-bit x86 programs run on this machine: every 32-bit case ran"
else
    runs_32bit_summary="32-bit runs skipped: $KOLT_NO_32BIT_REASON; the 32-bit builds, their"
    runs_32bit_summary+=" PE32 and DLL-import checks and the 32-bit zip's contents and checksums"
    runs_32bit_summary+=" were checked"
fi
echo "test-all: $runs_32bit_summary"

stage "layering and formatting of the sources" scripts/check-source.sh
stage --counted "native build and tests" preset_suite native
stage --counted "AddressSanitizer and UndefinedBehaviorSanitizer build and tests" \
    preset_suite sanitize
stage "fuzzing the selection reader" env KOLT_FUZZ_SECONDS="${KOLT_FUZZ_SECONDS:-30}" \
    scripts/test-fuzz.sh
stage --counted "Windows builds (32- and 64-bit), tests under Wine" scripts/test-windows.sh
# From the trees and zips of the stages above: nothing is built again here.
stage --counted "Debian package, winget and Scoop manifests, signing, JSON schema, Ansible" \
    tests/distribution/check-distribution.sh
stage --counted "dialog program end to end under Wine and Xvfb" scripts/test-gui.sh

echo
printf 'test-all: %s\n' "${timings[@]}"
echo "test-all: $runs_32bit_summary"
echo "test-all: $passed passed, $failed failed, $skipped skipped in $((SECONDS - started)) s"
if ((${#failed_stages[@]} > 0)); then
    printf 'test-all: failed stage: %s\n' "${failed_stages[@]}"
    exit 1
fi
((failed == 0))
