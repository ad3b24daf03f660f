#!/usr/bin/python3
"""Checks documents of the console program's JSON form against the published schema.

    check_report_schema.py SCHEMA DOCUMENT...       every document must be valid
    check_report_schema.py --schema SCHEMA SAMPLE   the schema itself: a valid JSON Schema
        2020-12; it accepts the sample (a real document with every section, the Extended
        Information section among them) with every fact the program may leave unknown set to
        null, and rejects the sample changed in each way the program never writes; and the
        shape it describes is the one recorded for its version (in $id), or that shape grown

Prints one line per failure and exits 1 when there is one. Needs Debian's python3-jsonschema
(run with /usr/bin/python3).
"""

import copy
import hashlib
import json
import os
import re
import sys

import jsonschema

# The shape each schema version was published with, as a digest of the schema without its prose
# (see shape_digest). The shape itself is kept beside this file (report-schema-shapes/N.json) for
# the version in use, so that the schema can be compared with it: within a version the shape may
# only grow (members added, and new definitions for them), since a document of the grown shape
# still means to a ticket system that pinned the version what it meant before. A member removed,
# made optional, or changed in type, format, range or allowed values changes its meaning, and needs
# a new version in $id, its shape recorded there and its digest here.
SHAPE_DIGESTS = {
    "1": "a7eb5f8d7ff4b3fd153c697db13b8359100691f5c4a3ee853e2f3f7582e5269f",
    "2": "39632353fe6a059823188938018cb8add7f57559a0cfcf3b6906bf47cf1b6d56",
    "3": "589bf39025a2f53fa576676f4daf9c68aa7a65e213cb114f82c6798367301b2d",
}
SHAPES_FOLDER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "report-schema-shapes")
# Keywords whose members are names: a new name there is a new member or definition.
NAME_MAPS = {"properties", "$defs"}
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


def growth_faults(recorded, current, path="#"):
    """How `current` fails to be `recorded` or `recorded` grown: every recorded keyword kept with
    the same value (subschemas compared alike), new names only in properties and $defs, and
    required growing only by members that are themselves new."""
    if type(recorded) is not type(current):
        return [f"{path}: {json.dumps(recorded)} became {json.dumps(current)}"]
    if isinstance(recorded, list):
        if len(recorded) != len(current):
            return [f"{path}: {json.dumps(recorded)} became {json.dumps(current)}"]
        return [f for i, (r, c) in enumerate(zip(recorded, current))
                for f in growth_faults(r, c, f"{path}/{i}")]
    if not isinstance(recorded, dict):
        return [] if recorded == current else [f"{path}: {json.dumps(recorded)} became"
                                               f" {json.dumps(current)}"]
    faults = []
    for key in current.keys() - recorded.keys():
        faults.append(f"{path}: keyword {key} added to a published schema")
    for key, value in recorded.items():
        where = f"{path}/{key}"
        if key not in current:
            faults.append(f"{where}: removed")
        elif key in NAME_MAPS and isinstance(value, dict) and isinstance(current[key], dict):
            for name, subschema in value.items():
                if name not in current[key]:
                    faults.append(f"{where}/{name}: removed")
                else:
                    faults += growth_faults(subschema, current[key][name], f"{where}/{name}")
        elif key == "required" and isinstance(value, list) and isinstance(current[key], list):
            new_members = set(current.get("properties", {})) - set(recorded.get("properties", {}))
            faults += [f"{where}: {name} no longer required" for name in value
                       if name not in current[key]]
            faults += [f"{where}: {name}, a published member, made required"
                       for name in current[key] if name not in value and name not in new_members]
        else:
            faults += growth_faults(value, current[key], where)
    return faults


