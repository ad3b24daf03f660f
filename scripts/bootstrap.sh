#!/usr/bin/env bash
# Installs everything the build and the tests need from Debian's packages, without Recommends:
# every package a script or test uses is named here, so a fresh machine gets exactly this list.
# Safe to run again: it does nothing when every package is already there.
#
#   scripts/bootstrap.sh             everything
#   scripts/bootstrap.sh --console   only what building the console program needs beyond the
#                                    compiler, CMake and Ninja (scripts/report.sh)
set -euo pipefail

packages=(
    # Native build, tests, sanitizers, fuzzing and benchmarks.
    g++ cmake ninja-build clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev
    libbenchmark-dev clang-format
    # The source checks' link check of the documents (scripts/check-links.py): Debian's Python.
    python3
    # The console program's JSON form: a header-only library, used by the Windows builds too.
    nlohmann-json3-dev
    # Windows cross builds (32 and 64 bit) and their checks.
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64 mingw-w64-tools file
    # Running the Windows programs: 64-bit Wine and its 32-bit loader (a WoW64 prefix runs both),
    # the fonts Wine ships (only a Recommends of libwine), a virtual X display, screenshots.
    wine wine64 wine32:i386 fonts-wine xvfb xauth x11-utils imagemagick
    # A terminal for the console program under Wine, so it writes to a console window (script).
    bsdutils
    # Printing from the dialog program end to end: a private print server with a PDF queue, the
    # print system's library for 32-bit Wine (64-bit Wine gets it with cups-client), and the
    # tools that read the printed PDF back.
    cups cups-client printer-driver-cups-pdf libcups2:i386 poppler-utils
    # The Linux backend asks CUPS for the printers (Extended Information) through libcups.
    libcups2-dev
    # Release packages: reproducible zips; the Debian package (dpkg-shlibdeps for its Depends,
    # lintian, man to read its manual page back); Authenticode signing and a throwaway
    # certificate for its test; the manifest and schema checks (Debian's Python modules); the
    # fleet playbook's test with Debian's ansible, which ships the ansible.windows collection.
    zip dpkg-dev lintian man-db osslsigncode openssl python3-yaml python3-jsonschema ansible
    # The fault-injection stage (scripts/test-fault-injection.sh): strace traces the console
    # program and makes its system calls fail one at a time; jq reads the JSON reports back.
    strace jq
    # The power-cut test: an ext4 image made with mkfs.ext4 and loop-mounted with mount.
    e2fsprogs mount
    # The tests' file system that never answers speaks the kernel's FUSE interface through its
    # header (linux/fuse.h), mounted in a private namespace where the network is broken.
    linux-libc-dev
)

# The console program alone: its JSON library (also in the list above).
console_packages=(nlohmann-json3-dev)

console_only=false
case ${1:-} in
    --console) console_only=true ;;
    "") ;;
    *)
        echo "usage: scripts/bootstrap.sh [--console]" >&2
        exit 2
        ;;
esac
if $console_only; then
    packages=("${console_packages[@]}")
fi

if [[ $(id -u) -ne 0 ]]; then
    sudo=sudo
else
    sudo=
fi

# wine32 is an i386 package: the architecture must be known to dpkg before apt can find it.
added_architecture=false
if ! $console_only && ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "bootstrap: adding the i386 architecture"
    $sudo dpkg --add-architecture i386
    added_architecture=true
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)) && ! $added_architecture; then
    echo "bootstrap: every package is installed"
    exit 0
fi

echo "bootstrap: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
