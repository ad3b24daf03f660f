// The real kolt_info_cli.exe under Wine, run in a scratch directory: which sections each selection
// file gives, the bytes on standard output and in the report file, and the report's values
// against what the system under Wine answers through its own calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "branding.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_directory.h"
#include "tests/win32/host_facts.h"
#include "tests/win32/registry_views.h"
#include "tests/win32/system_utf8.h"

namespace kolt {
namespace {

namespace fs = std::filesystem;
using test_support::HostFact;
using test_support::SystemUtf8;
using test_support::Utf8Path;
using test_support::Utf8Text;

constexpr const char* kNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kProcessorKey = "Hardware\\Description\\System\\CentralProcessor\\0";
const std::string kRule(54, '-');

// The first line of each section, in report order.
enum Section {
    kDate,
    kArchitecture,
    kCpuSpeed,
    kOs,
    kComputer,
    kAddress,
    kUser,
    kMemory,
    kDisk,
    kExtended
};
constexpr std::string_view kSectionStarts[] = {
    "  Date and Time   : ", "  Architecture    : ",  "  CPU Speed       : ", "  Operating System: ",
    "  Computer Name   : ", "  IP Address      : ",  "  User Name       : ", "  System Memory",
    "  Disk Information",   "  Extended Information"};
// What a report holds without a selection file, or with All: every section but the extended one.
const std::vector<Section> kEverySection = {kDate,    kArchitecture, kCpuSpeed, kOs,  kComputer,
                                            kAddress, kUser,         kMemory,   kDisk};

// The registry as a 64-bit program sees it: the view the program under test reads, whether it
// was built for 32 or 64 bits.
using test_support::NativeRegistryDword;
using test_support::NativeRegistryText;

// The names as the system spells them, in UTF-8.
std::string SystemComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? SystemUtf8(name) : std::string();
}

std::string SystemUserName() {
    wchar_t name[512] = {};
    DWORD size = 512;
    return GetUserNameW(name, &size) ? SystemUtf8(name) : std::string();
}

// An environment variable of this process in UTF-8; nullopt when it is not set.
std::optional<std::string> EnvironmentText(const wchar_t* name) {
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    if (length == 0 || length >= 1024) {
        return std::nullopt;
    }
    return SystemUtf8(std::wstring_view(value, length));
}

// The report's lines without their CR LF; the closing line feed after the report is not a line.
std::vector<std::string> ReportLines(const std::string& bytes) {
    std::vector<std::string> lines;
    const std::string_view report = std::string_view(bytes).substr(0, bytes.size() - 1);
    std::size_t start = 0;
    while (start < report.size()) {
        const std::size_t end = report.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(report.substr(start));
            break;
        }
        lines.emplace_back(report.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The value of the first line that starts with `prefix`; nullopt when no line does.
std::optional<std::string> ValueOf(const std::vector<std::string>& lines, std::string_view prefix) {
    for (const std::string& line : lines) {
        if (line.starts_with(prefix)) {
            return line.substr(prefix.size());
        }
    }
    return std::nullopt;
}

std::vector<Section> SectionsIn(const std::vector<std::string>& lines) {
    std::vector<Section> found;
    for (const std::string& line : lines) {
        for (std::size_t section = 0; section < std::size(kSectionStarts); ++section) {
            if (line.starts_with(kSectionStarts[section])) {
                found.push_back(static_cast<Section>(section));
            }
        }
    }
    return found;
}

// The names of the files a directory holds, in UTF-8.
std::set<std::string> NamesIn(const fs::path& directory) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        names.insert(Utf8Text(entry.path().filename()));
    }
    return names;
}

class CliEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        const std::optional<std::string> program = HostFact("KOLT_CLI_PROGRAM");
        ASSERT_TRUE(program) << "KOLT_CLI_PROGRAM names the program under test";
        m_program = *program;
        m_reportFile = "kolt_info_" + SystemComputerName() + ".txt";
    }

    // Runs the program in the scratch directory, after an outdated, longer report file was left
    // there, and checks what every run must give: status 0, the same bytes on standard output
    // and in the report file, CR LF after every report line, the banner and the closing.
    std::vector<std::string> Run(const std::optional<std::string>& selection) {
        if (selection) {
            m_scratch.Write("kolt_info.cfg", *selection);
        }
        m_scratch.Write(m_reportFile, std::string(100000, 'x') + "\r\n");

        const test_support::ChildRun run =
            test_support::RunChild(Utf8Path(m_program), m_scratch.Path());
        EXPECT_TRUE(run.started) << m_program;
        EXPECT_EQ(run.exitStatus, 0);
        const std::string& output = run.standardOutput;
        EXPECT_EQ(m_scratch.Read(m_reportFile), output)
            << "the report file differs from standard output";
        std::set<std::string> expectedNames{m_reportFile};
        if (selection) {
            expectedNames.insert("kolt_info.cfg");
        }
        EXPECT_EQ(NamesIn(m_scratch.Path()), expectedNames);

        // The report, then one line feed; inside the report every CR starts a CR LF and every
        // LF ends one, so no line ends CR CR LF and no bare LF or CR stands anywhere.
        EXPECT_TRUE(output.ends_with("\r\n\n")) << output;
        const std::string_view report = std::string_view(output).substr(0, output.size() - 1);
        for (std::size_t i = 0; i < report.size(); ++i) {
            if (report[i] == '\r') {
                EXPECT_TRUE(i + 1 < report.size() && report[i + 1] == '\n') << "CR at " << i;
            } else if (report[i] == '\n') {
                EXPECT_TRUE(i > 0 && report[i - 1] == '\r') << "LF at " << i;
            }
        }
        EXPECT_EQ(report.find("\r\r"), std::string_view::npos);

        const std::vector<std::string> lines = ReportLines(output);
        EXPECT_GE(lines.size(), 5u);
        if (lines.size() >= 5) {
            EXPECT_EQ(lines[0], "Kolt Information - Version 2.11");
            EXPECT_EQ(lines[2], kRule);
            EXPECT_EQ(lines[lines.size() - 2], kRule);
            EXPECT_EQ(lines.back(), branding::kWebDomain);
        }
        return lines;
    }

    std::string m_program;
    std::string m_reportFile;
    // A blank in the directory name puts one in every path the program sees.
    test_support::ScratchDirectory m_scratch{"kolt cli "};
};

