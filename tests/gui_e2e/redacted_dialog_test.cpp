// The dialog program with "Hide personal details" ticked: no personal value of this machine
// reaches anything the viewer shows or hands on: its text, the clipboard after Copy and after
// Ctrl+C, the file Save writes and the name it proposes, and the printed page. The values are
// the ones the console program's unredacted JSON gives under the same prefix and environment.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/gui_e2e/clipboard_reader.h"
#include "tests/gui_e2e/dialog_program.h"
#include "tests/gui_e2e/e2e_environment.h"
#include "tests/gui_e2e/keyboard_input.h"
#include "tests/gui_e2e/print_queue.h"
#include "tests/gui_e2e/report_text.h"
#include "tests/gui_e2e/screen_scale.h"
#include "tests/gui_e2e/window_query.h"
#include "tests/support/child_process.h"

namespace kolt::e2e {
namespace {

namespace fs = std::filesystem;
using namespace control;

// Domains of the user's own, long enough that finding one is no chance; Wine hands the
// environment's on to the program.
constexpr const char* kDomain = "BRANCHNORD";
constexpr const char* kDnsDomain = "branch-nord.example";

void CollectStrings(const nlohmann::json& value, std::vector<std::string>& found) {
    if (value.is_string()) {
        found.push_back(value.get<std::string>());
    } else if (value.is_structured()) {
        for (const auto& item : value) {
            CollectStrings(item, found);
        }
    }
}

// Loopback and unspecified addresses identify no one: a redacted report keeps them.
bool IsKeptAddress(std::string_view text) {
    return text.starts_with("127.") || text == "::1" || text == "0.0.0.0" || text == "::";
}

// The personal values of an unredacted JSON document: the computer's and the user's names and
// domains, the addresses, hardware addresses (in both forms a report writes them) and the
// serial number.
std::vector<std::string> PersonalValuesOf(const std::string& json) {
    const nlohmann::json document = nlohmann::json::parse(json);
    std::vector<std::string> strings;
    CollectStrings(document["computerName"], strings);
    CollectStrings(document["ipAddress"], strings);
    CollectStrings(document["userName"], strings);
    const nlohmann::json& extended = document["extended"];
    CollectStrings(extended["firmware"]["serialNumber"], strings);
    CollectStrings(extended["dnsServers"], strings);
    for (const auto& adapter : extended["networkAdapters"]) {
        for (const char* member : {"hardwareAddress", "ipv4", "ipv6", "gateways", "dnsServers"}) {
            CollectStrings(adapter[member], strings);
        }
    }
    std::vector<std::string> personal;
    for (std::string& value : strings) {
        if (value.empty() || IsKeptAddress(value)) {
            continue;
        }
        if (value.size() == 17 && (value[2] == '-' || value[2] == ':')) {
            std::string other = value;
            std::replace(other.begin(), other.end(), value[2], value[2] == '-' ? ':' : '-');
            personal.push_back(other);
        }
        personal.push_back(std::move(value));
    }
    return personal;
}

std::string Lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// Letters, digits and the bytes of characters beyond ASCII make up a word.
bool IsWordByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || byte >= 0x80;
}

// Whether `value` stands in `lowered` (lower-cased) as a word of its own: a computer named "VM"
// is not found in "KVM". This machine's names can be that short.
bool Occurs(const std::string& lowered, const std::string& value) {
    const std::string wanted = Lowered(value);
    for (std::size_t at = lowered.find(wanted); at != std::string::npos;
         at = lowered.find(wanted, at + 1)) {
        const std::size_t end = at + wanted.size();
        if ((at == 0 || !IsWordByte(lowered[at - 1])) &&
            (end == lowered.size() || !IsWordByte(lowered[end]))) {
            return true;
        }
    }
    return false;
}

// Checks that no value of `personal` occurs in `text`, in any letter case.
void ExpectNoneIn(const std::vector<std::string>& personal, const std::string& text,
                  const char* where) {
    const std::string lowered = Lowered(text);
    for (const std::string& value : personal) {
        EXPECT_FALSE(Occurs(lowered, value)) << "\"" << value << "\" in " << where << ":\n" << text;
    }
}

class RedactedDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ReadWindowsInScreenPixels();
        m_folder = FreshWorkFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        SetEnvironmentVariableA("USERDOMAIN", kDomain);
        SetEnvironmentVariableA("USERDNSDOMAIN", kDnsDomain);
    }

    const ScreenScale m_unscaled{kUnscaledDpi};
    fs::path m_folder;
};

