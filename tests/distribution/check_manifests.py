#!/usr/bin/python3
"""Checks the winget and Scoop manifests that scripts/package.sh wrote beside the release zips.

    check_manifests.py winget|scoop PACKAGE_DIR DOWNLOAD_URL VERSION

For each format: the fields the format requires are there with the right types; the package
version is VERSION; each download
address is DOWNLOAD_URL/<zip name> of a zip in PACKAGE_DIR and its SHA-256 is that zip's; the
architectures are the two the zips hold (read from the programs' PE headers, so a swapped pair
is caught); the program named as the command is in every zip. Prints one line per failure and
exits 1 when there is one. Needs Debian's python3-yaml for winget (run with /usr/bin/python3).
"""

import hashlib
import json
import pathlib
import re
import struct
import sys
import zipfile

CONSOLE_PROGRAM = "kolt_info_cli.exe"
# PE machine field of each architecture, as winget and Scoop name them.
MACHINES = {0x014C: ("x86", "32bit"), 0x8664: ("x64", "64bit")}
IDENTIFIER = re.compile(r"^[^.\s\\/:*?\"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?\"<>|\x01-\x1f]{1,32}){1,7}$")


class Check:
    def __init__(self, package_dir, download_url, version):
        self.package_dir = package_dir
        self.version = version
        self.download_url = download_url.rstrip("/") + "/"
        self.failures = []

    def fail(self, text):
        self.failures.append(text)

    def require(self, where, mapping, fields):
        """Each field must be there with its type; returns whether all were."""
        complete = isinstance(mapping, dict)
        if not complete:
            self.fail(f"{where}: not a mapping")
            return False
        for name, kind in fields.items():
            if name not in mapping:
                self.fail(f"{where}: {name} is missing")
                complete = False
            elif not isinstance(mapping[name], kind):
                self.fail(f"{where}: {name} is {mapping[name]!r}, not a {kind.__name__}")
                complete = False
        return complete

    def zip_at(self, where, url):
        """The zip a download address names, or None after saying why."""
        if not url.startswith(self.download_url):
            self.fail(f"{where}: {url} is not under {self.download_url}")
            return None
        path = self.package_dir / url[len(self.download_url):]
        if "/" in url[len(self.download_url):] or not path.is_file():
            self.fail(f"{where}: {url} names no zip in {self.package_dir}")
            return None
        return path

    def check_download(self, where, url, digest, architecture, column):
        """The zip at url has this SHA-256, holds the console program, and is of architecture."""
        path = self.zip_at(where, url)
        if path is None:
            return
        actual = hashlib.sha256(path.read_bytes()).hexdigest()
        if not re.fullmatch(r"[0-9A-Fa-f]{64}", digest) or digest.lower() != actual:
            self.fail(f"{where}: hash {digest} is not the SHA-256 of {path.name} ({actual})")
        with zipfile.ZipFile(path) as archive:
            if CONSOLE_PROGRAM not in archive.namelist():
                self.fail(f"{where}: {path.name} holds no {CONSOLE_PROGRAM}")
                return
            machine = pe_machine(archive.read(CONSOLE_PROGRAM))
        held = MACHINES.get(machine, ("?", "?"))[column]
        if held != architecture:
            self.fail(f"{where}: says {architecture}, {path.name} holds {held} programs")


