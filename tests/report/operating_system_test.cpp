#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "report/system_report.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

using testing::ScriptedPlatform;

const std::string kNt = "Software\\Microsoft\\Windows NT\\CurrentVersion";
const std::string kOther = "Software\\Microsoft\\Windows\\CurrentVersion";

struct Value {
    std::string key;
    std::string name;
    std::variant<std::string, std::uint32_t> data;
};

void Store(ScriptedPlatform& platform, const std::vector<Value>& values) {
    for (const Value& value : values) {
        if (const auto* text = std::get_if<std::string>(&value.data)) {
            platform.SetRegistryText(value.key, value.name, *text);
        } else {
            platform.SetRegistryDword(value.key, value.name, std::get<std::uint32_t>(value.data));
        }
    }
}

struct OsCase {
    const char* what;
    std::vector<std::string> keys;  // keys that exist, with or without values
    std::vector<Value> values;
    std::string name;
    std::string version;
};

void PrintTo(const OsCase& c, std::ostream* out) {
    *out << c.what;
}

class OperatingSystemTest : public ::testing::TestWithParam<OsCase> {};

TEST_P(OperatingSystemTest, WritesNameAndVersionLines) {
    const OsCase& c = GetParam();
    ScriptedPlatform platform;
    for (const std::string& key : c.keys) {
        platform.AddRegistryKey(key);
    }
    Store(platform, c.values);
    CSystemReport composer(platform);
    std::string report;
    composer.AppendOperatingSystem(report);
    EXPECT_EQ(report,
              "  Operating System: " + c.name + "\r\n  Version         : " + c.version + "\r\n")
        << c.what;
}

const std::string k63(63, 'n');
const std::string k64(64, 'n');

INSTANTIATE_TEST_SUITE_P(
    EarlierFamilies, OperatingSystemTest,
    ::testing::Values(
        OsCase{"XP with a service pack",
               {kNt},
               {{kNt, "ProductName", "Microsoft Windows XP"},
                {kNt, "CurrentVersion", "5.1"},
                {kNt, "CSDVersion", "Service Pack 1"}},
               "Microsoft Windows XP",
               "5.1 Service Pack 1"},
        OsCase{"no service pack: no trailing space",
               {kNt},
               {{kNt, "ProductName", "Microsoft Windows 2000"}, {kNt, "CurrentVersion", "5.0"}},
               "Microsoft Windows 2000",
               "5.0"},
        OsCase{"empty service pack keeps its space",
               {kNt},
               {{kNt, "ProductName", "Microsoft Windows 2000"},
                {kNt, "CurrentVersion", "5.0"},
                {kNt, "CSDVersion", ""}},
               "Microsoft Windows 2000",
               "5.0 "},
        OsCase{
            "unreadable version: service pack not read",
            {kNt},
            {{kNt, "ProductName", "Microsoft Windows XP"}, {kNt, "CSDVersion", "Service Pack 2"}},
            "Microsoft Windows XP",
            ""},
        OsCase{"the other family only",
               {kOther},
               {{kOther, "ProductName", "Microsoft Windows 98"},
                {kOther, "VersionNumber", "4.10.2222"}},
               "Microsoft Windows 98",
               "4.10.2222"},
        OsCase{"no key at all", {}, {}, "Not Found", ""},
        OsCase{"other family key without a product name",
               {kOther},
               {{kOther, "VersionNumber", "4.10.2222"}},
               "Not Found",
               ""},
        OsCase{"NT key without a product name, nothing else",
               {kNt},
               {{kNt, "CurrentVersion", "4.0"}, {kNt, "CSDVersion", "Service Pack 6"}},
               "Windows NT",
               "4.0 Service Pack 6"},
        OsCase{"NT key without a product name, the other key names it",
               {kNt, kOther},
               {{kNt, "CurrentVersion", "4.0"},
                {kOther, "ProductName", "Other Name"},
                {kOther, "VersionNumber", "4.90"}},
               "Other Name",
               "4.90"},
        OsCase{"other key names it but has no version: the NT version stays",
               {kNt, kOther},
               {{kNt, "CurrentVersion", "4.0"}, {kOther, "ProductName", "Other Name"}},
               "Other Name",
               "4.0"},
        OsCase{"63 characters fit the area",
               {kNt},
               {{kNt, "ProductName", k63}, {kNt, "CurrentVersion", "5.1"}},
               k63,
               "5.1"},
        OsCase{"64 characters do not: the other key is consulted",
               {kNt, kOther},
               {{kNt, "ProductName", k64},
                {kNt, "CurrentVersion", "5.1"},
                {kOther, "ProductName", "Fallback"}},
               "Fallback",
               "5.1"},
        OsCase{"a product name of exactly the placeholder text also consults the other key",
               {kNt, kOther},
               {{kNt, "ProductName", "Windows NT"}, {kOther, "ProductName", "Fallback"}},
               "Fallback",
               ""},
        OsCase{"placeholder comparison is case-sensitive",
               {kNt, kOther},
               {{kNt, "ProductName", "windows nt"}, {kOther, "ProductName", "Fallback"}},
               "windows nt",
               ""}));