// Selection lines ("0" or "1") with CR LF line ends, as the dialog program writes them.
std::string SelectionFile(const std::string& flags) {
    std::string file;
    for (const char flag : flags) {
        file += flag;
        file += "\r\n";
    }
    return file;
}

TEST_F(CliEndToEnd, SelectionDecidesTheSections) {
    struct Case {
        const char* name;
        std::optional<std::string> selection;
        std::vector<Section> expected;
    };
    const Case cases[] = {
        {"no selection file", std::nullopt, kEverySection},
        {"All on, the rest off", SelectionFile("1000000000"), kEverySection},
        // Architecture, Operating System, CPU Speed and Disk in file order; the CPU speed comes
        // straight after the architecture in the report.
        {"some sections", SelectionFile("0011000011"), {kArchitecture, kCpuSpeed, kOs, kDisk}},
        {"any nonzero number, LF line ends", "0\n0\n0\n-1\n 2\nx1\n\n", {kOs, kComputer}},
        {"empty file", std::string(), {}},
        {"the eleventh line alone", SelectionFile("00000000001"), {kExtended}},
        {"All and the eleventh line",
         SelectionFile("10000000001"),
         {kDate, kArchitecture, kCpuSpeed, kOs, kComputer, kAddress, kUser, kMemory, kDisk,
          kExtended}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::string> lines = Run(c.selection);
        EXPECT_EQ(SectionsIn(lines), c.expected);
        if (c.expected.empty()) {
            EXPECT_EQ(lines.size(), 5u);  // the banner and the closing only
        }
    }
}

// The Extended Information section says where the program runs: a 64-bit program on the 64-bit
// system Wine presents, or a 32-bit one on it, and the rest of what Wine presents.
TEST_F(CliEndToEnd, ExtendedSectionSaysWhereTheProgramRuns) {
    const std::vector<std::string> lines = Run(SelectionFile("00000000001"));
    EXPECT_EQ(ValueOf(lines, "  System Type     : "), "x64");
    EXPECT_EQ(ValueOf(lines, "  Program Type    : "), sizeof(void*) == 8 ? "x64" : "x86 on x64");
    EXPECT_TRUE(ValueOf(lines, "  Last Boot Time  : "));
    EXPECT_TRUE(ValueOf(lines, "  Up Time         : "));
    EXPECT_TRUE(ValueOf(lines, "  Build           : "));
    EXPECT_TRUE(ValueOf(lines, "  Network Adapter : "));
}

// With the registry saying that Windows Update waits for a restart (restart-pending.sh makes such
// a prefix), the report says so first, before the Date and Time line, in both forms.
TEST_F(CliEndToEnd, APendingRestartComesFirst) {
    if (!std::getenv("KOLT_RESTART_PENDING")) {
        GTEST_SKIP() << "needs a prefix whose registry says a restart is pending "
                        "(restart-pending.sh)";
    }
    const std::vector<std::string> lines = Run(SelectionFile("01000000001"));
    const auto attention = std::find(lines.begin(), lines.end(), "  Attention");
    const auto date = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.starts_with("  Date and Time   : ");
    });
    ASSERT_NE(attention, lines.end());
    EXPECT_LT(attention, date);
    EXPECT_TRUE(std::any_of(attention, date, [](const std::string& line) {
        return line.starts_with("  A restart is pending: Windows Update");
    }));
}

