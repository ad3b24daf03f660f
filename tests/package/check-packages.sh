#!/usr/bin/env bash
# Checks the release packages that scripts/package.sh wrote, as a support desk and a caller use
# them:
#   - SHA256SUMS names both zips (and the Debian package, where the folder holds one), and their
#     checksums hold;
#   - each zip holds exactly kolt_info.exe, kolt_info_cli.exe, README.txt and LICENSE.txt; the
#     programs are of the zip's architecture and import only system DLLs; the two texts end every
#     line in CR LF;
#   - the zip's bytes depend on nothing but those files' names and contents: zipped again
#     elsewhere, with other times and modes, they give the same zip;
#   - with REFERENCE_TREE given, the programs are byte for byte the ones built there, by another
#     build of the same commit in another directory;
#   - unpacked into an empty folder, kolt_info_cli.exe runs under Wine (the 32-bit loader for
#     win32, in a WoW64 prefix) and leaves its report beside itself, the same bytes it printed.
#     Where the kernel refuses 32-bit programs, the win32 zip's run is skipped and says why; its
#     contents are checked all the same.
#
#   check-packages.sh PACKAGE_DIR [win32=REFERENCE_TREE] [win64=REFERENCE_TREE]
#
# KOLT_WINEPREFIX names the Wine prefix (default build/wineprefix-packages). The checksums, each
# zip's contents and each zip's run count as one test each: a CTest-style summary line, and with
# KOLT_JUNIT_DIR set a JUnit report "packages.xml" there. Exits non-zero on a failure.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
# shellcheck source=../../scripts/lib/runs-32bit.sh
source "$repo/scripts/lib/runs-32bit.sh"
# shellcheck source=../../scripts/lib/junit.sh
source "$repo/scripts/lib/junit.sh"

if (($# < 1)); then
    echo "usage: check-packages.sh PACKAGE_DIR [win32=REFERENCE_TREE] [win64=REFERENCE_TREE]" >&2
    exit 2
fi
packages=$(realpath -- "$1") || exit 2
shift
declare -A reference=()
for argument in "$@"; do
    reference[${argument%%=*}]=$(realpath -- "${argument#*=}") || exit 2
done

export KOLT_WINEPREFIX=${KOLT_WINEPREFIX:-$repo/build/wineprefix-packages}
work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT

# True when every line of the file ends in CR LF, the last one included.
crlf_only() {
    [[ -s $1 && $(tail -c 2 -- "$1" | od -An -t x1 | tr -d ' ') == 0d0a ]] &&
        ! grep -q $'[^\r]$\|^$' -- "$1"
}

mapfile -t zips < <(cd "$packages" && ls -- kolt-info-*-win32.zip kolt-info-*-win64.zip 2>/dev/null)
mapfile -t debs < <(cd "$packages" && ls -- kolt-info_*.deb 2>/dev/null)

begin "SHA256SUMS"
if [[ ! -f $packages/SHA256SUMS ]]; then
    fail "missing"
else
    listed=$(awk '{ print $2 }' "$packages/SHA256SUMS" | sort | tr '\n' ' ')
    held=$(printf '%s\n' "${zips[@]}" "${debs[@]}" | sort | tr '\n' ' ')
    [[ $listed == "$held" ]] || fail "lists '$listed', the folder holds '$held'"
    (cd "$packages" && sha256sum --quiet -c SHA256SUMS) || fail "a checksum does not hold"
fi
((${#zips[@]} == 2)) || fail "expected a win32 and a win64 zip, found: ${zips[*]}"
end

expected_names="kolt_info.exe kolt_info_cli.exe README.txt LICENSE.txt"
for zip in "${zips[@]}"; do
    begin "$zip contents"
    target=${zip##*-}
    target=${target%.zip}
    case $target in
    win32) arch=i686 ;;
    win64) arch=x86_64 ;;
    esac
    folder=$work/$target
    mkdir -p -- "$folder"

    names=$(cmake -E tar tf "$packages/$zip" | tr '\n' ' ')
    [[ $names == "$expected_names " ]] || fail "holds '$names', expected '$expected_names'"
    (cd "$folder" && cmake -E tar xf "$packages/$zip") || fail "cannot be unpacked"

    for text in README.txt LICENSE.txt; do
        crlf_only "$folder/$text" || fail "$text has a line that does not end in CR LF"
    done
    "$repo/scripts/check-pe-imports.sh" "$folder" "$arch" >"$work/pe.log" ||
        fail "program format or imports: $(grep FAIL "$work/pe.log" | tr '\n' ' ')"

    # Other times and modes than the unpacked files got from the zip: they must not matter.
    touch -- "$folder"/*
    chmod 0755 -- "$folder"/*
    "$repo/scripts/reproducible-zip.sh" "$work/again.zip" "$folder/kolt_info.exe" \
        "$folder/kolt_info_cli.exe" "$folder/README.txt" "$folder/LICENSE.txt" &&
        cmp -s -- "$work/again.zip" "$packages/$zip" ||
        fail "zipping the same files again gives other bytes"

    if [[ -n ${reference[$target]:-} ]]; then
        for program in console/kolt_info_cli.exe gui/win32/kolt_info.exe; do
            cmp -s -- "$folder/${program##*/}" "${reference[$target]}/$program" ||
                fail "${program##*/} differs from ${reference[$target]}/$program, another build" \
                    "of this commit (was that tree configured with other settings?)"
        done
    fi

    end

    # The caller's run: in the unpacked folder, nothing else there.
    if [[ $target == win32 ]] && ! kolt_runs_32bit; then
        skip "$zip runs under Wine" "$KOLT_NO_32BIT_REASON"
        rm -rf -- "$folder"
        continue
    fi
    begin "$zip runs under Wine"
    status=0
    (cd "$folder" && "$repo/scripts/wine-run.sh" "$folder/kolt_info_cli.exe" \
        >"$work/$target.out" 2>"$work/$target.err") || status=$?
    ((status == 0)) || fail "kolt_info_cli.exe exited with $status: $(cat "$work/$target.err")"
    mapfile -t reports < <(cd "$folder" && ls -- kolt_info_*.txt 2>/dev/null)
    if ((${#reports[@]} != 1)); then
        fail "expected one report file beside the program, found: ${reports[*]:-none}"
    else
        echo "  report file ${reports[0]}"
        cmp -s -- "$folder/${reports[0]}" "$work/$target.out" ||
            fail "the report file is not what the program printed"
        head -n 1 -- "$folder/${reports[0]}" | grep -q '^Kolt Information - Version ' ||
            fail "the report file does not start with the report's title"
    fi
    rm -rf -- "$folder"
    end
done

junit_write packages
checked=${#junit_cases[@]}
passed=$((checked - junit_failed - junit_skipped))
echo "$((checked == 0 ? 0 : 100 * passed / checked))% tests passed, $junit_failed tests failed," \
    "$junit_skipped skipped out of $checked"
((junit_failed == 0))
