#!/usr/bin/env bash
# Runs a Windows test program (through wine-test.sh) with a host name that is a number. Wine takes
# the computer's name from the host, so the run gets a private host-name namespace, where the
# name can be set without touching the machine's, and a prefix of its own, since Wine keeps the
# name it starts with in the prefix. Needs root for the namespace; exits 77 (skipped) otherwise.
#
#   numeric-host-name.sh WINE_TEST PROGRAM [ARGUMENT...]
set -euo pipefail

if ! unshare --uts true 2>/dev/null; then
    echo "numeric-host-name: a private host-name namespace needs root: skipped"
    exit 77
fi
export KOLT_NUMERIC_HOST_NAME=12345
# The prefix's own Wine server starts inside the namespace and is stopped before it ends, so no
# later run meets a server that believes in this name.
exec unshare --uts bash -c '
    hostname "$KOLT_NUMERIC_HOST_NAME"
    status=0
    "$@" || status=$?
    WINEPREFIX=$KOLT_WINEPREFIX "${KOLT_WINESERVER:-/usr/lib/wine/wineserver}" -k 2>/dev/null || true
    exit "$status"' numeric-host-name "$@"