// Every value as the system under Wine gives it through its own calls. The CPU speed takes a
// second to measure and is left out; its line's presence is checked above.
// The letters from C: to Z: whose drives the system measures.
std::set<char> MeasurableDrives() {
    std::set<char> measurable;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        ULARGE_INTEGER available{};
        ULARGE_INTEGER total{};
        ULARGE_INTEGER free{};
        if (GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free)) {
            measurable.insert(letter);
        }
    }
    return measurable;
}

// The letters of the drives a report shows.
std::set<char> ShownDrives(const std::vector<std::string>& lines) {
    std::set<char> shown;
    for (const std::string& line : lines) {
        if (line.starts_with("  Disk ") && !line.starts_with("  Disk Total") &&
            !line.starts_with("  Disk Information")) {
            shown.insert(line[7]);
        }
    }
    return shown;
}

TEST_F(CliEndToEnd, ReportShowsTheMachineWinePresents) {
    std::vector<std::string> lines = Run(SelectionFile("0111111101"));
    // A drive that answers after its deadline is left out by design. On a machine busy with
    // other tests even a local drive under Wine can, so such a run is repeated (twice at most)
    // before the drives are compared.
    for (int retry = 0; retry < 2 && ShownDrives(lines) != MeasurableDrives(); ++retry) {
        lines = Run(SelectionFile("0111111101"));
    }

    const std::optional<std::string> vendor = NativeRegistryText(kProcessorKey, "VendorIdentifier");
    const std::optional<std::string> identifier = NativeRegistryText(kProcessorKey, "Identifier");
    ASSERT_TRUE(vendor);
    ASSERT_TRUE(identifier);
    const std::string shownVendor = *vendor == "GenuineIntel"   ? "Genuine Intel"
                                    : *vendor == "AuthenticAMD" ? "Authentic AMD"
                                                                : *vendor;
    EXPECT_EQ(ValueOf(lines, "  Architecture    : "), shownVendor);
    EXPECT_EQ(ValueOf(lines, "  CPU Type        : "), *identifier);
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    EXPECT_EQ(ValueOf(lines, "  Number of CPUs  : "), std::to_string(info.dwNumberOfProcessors));
    EXPECT_EQ(ValueOf(lines, "  MMX Feature     : ").has_value(),
              IsProcessorFeaturePresent(PF_MMX_INSTRUCTIONS_AVAILABLE) != 0);

    const std::optional<std::string> productName = NativeRegistryText(kNtKey, "ProductName");
    ASSERT_TRUE(productName);
    EXPECT_EQ(ValueOf(lines, "  Operating System: "), *productName);
    const std::optional<std::string> version = ValueOf(lines, "  Version         : ");
    ASSERT_TRUE(version);
    EXPECT_FALSE(version->empty());

    EXPECT_EQ(ValueOf(lines, "  Computer Name   : "), SystemComputerName());
    EXPECT_EQ(ValueOf(lines, "  User Name       : "), SystemUserName());

    // A dotted-decimal IPv4 address, not the "any" address.
    const std::optional<std::string> address = ValueOf(lines, "  IP Address      : ");
    ASSERT_TRUE(address);
    std::istringstream octets(*address);
    int parts[4] = {-1, -1, -1, -1};
    char dot[3] = {};
    octets >> parts[0] >> dot[0] >> parts[1] >> dot[1] >> parts[2] >> dot[2] >> parts[3];
    EXPECT_TRUE(octets.eof() && !octets.fail()) << *address;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(parts[i] >= 0 && parts[i] <= 255) << *address;
        EXPECT_EQ(i < 3 ? dot[i] : '.', '.') << *address;
    }
    EXPECT_NE(*address, "0.0.0.0");

    // Memory in whole megabytes, each count rounded up; 64-bit counts, never capped at 4 GB.
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    ASSERT_TRUE(GlobalMemoryStatusEx(&memory));
    const auto megabytes = [](std::uint64_t bytes) {
        return std::to_string((bytes + 1024 * 1024 - 1) / (1024 * 1024)) + " Mb";
    };
    EXPECT_EQ(ValueOf(lines, "  Physical Memory : "), megabytes(memory.ullTotalPhys));
    EXPECT_EQ(ValueOf(lines, "  Paging File     : "), megabytes(memory.ullTotalPageFile));

    // Exactly the drives from C: to Z: that can be measured, C: and Z: among them, each with its
    // type and a size that agrees with the volume's.
    const std::set<char> measurable = MeasurableDrives();
    EXPECT_TRUE(measurable.contains('C') && measurable.contains('Z'));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].starts_with("  Disk ") || lines[i].starts_with("  Disk Total") ||
            lines[i].starts_with("  Disk Information")) {
            continue;
        }
        const char letter = lines[i][7];
        const std::string root = std::string(1, letter) + ":\\";
        const UINT type = GetDriveTypeA(root.c_str());
        const char* const typeTexts[] = {
            "Error Acquiring Type", "Drive Does Not Exist", "Removable Media", "Local Fixed Disk",
            "Network Disk",         "CD-ROM Drive",         "RAM Disk"};
        EXPECT_EQ(lines[i].substr(8),
                  std::string("      Type: ") + (type <= 6 ? typeTexts[type] : "Unknown Type"));
        ASSERT_LT(i + 2, lines.size());
        ULARGE_INTEGER available{};
        ULARGE_INTEGER total{};
        ULARGE_INTEGER free{};
        ASSERT_TRUE(GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free));
        // "              Size: 251.97 Gb ": the number, given to two decimals, and its unit.
        std::istringstream size(lines[i + 2].substr(20));
        double number = 0;
        std::string unit;
        size >> number >> unit;
        const double unitBytes = unit == "Tb"   ? std::pow(1024.0, 4)
                                 : unit == "Gb" ? std::pow(1024.0, 3)
                                 : unit == "Mb" ? std::pow(1024.0, 2)
                                 : unit == "Kb" ? 1024.0
                                                : 1.0;
        EXPECT_NEAR(number, static_cast<double>(total.QuadPart) / unitBytes, 0.0051)
            << lines[i + 2];
    }
    EXPECT_EQ(ShownDrives(lines), measurable);
    EXPECT_EQ(ValueOf(lines, "  Disk C      Type: "), "Local Fixed Disk");
    EXPECT_EQ(ValueOf(lines, "  Disk Z      Type: "), "Local Fixed Disk");
}

