#include "console/console_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "console/command_line.h"
#include "console/console_limits.h"
#include "report/system_report.h"
#include "selection/selection_file.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using test_support::ScriptedPlatform;
using test_support::WriteBytes;
using Section = std::string& (CSystemReport::*)(std::string&);

constexpr std::string_view kReportFile = "kolt_info_DESK042.txt";

// Every section in the order a report lists them.
const std::vector<Section> kEverySection = {
    &CSystemReport::AppendDateTime,     &CSystemReport::AppendArchitecture,
    &CSystemReport::AppendCpuSpeed,     &CSystemReport::AppendOperatingSystem,
    &CSystemReport::AppendComputerName, &CSystemReport::AppendIpAddress,
    &CSystemReport::AppendUserName,     &CSystemReport::AppendMemory,
    &CSystemReport::AppendDisks,
};

// Each test runs in a fresh, empty current directory.
class ConsoleRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = fs::current_path();
        fs::current_path(m_dir);
        Script(m_platform);
    }
    // Leaves the directory before it is removed with the fixture.
    void TearDown() override { fs::current_path(m_previous); }

    // A machine with something to say in every section.
    void Script(ScriptedPlatform& platform) const {
        platform.currentDirectory = m_dir.string();
        platform.pathSeparator = static_cast<char>(fs::path::preferred_separator);
        platform.processorCount = 2;
        platform.processor.mmx = true;
        platform.domains.domain = "SALES";
        platform.memory = {{512ull << 20, 128ull << 20}, {1024ull << 20, 700ull << 20}};
        platform.AddDrive('C', DriveKind::Fixed, 40ull << 30, 10ull << 30);
        platform.hostAddresses = {Ipv4Address{{192, 168, 1, 10}}};
        platform.clock = ClockWindow{2'000'000'000, 1'000'000, 1'000'000};
        // A clock past any build of the program (2100-01-01): nothing for the Attention block.
        platform.currentTime = 4'102'444'800;
    }

    // What the run must print for these sections, composed on an identical machine.
    std::string Expected(const std::vector<Section>& sections) const {
        ScriptedPlatform platform;
        Script(platform);
        CSystemReport composer(platform);
        std::string report;
        composer.AppendHeader(report);
        for (const Section section : sections) {
            (composer.*section)(report);
        }
        composer.AppendFooter(report);
        return report + '\n';
    }

    void WriteSelectionFile(std::string_view bytes) const {
        WriteBytes(m_dir / "kolt_info.cfg", bytes);
    }

    // Runs the program; `outputFailure`, where given, is why standard output takes nothing.
    std::string Run(const std::vector<std::string>& arguments = {},
                    const std::string& outputFailure = {}, int exitCode = 0) {
        std::string output;
        m_errors.clear();
        const OutputWriter writer = [&output, &outputFailure](std::string_view bytes) {
            if (!outputFailure.empty()) {
                return StreamWriteResult{false, outputFailure};
            }
            output += bytes;
            return StreamWriteResult{true, {}};
        };
        EXPECT_EQ(RunConsole(m_platform, arguments, writer,
                             [this](std::string_view bytes) { m_errors += bytes; }),
                  exitCode);
        return output;
    }

    std::vector<std::string> FilesInDirectory() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            names.push_back(test_support::Utf8Text(entry.path().filename()));
        }
        return names;
    }

    fs::path m_previous;
    test_support::ScratchDirectory m_scratch{"kolt_console_"};
    const fs::path m_dir = m_scratch.Path();
    ScriptedPlatform m_platform;
    std::string m_errors;  // what the last run wrote to standard error
};

TEST_F(ConsoleRunTest, NoSelectionFileReportsEverySectionInOrder) {
    const std::string output = Run();
    EXPECT_EQ(output, Expected(kEverySection));
    EXPECT_EQ(ReadBytes(m_dir / kReportFile), output);
}

TEST_F(ConsoleRunTest, EmptySelectionFileGivesHeaderAndFooterOnly) {
    WriteSelectionFile("");
    EXPECT_EQ(Run(), Expected({}));
}

