#!/usr/bin/env bash
# Makes a Wine prefix ready for the dialog program's end-to-end cases, once:
#
#   prepare-prefix.sh PREFIX desktop     a virtual desktop of 1024 x 768, so that Wine draws
#                                        every window with its caption and frame, as a user sees
#                                        it, even on an X server without a window manager
#   prepare-prefix.sh PREFIX windows95   the same, and a registry that names Windows 95: the
#                                        NT key loses its product name, so the program falls back
#                                        to the other family's key, which names Windows 95
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../scripts/wine-run.sh
wineserver=${KOLT_WINESERVER:-/usr/lib/wine/wineserver}
[[ -x $wineserver ]] || wineserver=$(command -v wineserver)
wine_fonts=${KOLT_WINE_FONTS:-/usr/share/wine/fonts}

(($# == 2)) || {
    echo "usage: prepare-prefix.sh PREFIX desktop|windows95" >&2
    exit 2
}
prefix=$(realpath -m -- "$1")
kind=$2
case $kind in
    desktop | windows95) ;;
    *)
        echo "prepare-prefix: unknown kind $kind" >&2
        exit 2
        ;;
esac

marker=$prefix/.kolt-e2e-$kind
[[ -f $marker ]] && exit 0

export KOLT_WINEPREFIX=$prefix
"$wine_run" --prepare
exec {lock}>"$prefix.e2e.lock"
flock "$lock"
if [[ ! -f $marker ]]; then
    reg() { "$wine_run" reg "$@" >/dev/null; }
    # Wine's own TrueType faces (Marlett for the caption buttons, Fixedsys, MS Sans Serif) stand
    # in a Windows installation's font folder; Debian's Wine does not find them by itself.
    if [[ -d $wine_fonts ]]; then
        cp -- "$wine_fonts"/*.ttf "$prefix/drive_c/windows/Fonts/"
    fi
    reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
    reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
    if [[ $kind == windows95 ]]; then
        reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v ProductName /f
        reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion' /v ProductName \
            /d 'Microsoft Windows 95' /f
        reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion' /v VersionNumber \
            /d '4.00.950' /f
    fi
    # The registry reaches the prefix's files when its server ends.
    WINEPREFIX=$prefix "$wineserver" -w
    touch -- "$marker"
fi