// Surroundings that must neither stop the run nor let a value forge a line: a directory at the
// report's name, a folder that cannot be written, a domain holding line ends and an escape.
TEST_F(CliEndToEnd, HostileSurroundingsStillGiveTheReportAndStatusZero) {
    const std::string forged = "SALES\r\n  IP Address      : 10.9.9.9\x1b[2J";
    ASSERT_TRUE(SetEnvironmentVariableA("USERDOMAIN", forged.c_str()));
    m_scratch.Write("kolt_info.cfg", SelectionFile("0000001000"));
    fs::create_directory(m_scratch.Path() / m_reportFile);

    const test_support::ChildRun inScratch =
        test_support::RunChild(Utf8Path(m_program), m_scratch.Path());
    // The process environment is the test's own: the variable goes before any check can stop.
    SetEnvironmentVariableA("USERDOMAIN", nullptr);
    EXPECT_TRUE(inScratch.started);
    EXPECT_EQ(inScratch.exitStatus, 0);
    EXPECT_TRUE(fs::is_directory(m_scratch.Path() / m_reportFile));
    EXPECT_EQ(NamesIn(m_scratch.Path()), (std::set<std::string>{m_reportFile, "kolt_info.cfg"}));
    const std::vector<std::string> lines = ReportLines(inScratch.standardOutput);
    EXPECT_EQ(ValueOf(lines, "  User Domain     : "), "SALES??  IP Address      : 10.9.9.9?[2J");
    EXPECT_EQ(ValueOf(lines, "  IP Address      : "), std::nullopt);

    // The kernel's process folder takes no new file, whoever asks: the report is printed all the
    // same. In both places one line on standard error says that the file was not written, and
    // why.
    const test_support::ChildRun unwritable =
        test_support::RunChild(Utf8Path(m_program), "Z:\\proc");
    EXPECT_TRUE(unwritable.started);
    EXPECT_EQ(unwritable.exitStatus, 0);
    EXPECT_TRUE(unwritable.standardOutput.starts_with("Kolt Information - Version"));
    EXPECT_TRUE(unwritable.standardOutput.ends_with("\r\n\n"));
    const std::string notWritten = "kolt_info_cli: " + m_reportFile + " not written: ";
    for (const std::string& errors : {inScratch.standardError, unwritable.standardError}) {
        EXPECT_TRUE(errors.starts_with(notWritten)) << errors;
        EXPECT_GT(errors.size(), notWritten.size() + 1) << "no reason given";
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
    }

    // Arguments it does not know are shown masked and cut, as report values are masked: no
    // escape sequence reaches the console, and a long one takes 80 characters and an ellipsis.
    fs::remove(m_scratch.Path() / m_reportFile);
    const test_support::ChildRun hostileArguments =
        test_support::RunChild(Utf8Path(m_program), m_scratch.Path(),
                               {.arguments = {"\x1b]0;pwned\a\x1b[2J", std::string(300, 'a')}});
    EXPECT_EQ(hostileArguments.exitStatus, 0);
    EXPECT_EQ(hostileArguments.standardError,
              "kolt_info_cli: ignoring what it does not know: ?]0;pwned??[2J " +
                  std::string(80, 'a') + "\xE2\x80\xA6 (see --help)\n");
}