struct SelectionCase {
    const char* name;
    std::string_view file;
    std::vector<Section> sections;
};

class ConsoleSelectionTest : public ConsoleRunTest,
                             public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(ConsoleSelectionTest, ReportsTheSelectedSectionsInReportOrder) {
    WriteSelectionFile(GetParam().file);
    const std::string output = Run();
    EXPECT_EQ(output, Expected(GetParam().sections));
    EXPECT_EQ(ReadBytes(m_dir / kReportFile), output);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, ConsoleSelectionTest,
    ::testing::Values(
        SelectionCase{"AllOverridesTheOthers", "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n",
                      kEverySection},
        SelectionCase{"EverySectionButAll", "0\n1\n1\n1\n1\n1\n1\n1\n1\n1\n", kEverySection},
        SelectionCase{"CpuSpeedComesBeforeOperatingSystem",
                      "0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n",
                      {&CSystemReport::AppendCpuSpeed, &CSystemReport::AppendOperatingSystem}},
        SelectionCase{"CpuSpeedFollowsArchitecture",
                      "0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n",
                      {&CSystemReport::AppendArchitecture, &CSystemReport::AppendCpuSpeed}},
        SelectionCase{"AnyNonZeroValueSelects",
                      "0\n2\n-1\n 1\nyes\n\nx1\n",
                      {&CSystemReport::AppendDateTime, &CSystemReport::AppendArchitecture,
                       &CSystemReport::AppendOperatingSystem}},
        SelectionCase{"MissingLinesAreOff",
                      "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1",
                      {&CSystemReport::AppendMemory}},
        SelectionCase{
            "DiskIsTheTenthLine", "0\n0\n0\n0\n0\n0\n0\n0\n0\n1\n", {&CSystemReport::AppendDisks}}),
    [](const ::testing::TestParamInfo<SelectionCase>& param) { return param.param.name; });

// The selection is read from the directory the platform reports, not from wherever a relative
// path would lead.
TEST_F(ConsoleRunTest, ReadsTheSelectionFromThePlatformsCurrentDirectory) {
    const fs::path elsewhere = m_dir / "elsewhere";
    fs::create_directory(elsewhere);
    WriteBytes(elsewhere / "kolt_info.cfg", "0\n0\n0\n0\n1\n");
    m_platform.currentDirectory = elsewhere.string();
    EXPECT_EQ(Run(), Expected({&CSystemReport::AppendComputerName}));
}

// The console program's directory buffer holds 1024 bytes, far more than the dialog program's
// 260: a directory of several hundred characters is still where the selection comes from.
TEST_F(ConsoleRunTest, ReadsTheSelectionFromADirectoryLongerThanTheDialogsBuffer) {
    fs::path deep = m_dir;
    while (deep.string().size() < 600) {
        deep /= std::string(60, 'd');
    }
    ASSERT_LT(deep.string().size() + 1, limits::kConsoleDirectoryArea);
    std::error_code ignored;  // a system that cannot make it is told apart below
    fs::create_directories(deep, ignored);
    const std::string selectionFile = (deep / "kolt_info.cfg").string();
    WriteBytes(selectionFile, "0\n0\n0\n0\n1\n");
    if (!IsOn(ReadSelection(selectionFile), ReportSection::ComputerName)) {
        GTEST_SKIP() << "this system cannot open a file under a directory this long";
    }
    m_platform.currentDirectory = deep.string();
    EXPECT_EQ(Run(), Expected({&CSystemReport::AppendComputerName}));
}

