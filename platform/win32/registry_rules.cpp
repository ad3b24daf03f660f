// No Windows headers here: these rules build and are tested on every platform.
#include "platform/win32/registry_rules.h"

#include <charconv>
#include <system_error>

#include "platform/fixed_limits.h"
#include "text/utf8.h"

namespace kolt::win32 {

namespace {

constexpr std::string_view kWindowsNt = "Windows NT";
// What the report writes for no name at all: a product name that says exactly this is treated as
// none, as the report has always done.
constexpr std::string_view kNotFound = "Not Found";

// The numeric version values appear with Windows 10. Wine writes them for older versions too
// (6 for Windows 7), where the classic values still tell the service pack.
constexpr std::uint32_t kFirstNumericMajorVersion = 10;

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

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "Windows 10 Pro" on build 22000 or later is "Windows 11 Pro"; "Windows 100" is left alone.
std::string CorrectWindows11Name(std::string name, const std::optional<std::string>& build) {
    const std::optional<std::uint64_t> buildNumber =
        build ? ParseWholeNumber(*build) : std::nullopt;
    const bool startsWith10 =
        name.starts_with(kWindows10Prefix) &&
        (name.size() == kWindows10Prefix.size() || !IsDigit(name[kWindows10Prefix.size()]));
    if (buildNumber && *buildNumber >= kFirstWindows11Build && startsWith10) {
        name.replace(kWindows10Prefix.size() - 2, 2, "11");
    }
    return name;
}

class AreaReader {
public:
    explicit AreaReader(RegistryView& registry) : m_registry(registry) {}
    std::optional<std::string> Text(std::string_view key, std::string_view name) {
        return TextInArea(m_registry.Data(key, name));
    }
    std::optional<std::uint32_t> Dword(std::string_view key, std::string_view name) {
        return m_registry.Dword(key, name);
    }

private:
    RegistryView& m_registry;
};

// "<major>.<minor>[.<build>[.<UBR>]][ <DisplayVersion or ReleaseId>]"; a missing minor counts
// as 0, and an empty release text as none.
std::string NumericVersion(AreaReader& read, std::uint32_t major,
                           const std::optional<std::string>& build) {
    const auto minor = read.Dword(kNtVersionKey, "CurrentMinorVersionNumber");
    // Pieces are appended one by one: GCC 12 at -O3 misreads `"." + std::string` as an
    // overlapping copy (-Wrestrict), and this is no slower.
    std::string version = std::to_string(major);
    version += '.';
    version += std::to_string(minor.value_or(0));
    if (build) {
        version += '.';
        version += *build;
        if (const auto ubr = read.Dword(kNtVersionKey, "UBR")) {
            version += '.';
            version += std::to_string(*ubr);
        }
    }
    auto release = read.Text(kNtVersionKey, "DisplayVersion");
    if (!release || release->empty()) {
        release = read.Text(kNtVersionKey, "ReleaseId");
    }
    if (release && !release->empty()) {
        version += ' ';
        version += *release;
    }
    return version;
}

}  // namespace

std::optional<std::string> TextInArea(const std::optional<std::string>& data) {
    if (!data) {
        return std::nullopt;
    }
    const std::size_t units = text::Utf16Length(*data);
    if (units > limits::kRegistryValueArea) {
        return std::nullopt;  // larger than the area: the read fails
    }
    const std::size_t end = data->find('\0');
    if (end != std::string::npos) {
        return data->substr(0, end);
    }
    // Stored without a terminating NUL: readable only when its NUL would still have fitted.
    if (units + 1 > limits::kRegistryValueArea) {
        return std::nullopt;
    }
    return *data;
}

OperatingSystemInfo ReadOperatingSystem(RegistryView& registry) {
    AreaReader read(registry);
    OperatingSystemInfo os;
    if (registry.KeyExists(kNtVersionKey)) {
        const auto productName = read.Text(kNtVersionKey, "ProductName");
        os.name = productName ? *productName : std::string(kWindowsNt);

        const auto major = read.Dword(kNtVersionKey, "CurrentMajorVersionNumber");
        if (major && *major >= kFirstNumericMajorVersion) {
            // Windows 10 and later freeze "CurrentVersion" at 6.3 and keep "Windows 10" in the
            // product name on Windows 11; the numeric values tell the real version.
            auto build = read.Text(kNtVersionKey, "CurrentBuildNumber");
            if (build && build->empty()) {
                build.reset();  // no build to show, and none to tell Windows 11 by
            }
            os.version = NumericVersion(read, *major, build);
            os.name = CorrectWindows11Name(*os.name, build);
        } else if (const auto currentVersion = read.Text(kNtVersionKey, "CurrentVersion")) {
            os.version = *currentVersion;
            // Present but empty still adds the space: the value is shown as stored.
            if (const auto servicePack = read.Text(kNtVersionKey, "CSDVersion")) {
                *os.version += ' ';
                *os.version += *servicePack;
            }
        }
    }

    if (!os.name || *os.name == kWindowsNt || *os.name == kNotFound) {
        if (registry.KeyExists(kOtherFamilyKey)) {
            if (const auto otherName = read.Text(kOtherFamilyKey, "ProductName")) {
                os.name = *otherName;
                if (const auto versionNumber = read.Text(kOtherFamilyKey, "VersionNumber")) {
                    os.version = *versionNumber;
                }
            }
        }
    }
    return os;
}

ProcessorInfo ReadProcessorIdentity(RegistryView& registry) {
    AreaReader read(registry);
    ProcessorInfo processor;
    if (registry.KeyExists(kProcessorKey)) {
        processor.vendor = read.Text(kProcessorKey, "VendorIdentifier");
        processor.identifier = read.Text(kProcessorKey, "Identifier");
    }
    return processor;
}

}  // namespace kolt::win32
