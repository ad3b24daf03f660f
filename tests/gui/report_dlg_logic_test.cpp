#include "gui/report_dlg_logic.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "branding.h"
#include "kolt_version.h"
#include "report/report_file_name.h"
#include "tests/gui/gui_doubles.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

using test_support::ReadBytes;
using test_support::ShownMessage;

constexpr const char* kReport = "Line one\r\n\r\n  Key: value\r\n";

// What a text stream makes of a line feed on this platform.
std::string OnDisk(std::string text) {
    std::string bytes;
    for (const char c : text) {
        if (c == '\n' && KOLT_TEXT_STREAM_WRITES_CRLF) {
            bytes += '\r';
        }
        bytes += c;
    }
    return bytes;
}

class ReportDlgLogicTest : public ::testing::Test {
protected:
    ReportDlgLogicTest() { logic.SetReport(kReport); }

    test_support::ScratchDirectory dir;
    test_support::ScriptedPlatform platform;
    test_support::RecordingServices services;
    ReportDlgLogic logic{ProposedReportFileName(platform), services};
};

TEST_F(ReportDlgLogicTest, SaveAsksForATextFileNamedAfterTheComputer) {
    logic.OnSaveClicked();

    ASSERT_EQ(services.saveRequests.size(), 1u);
    const ui::SaveAsRequest& request = services.saveRequests[0];
    EXPECT_EQ(request.defaultExtension, ".txt");
    EXPECT_EQ(request.fileName, "kolt_info_DESK042.txt");
    EXPECT_EQ(request.filter, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|");
    EXPECT_TRUE(request.hideReadOnly);
    EXPECT_TRUE(request.overwritePrompt);
    // Cancelled: nothing else happens.
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(logic.ReportText(), kReport);
}

TEST_F(ReportDlgLogicTest, ProposedNameTakesTheComputerNameOnlyWhenItFitsItsBuffer) {
    struct Case {
        std::optional<std::string> computerName;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {std::nullopt, "kolt_info_.txt"},
        {"", "kolt_info_.txt"},
        {std::string(79, 'N'), "kolt_info_" + std::string(79, 'N') + ".txt"},
        {std::string(80, 'N'), "kolt_info_.txt"},
        {"PC:1", "kolt_info_PC_1.txt"},
    };
    for (const Case& c : cases) {
        platform.computerName = c.computerName;
        const ReportDlgLogic caseLogic(ProposedReportFileName(platform), services);
        EXPECT_EQ(caseLogic.ProposedFileName(), c.expected);
    }
}

TEST_F(ReportDlgLogicTest, SaveWritesTheCopyWithEveryCrAsASpace) {
    services.savePath = dir.File("saved.txt");
    logic.OnSaveClicked();

    const std::string converted = "Line one \n \n  Key: value \n";
    EXPECT_EQ(ReadBytes(*services.savePath), OnDisk(converted));
    EXPECT_EQ(logic.ReportText(), converted);
    EXPECT_TRUE(services.messages.empty());

    // A second save writes the same bytes.
    services.savePath = dir.File("again.txt");
    logic.OnSaveClicked();
    EXPECT_EQ(ReadBytes(*services.savePath), OnDisk(converted));
}

TEST_F(ReportDlgLogicTest, SaveReplacesAnExistingFile) {
    services.savePath = dir.File("old.txt");
    test_support::WriteBytes(*services.savePath, std::string(500, 'z'));
    logic.OnSaveClicked();
    EXPECT_EQ(ReadBytes(*services.savePath), OnDisk("Line one \n \n  Key: value \n"));
}

TEST_F(ReportDlgLogicTest, SaveThatCannotOpenItsFileWarnsAndKeepsTheCrs) {
    const std::string path = dir.File("missing-folder") + "/report.txt";
    services.savePath = path;
    logic.OnSaveClicked();

    EXPECT_EQ(services.messages,
              (std::vector<ShownMessage>{{"Error saving to: " + path, ui::MessageIcon::Warning}}));
    EXPECT_EQ(logic.ReportText(), kReport);
}

TEST_F(ReportDlgLogicTest, SaveThatCannotReplaceTheChosenNameWarnsAndLeavesItAsItWas) {
    // A folder at the chosen name: the new file is written beside it and cannot take its place.
    const std::string path = dir.File("a folder");
    std::filesystem::create_directory(path);
    test_support::WriteBytes(std::filesystem::path(path) / "inside.txt", "kept");
    services.savePath = path;
    logic.OnSaveClicked();

    EXPECT_EQ(services.messages,
              (std::vector<ShownMessage>{{"Error saving to: " + path, ui::MessageIcon::Warning}}));
    EXPECT_EQ(ReadBytes(std::filesystem::path(path) / "inside.txt"), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ReportDlgLogicTest, EmailOpensAMailtoOfTheSupportAddress) {
    logic.OnEmailClicked();
    EXPECT_EQ(services.opened,
              std::vector<std::string>{"mailto:" + std::string(branding::kSupportEmail)});
}

TEST_F(ReportDlgLogicTest, CopyPutsTheWholeCopyOnTheClipboardWithCrLfLineEnds) {
    struct Case {
        const char* name;
        std::string report;
        std::string clipboard;
    };
    const std::vector<Case> cases = {
        {"as composed", kReport, kReport},
        // After a Save the copy's line ends are a space and a bare LF.
        {"after a save", "Line one \n \n  Key: value \n", "Line one \r\n \r\n  Key: value \r\n"},
        {"lone CR, lone LF, LF CR", "a\rb\nc\n\rd", "a\r\nb\r\nc\r\n\r\nd"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::RecordingServices caseServices;
        ReportDlgLogic caseLogic(ProposedReportFileName(platform), caseServices);
        caseLogic.SetReport(c.report);

        caseLogic.OnCopyClicked();

        EXPECT_EQ(caseServices.clipboard, std::vector<std::string>{c.clipboard});
        EXPECT_TRUE(caseServices.messages.empty());
        EXPECT_EQ(caseLogic.ReportText(), c.report) << "Copy changed the viewer's copy";
    }
}

TEST_F(ReportDlgLogicTest, CopyThatCannotHaveTheClipboardSaysSo) {
    services.clipboardAvailable = false;
    logic.OnCopyClicked();
    EXPECT_EQ(services.messages,
              (std::vector<ShownMessage>{
                  {"Could not put the report on the clipboard", ui::MessageIcon::Warning}}));
}

TEST_F(ReportDlgLogicTest, FilterPartsAreSeparatedByNuls) {
    using namespace std::string_literals;
    EXPECT_EQ(ui::NulSeparatedFilter("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"),
              "Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0"s);
}

TEST_F(ReportDlgLogicTest, CancelledPrintDoesNothing) {
    logic.OnPrintClicked();
    EXPECT_TRUE(services.printed.calls.empty());
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ReportDlgLogicTest, PrintFailuresAreReportedAndReleaseThePrinter) {
    struct Case {
        const char* name;
        int startDocumentResult;
        int startPageResult;
        int endDocumentResult;
        std::vector<std::string> calls;
    };
    const std::string header =
        "40,30                        Kolt Information - Version " KOLT_VERSION_TEXT;
    const std::vector<std::string> printed = {
        "StartDoc Kolt Information", "StartPage", header, "40,40  ", "40,60 Line one",
        "40,80   Key: value",        "EndPage",
    };
    auto then = [](std::vector<std::string> calls, std::vector<std::string> more) {
        calls.insert(calls.end(), more.begin(), more.end());
        return calls;
    };
    const std::vector<Case> cases = {
        {"document", -1, 1, 1, {"StartDoc Kolt Information", "Message Printer wouldn't initalize"}},
        // Zero is the platform's other failure answer.
        {"document zero",
         0,
         1,
         1,
         {"StartDoc Kolt Information", "Message Printer wouldn't initalize"}},
        {"page",
         1,
         -1,
         1,
         {"StartDoc Kolt Information", "StartPage", "Message Could not start page", "AbortDoc"}},
        {"page zero",
         1,
         0,
         1,
         {"StartDoc Kolt Information", "StartPage", "Message Could not start page", "AbortDoc"}},
        // A queue that refuses the finished document: the printout would be lost unseen.
        {"queue refuses", 1, 1, 0,
         then(printed, {"EndDoc", "Message Printer did not accept the report"})},
        {"queue refuses, negative", 1, 1, -1,
         then(printed, {"EndDoc", "Message Printer did not accept the report"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::RecordingServices caseServices;
        caseServices.printer = test_support::RecordingPrinter::Settings{};
        caseServices.printer->startDocumentResult = c.startDocumentResult;
        caseServices.printer->startPageResult = c.startPageResult;
        caseServices.printer->endDocumentResult = c.endDocumentResult;
        ReportDlgLogic caseLogic(ProposedReportFileName(platform), caseServices);
        caseLogic.SetReport(kReport);

        caseLogic.OnPrintClicked();

        EXPECT_EQ(caseServices.printed.calls, c.calls);
        EXPECT_TRUE(caseServices.printed.released);
        ASSERT_EQ(caseServices.messages.size(), 1u);
        EXPECT_EQ(caseServices.messages[0].icon, ui::MessageIcon::None);
    }
}

TEST_F(ReportDlgLogicTest, PrintAfterSavePrintsTheTrailingSpaces) {
    services.savePath = dir.File("saved.txt");
    logic.OnSaveClicked();
    services.printer = test_support::RecordingPrinter::Settings{};
    logic.OnPrintClicked();

    const std::vector<std::string> expected = {
        "StartDoc Kolt Information",
        "StartPage",
        "40,30                        Kolt Information - Version " KOLT_VERSION_TEXT,
        "40,40  ",
        "40,60 Line one ",
        "40,70  ",
        "40,80   Key: value ",
        "EndPage",
        "EndDoc",
    };
    EXPECT_EQ(services.printed.calls, expected);
    EXPECT_TRUE(services.printed.released);
}

}  // namespace
}  // namespace kolt
