// The real kolt_info_cli, run as a process in scratch directories: the selection file decides the
// sections, standard output and the report file carry the same bytes, and the facts agree with
// the kernel's own figures (loosely where they move between two readings).
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <ifaddrs.h>
#include <linux/fs.h>
#include <netdb.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/integration/cli_process.h"
#include "tests/support/scratch_directory.h"

namespace kolt::integration {
namespace {

// One value per selection line, in the file's order: All, Date and Time, Architecture,
// Operating System, Computer Name, IP Address, User Name, Memory, CPU Speed, Disk.
std::string SelectionFile(std::initializer_list<int> values) {
    std::string bytes;
    for (const int value : values) {
        bytes += std::to_string(value) + "\r\n";
    }
    return bytes;
}

// The report's lines without their CR LF; fails the test when any line ends otherwise.
std::vector<std::string> CrLfLines(const std::string& report) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < report.size()) {
        const std::size_t end = report.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text after the last CR LF: " << report.substr(start);
            break;
        }
        const std::string line = report.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line end in: " << line;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

// The value behind `label` on the first line that starts with it.
std::optional<std::string> ValueOf(const std::vector<std::string>& lines, std::string_view label) {
    for (const std::string& line : lines) {
        if (line.rfind(label, 0) == 0) {
            return line.substr(label.size());
        }
    }
    return std::nullopt;
}

bool HasLineStartingWith(const std::vector<std::string>& lines, std::string_view prefix) {
    return ValueOf(lines, prefix).has_value();
}

// The leading number of a value such as "24106 Mb" or "251.97 Gb ".
double LeadingNumber(const std::optional<std::string>& value) {
    if (!value) {
        ADD_FAILURE() << "value missing";
        return -1;
    }
    return std::strtod(value->c_str(), nullptr);
}

std::optional<long long> MeminfoKib(const std::string& key) {
    std::ifstream meminfo("/proc/meminfo");
    std::string name;
    long long kib = 0;
    std::string unit;
    while (meminfo >> name >> kib) {
        std::getline(meminfo, unit);
        if (name == key + ":") {
            return kib;
        }
    }
    return std::nullopt;
}

std::string OsReleasePrettyName() {
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::ifstream file(path);
        std::string line;
        while (std::getline(file, line)) {
            if (line.rfind("PRETTY_NAME=", 0) == 0) {
                std::string value = line.substr(12);
                if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')) {
                    value = value.substr(1, value.size() - 2);
                }
                return value;
            }
        }
    }
    return {};
}

// Whether the resolver gives an IPv4 address for `hostName`.
bool ResolvesToIpv4(const char* hostName) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (getaddrinfo(hostName, nullptr, &hints, &found) != 0) {
        return false;
    }
    freeaddrinfo(found);
    return true;
}

// Nothing when the root file system is on a block device of its own that is not removable (a
// disk, or a partition of one); otherwise why not.
std::optional<std::string> WhyTheRootIsNotOnAFixedDisk() {
    struct stat root {};
    if (stat("/", &root) != 0 || major(root.st_dev) == 0) {
        return "the root file system has no block device of its own here (a network, RAM, "
               "overlay or btrfs root)";
    }
    const std::string device = "/sys/dev/block/" + std::to_string(major(root.st_dev)) + ":" +
                               std::to_string(minor(root.st_dev));
    for (const std::string& flag : {device + "/removable", device + "/../removable"}) {
        std::ifstream file(flag);
        int removable = 0;
        if (file >> removable) {
            if (removable != 0) {
                return "the root file system is on a removable disk here";
            }
            return std::nullopt;
        }
    }
    return "the kernel does not say whether the root's disk is removable";
}

