// The operating system's product name and version, read from the registry.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "report/report_lines.h"
#include "report/system_report.h"

namespace kolt {

namespace {

constexpr std::string_view kNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr std::string_view kOtherFamilyKey = "Software\\Microsoft\\Windows\\CurrentVersion";

// Every value is read into a 64-byte area; a longer text is not readable.
constexpr std::size_t kValueArea = 64;

constexpr std::string_view kNotFound = "Not Found";
constexpr std::string_view kWindowsNt = "Windows NT";

// Windows 11 keeps "Windows 10" in its product name; its builds start here.
constexpr std::uint64_t kFirstWindows11Build = 22000;
constexpr std::string_view kWindows10Prefix = "Windows 10";

std::optional<std::uint64_t> ParseWholeNumber(std::string_view text) {
    std::uint64_t number = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

// "Windows 10 Pro" on build 22000 or later is "Windows 11 Pro"; "Windows 100" is left alone.
std::string CorrectWindows11Name(std::string name, const std::optional<std::string>& build) {
    const std::optional<std::uint64_t> buildNumber =
        build ? ParseWholeNumber(*build) : std::nullopt;
    const bool startsWith10 =
        name.starts_with(kWindows10Prefix) &&
        (name.size() == kWindows10Prefix.size() ||
         !(name[kWindows10Prefix.size()] >= '0' && name[kWindows10Prefix.size()] <= '9'));
    if (buildNumber && *buildNumber >= kFirstWindows11Build && startsWith10) {
        name.replace(kWindows10Prefix.size() - 2, 2, "11");
    }
    return name;
}

// "<major>.<minor>[.<build>[.<UBR>]][ <DisplayVersion or ReleaseId>]"; a missing minor counts
// as 0, and an empty release text as none.
std::string NumericVersion(Platform& platform, std::uint32_t major,
                           const std::optional<std::string>& build) {
    const auto minor = platform.RegistryDword(kNtKey, "CurrentMinorVersionNumber");
    // Pieces are appended one by one: GCC 12 at -O3 misreads `"." + std::string` as an
    // overlapping copy (-Wrestrict), and this is no slower.
    std::string version = std::to_string(major);
    version += '.';
    version += std::to_string(minor.value_or(0));
    if (build) {
        version += '.';
        version += *build;
        if (const auto ubr = platform.RegistryDword(kNtKey, "UBR")) {
            version += '.';
            version += std::to_string(*ubr);
        }
    }
    auto release = platform.RegistryText(kNtKey, "DisplayVersion", kValueArea);
    if (!release || release->empty()) {
        release = platform.RegistryText(kNtKey, "ReleaseId", kValueArea);
    }
    if (release && !release->empty()) {
        version += ' ';
        version += *release;
    }
    return version;
}

}  // namespace

void CSystemReport::QueryOperatingSystem() {
    const auto readText = [this](std::string_view key, std::string_view name) {
        return m_platform.RegistryText(key, name, kValueArea);
    };

    if (!m_platform.RegistryKeyExists(kNtKey)) {
        m_osName = kNotFound;
    } else {
        const auto productName = readText(kNtKey, "ProductName");
        m_osName = productName ? *productName : std::string(kWindowsNt);

        if (const auto major = m_platform.RegistryDword(kNtKey, "CurrentMajorVersionNumber")) {
            // Windows 10 and later freeze "CurrentVersion" at 6.3 and keep "Windows 10" in the
            // product name on Windows 11; the numeric values tell the real version.
            auto build = readText(kNtKey, "CurrentBuildNumber");
            if (build && build->empty()) {
                build.reset();  // no build to show, and none to tell Windows 11 by
            }
            m_osVersion = NumericVersion(m_platform, *major, build);
            m_osName = CorrectWindows11Name(m_osName, build);
        } else if (const auto currentVersion = readText(kNtKey, "CurrentVersion")) {
            m_osVersion = *currentVersion;
            // Present but empty still adds the space: the value is shown as stored.
            if (const auto servicePack = readText(kNtKey, "CSDVersion")) {
                m_osVersion += ' ';
                m_osVersion += *servicePack;
            }
        }
    }

    if (m_osName == kNotFound || m_osName == kWindowsNt) {
        if (m_platform.RegistryKeyExists(kOtherFamilyKey)) {
            if (const auto otherName = readText(kOtherFamilyKey, "ProductName")) {
                m_osName = *otherName;
                if (const auto versionNumber = readText(kOtherFamilyKey, "VersionNumber")) {
                    m_osVersion = *versionNumber;
                }
            }
        }
    }
}

std::string& CSystemReport::AppendOperatingSystem(std::string& report) {
    QueryOperatingSystem();
    std::string text;
    report_lines::AppendLine(text, "  Operating System: ", m_osName);
    report_lines::AppendLine(text, "  Version         : ", m_osVersion);
    return report.append(text);
}

}  // namespace kolt
