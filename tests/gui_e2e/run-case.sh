#!/usr/bin/env bash
# Runs one end-to-end case of the dialog program under Wine on the X display in DISPLAY.
#
#   run-case.sh PREFIX RECORDER PROGRAM [ARGUMENT...]
#
# PREFIX is the Wine prefix to use, made ready first with RECORDER as the handler of web and
# mailto: addresses (see prepare-prefix.sh). Without an X display, or with a 32-bit dialog
# program (KOLT_INFO_EXE) on a machine whose kernel refuses 32-bit programs, the case cannot run:
# it says why and exits with 77, which CTest reports as skipped.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../scripts/lib/runs-32bit.sh
source "$here/../../scripts/lib/runs-32bit.sh"
(($# >= 3)) || {
    echo "usage: run-case.sh PREFIX RECORDER PROGRAM [ARGUMENT...]" >&2
    exit 2
}
prefix=$1
recorder=$2
shift 2

if [[ -z ${DISPLAY:-} ]]; then
    echo "run-case: no X display; scripts/test-gui.sh runs these cases under Xvfb"
    exit 77
fi

# The 64-bit driver starts the program; Wine would hand a 32-bit one to its 32-bit loader.
if kolt_is_pe32 "${KOLT_INFO_EXE:-}" && ! kolt_runs_32bit; then
    echo "run-case: skipped, $KOLT_NO_32BIT_REASON"
    exit 77
fi

"$here/prepare-prefix.sh" "$prefix" "$recorder"
export KOLT_WINEPREFIX=$prefix
exec "$here/../../scripts/wine-run.sh" "$@"
