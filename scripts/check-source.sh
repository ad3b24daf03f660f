#!/usr/bin/env bash
# Keeps the source tree in shape: every folder includes only the folders it may know about (the
# layering of the design), and every C++ file is formatted with the project's .clang-format.
# Prints each breach and exits non-zero when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# Folder (longest match wins), then the include prefixes its files may use. Includes without a
# folder are generated headers (branding.h) and system headers. text/ (UTF-8 measures and the
# UTF-16 conversion, standard library only) sits below everything, like the standard library: the
# layers that measure names or hand text to Windows include it.
# The seam's headers are the facts (platform.h), the programs' own files and process set-up
# (files.h, process.h) and the fixed limits (fixed_limits.h); each folder names those it may use.
seam="platform/platform.h platform/files.h platform/process.h platform/fixed_limits.h"
rules=(
    "text:text/"
    "platform/common:platform/platform.h platform/common/"
    "platform/posix:$seam platform/common/ platform/posix/ text/"
    "platform/linux:platform/platform.h platform/files.h platform/common/ platform/posix/ platform/linux/"
    "platform/win32:$seam platform/common/ platform/win32/ text/"
    "platform:platform/platform.h"
    "selection:selection/ platform/platform.h platform/files.h text/"
    "report:report/ selection/ platform/platform.h text/"
    "console:console/ report/ selection/ $seam text/"
    "gui:gui/ report/ selection/ $seam ui/ text/"
    "ui:ui/ text/"
    "bench:bench/ report/ selection/ platform/platform.h platform/linux/ tests/support/"
    "fuzz:selection/ platform/platform.h platform/common/"
    "tests:"
)

allowed_for() {
    local file=$1 rule folder best="" best_len=-1
    for rule in "${rules[@]}"; do
        folder=${rule%%:*}
        if [[ $file == "$folder"/* ]] && ((${#folder} > best_len)); then
            best=$rule
            best_len=${#folder}
        fi
    done
    [[ -n $best ]] || return 1
    echo "${best#*:}"
}

breaches=0
while IFS= read -r file; do
    if ! allowed=$(allowed_for "$file"); then
        continue
    fi
    [[ $file == tests/* ]] && continue
    while IFS= read -r included; do
        [[ $included == */* ]] || continue
        ok=false
        for prefix in $allowed; do
            if [[ $included == "$prefix"* ]]; then
                ok=true
                break
            fi
        done
        if ! $ok; then
            echo "check-source: $file includes $included, which its folder may not know about" >&2
            breaches=$((breaches + 1))
        fi
    done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+"([^"]+)".*/\1/p' "$file")
done < <(git ls-files -- '*.cpp' '*.h' '*.rc')

mapfile -t sources < <(git ls-files -- '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${sources[@]}"; then
    echo "check-source: files above are not formatted (clang-format -i FILE)" >&2
    breaches=$((breaches + 1))
fi

if ((breaches > 0)); then
    echo "check-source: $breaches breach(es)" >&2
    exit 1
fi
echo "check-source: layering and formatting hold in ${#sources[@]} C++ files"