// A host name that is a number is not resolved (Windows Sockets would read 12345 as 0.0.48.57,
// an address of no adapter): the default route's adapter answers, with one of the host's own
// addresses. Runs only where numeric-host-name.sh has given Wine such a name.
TEST_F(CliEndToEnd, ANumericHostNameIsNotResolved) {
    if (!HostFact("KOLT_NUMERIC_HOST_NAME")) {
        GTEST_SKIP() << "only with a numeric host name (numeric-host-name.sh)";
    }
    const std::vector<std::string> lines = Run(SelectionFile("0000010000"));
    const std::optional<std::string> address = ValueOf(lines, "  IP Address      : ");
    ASSERT_TRUE(address);
    EXPECT_NE(*address, "0.0.48.57");
    std::istringstream hostAddresses(HostFact("KOLT_HOST_ADDRESSES").value_or(""));
    const std::vector<std::string> own{std::istream_iterator<std::string>(hostAddresses), {}};
    EXPECT_NE(std::find(own.begin(), own.end(), *address), own.end())
        << *address << " is none of the host's addresses";
}

// The JSON form from the Windows build: one document that parses, carries what the system says,
// and reaches standard output and kolt_info_<computer name>.json alike.
TEST_F(CliEndToEnd, JsonFormIsOneDocumentWithTheSystemsFacts) {
    m_scratch.Write("kolt_info.cfg", SelectionFile("0000110101"));
    const test_support::ChildRun run = test_support::RunChild(Utf8Path(m_program), m_scratch.Path(),
                                                              {.arguments = {"/format:json"}});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitStatus, 0);
    const std::string jsonFile = "kolt_info_" + SystemComputerName() + ".json";
    EXPECT_EQ(m_scratch.Read(jsonFile), run.standardOutput);
    EXPECT_EQ(NamesIn(m_scratch.Path()), (std::set<std::string>{jsonFile, "kolt_info.cfg"}));

    const nlohmann::json json = nlohmann::json::parse(run.standardOutput);
    EXPECT_EQ(json["sections"], (nlohmann::json{"computerName", "ipAddress", "memory", "disk"}));
    EXPECT_EQ(json["computerName"], SystemComputerName());
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    ASSERT_TRUE(GlobalMemoryStatusEx(&memory));
    EXPECT_EQ(json["memory"]["physical"]["totalBytes"].get<std::uint64_t>(), memory.ullTotalPhys);
    ASSERT_FALSE(json["disk"]["drives"].empty());
    EXPECT_EQ(json["disk"]["drives"][0]["letter"], "C");
}

