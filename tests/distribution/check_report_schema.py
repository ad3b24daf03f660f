#!/usr/bin/python3
"""Checks documents of the console program's JSON form against the published schema.

    check_report_schema.py SCHEMA DOCUMENT...       every document must be valid
    check_report_schema.py --schema SCHEMA SAMPLE   the schema itself: a valid JSON Schema
        2020-12; it accepts the sample (a real document with every section, the Extended
        Information section among them) with every fact the program may leave unknown set to
        null, and rejects the sample changed in each way the program never writes; and its
        version (in $id) names the shape it describes

Prints one line per failure and exits 1 when there is one. Needs Debian's python3-jsonschema
(run with /usr/bin/python3).
"""

import copy
import hashlib
import json
import re
import sys

import jsonschema

# The shape each schema version describes, as a digest of the schema without its prose (see
# shape_digest). A change of shape needs a new version in $id and its digest here, so that a
# ticket system that pinned a version never meets a document it does not know.
SHAPE_DIGESTS = {
    "1": "a7eb5f8d7ff4b3fd153c697db13b8359100691f5c4a3ee853e2f3f7582e5269f",
    "2": "39632353fe6a059823188938018cb8add7f57559a0cfcf3b6906bf47cf1b6d56",
    "3": "ec0676ef168af3ff76525eccf991d56cf8494ded5e62f8944e3653605207e403",
}
PROSE_KEYWORDS = {"title", "description", "$comment", "examples", "$id"}


def load(path):
    with open(path, encoding="utf-8") as stream:
        return json.load(stream)


def validator(schema):
    return jsonschema.Draft202012Validator(
        schema, format_checker=jsonschema.Draft202012Validator.FORMAT_CHECKER
    )


def errors_of(checker, document):
    return [
        f"{error.json_path}: {error.message}"
        for error in sorted(checker.iter_errors(document), key=lambda e: e.json_path)
    ]


def without_prose(node):
    if isinstance(node, dict):
        return {k: without_prose(v) for k, v in node.items() if k not in PROSE_KEYWORDS}
    if isinstance(node, list):
        return [without_prose(v) for v in node]
    return node


def shape_digest(schema):
    text = json.dumps(without_prose(schema), sort_keys=True, separators=(",", ":"))
    return hashlib.sha256(text.encode()).hexdigest()


def check_documents(schema_path, document_paths):
    checker = validator(load(schema_path))
    failures = 0
    for path in document_paths:
        try:
            document = load(path)
        except (OSError, ValueError) as error:
            print(f"{path}: not a JSON document: {error}")
            failures += 1
            continue
        for error in errors_of(checker, document):
            print(f"{path}: {error}")
            failures += 1
    return failures