TEST_F(RedactedDialogTest, NoPersonalValueReachesViewerClipboardFileOrPrinter) {
    // This machine's values, as the same prefix shows them unredacted.
    const fs::path consoleFolder = m_folder / "console";
    fs::create_directory(consoleFolder);
    const test_support::ChildRun unredacted = test_support::RunChild(
        ConsoleProgram(), consoleFolder,
        test_support::ChildSetup{.arguments = {"--format", "json", "--extended"}});
    ASSERT_EQ(unredacted.exitStatus, 0) << unredacted.standardError;
    const std::vector<std::string> personal = PersonalValuesOf(unredacted.standardOutput);
    for (const std::string& wanted : {EnvironmentText(L"USER"), std::string(kDnsDomain)}) {
        ASSERT_NE(std::find(personal.begin(), personal.end(), wanted), personal.end())
            << wanted << " is not among the values of\n"
            << unredacted.standardOutput;
    }

    // Every section but the processor speed (a second of measuring, and All unticked with it),
    // Extended Information among them, and the box ticked as a user ticks it.
    BoxStates boxes{false, true, true, true, true, true, true, true, false, true, true, false};
    WriteBytes(m_folder / "kolt_info.cfg", SelectionFileBytes(boxes));
    DialogProgram program(ProgramUnderTest(), m_folder);
    ASSERT_NO_THROW(program.WaitForMainDialog());
    ASSERT_FALSE(program.IsChecked(kRedact));
    program.ClickBox(kRedact);
    boxes[11] = true;
    EXPECT_EQ(program.Boxes(), boxes);

    HWND viewer = program.ProcessAndWaitForViewer();
    const std::string report = ViewerText(viewer);
    EXPECT_EQ(ReadBytes(m_folder / "kolt_info.cfg"), SelectionFileBytes(boxes));
    // The redacted report itself, not an empty or cut one: its stand-ins and its closing note.
    EXPECT_NE(report.find("  Computer Name   : HOST-1\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("  Extended Information"), std::string::npos) << report;
    EXPECT_NE(report.find("  Redacted        : personal details replaced ("), std::string::npos)
        << report;
    ExpectNoneIn(personal, report, "the viewer");

    // Copy, then Ctrl+A and Ctrl+C in the report box.
    EmptyClipboardNow();
    Post(DialogControl(viewer, kCopy), BM_CLICK);
    EXPECT_TRUE(WaitUntil([&] { return ClipboardUnicodeText() == report; }, kMessageWait))
        << "Copy put on the clipboard: " << ClipboardUnicodeText().value_or("(nothing)");
    ExpectNoneIn(personal, ClipboardUnicodeText().value_or(""), "the clipboard after Copy");
    ExpectNoneIn(personal, ClipboardAnsiText().value_or(""), "the clipboard's 8-bit text");
    EmptyClipboardNow();
    BringToFront(viewer);
    PressCtrlKey('A');
    PressCtrlKey('C');
    EXPECT_TRUE(WaitUntil([&] { return ClipboardUnicodeText() == report; }, kMessageWait))
        << "Ctrl+C put on the clipboard: " << ClipboardUnicodeText().value_or("(nothing)");
    ExpectNoneIn(personal, ClipboardUnicodeText().value_or(""), "the clipboard after Ctrl+C");

    // Save proposes the stand-in's name and writes the viewer's text.
    Post(DialogControl(viewer, kSave), BM_CLICK);
    HWND saveDialog = WaitForOwnedDialog(program.ProcessId(), viewer);
    const std::string proposed = ProposedFileName(saveDialog);
    EXPECT_EQ(proposed, "kolt_info_HOST-1.txt");
    ExpectNoneIn(personal, proposed, "the proposed file name");
    const fs::path saved = m_folder / proposed;
    SaveAs(saveDialog, saved);
    ASSERT_TRUE(WaitUntilGone(saveDialog)) << "the Save As dialog stayed open";
    SendBounded(viewer, WM_NULL);
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_EQ(ReadBytes(saved), SavedFileBytes(report));
    ExpectNoneIn(personal, ReadBytes(saved), "the saved file");

    // The printed page, as the PDF queue's text of it gives it.
    if (const std::optional<fs::path> pdfFolder = EmptiedPdfFolder()) {
        ASSERT_NO_FATAL_FAILURE(PrintWith(program.ProcessId(), viewer, IDOK));
        const std::optional<fs::path> words =
            WaitForFileEndingIn(*pdfFolder, ".bbox.html", kPdfWait);
        ASSERT_TRUE(words.has_value()) << "no PDF came out of the queue " << kPdfQueue;
        const std::optional<fs::path> text = WaitForFileEndingIn(*pdfFolder, ".txt", kPdfWait);
        ASSERT_TRUE(text.has_value());
        const std::string printed = ReadBytes(*text);
        EXPECT_NE(printed.find("HOST-1"), std::string::npos) << printed;
        ExpectNoneIn(personal, printed, "the printed page");
        ExpectNoneIn(personal, ReadBytes(*words), "the printed page's words");
    } else {
        std::cout << "not printed: no private print server (KOLT_PDF_FOLDER is not set)\n";
    }

    PostKey(FocusOf(viewer), VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(viewer)) << "the viewer did not close";
    Post(program.MainDialog(), WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace kolt::e2e
