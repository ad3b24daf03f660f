#!/usr/bin/env bash
# Builds the 64-bit dialog program and its end-to-end driver, and runs the driver's cases under
# Wine on a private X display (Xvfb): the real kolt_info.exe is started in scratch folders,
# clicked through window messages, and its report, saved file and selection file are checked;
# one case runs in a Wine prefix that names Windows 95 and expects the refusal.
#
#   scripts/test-gui.sh                  build, run, print CTest's pass/fail summary
#   scripts/test-gui.sh --update-docs    the same, then copy the screenshots to docs/screenshots
#
# Screenshots (PNG) land in build/win64/tests/gui_e2e. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

update_docs=false
case ${1:-} in
    --update-docs) update_docs=true ;;
    "") ;;
    *)
        echo "usage: scripts/test-gui.sh [--update-docs]" >&2
        exit 2
        ;;
esac

for tool in xvfb-run xauth identify convert /usr/lib/wine/wine64; do
    if ! command -v "$tool" >/dev/null; then
        echo "test-gui: $tool is missing; run scripts/bootstrap.sh" >&2
        exit 1
    fi
done

tree=build/win64
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j 2 --target kolt_info kolt_gui_e2e

# The cases' prefixes are made once and kept in the build tree; doing it here, before the clock
# of any case starts, keeps the cases' own time short.
prefix_gui=$tree/wineprefix-gui
prefix_win95=$tree/wineprefix-win95
tests/gui_e2e/prepare-prefix.sh "$prefix_gui" desktop
tests/gui_e2e/prepare-prefix.sh "$prefix_win95" windows95

wineserver=/usr/lib/wine/wineserver
stop_wine() {
    for prefix in "$prefix_gui" "$prefix_win95"; do
        WINEPREFIX=$(realpath -m -- "$prefix") "$wineserver" -k 2>/dev/null || true
    done
}
trap stop_wine EXIT

shots=$tree/tests/gui_e2e
rm -f -- "$shots"/*.png

# One private display for all cases: they take turns on it (CTest's resource lock).
status=0
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    ctest --preset win64 -L gui_e2e ${KOLT_JUNIT_DIR:+--output-junit "$KOLT_JUNIT_DIR/gui.xml"} || status=$?

# Every screenshot must be a picture an image tool can read.
for shot in main-dialog report-viewer windows95-refusal; do
    if ! identify "$shots/$shot.png" >/dev/null 2>&1; then
        echo "test-gui: screenshot $shots/$shot.png is missing or unreadable" >&2
        status=1
    fi
done

if $update_docs && ((status == 0)); then
    mkdir -p docs/screenshots
    # The driver writes uncompressed PNGs; the copies kept in the repository are compressed.
    for shot in main-dialog report-viewer windows95-refusal; do
        convert "$shots/$shot.png" -strip "docs/screenshots/$shot.png"
    done
    echo "test-gui: screenshots copied to docs/screenshots"
fi
exit "$status"
