// The registry rules for the operating system and the processor, on canned registry values: they
// build and run on every platform, and the Win32 backend hands them the real registry.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/win32/registry_rules.h"
#include "tests/win32_rules/canned_registry.h"

namespace kolt::win32 {
namespace {

using test_support::CannedRegistry;
using test_support::Value;

const std::string kNt(kNtVersionKey);
const std::string kOther(kOtherFamilyKey);
const std::string kCpu(kProcessorKey);

struct OsCase {
    const char* what;
    std::vector<std::string> keys;  // keys that exist, with or without values
    std::vector<Value> values;
    std::optional<std::string> name;  // nullopt: no name found
    std::optional<std::string> version;
};

void PrintTo(const OsCase& c, std::ostream* out) {
    *out << c.what;
}

class OperatingSystemTest : public ::testing::TestWithParam<OsCase> {};

TEST_P(OperatingSystemTest, NameAndVersionFollowTheRegistry) {
    const OsCase& c = GetParam();
    CannedRegistry registry(c.keys, c.values);
    const OperatingSystemInfo os = ReadOperatingSystem(registry);
    EXPECT_EQ(os.name, c.name) << c.what;
    EXPECT_EQ(os.version, c.version) << c.what;
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
            std::nullopt},
        OsCase{"the other family only",
               {kOther},
               {{kOther, "ProductName", "Microsoft Windows 98"},
                {kOther, "VersionNumber", "4.10.2222"}},
               "Microsoft Windows 98",
               "4.10.2222"},
        OsCase{"no key at all", {}, {}, std::nullopt, std::nullopt},
        OsCase{"other family key without a product name",
               {kOther},
               {{kOther, "VersionNumber", "4.10.2222"}},
               std::nullopt,
               std::nullopt},
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
               std::nullopt},
        OsCase{"placeholder comparison is case-sensitive",
               {kNt, kOther},
               {{kNt, "ProductName", "windows nt"}, {kOther, "ProductName", "Fallback"}},
               "windows nt",
               std::nullopt}));

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
                      OsCase{"major version below 10 (Wine writes 6 for Windows 7): classic rule",
                             {kNt},
                             {{kNt, "ProductName", "Windows 7 Professional"},
                              {kNt, "CurrentVersion", "6.1"},
                              {kNt, "CSDVersion", "Service Pack 1"},
                              {kNt, "CurrentMajorVersionNumber", std::uint32_t{6}},
                              {kNt, "CurrentMinorVersionNumber", std::uint32_t{1}},
                              {kNt, "CurrentBuildNumber", "7601"}},
                             "Windows 7 Professional",
                             "6.1 Service Pack 1"},
                      OsCase{"no product name: the placeholder, then the other key",
                             {kNt, kOther},
                             {{kNt, "CurrentMajorVersionNumber", std::uint32_t{10}},
                              {kNt, "CurrentMinorVersionNumber", std::uint32_t{0}},
                              {kNt, "CurrentBuildNumber", "22631"},
                              {kOther, "ProductName", "Windows 10 Fallback"}},
                             "Windows 10 Fallback",
                             "10.0.22631"}));

TEST(ProcessorIdentity, ValuesThatDoNotFitTheirAreaAreUnreadable) {
    const struct {
        std::vector<std::string> keys;
        std::vector<Value> values;
        std::optional<std::string> vendor;
        std::optional<std::string> identifier;
    } cases[] = {
        {{kCpu},
         {{kCpu, "VendorIdentifier", "GenuineIntel"},
          {kCpu, "Identifier", "x86 Family 15 Model 2 Stepping 9"}},
         "GenuineIntel",
         "x86 Family 15 Model 2 Stepping 9"},
        {{kCpu},
         {{kCpu, "VendorIdentifier", std::string(64, 'v')},
          {kCpu, "Identifier", std::string(63, 'i')}},
         std::nullopt,
         std::string(63, 'i')},
        {{kCpu}, {{kCpu, "Identifier", "x86"}}, std::nullopt, "x86"},
        {{}, {}, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        CannedRegistry registry(c.keys, c.values);
        const ProcessorInfo processor = ReadProcessorIdentity(registry);
        EXPECT_EQ(processor.vendor, c.vendor);
        EXPECT_EQ(processor.identifier, c.identifier);
    }
}

std::string Wangs(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "\xE7\x8E\x8B";
    }
    return text;
}

TEST(TextInArea, DataAndItsNulMustFitSixtyFourCharacters) {
    const struct {
        const char* what;
        std::optional<std::string> data;
        std::optional<std::string> text;
    } cases[] = {
        {"terminated", std::string("abc\0", 4), "abc"},
        {"stored without its NUL, room left for it", "abcd", "abcd"},
        {"63 characters and the NUL", std::string(63, 'x') + '\0', std::string(63, 'x')},
        {"64 characters and the NUL", std::string(64, 'y') + '\0', std::nullopt},
        {"64 characters without a NUL: no room for it", std::string(64, 'y'), std::nullopt},
        {"text ends at the first NUL", std::string("ab\0cd\0", 6), "ab"},
        {"the whole data counts", std::string("ab\0") + std::string(70, 'c'), std::nullopt},
        {"no data at all", std::string(), std::string()},
        {"missing", std::nullopt, std::nullopt},
        // The wide area counts UTF-16 units: 63 three-byte characters and the NUL fit.
        {"63 characters beyond ASCII", Wangs(63) + '\0', Wangs(63)},
        {"64 characters beyond ASCII", Wangs(64) + '\0', std::nullopt},
        {"a character beyond U+FFFF takes two", Wangs(62) + "\xF0\x9F\x98\x80" + '\0',
         std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextInArea(c.data), c.text) << c.what;
    }
}

}  // namespace
}  // namespace kolt::win32
