#!/usr/bin/env bash
# The Windows builds and their tests, from this Linux machine, for win64 (x86_64) and win32 (i686)
# alike: each is built, and every test runs under Wine (unit suites, the Win32 backend against the
# host behind Wine, kolt_info_cli.exe end to end, Windows 7 and 10 presented), the 32-bit ones
# under Wine's 32-bit loader in a WoW64 prefix, as on 64-bit Windows; the dialog program's
# end-to-end runs (label gui_e2e) are left to test-gui.sh. Each program is then checked to be
# PE32+ or PE32 and to import only DLLs that ship with Windows. Last, the release packages are
# made from those programs as scripts/package.sh makes them, and checked and run
# (tests/package/check-packages.sh). Where the kernel refuses 32-bit programs, every case that
# would run one is skipped and says why (scripts/lib/runs-32bit.sh); the 32-bit build, its PE32
# and import checks and the 32-bit zip's contents are checked all the same.
# With KOLT_JUNIT_DIR set, each CTest run and check leaves its JUnit report in a folder of its
# stage there (scripts/lib/stage.sh; scripts/test-all.sh counts from them). Exits non-zero when
# anything failed.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

jobs=${KOLT_JOBS:-$(nproc)}
source scripts/lib/runs-32bit.sh
source scripts/lib/stage.sh
started=$SECONDS

build() {
    local preset=$1
    shift
    cmake --preset "$preset" "$@" && cmake --build --preset "$preset" -j "$jobs"
}

# Every test of a tree but the dialog program's end-to-end runs, its JUnit report in the stage's
# folder.
wine_tests() {
    ctest --preset "$1" -LE gui_e2e -j "$jobs" --output-junit "$KOLT_JUNIT_DIR/$1.xml"
}

# The 64-bit end-to-end driver drives the 32-bit dialog program too (scripts/test-gui.sh runs
# those cases from these trees): the 64-bit tree is told where the 32-bit tree puts it.
program_32=$PWD/build/win32/gui/win32/kolt_info.exe

# preset, architecture, what the PE check expects, what its configuration adds
built=()
for target in "win64 x86_64 PE32+ -DKOLT_E2E_KOLT_INFO_32=$program_32" "win32 i686 PE32"; do
    read -r preset arch format options <<<"$target"
    # shellcheck disable=SC2086 # the options are words
    stage "$preset build" build "$preset" $options || continue
    built+=("$preset=build/$preset")
    stage --counted "$preset tests under Wine" wine_tests "$preset"
    if [[ $arch == i686 ]] && ! kolt_runs_32bit; then
        echo "test-windows: the $preset tests above are skipped: $KOLT_NO_32BIT_REASON"
    fi
    stage "$preset programs: $format, system DLLs only" \
        scripts/check-pe-imports.sh "build/$preset" "$arch"
done

# The release packages of the programs just built and tested (a third build of the same sources
# would cost the test command minutes): zipped as scripts/package.sh zips them, then unpacked,
# checked and run.
package_dir=build/package-check
release_packages() {
    ((${#built[@]} == 2)) &&
        KOLT_PACKAGE_DIR=$package_dir KOLT_JOBS=$jobs scripts/package.sh --from-builds &&
        KOLT_WINEPREFIX=$PWD/build/win64/wineprefix tests/package/check-packages.sh "$package_dir"
}
stage "release packages" release_packages

echo
printf 'test-windows: %s\n' "${stage_timings[@]}"
status=$(( ${#stage_failures[@]} > 0 ))
echo "test-windows: $( ((status == 0)) && echo passed || echo FAILED) in $((SECONDS - started)) s"
exit "$status"
