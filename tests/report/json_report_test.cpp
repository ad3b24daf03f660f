// The JSON form carries the facts the text report shows, as values: one scripted machine, both
// forms, and every text figure rendered again from the JSON value it came from.
#include "report/json_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "report/build_report.h"
#include "report/decimal_format.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

using Json = nlohmann::json;
using test_support::ScriptedPlatform;

void ScriptMachine(ScriptedPlatform& platform) {
    platform.processorCount = 2;
    platform.processor.vendor = "GenuineIntel";
    platform.processor.identifier = "x86 Family 15 Model 2 Stepping 9";
    platform.processor.mmx = true;
    platform.localTime = LocalTime{2026, 12, 6, 13, 44, 58, 0, 3600};
    platform.operatingSystem = {"Microsoft Windows XP", "5.1 Service Pack 1"};
    platform.clock = ClockWindow{2'793'125'000, 1'000'000, 1'000'000};
    platform.hostAddresses = {Ipv4Address{{192, 168, 1, 10}}, Ipv4Address{{10, 0, 0, 5}}};
    platform.domains.domain = "SALES";
    platform.memory = {{536'281'088, 209'715'200}, {1'317'011'456, 905'969'664}};
    platform.AddDrive('C', DriveKind::Fixed, 40'007'729'152, 12'884'901'888);
    platform.AddEmptyDrive('D', DriveKind::CdRom);
    platform.AddDrive('E', DriveKind::Network, 681'574'400, 0);
}

std::string TextReport() {
    ScriptedPlatform platform;
    ScriptMachine(platform);
    CSystemReport composer(platform);
    return BuildReport(composer, [](ReportSection) { return true; });
}

Json JsonReport(const SectionWanted& wanted = [](ReportSection) { return true; }) {
    ScriptedPlatform platform;
    ScriptMachine(platform);
    CSystemReport composer(platform);
    return Json::parse(BuildJsonReport(composer, wanted));
}

// The values of every line that starts with `label`, in order.
std::vector<std::string> ValuesOf(const std::string& report, const std::string& label) {
    std::vector<std::string> values;
    for (std::size_t at = report.find(label); at != std::string::npos;
         at = report.find(label, at + 1)) {
        if (at == 0 || report[at - 1] == '\n') {
            const std::size_t end = report.find("\r\n", at);
            values.push_back(report.substr(at + label.size(), end - at - label.size()));
        }
    }
    return values;
}

std::string Megabytes(const Json& bytes) {
    return FormatDecimal(std::ceil(bytes.get<double>() / 1048576.0), 0) + " Mb";
}

std::string ByteSize(const Json& bytes) {
    std::string text;
    CSystemReport::FormatByteSize(bytes.get<std::int64_t>(), text);
    return text + " ";
}

TEST(JsonReport, EveryTextFigureComesFromTheJsonValue) {
    const std::string text = TextReport();
    const Json json = JsonReport();
    const Json& memory = json["memory"];
    const Json& drives = json["disk"]["drives"];
    const Json& total = json["disk"]["total"];
    const struct {
        const char* label;
        std::vector<std::string> fromJson;
    } rows[] = {
        {"  Date and Time   : ", {json["dateTime"]["text"]}},
        {"  Architecture    : ", {"Genuine Intel"}},
        {"  Number of CPUs  : ", {std::to_string(json["architecture"]["processors"].get<int>())}},
        {"  CPU Type        : ", {json["architecture"]["identifier"]}},
        {"  CPU Speed       : ",
         {FormatDecimal(json["cpuSpeed"]["megahertz"], 2) + " (" +
          FormatDecimal(json["cpuSpeed"]["totalMegahertz"], 2) + ") Mhz"}},
        {"  Operating System: ", {json["operatingSystem"]["name"]}},
        {"  Version         : ", {json["operatingSystem"]["version"]}},
        {"  Computer Name   : ", {json["computerName"]}},
        {"  IP Address      : ", {json["ipAddress"]}},
        {"  User Name       : ", {json["userName"]["name"]}},
        {"  User Domain     : ", {json["userName"]["domain"]}},
        {"  Physical Memory : ", {Megabytes(memory["physical"]["totalBytes"])}},
        {"  Paging File     : ", {Megabytes(memory["pagingFile"]["totalBytes"])}},
        {"            Usage : ",
         {FormatDecimal(memory["physical"]["usagePercent"], 0) + " %",
          FormatDecimal(memory["pagingFile"]["usagePercent"], 0) + " %"}},
        {"             Free : ",
         {Megabytes(memory["physical"]["availableBytes"]),
          Megabytes(memory["pagingFile"]["availableBytes"])}},
        {"  Disk C      Type: ", {drives[0]["type"]}},
        {"  Disk E      Type: ", {drives[1]["type"]}},
        {"             Usage: ",
         {FormatDecimal(drives[0]["usagePercent"], 2) + " %",
          FormatDecimal(drives[1]["usagePercent"], 2) + " %",
          FormatDecimal(total["usagePercent"], 2) + " %"}},
        {"              Size: ",
         {ByteSize(drives[0]["totalBytes"]), ByteSize(drives[1]["totalBytes"]),
          ByteSize(total["totalBytes"])}},
        {"              Free: ",
         {ByteSize(drives[0]["freeBytes"]), ByteSize(drives[1]["freeBytes"]),
          ByteSize(total["freeBytes"])}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ValuesOf(text, row.label), row.fromJson) << row.label;
    }

    // And the values are the machine's own, not text.
    EXPECT_EQ(json["architecture"]["vendor"], "GenuineIntel");
    EXPECT_EQ(json["architecture"]["mmx"], true);
    EXPECT_EQ(json["dateTime"]["iso8601"], "2026-12-06T13:44:58+01:00");
    EXPECT_EQ(memory["physical"]["totalBytes"], 536'281'088u);
    EXPECT_EQ(memory["physical"]["usedBytes"], 536'281'088u - 209'715'200u);
    EXPECT_EQ(drives.size(), 2u);  // D: holds no medium
    EXPECT_EQ(drives[1]["letter"], "E");
    EXPECT_EQ(drives[1]["typeCode"], 4);
    EXPECT_EQ(total["totalBytes"], 40'007'729'152u + 681'574'400u);
    EXPECT_FALSE(json["userName"].contains("dnsDomain"));
}

TEST(JsonReport, SectionsFollowTheSelectionInReportOrderAndUnknownsAreNull) {
    ScriptedPlatform platform;
    platform.computerName = std::nullopt;
    platform.localTime = LocalTime{2027, 3, 1, 9, 5, 7, 1, -5 * 3600 - 30 * 60};
    CSystemReport composer(platform);
    const Json json = Json::parse(BuildJsonReport(composer, [](ReportSection section) {
        return section == ReportSection::ComputerName || section == ReportSection::DateTime ||
               section == ReportSection::IpAddress;
    }));
    EXPECT_EQ(json["product"], "Kolt Information");
    EXPECT_EQ(json["version"], "2.11");
    EXPECT_EQ(json["sections"], (Json{"dateTime", "computerName", "ipAddress"}));
    EXPECT_EQ(json["dateTime"]["iso8601"], "2027-03-01T09:05:07-05:30");
    EXPECT_TRUE(json["computerName"].is_null());
    EXPECT_TRUE(json["ipAddress"].is_null());
    EXPECT_FALSE(json.contains("memory"));
}

// Memory the system gave no counts for is null in every figure, never an empty machine.
TEST(JsonReport, UnknownMemoryHasNullFigures) {
    ScriptedPlatform platform;
    platform.memory = std::nullopt;
    CSystemReport composer(platform);
    const Json json = Json::parse(BuildJsonReport(
        composer, [](ReportSection section) { return section == ReportSection::Memory; }));
    const Json nullFigures = {{"totalBytes", nullptr},
                              {"availableBytes", nullptr},
                              {"usedBytes", nullptr},
                              {"usagePercent", nullptr}};
    EXPECT_EQ(json["memory"], (Json{{"physical", nullFigures}, {"pagingFile", nullFigures}}));
}

// Every time reads back as the moment it is: an offset with seconds in it, or beyond what the
// format can state, gives the same moment in UTC instead of a wrong or unreadable offset.
TEST(JsonReport, TimeZonesThatTheOffsetFormCannotStateGiveUtc) {
    const struct {
        LocalTime local;
        const char* iso8601;
    } cases[] = {
        {{2026, 12, 6, 13, 44, 58, 0, 0}, "2026-12-06T13:44:58+00:00"},
        {{2026, 12, 6, 13, 44, 58, 0, 23 * 3600 + 59 * 60}, "2026-12-06T13:44:58+23:59"},
        {{2026, 12, 6, 13, 44, 58, 0, -(23 * 3600 + 59 * 60)}, "2026-12-06T13:44:58-23:59"},
        // TZ=ABC-0:19:32, across the turn of the year.
        {{2026, 1, 1, 0, 10, 0, 4, 19 * 60 + 32}, "2025-12-31T23:50:28Z"},
        {{2026, 3, 1, 0, 59, 59, 0, 24 * 3600 + 59 * 60 + 59}, "2026-02-28T00:00:00Z"},
        {{2024, 2, 28, 23, 0, 0, 3, -24 * 3600}, "2024-02-29T23:00:00Z"},
        {{1970, 1, 1, 0, 0, 5, 4, -7}, "1970-01-01T00:00:12Z"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.iso8601);
        ScriptedPlatform platform;
        platform.localTime = c.local;
        CSystemReport composer(platform);
        const Json json = Json::parse(BuildJsonReport(
            composer, [](ReportSection section) { return section == ReportSection::DateTime; }));
        EXPECT_EQ(json["dateTime"]["iso8601"], c.iso8601);
    }
}

// A drive that did not answer in time is listed, not dropped: its letter, its type where that was
// known without it, null figures and "timedOut"; the totals are the measured drives'.
TEST(JsonReport, DrivesThatDidNotAnswerInTimeAreListedAsSuch) {
    ScriptedPlatform platform;
    platform.AddDrive('C', DriveKind::Fixed, 4096, 1024);
    platform.drives.push_back(DriveInfo{'M', DriveKind::Network, std::nullopt, false});
    platform.drives.push_back(DriveInfo{'N', DriveKind::Unknown, std::nullopt, false});
    CSystemReport composer(platform);
    const Json disk = Json::parse(BuildJsonReport(
        composer, [](ReportSection section) { return section == ReportSection::Disk; }))["disk"];
    const auto late = [](const char* letter, Json type, Json typeCode) {
        return Json{{"letter", letter},        {"type", type},         {"typeCode", typeCode},
                    {"totalBytes", nullptr},   {"freeBytes", nullptr}, {"usedBytes", nullptr},
                    {"usagePercent", nullptr}, {"timedOut", true}};
    };
    ASSERT_EQ(disk["drives"].size(), 3u);
    EXPECT_FALSE(disk["drives"][0].contains("timedOut"));
    EXPECT_EQ(disk["drives"][1], late("M", "Network Disk", 4));
    EXPECT_EQ(disk["drives"][2], late("N", nullptr, nullptr));
    EXPECT_EQ(disk["total"]["totalBytes"], 4096u);
}

// Values from outside go into the document whole: quotes, backslashes, line ends and control
// bytes are escaped, characters beyond ASCII (a C1 control among them) stay exact, and bytes
// that are not UTF-8 become U+FFFD, so nothing breaks the document.
TEST(JsonReport, HostileValuesRoundTrip) {
    const std::string hostile = std::string("a\"b\\c\r\n  \"x\": 1,\x01\0z", 19);
    const std::string name = "}{\"Zo\xC3\xAB \xE7\x8E\x8B\xE4\xBC\x9F\xC2\x9B";
    ScriptedPlatform platform;
    platform.domains.domain = hostile;
    platform.domains.dnsDomain = "caf\xe9\xff.example";
    platform.userName = name;
    CSystemReport composer(platform);
    const std::string document = BuildJsonReport(
        composer, [](ReportSection section) { return section == ReportSection::UserName; });
    const Json json = Json::parse(document);
    EXPECT_EQ(json["userName"]["name"], name);
    EXPECT_NE(document.find("Zo\xC3\xAB \xE7\x8E\x8B\xE4\xBC\x9F"), std::string::npos)
        << "written as UTF-8, not escaped";
    EXPECT_EQ(json["userName"]["domain"], hostile);
    EXPECT_EQ(json["userName"]["dnsDomain"], "caf\xEF\xBF\xBD\xEF\xBF\xBD.example");
    EXPECT_EQ(document.find('\r'), std::string::npos);
}

}  // namespace
}  // namespace kolt
