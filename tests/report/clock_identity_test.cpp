#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "report/netbios_name.h"
#include "report/system_report.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

using test_support::ScriptedPlatform;

struct DateCase {
    LocalTime time;
    const char* expected;
};

void PrintTo(const DateCase& c, std::ostream* out) {
    *out << c.expected;
}

class DateLineTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateLineTest, WritesWeekdayMonthZeroPaddedDayTimeAndYear) {
    ScriptedPlatform platform;
    platform.localTime = GetParam().time;
    CSystemReport composer(platform);
    std::string report;
    composer.AppendDateTime(report);
    EXPECT_EQ(report, std::string("  Date and Time   : ") + GetParam().expected + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateLineTest,
    ::testing::Values(DateCase{{2026, 12, 6, 13, 44, 58, 0}, "Sun Dec 06 13:44:58 2026"},
                      DateCase{{2027, 3, 1, 9, 5, 7, 1}, "Mon Mar 01 09:05:07 2027"},
                      DateCase{{2027, 1, 31, 0, 0, 0, 0}, "Sun Jan 31 00:00:00 2027"},
                      DateCase{{2026, 12, 31, 23, 59, 59, 4}, "Thu Dec 31 23:59:59 2026"},
                      DateCase{{2026, 6, 30, 23, 59, 60, 2}, "Tue Jun 30 23:59:60 2026"},
                      DateCase{{2026, 2, 11, 12, 0, 0, 3}, "Wed Feb 11 12:00:00 2026"},
                      DateCase{{2026, 4, 10, 12, 0, 0, 5}, "Fri Apr 10 12:00:00 2026"},
                      DateCase{{2026, 5, 9, 12, 0, 0, 6}, "Sat May 09 12:00:00 2026"},
                      DateCase{{2026, 7, 17, 12, 0, 0, 5}, "Fri Jul 17 12:00:00 2026"},
                      DateCase{{2026, 8, 14, 12, 0, 0, 5}, "Fri Aug 14 12:00:00 2026"},
                      DateCase{{2026, 9, 18, 12, 0, 0, 5}, "Fri Sep 18 12:00:00 2026"},
                      DateCase{{2026, 10, 16, 12, 0, 0, 5}, "Fri Oct 16 12:00:00 2026"},
                      DateCase{{2026, 11, 20, 12, 0, 0, 5}, "Fri Nov 20 12:00:00 2026"},
                      DateCase{{999, 1, 1, 0, 0, 0, 0}, "Sun Jan 01 00:00:00 0999"}));

// The platform converts the time; the report shows what the platform's local time says.
TEST(DateLine, ShowsTheLocalTimeOfTheCurrentCalendarTime) {
    struct ZonePlatform : ScriptedPlatform {
        std::int64_t converted = -1;
        std::optional<LocalTime> ToLocalTime(std::int64_t calendarTime) override {
            converted = calendarTime;
            return LocalTime{2026, 12, 6, 14, 0, 0, 0};  // 12:00:00 UTC in UTC+2
        }
    } platform;
    platform.currentTime = 1'796'558'400;
    CSystemReport composer(platform);
    std::string report;
    composer.AppendDateTime(report);
    EXPECT_EQ(platform.converted, 1'796'558'400);
    EXPECT_EQ(report, "  Date and Time   : Sun Dec 06 14:00:00 2026\r\n");
}

TEST(DateLine, UnconvertibleOrNonsenseTimeIsUnknown) {
    const std::optional<LocalTime> unusable[] = {
        std::nullopt,
        LocalTime{2026, 13, 1, 0, 0, 0, 0},
        LocalTime{2026, 0, 1, 0, 0, 0, 0},
        LocalTime{2026, 1, 1, 0, 0, 0, 7},
        LocalTime{2026, 1, 1, 0, 0, 0, -1},
        LocalTime{2026, 1, 32, 0, 0, 0, 0},
        LocalTime{2026, 1, 1, 24, 0, 0, 0},
        LocalTime{-1, 1, 1, 0, 0, 0, 0},
    };
    for (const auto& time : unusable) {
        ScriptedPlatform platform;
        platform.localTime = time;
        CSystemReport composer(platform);
        std::string report;
        composer.AppendDateTime(report);
        EXPECT_EQ(report, "  Date and Time   : Unknown\r\n");
    }
}

std::string RepeatedWangs(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "\xE7\x8E\x8B";
    }
    return text;
}

struct NameCase {
    std::optional<std::string> name;
    std::string shown;
};

// Characters count as the wide area counts them: one UTF-16 unit each, two beyond U+FFFF.
TEST(ComputerName, FitsFifteenCharactersElseUnknown) {
    std::string fifteenCyrillic;
    for (int i = 0; i < 15; ++i) {
        fifteenCyrillic += "\xD0\x96";  // 30 bytes
    }
    const std::string sevenPairs =
        "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80"
        "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80"
        "\xF0\x9F\x98\x80";  // 14 units
    const NameCase cases[] = {
        {"DESK042", "DESK042"},
        {"ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNO"},  // 15: fits with its NUL
        {"ABCDEFGHIJKLMNOP", "Unknown"},         // 16: does not
        {fifteenCyrillic, fifteenCyrillic},
        {fifteenCyrillic + "A", "Unknown"},
        {sevenPairs + "A", sevenPairs + "A"},
        {sevenPairs + "AB", "Unknown"},
        {std::nullopt, "Unknown"},
        {"", ""},
    };
    for (const NameCase& c : cases) {
        ScriptedPlatform platform;
        platform.computerName = c.name;
        CSystemReport composer(platform);
        std::string report;
        composer.AppendComputerName(report);
        EXPECT_EQ(report, "  Computer Name   : " + c.shown + "\r\n");
    }
}

TEST(ComputerName, FailedSecondLookupShowsUnknownNotTheEarlierName) {
    ScriptedPlatform platform;
    CSystemReport composer(platform);
    std::string first;
    composer.AppendComputerName(first);
    platform.computerName = std::nullopt;
    std::string second;
    composer.AppendComputerName(second);
    EXPECT_EQ(first, "  Computer Name   : DESK042\r\n");
    EXPECT_EQ(second, "  Computer Name   : Unknown\r\n");
}

// A system that keeps no NetBIOS name gives its host name whole: the report makes the name
// Windows would keep from it.
TEST(NetbiosNameFromHostName, FirstLabelUpperCasedAndCutTo15) {
    struct Case {
        const char* host;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"vm", "VM"},
        {"desk042.sales.example.com", "DESK042"},
        {"Build-Server-07", "BUILD-SERVER-07"},
        {"fifteen-chars15", "FIFTEEN-CHARS15"},
        {"sixteen-chars-16.lan", "SIXTEEN-CHARS-1"},
        {"\xC3\xBCn\xC3\xAF", "\xC3\xBCN\xC3\xAF"},  // bytes beyond ASCII are left alone
        // Fifteen characters, never half of one: the 15th byte here begins the 15th character.
        {"abcdefghijklmn\xC3\xB6p.lan", "ABCDEFGHIJKLMN\xC3\xB6"},
        {"abcdefghijklmn\xF0\x9F\x98\x80", "ABCDEFGHIJKLMN"},
        {".starts-with-dot", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.host);
        EXPECT_EQ(NetbiosNameFromHostName(c.host), c.expected);
    }
}

