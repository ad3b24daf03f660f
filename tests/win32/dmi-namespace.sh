#!/usr/bin/env bash
# Runs a Windows test program (through wine-test.sh) on a host whose firmware states make, model,
# serial number and BIOS. Wine builds its SMBIOS table from /sys/class/dmi/id, which a virtual
# machine without SMBIOS or a container lacks; here a private mount namespace lays a tmpfs over
# /sys/class with canned files in dmi/id (a placeholder among them), seen by nothing outside and
# gone with the namespace. The run gets a prefix of its own, whose Wine server starts inside the
# namespace and is stopped before it ends. Needs root for the namespace; exits 77 (skipped)
# otherwise.
#
#   dmi-namespace.sh WINE_TEST PROGRAM [ARGUMENT...]
set -euo pipefail

if ! unshare --mount --propagation private true 2>/dev/null; then
    echo "dmi-namespace: a private mount namespace needs root: skipped"
    exit 77
fi
exec unshare --mount --propagation private bash -c '
    set -e
    mount -t tmpfs kolt-dmi /sys/class
    ids=/sys/class/dmi/id
    mkdir -p "$ids"
    printf "%s\n" "Kolt Test Maker" >"$ids/sys_vendor"
    printf "%s\n" "To Be Filled By O.E.M." >"$ids/product_name"
    printf "%s\n" "KOLT-0001  " >"$ids/product_serial"
    printf "%s\n" "Kolt Firmware Ltd." >"$ids/bios_vendor"
    printf "%s\n" "2.4.1" >"$ids/bios_version"
    printf "%s\n" "03/14/2024" >"$ids/bios_date"
    set +e
    "$@"
    status=$?
    WINEPREFIX=$KOLT_WINEPREFIX "${KOLT_WINESERVER:-/usr/lib/wine/wineserver}" -k 2>/dev/null
    exit "$status"' dmi-namespace "$@"