# Changes of a real document that the schema must accept: facts the program may not know, and
# members it writes only sometimes.
def accepted_variants(sample):
    def unknown_facts(d):
        d["dateTime"] = {"text": "Unknown", "iso8601": None}
        d["architecture"].update(vendor=None, identifier=None)
        d["operatingSystem"] = {"name": None, "version": None}
        d["computerName"] = None
        d["ipAddress"] = None
        d["userName"] = {"name": None}

    def domains(d):
        d["userName"].update(domain="SALES", dnsDomain="sales.example.com")

    def redacted(d):
        d["redacted"] = ["computerName", "ipAddress", "macAddress"]
        d["ipAddress"] = "private address 1"

    def no_sections(d):
        for name in d.pop("sections"):
            del d[name]
        d["sections"] = []

    def unknown_drive_type(d):
        d["disk"]["drives"][0].update(typeCode=9, type="Unknown Type")

    def late_drives(d):
        late = {"totalBytes": None, "freeBytes": None, "usedBytes": None, "usagePercent": None,
                "timedOut": True}
        d["disk"]["drives"] += [
            {"letter": "M", "type": "Network Disk", "typeCode": 4, **late},
            {"letter": "N", "type": None, "typeCode": None, **late},
        ]

    def unknown_memory(d):
        unknown = {"totalBytes": None, "availableBytes": None, "usedBytes": None,
                   "usagePercent": None}
        d["memory"] = {"physical": dict(unknown), "pagingFile": dict(unknown)}

    def largest_counts(d):
        d["disk"]["total"].update(totalBytes=2**64 - 1, freeBytes=2**64 - 1, usedBytes=0)

    def extended_unknown(d):
        extended = d["extended"]
        extended.update(lastBootTime=None, upTimeSeconds=None, networkAdapters=[], dnsServers=[],
                        graphicsAdapters=[])
        for group in ("operatingSystem", "processor", "firmware"):
            extended[group] = {name: None for name in extended[group]}

    def extended_windows(d):
        extended = d["extended"]
        extended["operatingSystem"].update(
            edition="Professional", distribution=None, release="23H2", build="22631.2861",
            kernel=None, installDate="2023-11-14T23:13:20+01:00", systemArchitecture="ARM64",
            programArchitecture="x64")
        extended["firmware"].update(make="LENOVO", model="20L8S2N800", serialNumber="PF1ABCDE",
                                    biosVendor="LENOVO", biosVersion="N22ET80W (1.57 )",
                                    biosDate="2023-05-17")
        extended["networkAdapters"] = [
            {"name": "Ethernet", "kind": "Ethernet", "hardwareAddress": "00-1A-2B-3C-4D-5E",
             "ipv4": [{"address": "192.168.1.20", "prefixLength": 24}],
             "ipv6": [{"address": "2001:db8::20", "prefixLength": 64}],
             "gateways": ["192.168.1.1", "fe80::1"], "dnsServers": ["192.168.1.1"],
             "defaultRoute": False},
            {"name": "Corp VPN", "kind": "Tunnel/VPN", "hardwareAddress": None,
             "ipv4": [{"address": "10.8.0.2", "prefixLength": 32}], "ipv6": [], "gateways": [],
             "dnsServers": [], "defaultRoute": True},
            {"name": "Bluetooth", "kind": None, "hardwareAddress": None, "ipv4": [], "ipv6": [],
             "gateways": [], "dnsServers": [], "defaultRoute": False},
        ]
        extended["graphicsAdapters"] = [
            {"name": "NVIDIA GeForce RTX 3060", "driver": None, "driverVersion": "31.0.15.3623"}]

    return {
        "every unknown fact null": unknown_facts,
        "both domains set": domains,
        "no section selected": no_sections,
        "a redacted document": redacted,
        "a drive type code the report does not know": unknown_drive_type,
        "drives that did not answer in time": late_drives,
        "memory the system gave no counts for": unknown_memory,
        "sums at the largest count": largest_counts,
        "every extended fact unknown": extended_unknown,
        "extended facts as Windows gives them": extended_windows,
    }