def shape_faults(schema):
    match = re.search(r"/kolt-info-report/([0-9]+)/", schema.get("$id", ""))
    if not match:
        return [f"$id names no schema version: {schema.get('$id')!r}"]
    version = match.group(1)
    recorded_path = os.path.join(SHAPES_FOLDER, f"{version}.json")
    digest = shape_digest(schema)
    try:
        recorded = load(recorded_path)
    except (OSError, ValueError):
        return [f"schema version {version} has no recorded shape: a new version needs its shape"
                f" (the schema without its prose) in {recorded_path}, and its digest {digest}"
                f" recorded in {__file__}"]
    if SHAPE_DIGESTS.get(version) != shape_digest(recorded):
        return [f"the shape recorded in {recorded_path} is not the one version {version} was"
                f" published with"]
    return [f"schema version {version} changes its published shape ({fault}): a changed member"
            f" needs a new version in $id" for fault in growth_faults(recorded, without_prose(schema))]


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
        d.pop("findings")
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

    def desk_unknown(d):
        d["extended"].update(
            restartPending=None, updates=None, printers=None, displays=[], onMains=None,
            battery=None, timeSource=None,
            security={"antivirus": None,
                      "firewall": {"domain": None, "private": None, "public": None}},
            proxy={"user": None, "machine": None, "environment": []})

    def desk_windows(d):
        d["extended"].update(
            restartPending={"pending": True, "reasons": ["windowsUpdate", "fileRenames"],
                            "packageCount": None, "since": "2026-12-03T09:13:02+01:00"},
            updates={"newestId": "KB5032190", "newestDate": "2026-11-14", "count": 214},
            security={"antivirus": [{"name": "Defender", "enabled": True, "upToDate": None}],
                      "firewall": {"domain": True, "private": True, "public": False}},
            printers=[{"name": "\\\\server\\Floor 2", "network": True, "default": True,
                       "state": ["offline", "outOfPaper"], "jobsWaiting": 4},
                      {"name": "Desk", "network": False, "default": False, "state": [],
                       "jobsWaiting": None}],
            displays=[{"name": "DELL U2720Q", "width": 3840, "height": 2160, "refreshHz": 60,
                       "scalePercent": 150, "primary": True}],
            onMains=False,
            battery=[{"name": None, "chargePercent": 87, "healthPercent": 100, "cycleCount": None}],
            proxy={"user": {"server": "u:***@proxy:8080", "bypass": "<local>",
                            "autoConfigUrl": None, "autoDetect": True},
                   "machine": {"server": None, "bypass": None}, "environment": []},
            timeSource={"type": "NTP", "servers": ["time.windows.com,0x9"],
                        "serviceRunning": True, "synchronised": None})

    def desk_linux(d):
        d["extended"].update(
            restartPending={"pending": False, "reasons": [], "packageCount": None, "since": None},
            updates={"newestId": None, "newestDate": "2026-12-01", "count": None},
            printers=[], battery=[], onMains=True,
            proxy={"user": None, "machine": None,
                   "environment": [{"name": "https_proxy", "value": "http://a:***@p:3128"}]},
            timeSource={"type": None, "servers": [], "serviceRunning": None,
                        "synchronised": True})
    def findings(d):
        d["findings"] = [
            {"code": "drive-almost-full", "severity": "warning",
             "text": "Drive C: has 1.20 Gb free (1 %)",
             "facts": {"drive": "C", "freeBytes": 1288490188, "totalBytes": 128849018880,
                       "freePercent": 1}},
            {"code": "restart-pending", "severity": "notice",
             "text": "A restart is pending: Windows Update", "facts": {"reasons": "Windows Update"}},
            {"code": "memory-almost-full", "severity": "notice",
             "text": "Physical memory is 93.4 % in use (529 Mb free)",
             "facts": {"usagePercent": 93.4, "availableBytes": 554696704}},
            {"code": "no-ipv4-address", "severity": "warning",
             "text": "No IPv4 address but loopback: the machine is not on a network", "facts": {}},
        ]

    def no_findings(d):
        d["findings"] = []

    return {
        "every unknown fact null": unknown_facts,
        "findings of each severity": findings,
        "nothing that looks wrong": no_findings,
        "both domains set": domains,
        "no section selected": no_sections,
        "a redacted document": redacted,
        "a drive type code the report does not know": unknown_drive_type,
        "drives that did not answer in time": late_drives,
        "memory the system gave no counts for": unknown_memory,
        "sums at the largest count": largest_counts,
        "every extended fact unknown": extended_unknown,
        "extended facts as Windows gives them": extended_windows,
        "every desk fact unknown": desk_unknown,
        "desk facts as Windows gives them": desk_windows,
        "desk facts as Linux gives them": desk_linux,
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

    def desk(d, **members):
        d["extended"].update(members)

    def printer(**changes):
        return [{"name": "P", "network": False, "default": False, "state": [],
                 "jobsWaiting": None, **changes}]
    def finding(d):
        d["findings"].append({"code": "up-too-long", "severity": "notice",
                              "text": "Up for 45 days without a restart",
                              "facts": {"upTimeSeconds": 3888000}})
        return d["findings"][-1]

    def without_extended(d):
        d["sections"].remove("extended")
        del d["extended"]

    return {
        "findings without the extended section": without_extended,
        "the extended section without findings": lambda d: d.pop("findings"),
        "a finding code the program never writes": lambda d: finding(d).update(code="disk-full"),
        "a severity the program never writes": lambda d: finding(d).update(severity="error"),
        "a finding without its facts": lambda d: finding(d).pop("facts"),
        "a finding's fact that is a list": lambda d: finding(d)["facts"].update(drives=["C"]),
        "an unknown member in a finding": lambda d: finding(d).update(hint="restart"),
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
        "a desk fact missing": lambda d: d["extended"].pop("printers"),
        "a restart pending without a reason": lambda d: desk(
            d, restartPending={"pending": True, "reasons": [], "packageCount": None, "since": None}),
        "a reason without a restart pending": lambda d: desk(
            d, restartPending={"pending": False, "reasons": ["fileRenames"], "packageCount": None,
                               "since": None}),
        "a restart reason the program never writes": lambda d: desk(
            d, restartPending={"pending": True, "reasons": ["kernel"], "packageCount": None,
                               "since": None}),
        "a printer state the program never writes": lambda d: desk(
            d, printers=printer(state=["ready"])),
        "a printer without its default flag": lambda d: desk(
            d, printers=[{"name": "P", "network": False, "state": [], "jobsWaiting": None}]),
        "a battery health above 100 percent": lambda d: desk(
            d, battery=[{"name": None, "chargePercent": None, "healthPercent": 101,
                         "cycleCount": None}]),
        "a display of no pixels": lambda d: desk(
            d, displays=[{"name": None, "width": 0, "height": 0, "refreshHz": None,
                          "scalePercent": None, "primary": False}]),
        "a proxy variable without its value": lambda d: desk(
            d, proxy={"user": None, "machine": None, "environment": [{"name": "http_proxy"}]}),
        "an update date as text": lambda d: desk(
            d, updates={"newestId": None, "newestDate": "14/11/2026", "count": None}),
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

    failures += shape_faults(schema)
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
