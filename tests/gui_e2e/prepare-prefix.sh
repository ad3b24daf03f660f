#!/usr/bin/env bash
# Makes the Wine prefix of the dialog program's end-to-end cases ready:
#
#   prepare-prefix.sh PREFIX RECORDER
#
# - Wine's own TrueType faces (Marlett for the caption buttons, Fixedsys, MS Sans Serif) in the
#   prefix's font folder, where a Windows installation has them;
# - a virtual desktop of 2048 x 1536, so that Wine draws every window with its caption and frame,
#   as a user sees it, even on an X server without a window manager; as large as the screen of a
#   user whose display is scaled to 200 %, so the dialogs fit at every scale the cases try;
# - the screen at 96 dots per inch (100 %); a case that tries another scale sets it for the
#   programs it starts and puts it back;
# - RECORDER (a Windows program) as the handler of http:, https: and mailto: addresses, for both
#   the 64-bit and the 32-bit registry view, so the cases can read what the shell was given.
#
# The prefix itself is made once (wine-run.sh); the settings are imported again only when they
# change. Both the 64-bit and the 32-bit dialog program run in this one (WoW64) prefix.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../scripts/wine-run.sh
wineserver=${KOLT_WINESERVER:-/usr/lib/wine/wineserver}
[[ -x $wineserver ]] || wineserver=$(command -v wineserver)
wine_fonts=${KOLT_WINE_FONTS:-/usr/share/wine/fonts}

(($# == 2)) || {
    echo "usage: prepare-prefix.sh PREFIX RECORDER" >&2
    exit 2
}
prefix=$(realpath -m -- "$1")
recorder=$(realpath -- "$2")

# A host path as Wine sees it: its Z: drive is the host's root.
windows_path() {
    local path="Z:$1"
    printf '%s' "${path//\//\\}"
}

# A value as a .reg file writes strings: backslashes and quotes escaped.
reg_string() {
    local value=${1//\\/\\\\}
    printf '%s' "${value//\"/\\\"}"
}

settings() {
    local command key scheme
    command=$(reg_string "\"$(windows_path "$recorder")\" \"%1\"")
    printf 'REGEDIT4\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="Default"\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Default"="2048x1536"\n\n'
    printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:00000060\n\n'
    for key in 'Software\Classes' 'Software\Wow6432Node\Classes'; do
        for scheme in http https mailto; do
            printf '[HKEY_LOCAL_MACHINE\\%s\\%s\\shell\\open\\command]\n@="%s"\n\n' \
                "$key" "$scheme" "$command"
        done
    done
}

export KOLT_WINEPREFIX=$prefix
"$wine_run" --prepare
exec {lock}>"$prefix.e2e.lock"
flock "$lock"

if ! compgen -G "$wine_fonts/*.ttf" >/dev/null; then
    echo "prepare-prefix: Wine's own fonts are missing from $wine_fonts (package fonts-wine; run" \
        "scripts/bootstrap.sh)" >&2
    exit 1
fi
if [[ ! -f $prefix/.kolt-e2e-fonts ]]; then
    cp -- "$wine_fonts"/*.ttf "$prefix/drive_c/windows/Fonts/"
    touch -- "$prefix/.kolt-e2e-fonts"
fi

wanted=$prefix/kolt-e2e-settings.reg
settings >"$wanted.new"
if ! cmp -s -- "$wanted.new" "$wanted"; then
    if ! "$wine_run" regedit /S "$(windows_path "$wanted.new")"; then
        echo "prepare-prefix: importing $wanted.new into $prefix failed" >&2
        exit 1
    fi
    # The registry reaches the prefix's files when its server ends.
    WINEPREFIX=$prefix "$wineserver" -w
    mv -- "$wanted.new" "$wanted"
else
    rm -f -- "$wanted.new"
fi
