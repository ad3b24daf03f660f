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
#   kolt-info_<version>-1_<arch>.deb    the console program for Debian and its derivatives,
#                                       from a fresh Release build in build/package-linux
#                                       (scripts/package-deb.sh, KOLT_DEB_REVISION for another
#                                       revision than 1; not with --from-builds)
#   SHA256SUMS  the packages' SHA-256 checksums, as sha256sum writes and checks them
#   winget/, scoop/   the winget manifest set and the Scoop manifest of the two zips, with their
#                     SHA-256 (scripts/write-manifests.py)
# The version is project(VERSION) in CMakeLists.txt. Options such as -DKOLT_WEB_DOMAIN=... go to
# CMake, for a support desk's own branding. Two runs on one commit give byte-identical zips: the
# programs are linked without time stamps, and reproducible-zip.sh fixes times, modes and order.
#
# Settings (environment):
#   KOLT_SIGN_CERT, KOLT_SIGN_KEY   a code-signing certificate (PEM or DER, with its chain) and
#                   its private key: both programs of both zips are then signed with Authenticode
#                   (osslsigncode, SHA-256) before they are zipped. Without them the programs are
#                   left unsigned and the zips stay reproducible.
#   KOLT_SIGN_KEY_PASSWORD_FILE     a file holding the key's password, for an encrypted key
#   KOLT_SIGN_TIMESTAMP_URL         an RFC 3161 time-stamp server, so that the signatures stay
#                   valid after the certificate expires (asked over the network while signing)
#   KOLT_DOWNLOAD_URL  where the zips will be published, for the manifests' download addresses
#                   (default: the build's KOLT_WEB_URL followed by download/<version>)
#   KOLT_WINGET_ID  the winget package identifier (default Kolt.KoltInformation)
set -euo pipefail
cd "$(dirname "$0")/.."

out=$(realpath -m -- "${KOLT_PACKAGE_DIR:-out}")
jobs=${KOLT_JOBS:-$(nproc)}

# A text file as Windows programs such as Notepad expect it: every line ends in CR LF.
crlf() { sed -e 's/\r*$/\r/' -- "$1"; }

cache_value() {
    sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt"
}

from_builds=false
if [[ ${1:-} == --from-builds ]]; then
    from_builds=true
    shift
fi

signing=false
if [[ -n ${KOLT_SIGN_CERT:-} || -n ${KOLT_SIGN_KEY:-} ]]; then
    if [[ ! -f ${KOLT_SIGN_CERT:-} || ! -f ${KOLT_SIGN_KEY:-} ]]; then
        echo "package: signing needs both KOLT_SIGN_CERT and KOLT_SIGN_KEY, each a file" >&2
        exit 1
    fi
    command -v osslsigncode >/dev/null || {
        echo "package: osslsigncode is missing (scripts/bootstrap.sh installs it)" >&2
        exit 1
    }
    signing=true
fi

# Signs PROGRAM in place with Authenticode, describing it with the product's name and web URL.
sign() {
    local program=$1 url=$2
    local options=(-h sha256 -n "Kolt Information" -i "$url")
    options+=(-certs "$KOLT_SIGN_CERT" -key "$KOLT_SIGN_KEY")
    [[ -z ${KOLT_SIGN_KEY_PASSWORD_FILE:-} ]] || options+=(-readpass "$KOLT_SIGN_KEY_PASSWORD_FILE")
    [[ -z ${KOLT_SIGN_TIMESTAMP_URL:-} ]] || options+=(-ts "$KOLT_SIGN_TIMESTAMP_URL")
    osslsigncode sign "${options[@]}" -in "$program" -out "$program.signed" >/dev/null
    mv -- "$program.signed" "$program"
}

stage=$(mktemp -d)
trap 'rm -rf -- "$stage"' EXIT
mkdir -p -- "$out"
packages=()
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

    version=$(cache_value "$tree" CMAKE_PROJECT_VERSION)
    [[ -n $version ]] || {
        echo "package: no project version in $tree/CMakeCache.txt" >&2
        exit 1
    }
    sed -e "s/@KOLT_VERSION@/$version/g" packaging/README.txt >"$stage/README.in"
    crlf "$stage/README.in" >"$stage/README.txt"
    crlf LICENSE >"$stage/LICENSE.txt"

    # Copies, so that signing never changes the build tree's programs.
    mkdir -p -- "$stage/$target"
    cp -- "$tree/gui/win32/kolt_info.exe" "$tree/console/kolt_info_cli.exe" "$stage/$target/"
    if $signing; then
        echo "package: signing the $target programs"
        for program in "$stage/$target"/*.exe; do
            sign "$program" "$(cache_value "$tree" KOLT_WEB_URL)"
        done
    fi

    zip=kolt-info-$version-$target.zip
    scripts/reproducible-zip.sh "$out/$zip" \
        "$stage/$target/kolt_info.exe" "$stage/$target/kolt_info_cli.exe" \
        "$stage/README.txt" "$stage/LICENSE.txt"
    packages+=("$zip")
done

if ! $from_builds; then
    tree=build/package-linux
    echo "package: building the console program for Linux in $tree"
    rm -rf -- "$tree"
    cmake --preset package-linux "$@" >/dev/null
    cmake --build "$tree" -j "$jobs" --target kolt_info_cli >/dev/null
    scripts/package-deb.sh "$tree" "$out"
    packages+=("kolt-info_$version-${KOLT_DEB_REVISION:-1}_$(dpkg --print-architecture).deb")
fi

homepage=$(cache_value "$tree" KOLT_WEB_URL)
python3 scripts/write-manifests.py "$out" --version "$version" \
    --publisher "$(cache_value "$tree" KOLT_COMPANY_NAME)" --homepage "$homepage" \
    --download-url "${KOLT_DOWNLOAD_URL:-${homepage%/}/download/$version}" \
    --identifier "${KOLT_WINGET_ID:-Kolt.KoltInformation}"

(cd "$out" && sha256sum -- "${packages[@]}" >SHA256SUMS)
echo "package: wrote to $out:"
(cd "$out" && ls -l -- "${packages[@]}" SHA256SUMS)