class CliIntegrationTest : public ::testing::Test {
protected:
    // Runs the program with `selection` as its selection file (none when nullopt) and checks the
    // properties every run shares: exit status 0, the file holds exactly the bytes of standard
    // output (the report and one line feed), and every report line ends in CR LF.
    std::vector<std::string> Run(const std::optional<std::string>& selection,
                                 const std::vector<std::string>& environment = {}) {
        if (selection) {
            m_dir.Write("kolt_info.cfg", *selection);
        }
        const CliRun run = RunProgram(KOLT_CLI_PATH, m_dir.Path(), environment);
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_FALSE(run.standardOutput.empty());
        if (run.standardOutput.empty()) {
            return {};
        }
        EXPECT_EQ(run.standardOutput.back(), '\n');
        const std::string report = run.standardOutput.substr(0, run.standardOutput.size() - 1);
        const auto lines = CrLfLines(report);
        const std::optional<std::string> name = ValueOf(lines, "  Computer Name   : ");
        if (name) {
            EXPECT_EQ(m_dir.Read("kolt_info_" + *name + ".txt"), run.standardOutput);
        }
        return lines;
    }

    test_support::ScratchDirectory m_dir{"kolt_cli_"};
};

TEST_F(CliIntegrationTest, SelectionDecidesTheSectionsInReportOrder) {
    struct Case {
        const char* name;
        std::optional<std::string> selection;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const std::vector<std::string> everySection = {
        "  Date and Time   : ", "  Architecture    : ", "  CPU Speed       : ",
        "  Operating System: ", "  Computer Name   : ", "  IP Address      : ",
        "  User Name       : ", "  System Memory",      "  Disk Information"};
    const std::vector<Case> cases = {
        {"no selection file", std::nullopt, everySection, {}},
        {"All set, the rest off", SelectionFile({1, 0, 0, 0, 0, 0, 0, 0, 0, 0}), everySection, {}},
        {"memory only",
         SelectionFile({0, 0, 0, 0, 0, 0, 0, 1, 0, 0}),
         {"  System Memory"},
         {"  Date and Time   : ", "  CPU Speed       : ", "  Computer Name   : ",
          "  Disk Information"}},
        {"user and disks, values other than 1 count",
         SelectionFile({0, 0, 0, 0, 0, 0, -3, 0, 0, 7}),
         {"  User Name       : ", "  Disk Information"},
         {"  System Memory", "  Architecture    : "}},
        {"every line 0", SelectionFile({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), {}, everySection},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto lines = Run(c.selection);
        ASSERT_GE(lines.size(), 5u);
        EXPECT_EQ(lines[0], "Kolt Information - Version 2.11");
        EXPECT_EQ(lines[1], "Technical Support Report");
        EXPECT_EQ(lines[2], std::string(54, '-'));
        EXPECT_EQ(lines[lines.size() - 2], std::string(54, '-'));
        EXPECT_FALSE(lines.back().empty());  // the web domain
        std::size_t previous = 0;
        for (const std::string& label : c.present) {
            const auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
                return l.rfind(label, 0) == 0;
            });
            ASSERT_NE(at, lines.end()) << label;
            const auto index = static_cast<std::size_t>(at - lines.begin());
            EXPECT_GT(index, previous) << label << " out of report order";
            previous = index;
        }
        for (const std::string& label : c.absent) {
            EXPECT_FALSE(HasLineStartingWith(lines, label)) << label;
        }
    }
}

