#!/usr/bin/env bash
# Installs everything the build and the tests need from Debian's packages. Safe to run again:
# it does nothing when every package is already there.
set -euo pipefail

packages=(
    # Native build, tests, sanitizers, fuzzing and benchmarks.
    g++ cmake ninja-build clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev
    libbenchmark-dev clang-format
    # Windows cross builds (32 and 64 bit) and their checks.
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64 mingw-w64-tools file
    # Running the Windows programs: Wine (64-bit), a virtual X display, screenshots.
    wine wine64 xvfb xauth x11-utils imagemagick
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    echo "bootstrap: every package is installed"
    exit 0
fi

echo "bootstrap: installing ${missing[*]}"
if [[ $(id -u) -ne 0 ]]; then
    sudo=sudo
else
    sudo=
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
