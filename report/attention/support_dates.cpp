#include "report/attention/support_dates.h"

#include <array>
#include <cctype>

namespace kolt::attention {

namespace {

// One release: its build, and the last day for Home and Pro editions and for Enterprise and
// Education. Releases without that split give both the same day. Dates from the vendor's
// published lifecycle pages (feature updates end on the second Tuesday of their month).
struct ReleaseRow {
    std::uint32_t build;
    std::string_view product;
    std::string_view release;
    CalendarDate homeAndPro;
    CalendarDate enterpriseAndEducation;
};

constexpr std::array<ReleaseRow, 23> kReleases{{
    {7600, "Windows 7", "", {2013, 4, 9}, {2013, 4, 9}},  // without Service Pack 1
    {7601, "Windows 7", "", {2020, 1, 14}, {2020, 1, 14}},
    {9200, "Windows 8", "", {2016, 1, 12}, {2016, 1, 12}},
    {9600, "Windows 8.1", "", {2023, 1, 10}, {2023, 1, 10}},
    {10240, "Windows 10", "1507", {2017, 5, 9}, {2017, 5, 9}},
    {10586, "Windows 10", "1511", {2017, 10, 10}, {2018, 4, 10}},
    {14393, "Windows 10", "1607", {2018, 4, 10}, {2019, 4, 9}},
    {15063, "Windows 10", "1703", {2018, 10, 9}, {2019, 10, 8}},
    {16299, "Windows 10", "1709", {2019, 4, 9}, {2020, 10, 13}},
    {17134, "Windows 10", "1803", {2019, 11, 12}, {2021, 5, 11}},
    {17763, "Windows 10", "1809", {2020, 11, 10}, {2021, 5, 11}},
    {18362, "Windows 10", "1903", {2020, 12, 8}, {2020, 12, 8}},
    {18363, "Windows 10", "1909", {2021, 5, 11}, {2022, 5, 10}},
    {19041, "Windows 10", "2004", {2021, 12, 14}, {2021, 12, 14}},
    {19042, "Windows 10", "20H2", {2022, 5, 10}, {2023, 5, 9}},
    {19043, "Windows 10", "21H1", {2022, 12, 13}, {2022, 12, 13}},
    {19044, "Windows 10", "21H2", {2023, 6, 13}, {2024, 6, 11}},
    {19045, "Windows 10", "22H2", {2025, 10, 14}, {2025, 10, 14}},
    {22000, "Windows 11", "21H2", {2023, 10, 10}, {2024, 10, 8}},
    {22621, "Windows 11", "22H2", {2024, 10, 8}, {2025, 10, 14}},
    {22631, "Windows 11", "23H2", {2025, 11, 11}, {2026, 11, 10}},
    {26100, "Windows 11", "24H2", {2026, 10, 13}, {2027, 10, 12}},
    {26200, "Windows 11", "25H2", {2027, 10, 12}, {2028, 10, 10}},
}};

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Enterprise, Education and IoT Enterprise editions (and their N and G variants) get the longer
// servicing of a feature update.
bool HasLongerServicing(std::string_view edition) {
    return StartsWith(edition, "Enterprise") || StartsWith(edition, "Education") ||
           StartsWith(edition, "IoTEnterprise");
}

// The long-term servicing channel ("EnterpriseS", "EnterpriseSN", "IoTEnterpriseS") keeps its own
// dates, years beyond those of the feature update it shares a build with.
bool IsLongTermServicing(std::string_view edition) {
    return edition == "EnterpriseS" || edition == "EnterpriseSN" || edition == "IoTEnterpriseS" ||
           edition == "IoTEnterpriseSK";
}

}  // namespace

std::optional<std::uint32_t> BuildNumber(std::string_view build) {
    std::uint32_t number = 0;
    std::size_t digits = 0;
    for (; digits < build.size() && std::isdigit(static_cast<unsigned char>(build[digits]));
         ++digits) {
        if (digits == 9) {
            return std::nullopt;  // no build has ten digits
        }
        number = number * 10 + static_cast<std::uint32_t>(build[digits] - '0');
    }
    if (digits == 0 || (digits < build.size() && build[digits] != '.')) {
        return std::nullopt;
    }
    return number;
}

bool IsServerEdition(std::string_view edition) {
    return StartsWith(edition, "Server");
}

std::optional<SupportEnd> SupportEndOf(std::uint32_t build,
                                       const std::optional<std::string>& edition) {
    if (edition && (IsServerEdition(*edition) || IsLongTermServicing(*edition))) {
        return std::nullopt;
    }
    for (const ReleaseRow& row : kReleases) {
        if (row.build == build) {
            const bool shorter = edition && !HasLongerServicing(*edition);
            return SupportEnd{row.product, row.release,
                              shorter ? row.homeAndPro : row.enterpriseAndEducation};
        }
    }
    return std::nullopt;
}

}  // namespace kolt::attention
