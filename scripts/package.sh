#!/usr/bin/env bash
# Builds the release packages from a clean tree, with one command:
#
#   scripts/package.sh [CMAKE_OPTION...]
#   scripts/package.sh --from-builds    zip the programs of build/win32 and build/win64 as they
#                                       stand (the test command's, just built and tested there)
#
# For each Windows target, win32 (i686) and win64 (x86_64), a fresh Release build of the two
# programs in build/package-<target>, then in out/ (KOLT_PACKAGE_DIR names another folder):
#   kolt-info-<version>-win32.zip, kolt-info-<version>-win64.zip
#       each: kolt_info.exe, kolt_info_cli.exe, README.txt and LICENSE.txt (CR LF line ends)
#   SHA256SUMS  the two zips' SHA-256 checksums, as sha256sum writes and checks them
# The version is project(VERSION) in CMakeLists.txt. Options such as -DKOLT_WEB_DOMAIN=... go to
# CMake, for a support desk's own branding. Two runs on one commit give byte-identical zips: the
# programs are linked without time stamps, and reproducible-zip.sh fixes times, modes and order.
set -euo pipefail
cd "$(dirname "$0")/.."

out=$(realpath -m -- "${KOLT_PACKAGE_DIR:-out}")
jobs=${KOLT_JOBS:-$(nproc)}

# A text file as Windows programs such as Notepad expect it: every line ends in CR LF.
crlf() { sed -e 's/\r*$/\r/' -- "$1"; }

from_builds=false
if [[ ${1:-} == --from-builds ]]; then
    from_builds=true
    shift
fi

stage=$(mktemp -d)
trap 'rm -rf -- "$stage"' EXIT
mkdir -p -- "$out"
zips=()
for target in win32 win64; do
    if $from_builds; then
        tree=build/$target
        echo "package: taking the $target programs from $tree"
        cmake --build "$tree" -j "$jobs" --target kolt_info kolt_info_cli >/dev/null
    else
        tree=build/package-$target
        echo "package: building $target in $tree"
        rm -rf -- "$tree"
        cmake --preset "package-$target" "$@" >/dev/null
        cmake --build "$tree" -j "$jobs" --target kolt_info kolt_info_cli >/dev/null
    fi

    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$tree/CMakeCache.txt")
    [[ -n $version ]] || {
        echo "package: no project version in $tree/CMakeCache.txt" >&2
        exit 1
    }
    sed -e "s/@KOLT_VERSION@/$version/g" packaging/README.txt >"$stage/README.in"
    crlf "$stage/README.in" >"$stage/README.txt"
    crlf LICENSE >"$stage/LICENSE.txt"

    zip=kolt-info-$version-$target.zip
    scripts/reproducible-zip.sh "$out/$zip" \
        "$tree/gui/win32/kolt_info.exe" "$tree/console/kolt_info_cli.exe" \
        "$stage/README.txt" "$stage/LICENSE.txt"
    zips+=("$zip")
done

(cd "$out" && sha256sum -- "${zips[@]}" >SHA256SUMS)
echo "package: wrote to $out:"
(cd "$out" && ls -l -- "${zips[@]}" SHA256SUMS)