// Windows 10 and later, told apart by the numeric major version.
std::vector<Value> Windows10Values(const std::string& productName, const std::string& build) {
    return {{kNt, "ProductName", productName},
            {kNt, "CurrentVersion", "6.3"},
            {kNt, "CurrentMajorVersionNumber", std::uint32_t{10}},
            {kNt, "CurrentMinorVersionNumber", std::uint32_t{0}},
            {kNt, "CurrentBuildNumber", build}};
}

std::vector<Value> With(std::vector<Value> values, const std::vector<Value>& more) {
    values.insert(values.end(), more.begin(), more.end());
    return values;
}

INSTANTIATE_TEST_SUITE_P(
    NumericVersion, OperatingSystemTest,
    ::testing::Values(OsCase{"Windows 11 Pro 23H2",
                             {kNt},
                             With(Windows10Values("Windows 10 Pro", "22631"),
                                  {{kNt, "UBR", std::uint32_t{4460}},
                                   {kNt, "DisplayVersion", "23H2"},
                                   {kNt, "ReleaseId", "2009"}}),
                             "Windows 11 Pro",
                             "10.0.22631.4460 23H2"},
                      OsCase{"first Windows 11 build",
                             {kNt},
                             Windows10Values("Windows 10 Home", "22000"),
                             "Windows 11 Home",
                             "10.0.22000"},
                      OsCase{"last Windows 10 build keeps its name",
                             {kNt},
                             With(Windows10Values("Windows 10 Enterprise", "21999"),
                                  {{kNt, "UBR", std::uint32_t{1}}}),
                             "Windows 10 Enterprise",
                             "10.0.21999.1"},
                      OsCase{"ReleaseId where DisplayVersion is missing",
                             {kNt},
                             With(Windows10Values("Windows 10 Pro", "19041"),
                                  {{kNt, "UBR", std::uint32_t{208}}, {kNt, "ReleaseId", "2004"}}),
                             "Windows 10 Pro",
                             "10.0.19041.208 2004"},
                      OsCase{"empty DisplayVersion falls back to ReleaseId",
                             {kNt},
                             With(Windows10Values("Windows 10 Pro", "19045"),
                                  {{kNt, "DisplayVersion", ""}, {kNt, "ReleaseId", "2009"}}),
                             "Windows 10 Pro",
                             "10.0.19045 2009"},
                      OsCase{"empty release texts add nothing",
                             {kNt},
                             With(Windows10Values("Windows 10 Pro", "19045"),
                                  {{kNt, "DisplayVersion", ""}, {kNt, "ReleaseId", ""}}),
                             "Windows 10 Pro",
                             "10.0.19045"},
                      OsCase{"CSDVersion is not part of the numeric version",
                             {kNt},
                             With(Windows10Values("Windows 10 Pro", "19045"),
                                  {{kNt, "CSDVersion", "Service Pack 1"}}),
                             "Windows 10 Pro",
                             "10.0.19045"},
                      OsCase{"server names are not renamed",
                             {kNt},
                             Windows10Values("Windows Server 2022 Standard", "20348"),
                             "Windows Server 2022 Standard",
                             "10.0.20348"},
                      OsCase{"only a leading Windows 10 is renamed",
                             {kNt},
                             Windows10Values("Microsoft Windows 10 Pro", "22631"),
                             "Microsoft Windows 10 Pro",
                             "10.0.22631"},
                      OsCase{"Windows 100 is not Windows 10",
                             {kNt},
                             Windows10Values("Windows 100", "22631"),
                             "Windows 100",
                             "10.0.22631"},
                      OsCase{"bare Windows 10 is renamed",
                             {kNt},
                             Windows10Values("Windows 10", "26100"),
                             "Windows 11",
                             "10.0.26100"},
                      OsCase{"build that is not a number: shown, no renaming",
                             {kNt},
                             Windows10Values("Windows 10 Pro", "22631a"),
                             "Windows 10 Pro",
                             "10.0.22631a"},
                      OsCase{"no build number: no build, no UBR, no renaming",
                             {kNt},
                             {{kNt, "ProductName", "Windows 10 Pro"},
                              {kNt, "CurrentMajorVersionNumber", std::uint32_t{10}},
                              {kNt, "CurrentMinorVersionNumber", std::uint32_t{0}},
                              {kNt, "UBR", std::uint32_t{4460}},
                              {kNt, "DisplayVersion", "23H2"}},
                             "Windows 10 Pro",
                             "10.0 23H2"},
                      OsCase{"no minor version counts as 0",
                             {kNt},
                             {{kNt, "ProductName", "Windows 10 Pro"},
                              {kNt, "CurrentMajorVersionNumber", std::uint32_t{10}},
                              {kNt, "CurrentBuildNumber", "22631"}},
                             "Windows 11 Pro",
                             "10.0.22631"},
                      OsCase{"major version stored as text is not the numeric rule",
                             {kNt},
                             {{kNt, "ProductName", "Windows 10 Pro"},
                              {kNt, "CurrentVersion", "6.3"},
                              {kNt, "CurrentMajorVersionNumber", "10"},
                              {kNt, "CurrentBuildNumber", "22631"}},
                             "Windows 10 Pro",
                             "6.3"},
                      OsCase{"no product name: the placeholder, then the other key",
                             {kNt, kOther},
                             {{kNt, "CurrentMajorVersionNumber", std::uint32_t{10}},
                              {kNt, "CurrentMinorVersionNumber", std::uint32_t{0}},
                              {kNt, "CurrentBuildNumber", "22631"},
                              {kOther, "ProductName", "Windows 10 Fallback"}},
                             "Windows 10 Fallback",
                             "10.0.22631"}));

TEST(OperatingSystem, VersionKeepsItsEarlierValueWhenTheLookupFindsNone) {
    ScriptedPlatform platform;
    platform.AddRegistryKey(kNt);
    Store(platform, {{kNt, "ProductName", "Microsoft Windows XP"},
                     {kNt, "CurrentVersion", "5.1"},
                     {kNt, "CSDVersion", "Service Pack 1"}});
    CSystemReport composer(platform);
    std::string first;
    composer.AppendOperatingSystem(first);

    platform.registry.clear();
    std::string second;
    composer.AppendOperatingSystem(second);
    EXPECT_EQ(second,
              "  Operating System: Not Found\r\n  Version         : 5.1 Service Pack 1\r\n");
}

}  // namespace
}  // namespace kolt
