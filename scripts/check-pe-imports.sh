#!/usr/bin/env bash
# Checks the Windows programs of one build tree: each is a PE file of the tree's architecture
# (PE32 for i686, PE32+ for x86_64) with the right subsystem, and it imports only DLLs that ship
# with Windows, so the .exe runs on its own: no C++ runtime, GCC or thread-library DLL beside it.
#
#   check-pe-imports.sh BUILD_TREE i686|x86_64
#
# kolt_info_cli.exe must be there; kolt_info.exe is checked whenever the tree has it. Each program
# counts as one test in the CTest-style summary line printed at the end.
set -euo pipefail

if (($# != 2)); then
    echo "usage: check-pe-imports.sh BUILD_TREE i686|x86_64" >&2
    exit 2
fi
tree=$1
arch=$2
case $arch in
i686) format=pei-i386 file_kind='PE32 executable' ;;
x86_64) format=pei-x86-64 file_kind='PE32+ executable' ;;
*)
    echo "check-pe-imports: unknown architecture $arch" >&2
    exit 2
    ;;
esac
objdump=$arch-w64-mingw32-objdump
command -v "$objdump" >/dev/null || {
    echo "check-pe-imports: $objdump not found (binutils-mingw-w64)" >&2
    exit 2
}

# System DLLs every Windows desktop has in its system directory, lower case.
allowed=(
    kernel32.dll advapi32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll
    shlwapi.dll ole32.dll oleaut32.dll winspool.drv version.dll ws2_32.dll wsock32.dll msvcrt.dll
    iphlpapi.dll oleacc.dll
)

# Each deliverable: its file name, whether it must exist, and its subsystem (objdump's wording).
deliverables=(
    "kolt_info_cli.exe required Windows CUI"
    "kolt_info.exe optional Windows GUI"
)

checked=0
failures=0

fail() {
    echo "  FAIL: $*"
    failed_here=true
}

check_program() {
    local path=$1 subsystem=$2 headers dll lower
    failed_here=false
    echo "$path"
    if [[ $(file -b -- "$path") != "$file_kind"* ]]; then
        fail "file says '$(file -b -- "$path")', expected $file_kind"
    fi
    headers=$("$objdump" -p -- "$path") || {
        fail "$objdump cannot read it"
        return
    }
    grep -q "file format $format\$" <<<"$headers" || fail "not in file format $format"
    grep -Eq "^Subsystem[[:space:]]+[0-9a-f]+[[:space:]]+\($subsystem\)" <<<"$headers" ||
        fail "subsystem is not $subsystem"
    local imports=0
    while read -r dll; do
        imports=$((imports + 1))
        lower=${dll,,}
        if [[ " ${allowed[*]} " == *" $lower "* ]]; then
            echo "  imports $dll"
        else
            fail "imports $dll, which does not ship with Windows"
        fi
    done < <(sed -nE 's/^[[:space:]]*DLL Name: (.*)$/\1/p' <<<"$headers")
    ((imports > 0)) || fail "no import table found"
}

for entry in "${deliverables[@]}"; do
    read -r name need subsystem <<<"$entry"
    mapfile -t found < <(find "$tree" -name "$name" -type f -not -path '*/CMakeFiles/*')
    if ((${#found[@]} == 0)); then
        if [[ $need == required ]]; then
            echo "$tree: $name is missing"
            checked=$((checked + 1))
            failures=$((failures + 1))
        fi
        continue
    fi
    for path in "${found[@]}"; do
        check_program "$path" "$subsystem"
        checked=$((checked + 1))
        if $failed_here; then
            failures=$((failures + 1))
        fi
    done
done

passed=$((checked - failures))
echo "$((checked == 0 ? 0 : 100 * passed / checked))% tests passed, $failures tests failed out of $checked"
((failures == 0))