TEST_F(ConsoleRunTest, ExistingReportFileIsReplaced) {
    WriteBytes(m_dir / kReportFile, std::string(100'000, 'x'));
    const std::string output = Run();
    EXPECT_EQ(ReadBytes(m_dir / kReportFile), output);
}

// A report file that cannot be written costs one line on standard error that names it and says
// why; the report on standard output and the exit status stay as they are.
TEST_F(ConsoleRunTest, ReportFileThatCannotBeCreatedIsNamedOnStandardError) {
    fs::create_directory(m_dir / kReportFile);
    EXPECT_EQ(Run(), Expected(kEverySection));
    EXPECT_TRUE(fs::is_directory(m_dir / kReportFile));
    const std::string start = "kolt_info_cli: " + std::string(kReportFile) + " not written: ";
    EXPECT_TRUE(m_errors.starts_with(start)) << m_errors;
    EXPECT_GT(m_errors.size(), start.size() + 1) << "no reason given";
    EXPECT_EQ(m_errors.find('\n'), m_errors.size() - 1) << m_errors;
    EXPECT_EQ(FilesInDirectory(), std::vector<std::string>{std::string(kReportFile)});
}

// Standard output that does not take the report (a full disk behind a redirection) costs one
// line on standard error with the reason; the file is written all the same, and the exit status
// stays as it is. So for each form, and for the usage text.
TEST_F(ConsoleRunTest, StandardOutputThatFailsIsNamedOnStandardError) {
    const std::string expectedLine =
        "kolt_info_cli: standard output not written: No space left on device\n";
    Run();
    const std::string textReport = ReadBytes(m_dir / kReportFile);
    const struct {
        std::vector<std::string> arguments;
        const char* file;  // the report file the run leaves, or none
    } cases[] = {
        {{}, "kolt_info_DESK042.txt"},
        {{"--format", "json"}, "kolt_info_DESK042.json"},
        {{"--help"}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "text" : c.arguments[0]);
        fs::remove(m_dir / kReportFile);
        EXPECT_EQ(Run(c.arguments, "No space left on device"), "");
        EXPECT_EQ(m_errors, expectedLine);
        if (c.file != nullptr) {
            EXPECT_TRUE(fs::is_regular_file(m_dir / c.file));
        }
    }
    EXPECT_FALSE(fs::exists(m_dir / kReportFile)) << "--help wrote a report";
    Run();
    EXPECT_EQ(ReadBytes(m_dir / kReportFile), textReport);
}

// Where the current directory cannot be named (deleted while the program runs) or is longer than
// the buffer, the selection still comes from the current directory, never from a root.
TEST_F(ConsoleRunTest, AnUnknownOrOverlongDirectoryStillMeansTheCurrentOne) {
    WriteSelectionFile("0\n0\n0\n0\n1\n");
    for (const std::optional<std::string>& directory :
         {std::optional<std::string>{}, std::optional<std::string>(std::string(1024, 'd'))}) {
        m_platform.currentDirectory = directory;
        EXPECT_EQ(Run(), Expected({&CSystemReport::AppendComputerName}));
    }
}

// A value cannot cut the report short or forge a line: a NUL or a line end in it is shown as '?'
// and the whole report reaches standard output and the file.
TEST_F(ConsoleRunTest, ControlBytesInAValueNeitherCutNorSplitTheReport) {
    m_platform.domains.domain = std::string("SA\0LES\r\nX", 9);
    WriteSelectionFile("0\n0\n0\n0\n0\n0\n1\n0\n");
    const std::string output = Run();
    EXPECT_NE(output.find("  User Domain     : SA?LES??X\r\n"), std::string::npos) << output;
    EXPECT_EQ(output.find('\0'), std::string::npos);
    EXPECT_EQ(output.substr(output.size() - 3), "\r\n\n");
    EXPECT_EQ(ReadBytes(m_dir / kReportFile), output);
}

std::string Repeated(std::string_view text, int count) {
    std::string repeated;
    for (int i = 0; i < count; ++i) {
        repeated += text;
    }
    return repeated;
}

struct NameCase {
    const char* name;
    std::optional<std::string> computerName;
    std::string fileName;
};

class ConsoleFileNameTest : public ConsoleRunTest,
                            public ::testing::WithParamInterface<NameCase> {};

// Whatever the computer name holds, the copy lands in the current directory, as its only file.
TEST_P(ConsoleFileNameTest, ReportFileLandsInTheCurrentDirectory) {
    m_platform.computerName = GetParam().computerName;
    const std::string output = Run();
    EXPECT_EQ(FilesInDirectory(), std::vector<std::string>{GetParam().fileName});
    EXPECT_EQ(ReadBytes(m_dir / test_support::Utf8Path(GetParam().fileName)), output);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ConsoleFileNameTest,
    ::testing::Values(NameCase{"Plain", "DESK042", "kolt_info_DESK042.txt"},
                      NameCase{"Unobtainable", std::nullopt, "kolt_info_.txt"},
                      NameCase{"Slash", "DESK/042", "kolt_info_DESK_042.txt"},
                      NameCase{"DriveAndBackslash", "C:\\DESK", "kolt_info_C__DESK.txt"},
                      NameCase{"ParentDirectory", "../DESK", "kolt_info_.._DESK.txt"},
                      NameCase{"FillsTheBuffer", std::string(79, 'N'),
                               "kolt_info_" + std::string(79, 'N') + ".txt"},
                      NameCase{"TooLongForTheBuffer", std::string(80, 'N'), "kolt_info_.txt"},
                      // Characters count as the wide buffer holds them; each stays whole.
                      NameCase{"BeyondAscii", "\xC5\x81UKASZ-\xE7\x8E\x8B\xE4\xBC\x9F",
                               "kolt_info_\xC5\x81UKASZ-\xE7\x8E\x8B\xE4\xBC\x9F.txt"},
                      NameCase{"FillsTheBufferBeyondAscii", Repeated("\xD0\x96", 79),
                               "kolt_info_" + Repeated("\xD0\x96", 79) + ".txt"},
                      NameCase{"TooLongBeyondAscii", Repeated("\xD0\x96", 80), "kolt_info_.txt"}),
    [](const ::testing::TestParamInfo<NameCase>& param) { return param.param.name; });

// Options are opt-in: without them, and with arguments the program does not know, the text
// report is written exactly as always; those it does not know are named in one warning line.
TEST_F(ConsoleRunTest, ArgumentsChooseWhatIsWritten) {
    enum class Written {
        TextReport,
        TextReportWithExtended,
        JsonReport,
        InventoryDocument,
        Usage,
        Version,
        Nothing
    };
    const struct {
        std::vector<std::string> arguments;
        Written written;
        std::string warning;
    } cases[] = {
        {{}, Written::TextReport, ""},
        {{"--format", "text"}, Written::TextReport, ""},
        {{"--format", "json"}, Written::JsonReport, ""},
        {{"--format=json"}, Written::JsonReport, ""},
        {{"--extended"}, Written::TextReportWithExtended, ""},
        {{"/EXTENDED", "--format", "text"}, Written::TextReportWithExtended, ""},
        {{"--format", "json", "--extended"}, Written::JsonReport, ""},
        {{"/FORMAT:Json"}, Written::JsonReport, ""},
        {{"--format", "inventory"}, Written::InventoryDocument, ""},
        {{"/format:INVENTORY"}, Written::InventoryDocument, ""},
        // A redacted inventory document would merge every machine on the server; an unredacted
        // one would break --redact: neither is written.
        {{"--redact", "--format", "inventory"},
         Written::Nothing,
         "kolt_info_cli: --redact does not apply to --format inventory (the document names the "
         "machine to the desk's server); nothing written\n"},
        {{"--help"}, Written::Usage, ""},
        {{"/?", "--format", "json"}, Written::Usage, ""},
        {{"--version"}, Written::Version, ""},
        {{"--frobnicate", "x"},
         Written::TextReport,
         "kolt_info_cli: ignoring what it does not know: --frobnicate x (see --help)\n"},
        {{"--format", "xml"},
         Written::TextReport,
         "kolt_info_cli: ignoring what it does not know: --format xml (see --help)\n"},
        // Arguments are shown masked as report values are, and cut after 80 characters (a UTF-8
        // sequence counting as one and never split): no escape sequence, no forged line.
        {{"\x1b]0;pwned\a\x1b[2J", "a\nkolt_info_cli: fake line"},
         Written::TextReport,
         "kolt_info_cli: ignoring what it does not know: ?]0;pwned??[2J "
         "a?kolt_info_cli: fake line (see --help)\n"},
        {{std::string(100'000, 'x')},
         Written::TextReport,
         "kolt_info_cli: ignoring what it does not know: " + std::string(80, 'x') +
             "\xE2\x80\xA6 (see --help)\n"},
        {{std::string(79, 'x') + "\xC3\xA9\xC3\xA9", std::string(80, 'y') + "\x7F"},
         Written::TextReport,
         "kolt_info_cli: ignoring what it does not know: " + std::string(79, 'x') +
             "\xC3\xA9\xE2\x80\xA6 " + std::string(80, 'y') + "\xE2\x80\xA6 (see --help)\n"},
    };
    const std::string jsonFile = "kolt_info_DESK042.json";
    const std::string inventoryFile = "kolt_info_DESK042.ocs";
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        fs::remove(m_dir / kReportFile);
        fs::remove(m_dir / jsonFile);
        fs::remove(m_dir / inventoryFile);
        m_platform.driveQueries = 0;
        const std::string output = Run(c.arguments, {}, c.written == Written::Nothing ? 2 : 0);
        EXPECT_EQ(m_errors, c.warning);
        switch (c.written) {
            case Written::TextReport:
            case Written::TextReportWithExtended: {
                std::vector<Section> sections = kEverySection;
                if (c.written == Written::TextReportWithExtended) {
                    sections.push_back(&CSystemReport::AppendExtended);
                }
                EXPECT_EQ(output, Expected(sections));
                EXPECT_EQ(FilesInDirectory(), std::vector<std::string>{std::string(kReportFile)});
                break;
            }
            case Written::JsonReport:
                EXPECT_TRUE(output.starts_with("{\n  \"product\": \"Kolt Information\","))
                    << output;
                EXPECT_EQ(FilesInDirectory(), std::vector<std::string>{jsonFile});
                EXPECT_EQ(ReadBytes(m_dir / jsonFile), output);
                EXPECT_EQ(output.find("\"extended\": {") != std::string::npos,
                          c.arguments.back() == "--extended");
                break;
            case Written::InventoryDocument:
                EXPECT_TRUE(
                    output.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
                                       "<REQUEST>\n  <CONTENT>\n"))
                    << output;
                EXPECT_EQ(FilesInDirectory(), std::vector<std::string>{inventoryFile});
                EXPECT_EQ(ReadBytes(m_dir / inventoryFile), output);
                break;
            case Written::Nothing:
                EXPECT_EQ(output, "");
                EXPECT_EQ(m_platform.driveQueries, 0);
                EXPECT_TRUE(FilesInDirectory().empty());
                break;
            case Written::Usage:
            case Written::Version:
                EXPECT_EQ(output,
                          c.written == Written::Usage ? UsageText() : "Kolt Information 2.11\n");
                // Nothing gathered, nothing written.
                EXPECT_EQ(m_platform.driveQueries, 0);
                EXPECT_TRUE(FilesInDirectory().empty());
                break;
        }
    }
}

// The inventory server rewrites each table the document names from what it holds: a selection
// file that narrows the report must not narrow the document, or the server would erase the
// machine's drives, adapters and the rest.
TEST_F(ConsoleRunTest, ASelectionDoesNotNarrowTheInventoryDocument) {
    WriteSelectionFile("0\n0\n0\n0\n1\n");
    const std::string output = Run({"--format", "inventory"});
    for (const char* element : {"<NAME>DESK042</NAME>", "<IPADDR>", "<USERID>", "<MEMORY>",
                                "<DRIVES>", "<PROCESSORN>", "<BIOS>", "<DEVICEID>DESK042-"}) {
        EXPECT_NE(output.find(element), std::string::npos) << element << " missing:\n" << output;
    }
}

}  // namespace
}  // namespace kolt
