#!/usr/bin/env bash
# Builds the console program natively and runs it in the current directory: the report goes to
# standard output and to kolt_info_<computer name>.txt here.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)

(
    cd "$source_dir"
    # The console program builds with the compiler, CMake, Ninja and one header-only library.
    scripts/bootstrap.sh --console >&2
    cmake --preset cli >/dev/null
    cmake --build --preset cli -j "$(nproc)" >/dev/null
)
exec "$source_dir/build/cli/console/kolt_info_cli"