# Changes the program never makes, each a fault a ticket system must be able to catch.
def rejected_variants():
    def drive(d):
        return d["disk"]["drives"][0]

    def extended_os(d):
        return d["extended"]["operatingSystem"]

    def adapter(d):
        d["extended"]["networkAdapters"].append(
            {"name": "eth9", "kind": "Ethernet", "hardwareAddress": "02-FC-00-00-00-09",
             "ipv4": [], "ipv6": [], "gateways": [], "dnsServers": [], "defaultRoute": False})
        return d["extended"]["networkAdapters"][-1]

    return {
        "a listed section without its member": lambda d: d.pop("memory"),
        "a member whose section is not listed": lambda d: d["sections"].remove("disk"),
        "a section listed twice": lambda d: d["sections"].append("disk"),
        "an unknown kind of redacted value": lambda d: d.update(redacted=["shoeSize"]),
        "an address stand-in of no kind": lambda d: d.update(ipAddress="public address 1"),
        "an unknown section name": lambda d: d["sections"].append("network"),
        "an unknown member": lambda d: d.update(extra=1),
        "an unknown member in a section": lambda d: d["memory"]["physical"].update(cachedBytes=0),
        "an unknown member in a drive": lambda d: drive(d).update(label="DATA"),
        "an unknown member in the totals": lambda d: d["disk"]["total"].update(letter="C"),
        "a byte count below 0": lambda d: drive(d).update(totalBytes=-1),
        "a byte count beyond 64 bits": lambda d: drive(d).update(totalBytes=2**64),
        "a byte count as text": lambda d: d["memory"]["physical"].update(totalBytes="1024"),
        "a byte count with a fraction": lambda d: drive(d).update(freeBytes=1.5),
        "a share above 100 percent": lambda d: drive(d).update(usagePercent=100.5),
        "a drive type that is not its code's": lambda d: drive(d).update(typeCode=3, type="RAM Disk"),
        "a drive letter before C": lambda d: drive(d).update(letter="A"),
        "a drive without its size": lambda d: drive(d).pop("totalBytes"),
        "a measured drive marked as late": lambda d: drive(d).update(timedOut=True),
        "a late drive with figures": lambda d: drive(d).update(timedOut=True, type=None,
                                                               typeCode=None),
        "a drive whose size alone is unknown": lambda d: drive(d).update(totalBytes=None),
        "memory whose total alone is unknown":
            lambda d: d["memory"]["physical"].update(totalBytes=None),
        "null for the MMX flag": lambda d: d["architecture"].update(mmx=None),
        "null for the measured clock": lambda d: d["cpuSpeed"].update(megahertz=None),
        "an address that is not IPv4": lambda d: d.update(ipAddress="192.168.1.256"),
        "no ISO time beside a known date": lambda d: d["dateTime"].update(iso8601=None),
        "an ISO time without its offset": lambda d: d["dateTime"].update(iso8601="2026-12-07T13:44:58"),
        "a domain that is null": lambda d: d["userName"].update(domain=None),
        "another product": lambda d: d.update(product="Other"),
        "an extended group missing": lambda d: d["extended"].pop("firmware"),
        "an unknown member in an extended group": lambda d: extended_os(d).update(codename="x"),
        "an up time below 0": lambda d: d["extended"].update(upTimeSeconds=-1),
        "a boot time without its offset": lambda d: d["extended"].update(
            lastBootTime="2026-12-07T09:13:02"),
        "a BIOS date as the firmware writes it": lambda d: d["extended"]["firmware"].update(
            biosDate="05/17/2023"),
        "no physical cores": lambda d: d["extended"]["processor"].update(physicalCores=0),
        "an adapter kind the program never writes": lambda d: adapter(d).update(kind="Modem"),
        "an adapter without its default-route flag": lambda d: adapter(d).pop("defaultRoute"),
        "an IPv4 prefix longer than 32": lambda d: adapter(d)["ipv4"].append(
            {"address": "10.0.0.1", "prefixLength": 33}),
        "an IPv6 address among the IPv4 ones": lambda d: adapter(d)["ipv4"].append(
            {"address": "2001:db8::1", "prefixLength": 64}),
        "a name server that is no address": lambda d: d["extended"]["dnsServers"].append("dns"),
        "a hardware address with colons": lambda d: adapter(d).update(
            hardwareAddress="00:1a:2b:3c:4d:5e"),
        "a graphics adapter without its name": lambda d: d["extended"]["graphicsAdapters"].append(
            {"driver": None, "driverVersion": None}),
    }


def check_schema(schema_path, sample_path):
    schema = load(schema_path)
    failures = []
    try:
        jsonschema.Draft202012Validator.check_schema(schema)
    except jsonschema.SchemaError as error:
        return [f"not a valid JSON Schema 2020-12: {error.message}"]
    checker = validator(schema)
    sample = load(sample_path)
    failures += [f"the sample itself: {e}" for e in errors_of(checker, sample)]

    for name, change in accepted_variants(sample).items():
        document = copy.deepcopy(sample)
        change(document)
        failures += [f"rejects {name}: {e}" for e in errors_of(checker, document)]
    for name, change in rejected_variants().items():
        document = copy.deepcopy(sample)
        change(document)
        if checker.is_valid(document):
            failures.append(f"accepts {name}")

    match = re.search(r"/kolt-info-report/([0-9]+)/", schema.get("$id", ""))
    if not match:
        failures.append(f"$id names no schema version: {schema.get('$id')!r}")
    else:
        version, digest = match.group(1), shape_digest(schema)
        if SHAPE_DIGESTS.get(version) != digest:
            failures.append(
                f"schema version {version} describes another shape than the one recorded for it:"
                f" a changed shape needs a new version in $id, and its digest {digest} recorded"
                f" in {__file__}"
            )
    return failures


def main(arguments):
    if len(arguments) == 3 and arguments[0] == "--schema":
        failures = check_schema(arguments[1], arguments[2])
        for failure in failures:
            print(f"schema: {failure}")
        return 1 if failures else 0
    if len(arguments) >= 2 and not arguments[0].startswith("--"):
        return 1 if check_documents(arguments[0], arguments[1:]) else 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
