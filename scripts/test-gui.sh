#!/usr/bin/env bash
# Builds the dialog program (64-bit and 32-bit) and the end-to-end driver where the Windows stage
# has not built them already, and runs the driver's
# cases on each program under Wine on a private X display (Xvfb) and with a private print server
# (cupsd with a PDF queue, tests/gui_e2e/print-server.sh): the real kolt_info.exe is started in
# scratch folders, clicked through window messages, and its report, saved file, selection file,
# printout and links are checked; one case drives it by the keyboard alone (keys as the keyboard
# sends them) to a saved report, an opened mail and the report read back from the clipboard; one
# starts it at 100 %, 150 % and 200 % and checks every text against its control; one hides the
# personal details and finds none of the console program's values in the viewer, the clipboard,
# the saved file, its name or the printout; one makes the
# registry name Windows 95 and expects the refusal. Both programs run in one WoW64 prefix, made
# once. Where the kernel refuses 32-bit programs, the 32-bit program's cases are skipped and say
# why.
#
#   scripts/test-gui.sh                  build, run, print CTest's pass/fail summary
#   scripts/test-gui.sh --update-docs    the same, then copy the screenshots the documents show
#                                        (docs/user-guide.md, README.md) and the printed page to
#                                        docs/screenshots
#
# Screenshots (PNG) and the printout land in build/win64/tests/gui_e2e (the 32-bit program's in
# its win32 folder), the three dialogs at each scale among them (main-dialog-150.png, ...). Where
# the print server cannot run, the print cases are skipped and say why.
# Exits non-zero when anything fails.
set -euo pipefail
trap 'echo "test-gui: stopped by a failure at line $LINENO" >&2' ERR
cd "$(dirname "$0")/.."
source scripts/lib/runs-32bit.sh

update_docs=false
case ${1:-} in
    --update-docs) update_docs=true ;;
    "") ;;
    *)
        echo "usage: scripts/test-gui.sh [--update-docs]" >&2
        exit 2
        ;;
esac

for tool in xvfb-run xauth identify convert pdftoppm /usr/lib/wine/wine64; do
    if ! command -v "$tool" >/dev/null; then
        echo "test-gui: $tool is missing; run scripts/bootstrap.sh" >&2
        exit 1
    fi
done

# The trees the Windows stage built (scripts/test-windows.sh) serve as they are: a tree is
# configured here only where that has not been done yet (a run of this script alone), and the
# build steps below then find nothing to do. The 32-bit program first: the 64-bit tree's cases
# are told where it is.
program_32=$PWD/build/win32/gui/win32/kolt_info.exe
if [[ ! -f build/win32/build.ninja ]]; then
    cmake --preset win32 >/dev/null
fi
cmake --build --preset win32 -j 2 --target kolt_info

tree=build/win64
if ! grep -qxF "KOLT_E2E_KOLT_INFO_32:FILEPATH=$program_32" "$tree/CMakeCache.txt" 2>/dev/null; then
    cmake --preset win64 -DKOLT_E2E_KOLT_INFO_32="$program_32" >/dev/null
fi
cmake --build --preset win64 -j 2 --target kolt_info kolt_info_cli kolt_gui_e2e kolt_record_open

# The cases' prefix is made once and kept in the build tree; doing it here, before the clock of
# any case starts, keeps the cases' own time short.
prefix=$tree/wineprefix-gui
tests/gui_e2e/prepare-prefix.sh "$prefix" "$tree/tests/gui_e2e/kolt_record_open.exe"

print_server=$tree/print-server
stop_all() {
    tests/gui_e2e/print-server.sh stop "$print_server" || true
    WINEPREFIX=$(realpath -m -- "$prefix") /usr/lib/wine/wineserver -k 2>/dev/null || true
}
trap stop_all EXIT

# The print cases reach the server through CUPS_SERVER and read its PDFs from KOLT_PDF_FOLDER.
server_status=0
server_settings=$(tests/gui_e2e/print-server.sh start "$print_server") || server_status=$?
case $server_status in
    0)
        while IFS= read -r setting; do
            export "${setting?}"
        done <<<"$server_settings"
        ;;
    77) echo "test-gui: no print server here, so the print cases are skipped (reason above)" ;;
    *)
        echo "test-gui: the print server did not start" >&2
        exit "$server_status"
        ;;
esac

shots=$tree/tests/gui_e2e
rm -f -- "$shots"/*.png "$shots"/printed-report.pdf "$shots"/win32/*.png \
    "$shots"/process-timings.txt "$shots"/win32/process-timings.txt

# One private display for all cases: they take turns on it (CTest's resource lock).
status=0
xvfb-run -a -s "-screen 0 2048x1536x24 -nolisten tcp" \
    ctest --preset win64 -L gui_e2e ${KOLT_JUNIT_DIR:+--output-junit "$KOLT_JUNIT_DIR/gui.xml"} || status=$?

if ! kolt_runs_32bit; then
    echo "test-gui: the 32-bit program's cases above are skipped: $KOLT_NO_32BIT_REASON"
fi

# How long each Process press kept the user waiting, as the driver measured it.
for timings in "$shots"/process-timings.txt "$shots"/win32/process-timings.txt; do
    [[ -f $timings ]] && sed "s|^|test-gui: ${timings#"$shots"/}: |" "$timings"
done

# Every screenshot must be a picture an image tool can read; the printout's first page is kept
# as one too. The user's guide (docs/user-guide.md) shows the first ones, the main dialog at 150 %
# among them, and the README the main dialog and the viewer.
pictures=(main-dialog report-viewer main-dialog-150 windows95-refusal)
if [[ -f $shots/printed-report.pdf ]]; then
    pdftoppm -png -r 75 -f 1 -l 1 -singlefile "$shots/printed-report.pdf" "$shots/printed-page"
    pictures+=(printed-page)
fi
scaled=()
for dialog in main-dialog report-viewer about-box; do
    for percent in 100 150 200; do
        [[ $dialog-$percent == main-dialog-150 ]] || scaled+=("$dialog-$percent")
    done
done
for shot in "${pictures[@]}" "${scaled[@]}"; do
    if ! identify "$shots/$shot.png" >/dev/null 2>&1; then
        echo "test-gui: screenshot $shots/$shot.png is missing or unreadable" >&2
        status=1
    fi
done

if $update_docs && ((status == 0)); then
    mkdir -p docs/screenshots
    # The driver writes uncompressed PNGs; the copies kept in the repository are compressed.
    for shot in "${pictures[@]}"; do
        convert "$shots/$shot.png" -strip "docs/screenshots/$shot.png"
    done
    echo "test-gui: ${pictures[*]} copied to docs/screenshots"
fi
exit "$status"