// What a desk asks next, as desk-facts.sh sets it up in a fresh prefix: every restart reason in
// the registry, the firewall's profiles with a policy over the public one, the time service's
// parameters, a print server with a ready and a disabled queue, a 1600 x 1200 screen at 144 dpi.
// Wine has no security center and no time service: both stay unknown, never "none" or "off".
TEST_F(CliEndToEnd, DeskFactsFollowTheRegistryThePrintServerAndTheScreen) {
    if (!HostFact("KOLT_DESK_FACTS")) {
        GTEST_SKIP() << "only in the prefix desk-facts.sh prepares";
    }
    // The text form's lines first, then the same facts as JSON members.
    const std::vector<std::string> lines = Run(SelectionFile("00000000001"));
    EXPECT_EQ(ValueOf(lines, "  Restart Pending : "),
              "Yes (Windows Update, Component Servicing, File Renames, Computer Rename)");
    EXPECT_EQ(ValueOf(lines, "  Firewall        : "), "Domain On, Private On, Public Off");
    EXPECT_TRUE(ValueOf(lines, "  Time Source     : "));
    EXPECT_EQ(ValueOf(lines, "  Time Servers    : "), "time.kolt.example,0x9");
    const std::optional<std::string> displayLine = ValueOf(lines, "  Display         : ");
    ASSERT_TRUE(displayLine);
    EXPECT_NE(displayLine->find("1600 x 1200"), std::string::npos) << *displayLine;
    EXPECT_NE(displayLine->find("150 %"), std::string::npos) << *displayLine;
    EXPECT_FALSE(ValueOf(lines, "  Antivirus       : ")) << "unknown is no line";

    const test_support::ChildRun run = test_support::RunChild(
        Utf8Path(m_program), m_scratch.Path(), {.arguments = {"--extended", "--format", "json"}});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitStatus, 0);
    const nlohmann::json extended = nlohmann::json::parse(run.standardOutput)["extended"];

    const nlohmann::json& restart = extended["restartPending"];
    EXPECT_EQ(restart["pending"], true);
    EXPECT_EQ(restart["reasons"], (nlohmann::json{"windowsUpdate", "componentServicing",
                                                  "fileRenames", "computerRename"}));
    EXPECT_TRUE(restart["since"].is_string()) << restart;

    EXPECT_EQ(extended["security"]["antivirus"], nullptr);
    EXPECT_EQ(extended["security"]["firewall"],
              (nlohmann::json{{"domain", true}, {"private", true}, {"public", false}}));

    const nlohmann::json& time = extended["timeSource"];
    EXPECT_EQ(time["type"], "NTP");
    EXPECT_EQ(time["servers"], (nlohmann::json{"time.kolt.example,0x9", "ntp2.kolt.example,0x1"}));
    EXPECT_EQ(time["serviceRunning"], nullptr);
    EXPECT_EQ(time["synchronised"], nullptr);

    ASSERT_EQ(extended["displays"].size(), 1u) << extended["displays"];
    const nlohmann::json& display = extended["displays"][0];
    const std::string size = std::to_string(display["width"].get<int>()) + "x" +
                             std::to_string(display["height"].get<int>());
    EXPECT_EQ(size, HostFact("KOLT_DESK_SCREEN"));
    EXPECT_EQ(std::to_string(display["scalePercent"].get<int>()), HostFact("KOLT_DESK_SCALE"));
    EXPECT_EQ(display["primary"], true);

    if (const std::optional<std::string> ready = HostFact("KOLT_DESK_PRINTER")) {
        std::map<std::string, nlohmann::json> printers;
        for (const nlohmann::json& printer : extended["printers"]) {
            printers[printer["name"].get<std::string>()] = printer;
        }
        ASSERT_EQ(printers.count(*ready), 1u) << extended["printers"];
        EXPECT_EQ(printers[*ready]["state"], nlohmann::json::array());
        EXPECT_EQ(printers[*ready]["network"], false);
        // Wine's spooler lists the disabled queue but does not carry its state into the status
        // bits (always 0): its being offline cannot be seen here; the bits' rule is tested apart.
        EXPECT_EQ(printers.count(*HostFact("KOLT_DESK_OFFLINE_PRINTER")), 1u)
            << extended["printers"];
    }
}