TEST_F(CliIntegrationTest, FactsAgreeWithTheKernel) {
    // Every section but the CPU speed, which only costs a second here.
    const auto lines = Run(SelectionFile({0, 1, 1, 1, 1, 1, 1, 1, 0, 1}));
    const std::time_t now = std::time(nullptr);

    // The date line is ctime's text of a moment within a minute of now.
    const auto date = ValueOf(lines, "  Date and Time   : ");
    ASSERT_TRUE(date);
    std::tm parsed{};
    std::istringstream dateText(*date);
    dateText >> std::get_time(&parsed, "%a %b %d %H:%M:%S %Y");
    ASSERT_FALSE(dateText.fail()) << *date;
    parsed.tm_isdst = -1;
    EXPECT_LE(std::abs(std::difftime(std::mktime(&parsed), now)), 60.0) << *date;

    EXPECT_EQ(ValueOf(lines, "  Number of CPUs  : "),
              std::to_string(sysconf(_SC_NPROCESSORS_ONLN)));

    utsname system{};
    ASSERT_EQ(uname(&system), 0);
    EXPECT_EQ(ValueOf(lines, "  Version         : "), std::string(system.release));
    const std::string prettyName = OsReleasePrettyName();
    if (!prettyName.empty()) {
        EXPECT_EQ(ValueOf(lines, "  Operating System: "), prettyName);
    }

    EXPECT_EQ(ValueOf(lines, "  Computer Name   : "), NetbiosName());

    if (const passwd* user = getpwuid(geteuid())) {
        EXPECT_EQ(ValueOf(lines, "  User Name       : "), std::string(user->pw_name));
    }
    EXPECT_FALSE(HasLineStartingWith(lines, "  User Domain     : "));

    // An address of four dotted numbers. A machine whose resolver does not know its own name
    // may have none to give (without a default route either), and then the value is empty.
    const auto address = ValueOf(lines, "  IP Address      : ");
    ASSERT_TRUE(address);
    if (!address->empty() || ResolvesToIpv4(system.nodename)) {
        unsigned a = 0, b = 0, c = 0, d = 0;
        char rest = 0;
        EXPECT_EQ(std::sscanf(address->c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &rest), 4)
            << *address;
    }

    // Memory moves between two readings; the total does not.
    const auto memTotal = MeminfoKib("MemTotal");
    ASSERT_TRUE(memTotal);
    EXPECT_NEAR(LeadingNumber(ValueOf(lines, "  Physical Memory : ")),
                static_cast<double>(*memTotal / 1024), 1.0);
    const auto swapTotal = MeminfoKib("SwapTotal");
    ASSERT_TRUE(swapTotal);
    EXPECT_NEAR(LeadingNumber(ValueOf(lines, "  Paging File     : ")),
                static_cast<double>((*memTotal + *swapTotal) / 1024), 1.0);

    // Drive C: is the root file system; its size is fixed, its free space moves a little.
    struct statvfs root {};
    ASSERT_EQ(statvfs("/", &root), 0);
    const double rootBytes = static_cast<double>(root.f_blocks) * root.f_frsize;
    const auto size = ValueOf(lines, "              Size: ");
    ASSERT_TRUE(size);
    ASSERT_GE(size->size(), 4u);
    const std::string unit = size->substr(size->size() - 3, 2);
    const double scale = unit == "Gb"   ? 1024.0 * 1024 * 1024
                         : unit == "Mb" ? 1024.0 * 1024
                         : unit == "Kb" ? 1024.0
                                        : 1.0;
    EXPECT_NEAR(LeadingNumber(size) * scale, rootBytes, rootBytes * 0.001) << *size;
}

