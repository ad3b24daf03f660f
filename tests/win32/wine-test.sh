#!/usr/bin/env bash
# Runs a Windows test program under Wine with the host's own figures in its environment, so the
# program can check what Wine answers against the machine behind it.
#
#   wine-test.sh [--present VERSION] PROGRAM [ARGUMENT...]
#
# KOLT_WINEPREFIX names the prefix. With --present, Wine is first set to present that Windows
# version (winecfg -v VERSION, e.g. win7 or win10) and KOLT_PRESENTED_WINDOWS tells the program.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../scripts/wine-run.sh
# shellcheck source=../../scripts/lib/runs-32bit.sh
source "$here/../../scripts/lib/runs-32bit.sh"

if [[ -z ${KOLT_WINEPREFIX:-} ]]; then
    echo "wine-test: KOLT_WINEPREFIX is not set" >&2
    exit 2
fi

present=
if [[ ${1:-} == --present ]]; then
    present=$2
    shift 2
fi
(($# >= 1)) || {
    echo "usage: wine-test.sh [--present VERSION] PROGRAM [ARGUMENT...]" >&2
    exit 2
}

# A 32-bit program where the kernel refuses 32-bit code: skipped at once, before the prefix is
# made or Wine is set to present another version (wine-run.sh would end the same way later).
if kolt_is_pe32 "$1" && ! kolt_runs_32bit; then
    echo "wine-test: skipped, $KOLT_NO_32BIT_REASON"
    exit 77
fi

"$wine_run" --prepare
if [[ -n $present ]]; then
    "$wine_run" winecfg -v "$present"
    if [[ $("$wine_run" winecfg -v | tr -d '\r') != "$present" ]]; then
        echo "wine-test: Wine does not present $present" >&2
        exit 1
    fi
    export KOLT_PRESENTED_WINDOWS=$present
fi

# File-system figures of a path: total blocks, fragment size, blocks free for users.
volume() { stat -f -c '%b %S %a' -- "$1"; }

meminfo_kib() { awk -v key="$1:" '$1 == key { print $2 }' /proc/meminfo; }

export KOLT_HOST_C_VOLUME
KOLT_HOST_C_VOLUME=$(volume "$KOLT_WINEPREFIX/drive_c")
export KOLT_HOST_ROOT_VOLUME
KOLT_HOST_ROOT_VOLUME=$(volume /)
export KOLT_HOST_MEMTOTAL_KIB
KOLT_HOST_MEMTOTAL_KIB=$(meminfo_kib MemTotal)
export KOLT_HOST_SWAPTOTAL_KIB
KOLT_HOST_SWAPTOTAL_KIB=$(meminfo_kib SwapTotal)
export KOLT_HOST_PROCESSORS
KOLT_HOST_PROCESSORS=$(getconf _NPROCESSORS_ONLN)
export KOLT_HOST_MMX=0
if grep -qw mmx /proc/cpuinfo; then
    KOLT_HOST_MMX=1
fi
# Wine names the Windows user after USER when it is set, and after the account otherwise.
export KOLT_HOST_USER
KOLT_HOST_USER=${USER:-$(id -un)}
export KOLT_HOST_NAME
KOLT_HOST_NAME=$(uname -n)
export KOLT_HOST_ADDRESSES
KOLT_HOST_ADDRESSES=$(hostname -I 2>/dev/null || true)
# Whether this machine's resolver knows its own host name: where it does not (no entry in
# /etc/hosts, no name server that answers), Wine has no address to give either.
export KOLT_HOST_NAME_RESOLVES=0
if getent ahostsv4 -- "$KOLT_HOST_NAME" >/dev/null 2>&1; then
    KOLT_HOST_NAME_RESOLVES=1
fi
export KOLT_HOST_TIME
KOLT_HOST_TIME=$(date +%s)
# The moment the host started, to the nearest second: now less its uptime.
export KOLT_HOST_BOOT_TIME
KOLT_HOST_BOOT_TIME=$(awk -v now="$(date +%s.%N)" '{ printf "%.0f", now - $1 }' /proc/uptime)
# What Wine builds its SMBIOS table from (unset where the host has no such file), and the host's
# machine name.
for dmi in sys_vendor product_name product_serial bios_vendor bios_version bios_date; do
    if [[ -r /sys/class/dmi/id/$dmi ]]; then
        export "KOLT_HOST_DMI_${dmi^^}=$(cat "/sys/class/dmi/id/$dmi")"
    fi
done
export KOLT_HOST_MACHINE
KOLT_HOST_MACHINE=$(uname -m)

exec "$wine_run" "$@"
