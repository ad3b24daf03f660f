#!/usr/bin/env bash
# Runs a Windows test program (through wine-test.sh) in a fresh copy of the suite's prefix whose
# registry states what a desk asks next: every restart reason, the firewall's profiles with a
# policy over one of them, the time service's parameters; with a private print server whose
# second queue is disabled (cupsdisable), and on a private X display of a known size at 144 dpi.
# KOLT_DESK_* tells the program what to expect. The copy, the print server and the display are
# removed when the run ends, whatever its result.
#
#   desk-facts.sh WINE_TEST PROGRAM [ARGUMENT...]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../scripts/wine-run.sh
# shellcheck source=../../scripts/lib/runs-32bit.sh
source "$here/../../scripts/lib/runs-32bit.sh"
: "${KOLT_WINEPREFIX:?desk-facts: KOLT_WINEPREFIX names the prefix of the suite}"
(($# >= 2)) || {
    echo "usage: desk-facts.sh WINE_TEST PROGRAM [ARGUMENT...]" >&2
    exit 2
}
wine_test=$1
shift
if kolt_is_pe32 "$1" && ! kolt_runs_32bit; then
    echo "desk-facts: skipped, $KOLT_NO_32BIT_REASON"
    exit 77
fi
"$wine_run" --prepare

work=$(mktemp -d "${TMPDIR:-/tmp}/kolt-desk.XXXXXX")
xvfb_pid=
cleanup() {
    WINEPREFIX=$work/prefix "${KOLT_WINESERVER:-/usr/lib/wine/wineserver}" -k 2>/dev/null || true
    "$here/../gui_e2e/print-server.sh" stop "$work/print" >/dev/null 2>&1 || true
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf -- "$work"
}
trap cleanup EXIT
# The copy shares the suite's files by hard links, all but the prefix's own top-level files (the
# registry, which the Wine server rewrites, among them): the suite's prefix stays as it was.
cp -al -- "$KOLT_WINEPREFIX" "$work/prefix"
find "$work/prefix" -maxdepth 1 -type f -exec sh -c 'cp --remove-destination -- "$1" "$1.copy" &&
    mv -- "$1.copy" "$1"' copy {} \;
export KOLT_WINEPREFIX=$work/prefix

# A display of its own: the first free number from 70.
display=70
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
    [[ -e /tmp/.X11-unix/X$display ]] && break
    sleep 0.1
done
export DISPLAY=:$display
export KOLT_DESK_SCREEN=1600x1200 KOLT_DESK_SCALE=150

# The print server, where it can run here: KoltPDF ready, KoltRefusing stopped and disabled.
if server=$("$here/../gui_e2e/print-server.sh" start "$work/print" 2>/dev/null); then
    eval "$server"
    export CUPS_SERVER
    cupsdisable -h "$CUPS_SERVER" KoltRefusing
    export KOLT_DESK_PRINTER=KoltPDF KOLT_DESK_OFFLINE_PRINTER=KoltRefusing
else
    echo "desk-facts: no private print server here: the printer cases are left out"
fi

# One Wine session for the settings and the run: a session's first program starts Windows as it
# boots, which carries out the file renames and takes the computer's name from the host, so the
# values are set after that start and the session is kept until the run ends.
WINEPREFIX=$KOLT_WINEPREFIX "${KOLT_WINESERVER:-/usr/lib/wine/wineserver}" -p
"$wine_run" reg query 'HKLM\SYSTEM\CurrentControlSet\Control\ComputerName' >/dev/null
reg() { "$wine_run" reg add "$@" /f >/dev/null; }
machine='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion'
control='HKLM\SYSTEM\CurrentControlSet\Control'
reg "$machine\\WindowsUpdate\\Auto Update\\RebootRequired"
reg "$machine\\Component Based Servicing\\RebootPending"
reg "$control\\Session Manager" /v PendingFileRenameOperations /t REG_MULTI_SZ \
    /d '\??\C:\kolt\old.dll'
reg "$control\\ComputerName\\ComputerName" /v ComputerName /t REG_SZ /d KOLT-RENAMED
firewall='HKLM\SYSTEM\CurrentControlSet\Services\SharedAccess\Parameters\FirewallPolicy'
reg "$firewall\\DomainProfile" /v EnableFirewall /t REG_DWORD /d 1
reg "$firewall\\StandardProfile" /v EnableFirewall /t REG_DWORD /d 1
reg "$firewall\\PublicProfile" /v EnableFirewall /t REG_DWORD /d 1
reg 'HKLM\SOFTWARE\Policies\Microsoft\WindowsFirewall\PublicProfile' /v EnableFirewall \
    /t REG_DWORD /d 0
time='HKLM\SYSTEM\CurrentControlSet\Services\W32Time\Parameters'
reg "$time" /v Type /t REG_SZ /d NTP
reg "$time" /v NtpServer /t REG_SZ /d 'time.kolt.example,0x9 ntp2.kolt.example,0x1'
reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144
export KOLT_DESK_FACTS=1

set +e
"$wine_test" "$@"
