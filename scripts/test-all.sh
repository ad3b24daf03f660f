#!/usr/bin/env bash
# Builds everything and runs every test: the source checks (layering, formatting, links between
# the documents), the native unit and integration suites, the native console program with each of
# its system calls failing in turn (strace fault injection: no crash, hang, lost or cut report,
# left-over temporary or silent failure), the same suites under AddressSanitizer and
# UndefinedBehaviorSanitizer, bounded fuzz runs of the selection reader and the SMBIOS parser, the
# Windows builds run under Wine (32- and 64-bit), the packages desks install and the playbook
# fleets collect with (Debian package, winget and Scoop manifests, signing, the JSON form's schema,
# Ansible), the dialog program end to end under Wine and Xvfb, and the inventory form sent through
# the Ansible role to a real OCS Inventory NG server (skipped with the reason where its services
# cannot start). Installs what it needs first.
# Every stage runs even when an earlier one failed, so one run shows every failure; the exit status
# is non-zero if any stage failed. Where the kernel refuses 32-bit x86 programs, the cases that
# would run one are reported as skipped with the reason, and the summary says so; where strace
# cannot trace, so is the fault-injection stage.
#
# Counts come from CTest's JUnit reports (every stage that runs CTest writes them into
# KOLT_JUNIT_DIR) and from exit statuses, never from CTest's printed summary. A stage that fails
# without a failed test in its reports (a build that breaks) counts as one failed test.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh || exit 1

jobs=$(nproc)
started=$SECONDS
# Every stage's JUnit reports go under one temporary folder of stage.sh's own, removed at exit.
unset KOLT_JUNIT_DIR
source scripts/lib/stage.sh

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

stage "layering, formatting and links of the sources" scripts/check-source.sh
stage --counted "native build and tests" preset_suite native
# The console program the native stage built, its system calls failing one at a time.
stage --counted "native console program with its system calls failing one at a time" \
    scripts/test-fault-injection.sh
stage --counted "AddressSanitizer and UndefinedBehaviorSanitizer build and tests" \
    preset_suite sanitize
stage "fuzzing the selection reader and the SMBIOS parser" \
    env KOLT_FUZZ_SECONDS="${KOLT_FUZZ_SECONDS:-30}" scripts/test-fuzz.sh
stage --counted "Windows builds (32- and 64-bit), tests under Wine" scripts/test-windows.sh
# From the trees and zips of the stages above: nothing is built again here.
stage --counted "Debian package, winget and Scoop manifests, signing, JSON schema, Ansible" \
    tests/distribution/check-distribution.sh
stage --counted "dialog program end to end under Wine and Xvfb" scripts/test-gui.sh
# The inventory form against a real OCS Inventory NG server, from the native and win64 trees.
stage --counted "inventory documents sent through the Ansible role to a real OCS Inventory NG server" \
    scripts/test-inventory-server.sh

echo
printf 'test-all: %s\n' "${stage_timings[@]}"
echo "test-all: $runs_32bit_summary"
echo "test-all: $stage_passed passed, $stage_failed failed, $stage_skipped skipped in $((SECONDS - started)) s"
if ((${#stage_failures[@]} > 0)); then
    printf 'test-all: failed stage: %s\n' "${stage_failures[@]}"
    exit 1
fi
((stage_failed == 0))