def pe_machine(program):
    (offset,) = struct.unpack_from("<I", program, 0x3C)
    if program[:2] != b"MZ" or program[offset : offset + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<H", program, offset + 4)[0]


def check_winget(check):
    import yaml

    folders = sorted(p.parent for p in check.package_dir.glob("winget/manifests/*/**/*.installer.yaml"))
    if len(folders) != 1:
        check.fail(f"winget: expected one manifest folder, found {[str(f) for f in folders]}")
        return
    folder = folders[0]
    identifier = next(folder.glob("*.installer.yaml")).name.removesuffix(".installer.yaml")
    manifests = {}
    for path in sorted(folder.iterdir()):
        with open(path, encoding="utf-8") as stream:
            manifests[path.name] = yaml.safe_load(stream)

    version = manifests.get(f"{identifier}.yaml")
    installer = manifests.get(f"{identifier}.installer.yaml")
    common = {"PackageIdentifier": str, "PackageVersion": str, "ManifestType": str, "ManifestVersion": str}
    if not check.require("winget version manifest", version, {**common, "DefaultLocale": str}):
        return
    locale_name = f"{identifier}.locale.{version['DefaultLocale']}.yaml"
    locale = manifests.get(locale_name)
    expected_names = {f"{identifier}.yaml", f"{identifier}.installer.yaml", locale_name}
    if set(manifests) != expected_names:
        check.fail(f"winget: {folder} holds {sorted(manifests)}, expected {sorted(expected_names)}")

    for name, manifest, kind in (
        ("version", version, "version"),
        ("installer", installer, "installer"),
        ("defaultLocale", locale, "defaultLocale"),
    ):
        where = f"winget {name} manifest"
        if not check.require(where, manifest, common):
            continue
        if manifest["ManifestType"] != kind:
            check.fail(f"{where}: ManifestType is {manifest['ManifestType']}, not {kind}")
        for field in ("PackageIdentifier", "PackageVersion", "ManifestVersion"):
            if manifest[field] != version[field]:
                check.fail(f"{where}: {field} {manifest[field]!r} differs from the version manifest's")

    if version["PackageVersion"] != check.version:
        check.fail(f"winget: PackageVersion {version['PackageVersion']!r}, expected {check.version!r}")
    if not IDENTIFIER.match(identifier):
        check.fail(f"winget: {identifier!r} is not a package identifier")
    expected_folder = ["manifests", identifier[0].lower(), *identifier.split("."), version["PackageVersion"]]
    if list(folder.relative_to(check.package_dir / "winget").parts) != expected_folder:
        check.fail(f"winget: manifests are in {folder}, expected winget/{'/'.join(expected_folder)}")

    check.require(
        "winget defaultLocale manifest",
        locale,
        {"PackageLocale": str, "Publisher": str, "PackageName": str, "License": str, "ShortDescription": str},
    )

    if not check.require("winget installer manifest", installer, {"Installers": list}):
        return
    architectures = []
    for index, entry in enumerate(installer["Installers"]):
        where = f"winget installer {index}"
        merged = {**installer, **entry}  # an installer's own fields override the manifest's
        if not check.require(
            where,
            merged,
            {"Architecture": str, "InstallerUrl": str, "InstallerSha256": str, "InstallerType": str,
             "NestedInstallerType": str, "NestedInstallerFiles": list},
        ):
            continue
        if merged["InstallerType"] != "zip" or merged["NestedInstallerType"] != "portable":
            check.fail(f"{where}: {merged['InstallerType']}/{merged['NestedInstallerType']}, not zip/portable")
        nested = merged["NestedInstallerFiles"]
        if [n.get("RelativeFilePath") for n in nested] != [CONSOLE_PROGRAM] or not nested[0].get(
            "PortableCommandAlias"
        ):
            check.fail(f"{where}: the portable command is not {CONSOLE_PROGRAM} with an alias: {nested}")
        check.check_download(where, merged["InstallerUrl"], merged["InstallerSha256"], merged["Architecture"], 0)
        architectures.append(merged["Architecture"])
    if sorted(architectures) != ["x64", "x86"]:
        check.fail(f"winget: installers for {architectures}, expected x64 and x86")


def check_scoop(check):
    path = check.package_dir / "scoop" / "kolt-info.json"
    try:
        manifest = json.loads(path.read_text(encoding="utf-8"))
    except (OSError, ValueError) as error:
        check.fail(f"scoop: {path}: {error}")
        return
    if not check.require(
        "scoop manifest",
        manifest,
        {"version": str, "description": str, "homepage": str, "license": str, "architecture": dict, "bin": str},
    ):
        return
    if manifest["bin"] != CONSOLE_PROGRAM:
        check.fail(f"scoop: bin is {manifest['bin']}, not {CONSOLE_PROGRAM}")
    if sorted(manifest["architecture"]) != ["32bit", "64bit"]:
        check.fail(f"scoop: architectures {sorted(manifest['architecture'])}, expected 32bit and 64bit")
    for name, entry in manifest["architecture"].items():
        where = f"scoop {name}"
        if check.require(where, entry, {"url": str, "hash": str}):
            check.check_download(where, entry["url"], entry["hash"], name, 1)
    if manifest["version"] != check.version:
        check.fail(f"scoop: version {manifest['version']!r}, expected {check.version!r}")


def main(arguments):
    if len(arguments) != 4 or arguments[0] not in ("winget", "scoop"):
        print(__doc__, file=sys.stderr)
        return 2
    check = Check(pathlib.Path(arguments[1]), arguments[2], arguments[3])
    (check_winget if arguments[0] == "winget" else check_scoop)(check)
    for failure in check.failures:
        print(failure)
    return 1 if check.failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
