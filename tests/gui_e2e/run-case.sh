#!/usr/bin/env bash
# Runs one end-to-end case of the dialog program under Wine on the X display in DISPLAY.
#
#   run-case.sh PREFIX RECORDER PROGRAM [ARGUMENT...]
#
# PREFIX is the Wine prefix to use, made ready first with RECORDER as the handler of web and
# mailto: addresses (see prepare-prefix.sh). Without an X display the case cannot run: it says
# so and exits with 77, which CTest reports as skipped.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
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

"$here/prepare-prefix.sh" "$prefix" "$recorder"
export KOLT_WINEPREFIX=$prefix
exec "$here/../../scripts/wine-run.sh" "$@"
