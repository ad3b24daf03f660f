#!/usr/bin/env bash
# Runs the Windows console program under Wine as a desk of its own, for the inventory server's
# test: in a private host-name and mount namespace, where the host name is KOLT_DESK_NAME (Wine
# takes the computer's name from it) and the firmware states a maker (with markup and a name
# beyond ASCII to escape), model, serial number and BIOS: Wine builds its SMBIOS table from
# /sys/class/dmi/id, which this machine may lack, so a tmpfs laid over /sys/class holds canned
# files, seen by nothing outside the namespace. The prefix (KOLT_WINEPREFIX, made on first use
# inside the namespace, so it keeps that name) has its Wine server stopped before the namespace
# ends. Needs root.
#
#   KOLT_DESK_NAME=NAME KOLT_WINEPREFIX=DIR KOLT_DESK_PROGRAM=kolt_info_cli.exe wine-desk.sh [ARG...]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
: "${KOLT_DESK_NAME:?wine-desk: KOLT_DESK_NAME names the desk}"
: "${KOLT_WINEPREFIX:?wine-desk: KOLT_WINEPREFIX names the prefix}"
: "${KOLT_DESK_PROGRAM:?wine-desk: KOLT_DESK_PROGRAM names the Windows program}"
export KOLT_WINE_RUN=$here/../../scripts/wine-run.sh

exec unshare --uts --mount --propagation private bash -c '
    set -e
    hostname "$KOLT_DESK_NAME"
    mount -t tmpfs kolt-dmi /sys/class
    ids=/sys/class/dmi/id
    mkdir -p "$ids"
    printf "%s\n" "Kolt Prüf & Söhne <Test>" >"$ids/sys_vendor"
    printf "%s\n" "Desk 3000" >"$ids/product_name"
    printf "%s\n" "KOLT-WINE-0001" >"$ids/product_serial"
    printf "%s\n" "Kolt Firmware Ltd." >"$ids/bios_vendor"
    printf "%s\n" "2.4.1" >"$ids/bios_version"
    printf "%s\n" "03/14/2024" >"$ids/bios_date"
    set +e
    "$KOLT_WINE_RUN" "$KOLT_DESK_PROGRAM" "$@"
    status=$?
    WINEPREFIX=$KOLT_WINEPREFIX "${KOLT_WINESERVER:-/usr/lib/wine/wineserver}" -k 2>/dev/null
    exit "$status"' wine-desk "$@"
