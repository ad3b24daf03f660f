#!/usr/bin/env bash
# Builds the Debian package of the console program from a configured build tree:
#
#   scripts/package-deb.sh TREE OUT_DIR
#
# writes OUT_DIR/kolt-info_<version>-<revision>_<architecture>.deb, installing
#   /usr/bin/kolt_info_cli                                   the program, stripped
#   /usr/share/man/man1/kolt_info_cli.1.gz                   its manual page
#   /usr/share/doc/kolt-info/copyright                       the licence, machine-readable
#   /usr/share/doc/kolt-info/changelog.Debian.gz             the package's changelog
#   /usr/share/doc/kolt-info/kolt-info-report.schema.json    the JSON form's schema
# The version is TREE's project version, the revision KOLT_DEB_REVISION (default 1); the
# maintainer, the home page and the architecture come from TREE's settings (KOLT_COMPANY_NAME,
# KOLT_SUPPORT_EMAIL, KOLT_WEB_URL) and dpkg. Depends is what dpkg-shlibdeps finds the program
# needs. Two runs on one commit give the same bytes: every time in the package is the commit's
# (SOURCE_DATE_EPOCH when set). Needs dpkg-dev (dpkg-shlibdeps) and binutils (strip).
set -euo pipefail

if (($# != 2)); then
    echo "usage: package-deb.sh TREE OUT_DIR" >&2
    exit 2
fi
repo=$(cd "$(dirname "$0")/.." && pwd)
tree=$(realpath -- "$1")
out=$(realpath -m -- "$2")

cache_value() {
    sed -n "s/^$1:[A-Z]*=//p" "$tree/CMakeCache.txt"
}

# TEXT as the replacement of a sed s|...|...| command: the settings may hold any character.
replacement() {
    local text=${1//\\/\\\\}
    text=${text//&/\\&}
    printf '%s' "${text//|/\\|}"
}

[[ -f $tree/CMakeCache.txt ]] || {
    echo "package-deb: $tree is not a configured build tree" >&2
    exit 1
}
cmake --build "$tree" --target kolt_info_cli >/dev/null

version=$(cache_value CMAKE_PROJECT_VERSION)
deb_version=$version-${KOLT_DEB_REVISION:-1}
architecture=$(dpkg --print-architecture)
maintainer="$(cache_value KOLT_COMPANY_NAME) <$(cache_value KOLT_SUPPORT_EMAIL)>"
homepage=$(cache_value KOLT_WEB_URL)

if [[ -n ${SOURCE_DATE_EPOCH:-} ]]; then
    epoch=$SOURCE_DATE_EPOCH
else
    epoch=$(git -C "$repo" log -1 --format=%ct)
fi
export SOURCE_DATE_EPOCH=$epoch

# The changelog's newest entry names the version this package carries: a release without its
# entry stops here rather than ship a changelog that says otherwise.
changelog_version=$(sed -n '1s/^kolt-info (\([^)]*\)).*/\1/p' "$repo/packaging/debian/changelog.in")
if [[ $changelog_version != "$deb_version" ]]; then
    echo "package-deb: packaging/debian/changelog.in starts with $changelog_version, the package" \
        "is $deb_version: add its entry first" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT
root=$work/root
doc=$root/usr/share/doc/kolt-info
install -d -m 0755 "$root/DEBIAN" "$root/usr/bin" "$root/usr/share/man/man1" "$doc"

# As Debian's helpers strip: no symbols, no compiler notes.
install -m 0755 "$tree/console/kolt_info_cli" "$root/usr/bin/kolt_info_cli"
strip --strip-unneeded --remove-section=.comment --remove-section=.note \
    "$root/usr/bin/kolt_info_cli"

month=$(LC_ALL=C date -u -d "@$epoch" '+%B %Y')
sed -e "s|@KOLT_VERSION@|$(replacement "$version")|g" -e "s|@KOLT_DATE@|$month|g" \
    "$repo/packaging/kolt_info_cli.1.in" | gzip -9n >"$root/usr/share/man/man1/kolt_info_cli.1.gz"
sed -e "s|@MAINTAINER@|$(replacement "$maintainer")|g" "$repo/packaging/debian/changelog.in" |
    gzip -9n >"$doc/changelog.Debian.gz"
install -m 0644 "$repo/packaging/debian/copyright" "$doc/copyright"
install -m 0644 "$repo/docs/kolt-info-report.schema.json" "$doc/kolt-info-report.schema.json"
chmod 0644 "$root/usr/share/man/man1/kolt_info_cli.1.gz" "$doc/changelog.Debian.gz"

# dpkg-shlibdeps reads the package's name from a control file of a source tree.
mkdir -p "$work/source/debian"
printf 'Source: kolt-info\n\nPackage: kolt-info\nArchitecture: any\n' \
    >"$work/source/debian/control"
depends=$(cd "$work/source" && dpkg-shlibdeps -O -e"$root/usr/bin/kolt_info_cli" 2>/dev/null |
    sed -n 's/^shlibs:Depends=//p')
[[ -n $depends ]] || {
    echo "package-deb: dpkg-shlibdeps found no dependency of the program" >&2
    exit 1
}

installed_size=$(du -k -s --apparent-size --exclude=DEBIAN "$root" | cut -f1)
sed -e "s|@DEB_VERSION@|$(replacement "$deb_version")|" -e "s|@DEB_ARCH@|$architecture|" \
    -e "s|@MAINTAINER@|$(replacement "$maintainer")|" -e "s|@INSTALLED_SIZE@|$installed_size|" \
    -e "s|@DEPENDS@|$(replacement "$depends")|" -e "s|@HOMEPAGE@|$(replacement "$homepage")|" \
    "$repo/packaging/debian/control.in" >"$root/DEBIAN/control"
(cd "$root" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum) \
    >"$root/DEBIAN/md5sums"
chmod 0644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"

find "$root" -exec touch --no-dereference -d "@$epoch" {} +
mkdir -p -- "$out"
deb=$out/kolt-info_${deb_version}_$architecture.deb
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "package-deb: wrote $deb"
