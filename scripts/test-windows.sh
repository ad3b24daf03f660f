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
# With KOLT_JUNIT_DIR set, each CTest run leaves its JUnit report there (scripts/test-all.sh
# counts from them). Exits non-zero when anything failed.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

jobs=${KOLT_JOBS:-$(nproc)}
source scripts/lib/runs-32bit.sh
status=0
started=$SECONDS

stage() { printf '\n==== %s ====\n' "$*"; }

# Builds one preset; a failed build fails the stage.
build() {
    local preset=$1
    stage "$preset build"
    if cmake --preset "$preset" && cmake --build --preset "$preset" -j "$jobs"; then
        return 0
    fi
    echo "test-windows: the $preset build failed" >&2
    status=1
    return 1
}

# preset, architecture, what the PE check expects
built=()
for target in "win64 x86_64 PE32+" "win32 i686 PE32"; do
    read -r preset arch format <<<"$target"
    if build "$preset"; then
        built+=("$preset=build/$preset")
        stage "$preset tests under Wine"
        ctest --preset "$preset" -LE gui_e2e -j "$jobs" \
            ${KOLT_JUNIT_DIR:+--output-junit "$KOLT_JUNIT_DIR/$preset.xml"} || status=1
        if [[ $arch == i686 ]] && ! kolt_runs_32bit; then
            echo "test-windows: the $preset tests above are skipped: $KOLT_NO_32BIT_REASON"
        fi
        stage "$preset programs: $format, system DLLs only"
        scripts/check-pe-imports.sh "build/$preset" "$arch" || status=1
    fi
done

# The release packages of the programs just built and tested (a third build of the same sources
# would cost the test command minutes): zipped as scripts/package.sh zips them, then unpacked,
# checked and run.
stage "release packages"
package_dir=build/package-check
if ((${#built[@]} == 2)) &&
    KOLT_PACKAGE_DIR=$package_dir KOLT_JOBS=$jobs scripts/package.sh --from-builds; then
    KOLT_WINEPREFIX=$PWD/build/win64/wineprefix \
        tests/package/check-packages.sh "$package_dir" || status=1
else
    echo "test-windows: building the release packages failed" >&2
    status=1
fi

echo
echo "test-windows: $( ((status == 0)) && echo passed || echo FAILED) in $((SECONDS - started)) s"
exit "$status"
