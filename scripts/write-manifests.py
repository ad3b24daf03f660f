#!/usr/bin/env python3
"""Writes the winget and Scoop manifests of the release zips in a package folder.

    write-manifests.py PACKAGE_DIR --version V --publisher P --homepage URL \\
        --download-url URL [--identifier ID]

reads PACKAGE_DIR/kolt-info-V-win32.zip and -win64.zip and writes, with their SHA-256:

    PACKAGE_DIR/winget/manifests/<i>/<Publisher>/<Package>/V/   (the winget-pkgs layout)
        <ID>.yaml               the version manifest
        <ID>.installer.yaml     both zips, each a portable kolt_info_cli.exe inside a zip
        <ID>.locale.en-US.yaml  the default locale: name, publisher, licence, description
    PACKAGE_DIR/scoop/kolt-info.json

The zips are to be published as DOWNLOAD_URL/<zip name>; nothing is fetched. Earlier manifests
in the two folders are removed first. Standard library only.
"""

import argparse
import hashlib
import json
import pathlib
import shutil
import sys

MANIFEST_VERSION = "1.6.0"
PACKAGE_NAME = "Kolt Information"
SHORT_DESCRIPTION = "Technical support report of this computer"
DESCRIPTION = (
    "Writes the facts a support engineer asks for first (clock, processor and its speed, "
    "Windows version, computer name, IP address, user, memory, drives) as one plain-text "
    "report, or with --format json as one JSON document. kolt_info_cli prints the report and "
    "saves it in the current folder; kolt_info is the dialog program. Nothing is sent anywhere."
)
LICENSE = "MIT"
CONSOLE_PROGRAM = "kolt_info_cli.exe"
# The zips' target names, and what each manifest format calls that architecture.
ARCHITECTURES = (("win64", "x64", "64bit"), ("win32", "x86", "32bit"))


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as stream:
        for block in iter(lambda: stream.read(1 << 16), b""):
            digest.update(block)
    return digest.hexdigest()


def quoted(text):
    """A YAML scalar in single quotes: a version such as 2.10 stays a string, not a number."""
    if any(ord(c) < 0x20 for c in text):
        raise ValueError(f"a manifest value may not hold control characters: {text!r}")
    return "'" + text.replace("'", "''") + "'"


def yaml_document(kind, lines):
    header = [
        "# Written by scripts/package.sh from the release zips; do not edit.",
        f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{MANIFEST_VERSION}.schema.json",
        "",
    ]
    footer = [f"ManifestType: {kind}", f"ManifestVersion: {MANIFEST_VERSION}", ""]
    return "\n".join(header + lines + footer)


def winget_manifests(args, zips):
    ident = [f"PackageIdentifier: {quoted(args.identifier)}", f"PackageVersion: {quoted(args.version)}"]
    version = yaml_document("version", ident + ["DefaultLocale: en-US"])

    installer_lines = ident + [
        "InstallerType: zip",
        "NestedInstallerType: portable",
        "NestedInstallerFiles:",
        f"  - RelativeFilePath: {quoted(CONSOLE_PROGRAM)}",
        f"    PortableCommandAlias: {quoted(CONSOLE_PROGRAM.removesuffix('.exe'))}",
        "Commands:",
        f"  - {quoted(CONSOLE_PROGRAM.removesuffix('.exe'))}",
        "Installers:",
    ]
    for target, winget_arch, _ in ARCHITECTURES:
        name, digest = zips[target]
        installer_lines += [
            f"  - Architecture: {winget_arch}",
            f"    InstallerUrl: {quoted(args.download_url.rstrip('/') + '/' + name)}",
            f"    InstallerSha256: {digest.upper()}",
        ]
    installer = yaml_document("installer", installer_lines)

    locale = yaml_document(
        "defaultLocale",
        ident
        + [
            "PackageLocale: en-US",
            f"Publisher: {quoted(args.publisher)}",
            f"PublisherUrl: {quoted(args.homepage)}",
            f"PackageName: {quoted(PACKAGE_NAME)}",
            f"PackageUrl: {quoted(args.homepage)}",
            f"License: {quoted(LICENSE)}",
            f"ShortDescription: {quoted(SHORT_DESCRIPTION)}",
            f"Description: {quoted(DESCRIPTION)}",
            "Moniker: kolt-info",
            "Tags:",
            "  - support",
            "  - system-information",
            "  - report",
        ],
    )
    return {
        f"{args.identifier}.yaml": version,
        f"{args.identifier}.installer.yaml": installer,
        f"{args.identifier}.locale.en-US.yaml": locale,
    }


def scoop_manifest(args, zips):
    manifest = {
        "version": args.version,
        "description": SHORT_DESCRIPTION,
        "homepage": args.homepage,
        "license": LICENSE,
        "architecture": {
            scoop_arch: {
                "url": args.download_url.rstrip("/") + "/" + zips[target][0],
                "hash": zips[target][1],
            }
            for target, _, scoop_arch in ARCHITECTURES
        },
        "bin": CONSOLE_PROGRAM,
    }
    return json.dumps(manifest, indent=4) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("package_dir", type=pathlib.Path)
    parser.add_argument("--version", required=True)
    parser.add_argument("--publisher", required=True)
    parser.add_argument("--homepage", required=True)
    parser.add_argument("--download-url", required=True)
    parser.add_argument("--identifier", default="Kolt.KoltInformation")
    args = parser.parse_args()

    zips = {}
    for target, _, _ in ARCHITECTURES:
        name = f"kolt-info-{args.version}-{target}.zip"
        path = args.package_dir / name
        if not path.is_file():
            sys.exit(f"write-manifests: {path} is missing")
        zips[target] = (name, sha256(path))

    # winget-pkgs keeps a package under its identifier's first letter, then one folder per part.
    winget_root = args.package_dir / "winget"
    scoop_root = args.package_dir / "scoop"
    for folder in (winget_root, scoop_root):
        shutil.rmtree(folder, ignore_errors=True)
    folder = winget_root.joinpath(
        "manifests", args.identifier[0].lower(), *args.identifier.split("."), args.version
    )
    folder.mkdir(parents=True)
    for name, text in winget_manifests(args, zips).items():
        (folder / name).write_text(text, encoding="utf-8", newline="\n")
    scoop_root.mkdir()
    (scoop_root / "kolt-info.json").write_text(scoop_manifest(args, zips), encoding="utf-8", newline="\n")
    print(f"write-manifests: winget manifests in {folder}, Scoop manifest in {scoop_root}")


if __name__ == "__main__":
    main()