// A user name and a folder name beyond ASCII. The runs with USER=Jürgen and USER=王伟
// give Wine's user that name; the folder is named in Chinese whatever the user. Both forms carry
// the name exactly as the system spells it, in UTF-8; the selection file is read in that folder
// and the report files land there.
TEST_F(CliEndToEnd, NamesBeyondAsciiStayWholeInBothFormsInAnyFolder) {
    const std::string user = SystemUserName();
    ASSERT_FALSE(user.empty());
    if (const std::optional<std::string> fromEnvironment = EnvironmentText(L"USER")) {
        EXPECT_EQ(user, *fromEnvironment) << "Wine did not take the user name from USER";
    }
    const fs::path folder = m_scratch.Path() / Utf8Path("\xE7\x8E\x8B\xE4\xBC\x9F");
    ASSERT_TRUE(fs::create_directory(folder));
    test_support::WriteBytes(folder / "kolt_info.cfg", SelectionFile("0000101000"));

    const test_support::ChildRun text = test_support::RunChild(Utf8Path(m_program), folder);
    ASSERT_TRUE(text.started);
    EXPECT_EQ(text.exitStatus, 0);
    const std::vector<std::string> lines = ReportLines(text.standardOutput);
    EXPECT_EQ(SectionsIn(lines), (std::vector<Section>{kComputer, kUser}))
        << "the selection file in the folder was not read";
    EXPECT_EQ(ValueOf(lines, "  User Name       : "), user);
    EXPECT_EQ(test_support::ReadBytes(folder / Utf8Path(m_reportFile)), text.standardOutput);

    const test_support::ChildRun json =
        test_support::RunChild(Utf8Path(m_program), folder, {.arguments = {"--format", "json"}});
    ASSERT_TRUE(json.started);
    const std::string jsonFile = "kolt_info_" + SystemComputerName() + ".json";
    EXPECT_EQ(test_support::ReadBytes(folder / Utf8Path(jsonFile)), json.standardOutput);
    const nlohmann::json document = nlohmann::json::parse(json.standardOutput);
    EXPECT_EQ(document["sections"], (nlohmann::json{"computerName", "userName"}));
    EXPECT_EQ(document["userName"]["name"], user);

    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"kolt_info.cfg", m_reportFile, jsonFile}));
}

