#!/usr/bin/env bash
# Runs a Windows test program (through wine-test.sh) on a host whose firmware states make, model,
# serial number and BIOS. Wine builds its SMBIOS table from /sys/class/dmi/id, which a virtual
# machine without SMBIOS or a container lacks; here a private mount namespace lays a tmpfs over
# /sys/class with canned files in dmi/id (a placeholder among them), seen by nothing outside and
# gone with the namespace. The suite's prefix (KOLT_WINEPREFIX) is seen through an overlay whose
# changes land in a tmpfs, so the run has a Wine server of its own, started inside the namespace
# and stopped before it ends, and leaves the prefix as it was without copying it. Needs root for
# the namespace; exits 77 (skipped) otherwise.
#
#   dmi-namespace.sh WINE_TEST PROGRAM [ARGUMENT...]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
if ! unshare --mount --propagation private true 2>/dev/null; then
    echo "dmi-namespace: a private mount namespace needs root: skipped"
    exit 77
fi
: "${KOLT_WINEPREFIX:?dmi-namespace: KOLT_WINEPREFIX names the prefix of the suite}"
"$here/../../scripts/wine-run.sh" --prepare

view=$(mktemp -d "${TMPDIR:-/tmp}/kolt-dmi.XXXXXX")
trap 'rmdir -- "$view"' EXIT
unshare --mount --propagation private bash -c '
    set -e
    view=$1
    shift
    mount -t tmpfs kolt-dmi /sys/class
    ids=/sys/class/dmi/id
    mkdir -p "$ids"
    printf "%s\n" "Kolt Test Maker" >"$ids/sys_vendor"
    printf "%s\n" "To Be Filled By O.E.M." >"$ids/product_name"
    printf "%s\n" "KOLT-0001  " >"$ids/product_serial"
    printf "%s\n" "Kolt Firmware Ltd." >"$ids/bios_vendor"
    printf "%s\n" "2.4.1" >"$ids/bios_version"
    printf "%s\n" "03/14/2024" >"$ids/bios_date"

    # Wine servers meet at a socket under /tmp/.wine-<uid>: a private one keeps this run apart
    # from every server outside the namespace.
    sockets=/tmp/.wine-$(id -u)
    mkdir -p "$sockets"
    mount -t tmpfs kolt-wine-sockets "$sockets"
    mount -t tmpfs kolt-prefix "$view"
    mkdir "$view/changes" "$view/work" "$view/prefix"
    mount -t overlay kolt-prefix \
        -o "lowerdir=$KOLT_WINEPREFIX,upperdir=$view/changes,workdir=$view/work" "$view/prefix"
    export KOLT_WINEPREFIX=$view/prefix

    set +e
    "$@"
    status=$?
    WINEPREFIX=$KOLT_WINEPREFIX "${KOLT_WINESERVER:-/usr/lib/wine/wineserver}" -k 2>/dev/null
    exit "$status"' dmi-namespace "$view" "$@"
