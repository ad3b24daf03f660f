#include "console/json_report.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include <nlohmann/json.hpp>

#include "console/iso_time.h"
#include "kolt_version.h"

namespace kolt {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kProduct = "Kolt Information";

// The sections' names in the document, by their selection entry.
std::string_view SectionName(ReportSection section) {
    switch (section) {
        case ReportSection::All:
            break;
        case ReportSection::DateTime:
            return "dateTime";
        case ReportSection::Architecture:
            return "architecture";
        case ReportSection::OperatingSystem:
            return "operatingSystem";
        case ReportSection::ComputerName:
            return "computerName";
        case ReportSection::IpAddress:
            return "ipAddress";
        case ReportSection::UserName:
            return "userName";
        case ReportSection::Memory:
            return "memory";
        case ReportSection::CpuSpeed:
            return "cpuSpeed";
        case ReportSection::Disk:
            return "disk";
    }
    return "all";
}

template <typename Value>
Json OrNull(const std::optional<Value>& value) {
    return value ? Json(*value) : Json(nullptr);
}

std::string DottedAddress(const Ipv4Address& address) {
    const auto& octets = address.octets;
    return std::to_string(octets[0]) + "." + std::to_string(octets[1]) + "." +
           std::to_string(octets[2]) + "." + std::to_string(octets[3]);
}

Json MemoryKind(const MemoryKindFacts& kind) {
    return Json{{"totalBytes", kind.totalBytes},
                {"availableBytes", kind.availableBytes},
                {"usedBytes", kind.usedBytes},
                {"usagePercent", kind.usagePercent}};
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
        entry["type"] = CSystemReport::DriveTypeText(drive.typeCode);
        entry["typeCode"] = drive.typeCode;
        entry.update(Space(*drive.space));
        return entry;
    }
    const bool typeKnown = drive.typeCode != drive_type::kUnknown;
    entry["type"] = typeKnown ? Json(CSystemReport::DriveTypeText(drive.typeCode)) : Json(nullptr);
    entry["typeCode"] = typeKnown ? Json(drive.typeCode) : Json(nullptr);
    for (const char* figure : {"totalBytes", "freeBytes", "usedBytes", "usagePercent"}) {
        entry[figure] = nullptr;
    }
    entry["timedOut"] = true;
    return entry;
}

Json SectionValue(CSystemReport& composer, ReportSection section) {
    switch (section) {
        case ReportSection::All:
            break;
        case ReportSection::DateTime: {
            const std::optional<LocalTime> local = composer.QueryLocalTime();
            return Json{{"text", CSystemReport::DateText(local)},
                        {"iso8601", local ? Json(Iso8601(*local)) : Json(nullptr)}};
        }
        case ReportSection::Architecture: {
            const ProcessorInfo processor = composer.QueryProcessor();
            return Json{{"vendor", OrNull(processor.vendor)},
                        {"identifier", OrNull(processor.identifier)},
                        {"processors", composer.ProcessorCount()},
                        {"mmx", processor.mmx}};
        }
        case ReportSection::CpuSpeed: {
            const double megahertz = composer.MeasureCpuMhz();
            return Json{{"megahertz", megahertz},
                        {"processors", composer.ProcessorCount()},
                        {"totalMegahertz", megahertz * composer.ProcessorCount()}};
        }
        case ReportSection::OperatingSystem: {
            const OperatingSystemInfo os = composer.QueryOperatingSystem();
            return Json{{"name", OrNull(os.name)}, {"version", OrNull(os.version)}};
        }
        case ReportSection::ComputerName:
            return OrNull(composer.QueryComputerName());
        case ReportSection::IpAddress: {
            const std::optional<Ipv4Address> address = composer.QueryIpAddress();
            return address ? Json(DottedAddress(*address)) : Json(nullptr);
        }
        case ReportSection::UserName: {
            Json user{{"name", OrNull(composer.QueryUserName())}};
            const DomainFacts domains = composer.QueryDomains();
            // Absent, as the text report leaves their lines out, when the variables are unset.
            if (domains.domain) {
                user["domain"] = *domains.domain;
            }
            if (domains.dnsDomain) {
                user["dnsDomain"] = *domains.dnsDomain;
            }
            return user;
        }
        case ReportSection::Memory: {
            const MemoryFacts memory = composer.QueryMemory();
            return Json{{"physical", MemoryKind(memory.physical)},
                        {"pagingFile", MemoryKind(memory.pagingFile)}};
        }
        case ReportSection::Disk: {
            const DiskFacts disks = composer.QueryDisks();
            Json drives = Json::array();
            for (const ListedDrive& drive : disks.drives) {
                drives.push_back(DriveEntry(drive));
            }
            return Json{{"drives", std::move(drives)}, {"total", Space(disks.total)}};
        }
    }
    return nullptr;
}

}  // namespace

std::string BuildJsonReport(CSystemReport& composer, const SectionWanted& wanted) {
    Json document{{"product", kProduct}, {"version", KOLT_VERSION_TEXT}};
    Json sections = Json::array();
    Json values = Json::object();
    for (const ReportSection section : kReportOrder) {
        if (wanted(section)) {
            sections.push_back(SectionName(section));
            values[std::string(SectionName(section))] = SectionValue(composer, section);
        }
    }
    document["sections"] = std::move(sections);
    document.update(values);
    // Bytes that are not UTF-8 (a value in the system's 8-bit code page) become U+FFFD.
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

}  // namespace kolt