TEST(UserName, FitsTwoHundredFiftySixCharactersElseUnknown) {
    const NameCase cases[] = {
        {"jsmith", "jsmith"},
        {std::string(256, 'u'), std::string(256, 'u')},
        {std::string(257, 'u'), "Unknown"},
        {"J\xC3\xBCrgen", "J\xC3\xBCrgen"},
        {RepeatedWangs(256), RepeatedWangs(256)},  // 768 bytes, 256 characters
        {RepeatedWangs(257), "Unknown"},
        {std::nullopt, "Unknown"},
    };
    for (const NameCase& c : cases) {
        ScriptedPlatform platform;
        platform.userName = c.name;
        CSystemReport composer(platform);
        std::string report;
        composer.AppendUserName(report);
        EXPECT_EQ(report, "  User Name       : " + c.shown + "\r\n");
    }
}

struct DomainCase {
    std::optional<std::string> domain;
    std::optional<std::string> dnsDomain;
    std::string lines;
};

TEST(UserName, DomainLinesFollowOnlyWhenTheirVariablesAreSet) {
    const std::string longDomain(300, 'd');
    const DomainCase cases[] = {
        {std::nullopt, std::nullopt, ""},
        {"SALES", std::nullopt, "  User Domain     : SALES\r\n"},
        {std::nullopt, "sales.example.com", "  User DNS Domain : sales.example.com\r\n"},
        {"SALES", "sales.example.com",
         "  User Domain     : SALES\r\n  User DNS Domain : sales.example.com\r\n"},
        {"", "", "  User Domain     : \r\n  User DNS Domain : \r\n"},
        // Written whole, beyond 255 bytes, byte for byte.
        {longDomain, " Mixed Case \t",
         "  User Domain     : " + longDomain + "\r\n  User DNS Domain :  Mixed Case \t\r\n"},
    };
    for (const DomainCase& c : cases) {
        ScriptedPlatform platform;
        if (c.domain) {
            platform.domains.domain = *c.domain;
        }
        if (c.dnsDomain) {
            platform.domains.dnsDomain = *c.dnsDomain;
        }
        CSystemReport composer(platform);
        std::string report;
        composer.AppendUserName(report);
        EXPECT_EQ(report, "  User Name       : jsmith\r\n" + c.lines);
    }
}

}  // namespace
}  // namespace kolt
