#!/usr/bin/env bash
# Writes a zip whose bytes depend only on the files' contents, names and order:
#
#   reproducible-zip.sh ZIP FILE...
#
# Each FILE is stored under its own name without directories, in the order given, with one fixed
# time, mode 644 and no owner or other extra fields, by Info-ZIP's zip (package zip). The time is
# SOURCE_DATE_EPOCH when set, otherwise the time of the checkout's last commit, so two builds of
# one commit give the same zip. (CMake's `-E tar --format=zip` writes each file's access and
# change times and its owner into the zip, so it cannot give that.)
set -euo pipefail

if (($# < 2)); then
    echo "usage: reproducible-zip.sh ZIP FILE..." >&2
    exit 2
fi
zip_path=$(realpath -m -- "$1")
shift
command -v zip >/dev/null || {
    echo "reproducible-zip: zip is missing (Debian package zip; scripts/bootstrap.sh)" >&2
    exit 1
}

if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
    epoch=$SOURCE_DATE_EPOCH
elif ! epoch=$(git -C "$(dirname "$0")" log -1 --format=%ct 2>/dev/null); then
    echo "reproducible-zip: not in a git checkout; set SOURCE_DATE_EPOCH" >&2
    exit 1
fi
if [[ ! $epoch =~ ^[0-9]+$ ]] || ((epoch < 315532800)); then
    echo "reproducible-zip: time $epoch is not a count of seconds from 1980 on (zip's first year)" >&2
    exit 1
fi

# Copies, so that the originals keep their own times and modes.
stage=$(mktemp -d)
trap 'rm -rf -- "$stage"' EXIT
names=()
for file in "$@"; do
    name=$(basename -- "$file")
    if [[ -e $stage/$name ]]; then
        echo "reproducible-zip: two files are named $name" >&2
        exit 1
    fi
    cp -- "$file" "$stage/$name"
    names+=("$name")
done
chmod 0644 -- "$stage"/*
touch -d "@$epoch" -- "$stage"/*

# zip adds to an existing archive, so the old one goes first. Its times are local times: UTC
# keeps them the same in every time zone. -X: no owner and no extra time fields; -D: no directory
# entries. ZIPOPT could add options of its own.
rm -f -- "$zip_path"
(cd "$stage" && env -u ZIPOPT TZ=UTC zip -X -D -q -9 "$zip_path" "${names[@]}")