// The operating-system lines against the values the registry holds. With KOLT_PRESENTED_WINDOWS
// set, Wine was told to present that version first, and the lines must show it.
TEST_F(CliEndToEnd, OperatingSystemLinesFollowTheRegistry) {
    const std::vector<std::string> lines = Run(SelectionFile("0001000000"));
    const std::optional<std::string> name = ValueOf(lines, "  Operating System: ");
    const std::optional<std::string> version = ValueOf(lines, "  Version         : ");
    ASSERT_TRUE(name);
    ASSERT_TRUE(version);

    const std::optional<std::string> productName = NativeRegistryText(kNtKey, "ProductName");
    const std::optional<std::string> currentVersion = NativeRegistryText(kNtKey, "CurrentVersion");
    const std::optional<std::string> servicePack = NativeRegistryText(kNtKey, "CSDVersion");
    const std::optional<std::string> build = NativeRegistryText(kNtKey, "CurrentBuildNumber");
    const std::optional<DWORD> major = NativeRegistryDword(kNtKey, "CurrentMajorVersionNumber");
    ASSERT_TRUE(productName);
    ASSERT_TRUE(build);
    EXPECT_EQ(*name, *productName);

    std::string expected;
    if (major && *major >= 10) {
        // Windows 10 and later: the numeric values, then the release name where one is stored.
        const std::optional<DWORD> minor = NativeRegistryDword(kNtKey, "CurrentMinorVersionNumber");
        const std::optional<DWORD> ubr = NativeRegistryDword(kNtKey, "UBR");
        std::optional<std::string> release = NativeRegistryText(kNtKey, "DisplayVersion");
        if (!release || release->empty()) {
            release = NativeRegistryText(kNtKey, "ReleaseId");
        }
        expected = std::to_string(*major) + "." + std::to_string(minor.value_or(0)) + "." + *build;
        // Appended piece by piece: GCC 12 at -O3 takes `"." + std::string` for an overlapping
        // copy (-Wrestrict).
        if (ubr) {
            expected += '.';
            expected += std::to_string(*ubr);
        }
        if (release && !release->empty()) {
            expected += ' ';
            expected += *release;
        }
    } else {
        ASSERT_TRUE(currentVersion);
        expected = *currentVersion;
        if (servicePack) {
            expected += ' ';
            expected += *servicePack;
        }
    }
    EXPECT_EQ(*version, expected);

    const std::string presented = HostFact("KOLT_PRESENTED_WINDOWS").value_or("");
    if (presented == "win7") {
        // Wine stores the numeric values for Windows 7 too (6 and 1); the classic ones decide.
        EXPECT_TRUE(!major || *major < 10);
        EXPECT_NE(name->find("Windows 7"), std::string::npos) << *name;
        EXPECT_EQ(currentVersion, "6.1");
        EXPECT_TRUE(version->starts_with("6.1 ")) << *version;
    } else if (presented == "win10") {
        EXPECT_EQ(major, DWORD{10});
        EXPECT_NE(name->find("Windows 10"), std::string::npos) << *name;
        EXPECT_TRUE(version->starts_with("10.0." + *build)) << *version;
    } else {
        EXPECT_EQ(presented, "") << "no checks known for this version";
    }
}

// A text value set in the registry's 32-bit copy for as long as the object lives, then put back.
class PlantedValue {
public:
    PlantedValue(const char* key, const char* value, const std::string& text)
        : m_key(test_support::MachineKey::Create(key, test_support::RegistryViewKind::kWow64Copy)),
          m_value(value),
          m_before(m_key.Text(value)),
          m_planted(m_key.SetText(value, text)) {}
    ~PlantedValue() {
        if (m_before) {
            m_key.SetText(m_value, *m_before);
        } else {
            m_key.Delete(m_value);
        }
    }
    PlantedValue(const PlantedValue&) = delete;
    PlantedValue& operator=(const PlantedValue&) = delete;

    bool IsPlanted() const { return m_planted; }

private:
    test_support::MachineKey m_key;
    const char* m_value;
    std::optional<std::string> m_before;
    bool m_planted;
};

// A 32-bit program on 64-bit Windows sees a copy of the software keys unless it asks for the
// native view. With a different product name planted in that copy, the report still names what
// the native view holds. (For a 64-bit build the copy is simply another program's view.)
TEST_F(CliEndToEnd, OperatingSystemComesFromTheNativeRegistryView) {
    ASSERT_TRUE(test_support::SystemHasTwoRegistryViews())
        << "a 32-bit test program must run in a 64-bit prefix with 32-bit support (WoW64)";
    const std::string planted = "Kolt test: the 32-bit registry view";
    std::vector<std::string> lines;
    {
        const PlantedValue plant(kNtKey, "ProductName", planted);
        ASSERT_TRUE(plant.IsPlanted());
        lines = Run(SelectionFile("0001000000"));
    }
    const std::optional<std::string> nativeName = NativeRegistryText(kNtKey, "ProductName");
    ASSERT_TRUE(nativeName);
    ASSERT_NE(*nativeName, planted);
    EXPECT_EQ(ValueOf(lines, "  Operating System: "), *nativeName);
}

}  // namespace
}  // namespace kolt
