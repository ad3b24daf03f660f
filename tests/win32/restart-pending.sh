#!/usr/bin/env bash
# Runs a Windows test program (through wine-test.sh) in a copy of the suite's prefix whose
# registry says that Windows Update waits for a restart (the RebootRequired key), so the report's
# Attention block has something real to say. The copy is made afresh for each run, has a Wine
# server of its own, and is removed afterwards; the suite's prefix is left as it was.
#
#   restart-pending.sh WINE_TEST PROGRAM [ARGUMENT...]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../scripts/wine-run.sh
wine_test=$1
shift
: "${KOLT_WINEPREFIX:?restart-pending: KOLT_WINEPREFIX names the prefix of the suite}"
"$wine_run" --prepare "$1"

copy=$(mktemp -d "${TMPDIR:-/tmp}/kolt-restart.XXXXXX")
export KOLT_WINEPREFIX_SUITE=$KOLT_WINEPREFIX
stop_and_remove() {
    WINEPREFIX=$copy/prefix "${KOLT_WINESERVER:-/usr/lib/wine/wineserver}" -k 2>/dev/null || true
    rm -rf -- "$copy"
}
trap stop_and_remove EXIT
cp -a -- "$KOLT_WINEPREFIX" "$copy/prefix"
export KOLT_WINEPREFIX=$copy/prefix
"$wine_run" reg add \
    'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\WindowsUpdate\Auto Update\RebootRequired' \
    /f >/dev/null
export KOLT_RESTART_PENDING=1
"$wine_test" "$@"
