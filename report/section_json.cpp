#include "report/section_json.h"

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "report/iso_time.h"
#include "report/system_report.h"

namespace kolt {

namespace {

template <typename Value>
Json OrNull(const std::optional<Value>& value) {
    return value ? Json(*value) : Json(nullptr);
}

// The number the document gives each drive kind: a code the JSON form has always written, with
// "Unknown Type" from 7 on.
std::uint32_t DocumentTypeCode(DriveKind kind) {
    switch (kind) {
        case DriveKind::Unknown:
            return 0;
        case DriveKind::NoRootDirectory:
            return 1;
        case DriveKind::Removable:
            return 2;
        case DriveKind::Fixed:
            return 3;
        case DriveKind::Network:
            return 4;
        case DriveKind::CdRom:
            return 5;
        case DriveKind::RamDisk:
            return 6;
        case DriveKind::Other:
            break;
    }
    return 7;
}

// A kind of memory the system gave no counts for keeps its members, each null.
Json MemoryKind(const std::optional<MemoryKindFacts>& kind) {
    if (!kind) {
        return Json{{"totalBytes", nullptr},
                    {"availableBytes", nullptr},
                    {"usedBytes", nullptr},
                    {"usagePercent", nullptr}};
    }
    return Json{{"totalBytes", kind->totalBytes},
                {"availableBytes", kind->availableBytes},
                {"usedBytes", kind->usedBytes},
                {"usagePercent", kind->usagePercent}};
}

Json Space(const SpaceFacts& space) {
    return Json{{"totalBytes", space.totalBytes},
                {"freeBytes", space.freeBytes},
                {"usedBytes", space.usedBytes},
                {"usagePercent", space.usagePercent}};
}

// A measured drive with its type and figures; one that did not answer in time with its type where
// that was known without it, null figures and "timedOut" true.
Json DriveEntry(const ListedDrive& drive) {
    Json entry{{"letter", std::string(1, drive.letter)}};
    if (drive.space) {
        entry["type"] = CSystemReport::DriveTypeText(drive.kind);
        entry["typeCode"] = DocumentTypeCode(drive.kind);
        entry.update(Space(*drive.space));
        return entry;
    }
    const bool typeKnown = drive.kind != DriveKind::Unknown;
    entry["type"] = typeKnown ? Json(CSystemReport::DriveTypeText(drive.kind)) : Json(nullptr);
    entry["typeCode"] = typeKnown ? Json(DocumentTypeCode(drive.kind)) : Json(nullptr);
    for (const char* figure : {"totalBytes", "freeBytes", "usedBytes", "usagePercent"}) {
        entry[figure] = nullptr;
    }
    entry["timedOut"] = true;
    return entry;
}

}  // namespace

void WriteDateTimeJson(const DateTimeFacts& facts, Json& value) {
    value = Json{{"text", CSystemReport::DateText(facts.local)},
                 {"iso8601", facts.local ? Json(Iso8601(*facts.local)) : Json(nullptr)}};
}

void WriteArchitectureJson(const ArchitectureFacts& facts, Json& value) {
    value = Json{{"vendor", OrNull(facts.found.vendor)},
                 {"identifier", OrNull(facts.found.identifier)},
                 {"processors", facts.processors},
                 {"mmx", facts.found.mmx}};
}

void WriteCpuSpeedJson(const CpuSpeedFacts& facts, Json& value) {
    value = Json{{"megahertz", facts.megahertz},
                 {"processors", facts.processors},
                 {"totalMegahertz", facts.megahertz * facts.processors}};
}

void WriteOperatingSystemJson(const OperatingSystemFacts& facts, Json& value) {
    value = Json{{"name", OrNull(facts.found.name)}, {"version", OrNull(facts.found.version)}};
}

void WriteComputerNameJson(const ComputerNameFacts& facts, Json& value) {
    value = OrNull(facts.name);
}

void WriteIpAddressJson(const IpAddressFacts& facts, Json& value) {
    value = facts.address ? Json(DottedAddress(*facts.address)) : Json(nullptr);
}

void WriteUserJson(const UserFacts& facts, Json& value) {
    value = Json{{"name", OrNull(facts.name)}};
    // Absent, as the text report leaves their lines out, when the session names no domain.
    if (facts.domains.domain) {
        value["domain"] = *facts.domains.domain;
    }
    if (facts.domains.dnsDomain) {
        value["dnsDomain"] = *facts.domains.dnsDomain;
    }
}

void WriteMemoryJson(const MemoryFacts& facts, Json& value) {
    value = Json{{"physical", MemoryKind(facts.physical)},
                 {"pagingFile", MemoryKind(facts.pagingFile)}};
}

void WriteDisksJson(const DiskFacts& facts, Json& value) {
    Json drives = Json::array();
    for (const ListedDrive& drive : facts.drives) {
        drives.push_back(DriveEntry(drive));
    }
    value = Json{{"drives", std::move(drives)}, {"total", Space(facts.total)}};
}

}  // namespace kolt