TEST_F(CliIntegrationTest, ARootOnAFixedDiskIsALocalFixedDisk) {
    // What the root's type must be depends on where this machine keeps its root file system.
    const std::optional<std::string> whyNot = WhyTheRootIsNotOnAFixedDisk();
    if (whyNot) {
        GTEST_SKIP() << *whyNot;
    }
    const auto lines = Run(SelectionFile({0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(ValueOf(lines, "  Disk C      Type: "), "Local Fixed Disk");
}

TEST_F(CliIntegrationTest, DomainsComeFromTheEnvironmentWhole) {
    const std::string longDomain(300, 'd');
    const auto lines = Run(SelectionFile({0, 0, 0, 0, 0, 0, 1, 0, 0, 0}),
                           {"USERDOMAIN=" + longDomain, "USERDNSDOMAIN=corp.example"});
    EXPECT_EQ(ValueOf(lines, "  User Domain     : "), longDomain);
    EXPECT_EQ(ValueOf(lines, "  User DNS Domain : "), "corp.example");
}

TEST_F(CliIntegrationTest, AnUnreadableSelectionMeansEverySection) {
    // A directory in the selection file's place cannot be read as a file.
    std::filesystem::create_directory(m_dir.Path() / "kolt_info.cfg");
    const auto lines = Run(std::nullopt);
    EXPECT_TRUE(HasLineStartingWith(lines, "  CPU Speed       : "));
    EXPECT_TRUE(HasLineStartingWith(lines, "  Disk Information"));
}

TEST_F(CliIntegrationTest, AnOlderReportFileIsReplacedNotAppendedTo) {
    const std::string fileName = "kolt_info_" + NetbiosName() + ".txt";
    m_dir.Write(fileName, std::string(100000, '~'));
    const auto lines = Run(SelectionFile({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // Header and footer only; Run compared the file with standard output byte for byte.
    EXPECT_EQ(lines.size(), 5u);
    EXPECT_EQ(m_dir.Read(fileName).find('~'), std::string::npos);
}

TEST_F(CliIntegrationTest, AReportFileThatCannotBeCreatedStillPrintsTheReport) {
    // A directory in the report file's place: the file cannot be opened for writing.
    std::filesystem::create_directory(m_dir.Path() / ("kolt_info_" + NetbiosName() + ".txt"));
    m_dir.Write("kolt_info.cfg", SelectionFile({0, 0, 0, 0, 1, 0, 0, 0, 0, 0}));
    const CliRun run = RunProgram(KOLT_CLI_PATH, m_dir.Path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.standardOutput.find("  Computer Name   : " + NetbiosName() + "\r\n"),
              std::string::npos);
}

// What a directory shared with others, or a hostile caller, can put in the program's way. Each
// run ends by itself with status 0, prints the report, never writes outside its directory, and
// leaves at the report file's name either the whole report or what stood there before.
TEST_F(CliIntegrationTest, HostileSurroundingsNeitherHangNorCutNorRedirectTheReport) {
    namespace fs = std::filesystem;
    enum class Outcome { WholeReport, OlderFileKept };
    struct Case {
        const char* what;
        std::function<void(const fs::path& dir, const fs::path& outside)> prepare;
        RunConditions conditions;
        std::vector<std::string> environment;
        Outcome outcome;
        std::vector<std::string> sections;  // label prefixes the report must hold
    };
    const std::string reportName = "kolt_info_" + NetbiosName() + ".txt";
    const std::string memoryOnly = SelectionFile({0, 0, 0, 0, 0, 0, 0, 1, 0, 0});
    const auto select = [&](const std::string& selection) {
        return [selection](const fs::path& dir, const fs::path&) {
            test_support::WriteBytes(dir / "kolt_info.cfg", selection);
        };
    };
    const std::vector<Case> cases = {
        {"a link at the report's name to a file outside",
         [&](const fs::path& dir, const fs::path& outside) {
             select(memoryOnly)(dir, outside);
             fs::create_symlink(outside / "victim", dir / reportName);
         },
         {},
         {},
         Outcome::WholeReport,
         {"  System Memory"}},
        {"a dangling link at the report's name",
         [&](const fs::path& dir, const fs::path& outside) {
             select(memoryOnly)(dir, outside);
             fs::create_symlink(outside / "created", dir / reportName);
         },
         {},
         {},
         Outcome::WholeReport,
         {"  System Memory"}},
        {"a FIFO at the report's name",
         [&](const fs::path& dir, const fs::path& outside) {
             select(memoryOnly)(dir, outside);
             ASSERT_EQ(::mkfifo((dir / reportName).c_str(), 0600), 0);
         },
         {},
         {},
         Outcome::WholeReport,
         {"  System Memory"}},
        {"a FIFO without a writer as the selection file",
         [](const fs::path& dir, const fs::path&) {
             ASSERT_EQ(::mkfifo((dir / "kolt_info.cfg").c_str(), 0600), 0);
         },
         {},
         {},
         Outcome::WholeReport,
         {"  CPU Speed       : ", "  Disk Information"}},
        {"the selection file a link to an endless device",
         [](const fs::path& dir, const fs::path&) {
             fs::create_symlink("/dev/zero", dir / "kolt_info.cfg");
         },
         {},
         {},
         Outcome::WholeReport,
         {"  CPU Speed       : ", "  Disk Information"}},
        {"a 10 GiB sparse selection file",
         [](const fs::path& dir, const fs::path&) {
             test_support::WriteBytes(dir / "kolt_info.cfg", "");
             fs::resize_file(dir / "kolt_info.cfg", 10ULL << 30);
         },
         {},
         {},
         Outcome::WholeReport,
         {}},
        {"a reader that closed standard output",
         select(memoryOnly),
         {.readerGone = true},
         {},
         Outcome::WholeReport,
         {"  System Memory"}},
        {"a file-size limit smaller than the report, an older report in place",
         [&](const fs::path& dir, const fs::path& outside) {
             select(memoryOnly)(dir, outside);
             test_support::WriteBytes(dir / reportName, "older report");
         },
         {.fileSizeLimit = 256},
         {},
         Outcome::OlderFileKept,
         {"  System Memory"}},
        {"a domain that tries to forge the address and user lines",
         select(SelectionFile({0, 0, 0, 0, 0, 0, 1, 0, 0, 0})),
         {},
         {"USERDOMAIN=SALES\r\n  IP Address      : 10.9.9.9\r\n  User Name       : admin"},
         Outcome::WholeReport,
         {"  User Domain     : SALES??  IP Address      : 10.9.9.9??"}},
        {"a DNS domain that starts with the 8-bit CSI (U+009B in UTF-8)",
         select(SelectionFile({0, 0, 0, 0, 0, 0, 1, 0, 0, 0})),
         {},
         {"USERDNSDOMAIN=\xC2\x9B"
          "31m"},
         Outcome::WholeReport,
         {"  User DNS Domain : ?31m"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test_support::ScratchDirectory dir{"kolt_hostile_"};
        test_support::ScratchDirectory outside{"kolt_outside_"};
        outside.Write("victim", "precious");
        c.prepare(dir.Path(), outside.Path());

        const CliRun run = RunProgram(KOLT_CLI_PATH, dir.Path(), c.environment, c.conditions);
        EXPECT_EQ(run.signal, 0) << "ended by a signal (SIGALRM: it hung)";
        EXPECT_EQ(run.exitStatus, 0);

        const std::string report = dir.Read(reportName);
        if (c.outcome == Outcome::OlderFileKept) {
            EXPECT_EQ(report, "older report");
        } else {
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir.Path() / reportName)));
            EXPECT_EQ(report.rfind("Kolt Information - Version", 0), 0u) << report;
            EXPECT_EQ(report.substr(report.size() - 3), "\r\n\n");
        }
        if (!c.conditions.readerGone) {
            EXPECT_EQ(run.standardOutput.rfind("Kolt Information - Version", 0), 0u);
            EXPECT_EQ(run.standardOutput.substr(run.standardOutput.size() - 3), "\r\n\n");
            if (c.outcome == Outcome::WholeReport) {
                EXPECT_EQ(report, run.standardOutput);
                EXPECT_EQ(run.standardError, "");
            }
            const auto lines =
                CrLfLines(run.standardOutput.substr(0, run.standardOutput.size() - 1));
            for (const std::string& label : c.sections) {
                EXPECT_TRUE(HasLineStartingWith(lines, label)) << label;
            }
            EXPECT_FALSE(HasLineStartingWith(lines, "  IP Address      : 10.9.9.9"));
        }
        // Nothing outside changed, and no temporary file stayed behind.
        EXPECT_EQ(outside.Read("victim"), "precious");
        EXPECT_FALSE(fs::exists(outside.Path() / "created"));
        for (const auto& entry : fs::directory_iterator(dir.Path())) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == reportName || name == "kolt_info.cfg") << name;
        }
    }
}

// Sets a file's attribute flags (chattr) for as long as it lives: the scratch directory can only
// be removed once they are cleared again.
class AttributeFlags {
public:
    AttributeFlags(const std::filesystem::path& path, int flags) : m_path(path) {
        const int fd = ::open(m_path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        int current = 0;
        if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &current) == 0) {
            const int wanted = current | flags;
            m_set = ::ioctl(fd, FS_IOC_SETFLAGS, &wanted) == 0;
            m_previous = current;
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }
    ~AttributeFlags() {
        const int fd = ::open(m_path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_set && fd >= 0) {
            ::ioctl(fd, FS_IOC_SETFLAGS, &m_previous);
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }
    AttributeFlags(const AttributeFlags&) = delete;
    AttributeFlags& operator=(const AttributeFlags&) = delete;

    bool Set() const { return m_set; }

private:
    std::filesystem::path m_path;
    int m_previous = 0;
    bool m_set = false;
};

// A report file that cannot be written is named on standard error with the reason, in one line;
// standard output and the exit status are as always, and an older report at the name stays as
// it was (a caller must not mistake it for today's). Where even the temporary copy cannot be
// removed (a directory that only takes new names), the line says so.
TEST_F(CliIntegrationTest, AReportFileThatIsNotWrittenIsNamedOnStandardError) {
    const std::string reportName = "kolt_info_" + NetbiosName() + ".txt";
    const std::string prefix = "kolt_info_cli: " + reportName + " not written: ";
    const bool privileged = CanMakeNamespaces();
    struct Case {
        const char* what;
        RunConditions conditions;
        std::string reason;  // what the line says after the prefix, up to its end
        bool appendOnly = false;
    };
    const std::vector<Case> cases = {
        {"a file-size limit smaller than the report", {.fileSizeLimit = 64}, "File too large"},
        {"the directory deleted while the program runs",
         {.directoryDeleted = true},
         "No such file or directory"},
        {"a read-only directory", {.readOnlyDirectory = true}, "Read-only file system"},
        {"a directory that only takes new names",
         {},
         "Operation not permitted (the temporary copy ",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!privileged && (c.conditions.readOnlyDirectory || c.appendOnly)) {
            std::cout << "skipped: " << c.what << " needs root\n";
            continue;
        }
        test_support::ScratchDirectory dir{"kolt_unwritten_"};
        // Computer name and user name: a quick report that still shows the whole round trip.
        dir.Write("kolt_info.cfg", SelectionFile({0, 0, 0, 0, 1, 0, 1, 0, 0, 0}));
        dir.Write(reportName, "older report");
        std::filesystem::path where = dir.Path();
        if (c.conditions.directoryDeleted) {
            where /= "gone";
            std::filesystem::create_directory(where);
        }
        const AttributeFlags appendOnly(dir.Path(), c.appendOnly ? FS_APPEND_FL : 0);
        if (c.appendOnly && !appendOnly.Set()) {
            std::cout << "skipped: " << c.what << ": this file system has no append-only flag\n";
            continue;
        }

        const CliRun run = RunProgram(KOLT_CLI_PATH, where, {}, c.conditions);
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_TRUE(run.standardOutput.starts_with("Kolt Information - Version"));
        EXPECT_TRUE(run.standardOutput.ends_with("\r\n\n"));
        EXPECT_TRUE(run.standardError.starts_with(prefix + c.reason)) << run.standardError;
        EXPECT_EQ(run.standardError.find('\n'), run.standardError.size() - 1) << run.standardError;
        EXPECT_EQ(dir.Read(reportName), "older report");
        if (c.appendOnly) {
            // The copy left behind is the one the line names.
            const std::size_t start = prefix.size() + c.reason.size();
            const std::string leftBehind =
                run.standardError.substr(start, run.standardError.find(' ', start) - start);
            EXPECT_TRUE(leftBehind.starts_with(reportName + ".")) << leftBehind;
            EXPECT_TRUE(std::filesystem::exists(dir.Path() / leftBehind)) << leftBehind;
        }
    }
}

// The selection is the file in the current directory even where the program cannot name that
// directory: deeper than its buffer of 1,024 bytes (it once read /kolt_info.cfg instead).
TEST_F(CliIntegrationTest, ADeepDirectoryGivesItsOwnSelection) {
    std::filesystem::path deep = m_dir.Path();
    while (deep.string().size() <= 1100) {
        deep /= std::string(100, 'd');
    }
    std::filesystem::create_directories(deep);
    test_support::WriteBytes(deep / "kolt_info.cfg", SelectionFile({0, 0, 0, 0, 1, 0, 0, 0, 0, 0}));
    const CliRun run = RunProgram(KOLT_CLI_PATH, deep);
    EXPECT_EQ(run.exitStatus, 0);
    const auto lines = CrLfLines(run.standardOutput.substr(0, run.standardOutput.size() - 1));
    EXPECT_EQ(lines.size(), 6u) << run.standardOutput;
    EXPECT_EQ(ValueOf(lines, "  Computer Name   : "), NetbiosName());
    EXPECT_EQ(test_support::ReadBytes(deep / ("kolt_info_" + NetbiosName() + ".txt")),
              run.standardOutput);
}

// Standard output that is a non-blocking pipe (as some callers hand it on) with a slow reader
// still receives every byte, in both forms, as the file does.
TEST_F(CliIntegrationTest, NonBlockingStandardOutputIsWrittenWhole) {
    const std::string domain = "USERDOMAIN=" + std::string(130'000, 'd');
    m_dir.Write("kolt_info.cfg", SelectionFile({0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
    for (const char* format : {"text", "json"}) {
        SCOPED_TRACE(format);
        RunConditions conditions;
        conditions.arguments = {"--format", format};
        conditions.nonBlockingOutput = true;
        conditions.readerDelay = std::chrono::milliseconds(300);
        const CliRun run = RunProgram(KOLT_CLI_PATH, m_dir.Path(), {domain}, conditions);
        EXPECT_EQ(run.exitStatus, 0);
        const std::string extension = std::string(format) == "json" ? ".json" : ".txt";
        const std::string file = m_dir.Read("kolt_info_" + NetbiosName() + extension);
        EXPECT_GT(file.size(), 130'000u);
        EXPECT_EQ(run.standardOutput.size(), file.size());
        EXPECT_TRUE(run.standardOutput == file);
    }
}

// A host name that is a number is not resolved: the resolver would read it as an address that
// belongs to no interface (12345 as 0.0.48.57). The interfaces answer instead. Each name is set
// in a private host-name namespace.
TEST_F(CliIntegrationTest, ANumericHostNameGivesAnInterfaceAddress) {
    if (!CanMakeNamespaces()) {
        GTEST_SKIP() << "needs root for a private host-name namespace";
    }
    std::vector<std::string> interfaceAddresses{""};
    ifaddrs* list = nullptr;
    ASSERT_EQ(::getifaddrs(&list), 0);
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr != nullptr && entry->ifa_addr->sa_family == AF_INET) {
            char text[INET_ADDRSTRLEN] = {};
            sockaddr_in address{};
            std::memcpy(&address, entry->ifa_addr, sizeof address);
            ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
            interfaceAddresses.emplace_back(text);
        }
    }
    ::freeifaddrs(list);

    m_dir.Write("kolt_info.cfg", SelectionFile({0, 0, 0, 0, 0, 1, 0, 0, 0, 0}));
    const struct {
        const char* name;
        const char* readAsAddress;
    } cases[] = {
        {"12345", "0.0.48.57"},
        {"4294967295", "255.255.255.255"},
        {"0x1f", "0.0.0.31"},
        {"1.2", "1.0.0.2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunConditions conditions;
        conditions.hostName = c.name;
        const CliRun run = RunProgram(KOLT_CLI_PATH, m_dir.Path(), {}, conditions);
        EXPECT_EQ(run.exitStatus, 0);
        const auto lines = CrLfLines(run.standardOutput.substr(0, run.standardOutput.size() - 1));
        const std::optional<std::string> address = ValueOf(lines, "  IP Address      : ");
        ASSERT_TRUE(address);
        EXPECT_NE(*address, c.readAsAddress);
        EXPECT_NE(std::find(interfaceAddresses.begin(), interfaceAddresses.end(), *address),
                  interfaceAddresses.end())
            << *address << " is no interface's address";
    }
}

}  // namespace
}  // namespace kolt::integration
