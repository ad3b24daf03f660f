#!/usr/bin/env bash
# Runs a Windows program under Wine and passes its exit status through. CMake uses it as the
# emulator of both Windows builds, so `ctest --preset win64` and `ctest --preset win32` run every
# test program this way.
#
#   wine-run.sh PROGRAM [ARGUMENT...]   run PROGRAM (a path to a .exe, or a program Wine ships)
#   wine-run.sh --prepare [PATH]        only create the prefix (PATH: anything in a build tree)
#
# Every prefix is a 64-bit one with 32-bit support (WoW64), as 64-bit Windows is: a PE32 program
# runs under Wine's 32-bit loader beside 64-bit ones, and sees the registry's 32-bit view unless
# it asks for the native one. A 64-bit program, and a program Wine ships (reg, winecfg), runs under
# the 64-bit loader.
#
# The Wine prefix lives in the build tree, so a build directory carries everything its tests need
# and deleting it leaves nothing behind: KOLT_WINEPREFIX when set, otherwise "wineprefix" in the
# nearest directory above PROGRAM (or PATH) that holds a CMakeCache.txt. Creating a prefix takes
# several seconds; it happens once, under a lock, so parallel test runs never build it twice.
set -euo pipefail

wine64=${KOLT_WINE:-/usr/lib/wine/wine64}
if [[ ! -x $wine64 ]]; then
    wine64=$(command -v wine64 || true)
fi
if [[ -z $wine64 ]]; then
    echo "wine-run: no 64-bit Wine found (install the wine64 package)" >&2
    exit 127
fi
wine32=${KOLT_WINE32:-/usr/lib/wine/wine}
wineserver=${KOLT_WINESERVER:-/usr/lib/wine/wineserver}
[[ -x $wineserver ]] || wineserver=$(command -v wineserver || echo wineserver)
# shellcheck source=lib/runs-32bit.sh
source "$(dirname -- "${BASH_SOURCE[0]}")/lib/runs-32bit.sh"

usage() {
    echo "usage: wine-run.sh PROGRAM [ARGUMENT...] | wine-run.sh --prepare [PATH]" >&2
    exit 2
}

# The build tree that holds PATH: the nearest directory upwards with a CMakeCache.txt.
build_tree_of() {
    local dir
    dir=$(realpath -m -- "$1")
    [[ -d $dir ]] || dir=$(dirname -- "$dir")
    while [[ $dir != / ]]; do
        if [[ -f $dir/CMakeCache.txt ]]; then
            echo "$dir"
            return 0
        fi
        dir=$(dirname -- "$dir")
    done
    return 1
}

prepare=false
if [[ ${1:-} == --prepare ]]; then
    prepare=true
    shift
    anchor=${1:-$PWD}
else
    (($# >= 1)) || usage
    anchor=$1
fi

if [[ -n ${KOLT_WINEPREFIX:-} ]]; then
    prefix=$KOLT_WINEPREFIX
elif tree=$(build_tree_of "$anchor"); then
    prefix=$tree/wineprefix
else
    echo "wine-run: $anchor is not in a build tree; set KOLT_WINEPREFIX" >&2
    exit 2
fi
prefix=$(realpath -m -- "$prefix")

export WINEPREFIX=$prefix
export WINEARCH=win64
# Wine takes the prefix's language, code pages and date formats from the locale: one fixed locale
# keeps every run the same whatever the caller's settings.
export LC_ALL=${KOLT_WINE_LOCALE:-C.UTF-8}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts, and no menu entries or file associations in $HOME.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}

# Creates the prefix once. The marker is written only after a complete start-up, so a prefix
# left half-made by an interrupted run is made again, and only once the prefix is whole on disk:
# wineboot returns while the Wine server still holds the new registry in memory, and a case that
# reads the prefix through a copy or an overlay sees only what is on disk. The server writes the
# registry when it ends, which it does a few seconds after its last program.
ensure_prefix() {
    local marker=$prefix/.kolt-prefix-ready
    [[ -f $marker ]] && return 0
    mkdir -p -- "$(dirname -- "$prefix")"
    local lock
    exec {lock}>"$prefix.lock"
    flock "$lock"
    if [[ ! -f $marker ]]; then
        # A second try covers a first start that Wine gives up on; each try's output is kept.
        local attempt created=false
        : >"$prefix.log"
        for attempt in 1 2; do
            rm -rf -- "$prefix"
            echo "== wineboot --init, try $attempt" >>"$prefix.log"
            if "$wine64" wineboot --init >>"$prefix.log" 2>&1 &&
                "$wineserver" -w >>"$prefix.log" 2>&1; then
                created=true
                break
            fi
        done
        if ! $created; then
            echo "wine-run: creating the Wine prefix $prefix failed:" >&2
            cat -- "$prefix.log" >&2
            exit 1
        fi
        touch -- "$marker"
    fi
    flock -u "$lock"
    exec {lock}>&-
}

# Debian's Wine does not find the fonts it ships (Fixedsys, MS Sans Serif, Courier, Tahoma, ...)
# where it looks for them, so dialogs would fall back to a proportional Linux face. Installs them
# into the prefix's Fonts folder once, as a Windows system has them, under the same lock.
ensure_fonts() {
    local marker=$prefix/.kolt-fonts-ready
    local shipped=${KOLT_WINE_FONTS:-/usr/share/wine/fonts}
    [[ -f $marker ]] && return 0
    # Without them the programs' dialogs and fonts differ from a Windows system's: stop and say
    # so rather than run the tests against the wrong faces.
    if ! compgen -G "$shipped/*" >/dev/null; then
        echo "wine-run: Wine's own fonts are missing from $shipped (package fonts-wine; run" \
            "scripts/bootstrap.sh)" >&2
        exit 1
    fi
    local lock
    exec {lock}>"$prefix.lock"
    flock "$lock"
    if [[ ! -f $marker ]]; then
        mkdir -p -- "$prefix/drive_c/windows/Fonts"
        cp -- "$shipped"/* "$prefix/drive_c/windows/Fonts/"
        touch -- "$marker"
    fi
    flock -u "$lock"
    exec {lock}>&-
}

wine=$wine64
if ! $prepare && kolt_is_pe32 "$1"; then
    if [[ ! -x $wine32 ]]; then
        echo "wine-run: $1 is a 32-bit program and Wine's 32-bit loader $wine32 is missing" \
            "(install wine32:i386)" >&2
        exit 127
    fi
    # Where the kernel refuses 32-bit programs the case cannot run at all: 77 is the status the
    # test suites register as "skipped", and the line says why.
    if ! KOLT_WINE32=$wine32 kolt_runs_32bit; then
        echo "wine-run: skipped, $KOLT_NO_32BIT_REASON"
        exit 77
    fi
    wine=$wine32
fi

ensure_prefix
ensure_fonts
if $prepare; then
    exit 0
fi
exec "$wine" "$@"
