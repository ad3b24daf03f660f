#!/usr/bin/env bash
# The console program writing to a console window. Wine gives a program whose standard output is
# a terminal a console window of its own, which shows the window's UTF-16 characters as UTF-8 on
# the terminal, and shows bytes written to it in the console's code page. With a user name that
# no Western code page holds, the report's user line must read the name whole, and the report
# file must still hold the UTF-8 bytes.
#
#   console-window-test.sh PROGRAM     (KOLT_WINEPREFIX names the prefix)
#
# Exits with 77 (skipped) where `script` (util-linux), which gives the program a terminal, is
# missing.
set -euo pipefail

(($# == 1)) || {
    echo "usage: console-window-test.sh PROGRAM" >&2
    exit 2
}
program=$(realpath -- "$1")
wine_run=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-run.sh
# shellcheck source=../../scripts/lib/runs-32bit.sh
source "$(dirname "$0")/../../scripts/lib/runs-32bit.sh"
if kolt_is_pe32 "$program" && ! kolt_runs_32bit; then
    echo "console-window-test: skipped, $KOLT_NO_32BIT_REASON"
    exit 77
fi
if ! command -v script >/dev/null; then
    echo "console-window-test: skipped: no 'script' command to give the program a terminal"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT
cd "$work"
# The user name section only.
printf '0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n' >kolt_info.cfg

name='王伟'
shown=$(USER=$name script -qfec "$(printf '%q ' "$wine_run" "$program")" /dev/null </dev/null)
if ! grep -aq "  User Name       : $name" <<<"$shown"; then
    echo "console-window-test: the console window does not show the user name whole:" >&2
    printf '%s\n' "$shown" | od -c | head -40 >&2
    exit 1
fi
report=(kolt_info_*.txt)
if ! grep -aq $'  User Name       : '"$name"$'\r$' "${report[0]}"; then
    echo "console-window-test: the report file does not hold the name in UTF-8" >&2
    od -c "${report[0]}" >&2
    exit 1
fi
echo "console-window-test: the console window and the report file show $name whole"
