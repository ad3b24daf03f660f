// The real dialog program under Wine: its main dialog, the check boxes and the selection file,
// Process with the progress bar, the report viewer and a save through the real Save As dialog.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "branding.h"
#include "tests/gui_e2e/dialog_program.h"
#include "tests/gui_e2e/e2e_environment.h"
#include "tests/gui_e2e/report_text.h"
#include "tests/gui_e2e/screen_capture.h"
#include "tests/gui_e2e/window_query.h"

namespace kolt::e2e {
namespace {

namespace fs = std::filesystem;
using namespace control;

constexpr BoxStates kAllOn{true, true, true, true, true, true, true, true, true, true};
constexpr BoxStates kAllOff{};

const std::string kRule = "------------------------------------------------------";

struct ExpectedControl {
    int id;  // 0: not checked (a control without a number)
    const char* className;
    const char* text;
    LONG typeMask;  // the bits of the style that hold the control's kind
    LONG type;
    LONG flags;  // further style bits that must be set
    bool bordered = false;
};

// The main dialog's controls in tab order.
const std::vector<ExpectedControl> kMainControls{
    {0, "Button", "", BS_TYPEMASK, BS_GROUPBOX, 0},
    {kProcess, "Button", "Process", BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_TABSTOP},
    {kExit, "Button", "Exit", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
    {kAll, "Button", "All System Information", BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP | WS_GROUP},
    {kDateTime, "Button", "System Date and Time", BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP},
    {kArchitecture, "Button", "Computer Architecture Type", BS_TYPEMASK, BS_AUTOCHECKBOX,
     WS_TABSTOP},
    {kOperatingSystem, "Button", "Operating System and Version", BS_TYPEMASK, BS_AUTOCHECKBOX,
     WS_TABSTOP},
    {kCpuSpeed, "Button", "CPU Speed Megahertz", BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP},
    {kComputerName, "Button", "Computer Name on the Network", BS_TYPEMASK, BS_AUTOCHECKBOX,
     WS_TABSTOP},
    {kIpAddress, "Button", "Network IP Address", BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP},
    {kUserName, "Button", "User Login Name", BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP},
    {kMemory, "Button", "System Memory, Real && Virtual", BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP},
    {kDisk, "Button", "Disk Information && Size", BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP},
    // The bar draws its own edge (themed or not), so its border is not checked by style.
    {kProgress, "msctls_progress32", "", PBS_VERTICAL | PBS_SMOOTH, PBS_VERTICAL | PBS_SMOOTH, 0},
    {kBanner, "Static", nullptr, SS_TYPEMASK, SS_BITMAP, SS_NOTIFY, true},
};

// The viewer's controls in tab order.
std::vector<ExpectedControl> ViewerControls() {
    static const std::string email =
        "Click Here to Email your support request to: " + std::string(branding::kSupportEmail);
    return {
        {kClose, "Button", "Close", BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_TABSTOP},
        {kReportText, "Edit", nullptr, ES_MULTILINE | ES_AUTOHSCROLL | ES_READONLY,
         ES_MULTILINE | ES_AUTOHSCROLL, WS_VSCROLL | WS_TABSTOP, true},
        {0, "Static", "Use your mouse to select, copy and paste this report.", SS_TYPEMASK,
         SS_CENTER, 0},
        {kEmail, "Static", email.c_str(), SS_TYPEMASK, SS_CENTER, SS_NOTIFY | SS_SUNKEN, true},
        {kSave, "Button", "Save", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
        {kPrint, "Button", "Print", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
    };
}

// A border asked for in a dialog template shows as a plain border or, in dialogs with the
// three-dimensional look, as the sunken client edge the dialog manager puts in its place.
bool IsBordered(HWND control) {
    const LONG extended = GetWindowLongA(control, GWL_EXSTYLE);
    return (Style(control) & WS_BORDER) != 0 ||
           (extended & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) != 0;
}

void ExpectControls(HWND dialog, const std::vector<ExpectedControl>& expected) {
    const std::vector<HWND> children = ChildWindows(dialog);
    ASSERT_EQ(children.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i) + " (" + std::to_string(expected[i].id) + ")");
        HWND child = children[i];
        if (expected[i].id != 0) {
            EXPECT_EQ(GetDlgCtrlID(child), expected[i].id);
        }
        EXPECT_EQ(ClassName(child), expected[i].className);
        if (expected[i].text != nullptr) {
            EXPECT_EQ(WindowText(child), expected[i].text);
        }
        const LONG style = Style(child);
        EXPECT_EQ(style & expected[i].typeMask, expected[i].type);
        EXPECT_EQ(style & expected[i].flags, expected[i].flags);
        EXPECT_TRUE(style & WS_VISIBLE);
        if (expected[i].bordered) {
            EXPECT_TRUE(IsBordered(child));
        }
    }
}

// The viewer shows one whole report: banner, the checked sections in report order, closing.
void ExpectReport(const std::string& text, const BoxStates& boxes) {
    const auto lines = SplitCrLfLines(text);
    ASSERT_TRUE(lines.has_value()) << "not every line ends in CR LF:\n" << text;
    ASSERT_GE(lines->size(), 5u) << text;
    EXPECT_EQ((*lines)[0], "Kolt Information - Version 2.11");
    EXPECT_EQ((*lines)[1], "Technical Support Report");
    EXPECT_EQ((*lines)[2], kRule);
    EXPECT_EQ((*lines)[lines->size() - 2], kRule);
    EXPECT_EQ(lines->back(), branding::kWebDomain);
    // Each press starts from an empty report: one banner, whatever came before.
    EXPECT_EQ(CountLines(*lines, "Kolt Information - Version 2.11"), 1u);
    EXPECT_EQ(FirstPrefixMissingInOrder(*lines, SelectedSectionOpenings(boxes)), std::nullopt)
        << text;
    for (const std::string& opening : UnselectedSectionOpenings(boxes)) {
        EXPECT_FALSE(AnyLineStartsWith(*lines, opening)) << opening << " in\n" << text;
    }
    if (SelectedSectionOpenings(boxes).empty()) {
        EXPECT_EQ(lines->size(), 5u) << text;
    }
}

// Centred over `reference` (a pixel of rounding either way) and wholly inside the work area.
void ExpectCentredOver(HWND window, const RECT& reference) {
    const RECT rect = ScreenRect(window);
    const RECT work = WorkAreaOf(window);
    const auto describe = [](const RECT& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + " - " +
               std::to_string(r.right) + "," + std::to_string(r.bottom);
    };
    SCOPED_TRACE("window " + describe(rect) + ", reference " + describe(reference) +
                 ", work area " + describe(work));
    EXPECT_LE(std::abs((rect.left + rect.right) - (reference.left + reference.right)), 2);
    EXPECT_LE(std::abs((rect.top + rect.bottom) - (reference.top + reference.bottom)), 2);
    EXPECT_GE(rect.left, work.left);
    EXPECT_GE(rect.top, work.top);
    EXPECT_LE(rect.right, work.right);
    EXPECT_LE(rect.bottom, work.bottom);
}

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    return name;
}

class DialogProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = FreshWorkFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    fs::path SelectionFile() const { return m_folder / "kolt_info.cfg"; }

    void Start() {
        m_program = std::make_unique<DialogProgram>(ProgramUnderTest(), m_folder);
        m_program->WaitForMainDialog();
    }

    DialogProgram& Program() { return *m_program; }

    // Closes the viewer with `how` and checks that the main dialog has its empty bar again.
    void CloseViewer(HWND viewer, void (*how)(HWND)) {
        how(viewer);
        ASSERT_TRUE(WaitUntilGone(viewer)) << "the viewer did not close";
        SendBounded(Program().MainDialog(), WM_NULL);
        EXPECT_EQ(Program().ProgressPosition(), 0);
        EXPECT_TRUE(IsWindowEnabled(Program().MainDialog()));
    }

    fs::path m_folder;
    std::unique_ptr<DialogProgram> m_program;
};

void PressClose(HWND viewer) {
    Post(DialogControl(viewer, kClose), BM_CLICK);
}
void PressEscape(HWND viewer) {
    PostKey(FocusOf(viewer), VK_ESCAPE);
}
void CloseBox(HWND window) {
    Post(window, WM_SYSCOMMAND, SC_CLOSE);
}

// No selection file: every box checked, the full report, a selection file of ten "1" lines, and
// the report saved through the Save As dialog with each line ending in a space, CR and LF.
TEST_F(DialogProgramTest, FirstStartBuildsTheFullReportAndSavesIt) {
    ASSERT_NO_THROW(Start());
    HWND main = Program().MainDialog();

    EXPECT_EQ(Style(main) & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    // The main dialog opens in the middle of the screen, the viewer over the main dialog.
    ASSERT_NO_FATAL_FAILURE(ExpectCentredOver(main, WorkAreaOf(main)));
    ASSERT_NO_FATAL_FAILURE(ExpectControls(main, kMainControls));
    EXPECT_NE(SendBounded(Program().Control(kBanner), STM_GETIMAGE, IMAGE_BITMAP), 0)
        << "the banner shows no picture";
    EXPECT_EQ(FocusOf(main), Program().Control(kProcess));
    EXPECT_EQ(Program().Boxes(), kAllOn);
    EXPECT_EQ(Program().ProgressPosition(), 0);
    EXPECT_EQ(Program().ProgressUpperLimit(), 100);
    EXPECT_FALSE(fs::exists(SelectionFile())) << "the selection file is written only by Process";
    SaveWindowPng(main, OutputFolder() / "main-dialog.png");

    HWND viewer = Program().ProcessAndWaitForViewer();
    ASSERT_NO_FATAL_FAILURE(ExpectControls(viewer, ViewerControls()));
    ASSERT_NO_FATAL_FAILURE(ExpectCentredOver(viewer, ScreenRect(main)));
    // The program sets 150 on a bar whose range ends at 100; the bar keeps the nearest bound, so
    // it reads full while the viewer is open.
    EXPECT_EQ(Program().ProgressPosition(), 100) << "the bar is full while the viewer is open";
    EXPECT_FALSE(IsWindowEnabled(main)) << "the viewer is modal";
    EXPECT_EQ(FocusOf(viewer), DialogControl(viewer, kClose));
    const std::string report = ViewerText(viewer);
    ASSERT_NO_FATAL_FAILURE(ExpectReport(report, kAllOn));
    EXPECT_EQ(ReadBytes(SelectionFile()), SelectionFileBytes(kAllOn));
    SaveWindowPng(viewer, OutputFolder() / "report-viewer.png");

    // Save proposes the console program's file name; the saved bytes follow the text stream.
    Post(DialogControl(viewer, kSave), BM_CLICK);
    HWND saveDialog = WaitForOwnedDialog(Program().ProcessId(), viewer);
    EXPECT_EQ(ProposedFileName(saveDialog), "kolt_info_" + ComputerName() + ".txt");
    const fs::path saved = m_folder / "saved report.txt";
    SaveAs(saveDialog, saved);
    ASSERT_TRUE(WaitUntilGone(saveDialog)) << "the Save As dialog stayed open";
    SendBounded(viewer, WM_NULL);  // answered once the save has finished
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_EQ(ReadBytes(saved), SavedFileBytes(report));
    EXPECT_EQ(ViewerText(viewer), report) << "Save leaves the text box alone";

    // A second save over the same file asks first, then writes the same bytes.
    WriteBytes(saved, "old contents");
    Post(DialogControl(viewer, kSave), BM_CLICK);
    saveDialog = WaitForOwnedDialog(Program().ProcessId(), viewer);
    SaveAs(saveDialog, saved);
    HWND confirm = WaitForOwnedDialog(Program().ProcessId(), saveDialog);
    Post(confirm, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
         reinterpret_cast<LPARAM>(DialogControl(confirm, IDYES)));
    ASSERT_TRUE(WaitUntilGone(saveDialog)) << "the Save As dialog stayed open";
    SendBounded(viewer, WM_NULL);
    EXPECT_EQ(ReadBytes(saved), SavedFileBytes(report));

    ASSERT_NO_FATAL_FAILURE(CloseViewer(viewer, PressClose));

    // Exit ends the program without touching the selection file.
    WriteBytes(SelectionFile(), "1\r\n");
    Post(Program().Control(kExit), BM_CLICK);
    EXPECT_EQ(Program().WaitForExit(), 0u);
    EXPECT_EQ(ReadBytes(SelectionFile()), "1\r\n");
}

// The selection file sets the boxes (any nonzero value checks one), Enter runs Process, the report
// holds exactly the checked sections, the file is written back as "0" and "1" lines, Esc closes
// the viewer and the about box, and the close box ends the program without storing a later
// change.
TEST_F(DialogProgramTest, SelectionFileChoosesTheBoxesAndTheSections) {
    WriteBytes(SelectionFile(), "0\r\n1\r\n0\r\n7\r\n1\r\n0\r\n0\r\n1\r\n1\n0\r\n1\r\n");
    const BoxStates expected{false, true, false, true, true, false, false, true, true, false};
    ASSERT_NO_THROW(Start());
    EXPECT_EQ(Program().Boxes(), expected);

    HWND viewer = Program().EnterAndWaitForViewer();
    EXPECT_EQ(Program().ProgressPosition(), 100);
    ASSERT_NO_FATAL_FAILURE(ExpectReport(ViewerText(viewer), expected));
    EXPECT_EQ(ReadBytes(SelectionFile()), SelectionFileBytes(expected));
    ASSERT_NO_FATAL_FAILURE(CloseViewer(viewer, PressEscape));

    // The about box comes from the system menu's command 16 and closes with Esc.
    Post(Program().MainDialog(), WM_SYSCOMMAND, 0x0010);
    HWND about = WaitForOwnedDialog(Program().ProcessId(), Program().MainDialog());
    EXPECT_EQ(WindowText(about), kAboutCaption);
    ASSERT_NO_FATAL_FAILURE(ExpectCentredOver(about, ScreenRect(Program().MainDialog())));
    PressEscape(about);
    ASSERT_TRUE(WaitUntilGone(about)) << "the about box did not close";

    Program().ClickBox(kDisk);
    EXPECT_TRUE(Program().IsChecked(kDisk));
    CloseBox(Program().MainDialog());
    EXPECT_EQ(Program().WaitForExit(), 0u);
    EXPECT_EQ(ReadBytes(SelectionFile()), SelectionFileBytes(expected));
}

// All checked with the nine unchecked is shown as stored and builds header and footer only; the
// All box then sets the nine both ways, and the nine set the All box.
TEST_F(DialogProgramTest, AllBoxAndSectionBoxesFollowEachOther) {
    const BoxStates allOnly{true};
    WriteBytes(SelectionFile(), SelectionFileBytes(allOnly));
    ASSERT_NO_THROW(Start());
    EXPECT_EQ(Program().Boxes(), allOnly);

    HWND viewer = Program().ProcessAndWaitForViewer();
    ASSERT_NO_FATAL_FAILURE(ExpectReport(ViewerText(viewer), allOnly));
    EXPECT_EQ(ReadBytes(SelectionFile()), SelectionFileBytes(allOnly));
    ASSERT_NO_FATAL_FAILURE(CloseViewer(viewer, CloseBox));

    Program().ClickBox(kAll);  // unchecks All; the nine stay unchecked
    EXPECT_EQ(Program().Boxes(), kAllOff);
    Program().ClickBox(kAll);
    EXPECT_EQ(Program().Boxes(), kAllOn);

    Program().ClickBox(kMemory);
    BoxStates withoutMemory = kAllOn;
    withoutMemory[0] = false;
    withoutMemory[7] = false;
    EXPECT_EQ(Program().Boxes(), withoutMemory);
    Program().ClickBox(kMemory);
    EXPECT_EQ(Program().Boxes(), kAllOn);

    Program().ClickBox(kAll);
    EXPECT_EQ(Program().Boxes(), kAllOff);
    viewer = Program().ProcessAndWaitForViewer();
    ASSERT_NO_FATAL_FAILURE(ExpectReport(ViewerText(viewer), kAllOff));
    EXPECT_EQ(ReadBytes(SelectionFile()), SelectionFileBytes(kAllOff));
    ASSERT_NO_FATAL_FAILURE(CloseViewer(viewer, PressClose));

    // A second press builds its report afresh.
    Program().ClickBox(kUserName);
    BoxStates userOnly{};
    userOnly[6] = true;
    viewer = Program().ProcessAndWaitForViewer();
    ASSERT_NO_FATAL_FAILURE(ExpectReport(ViewerText(viewer), userOnly));
    ASSERT_NO_FATAL_FAILURE(CloseViewer(viewer, PressEscape));

    // Esc in the main dialog ends the program; the selection file keeps the last Process.
    Program().ClickBox(kAll);
    PostKey(FocusOf(Program().MainDialog()), VK_ESCAPE);
    EXPECT_EQ(Program().WaitForExit(), 0u);
    EXPECT_EQ(ReadBytes(SelectionFile()), SelectionFileBytes(userOnly));
}

// Run only in a Wine prefix whose registry names Windows 95: the refusal box shows before the
// main dialog, and dismissing it ends the program with status 1.
TEST(Windows95Prefix, RefusesToRun) {
    const fs::path folder = FreshWorkFolder("Windows95Prefix");
    DialogProgram program(ProgramUnderTest(), folder);
    HWND box = WaitForTopLevel(program.ProcessId(), [](HWND window) {
        return ClassName(window) == "#32770" && WindowText(window) != kMainCaption;
    });
    EXPECT_EQ(WindowText(box), "kolt_info");
    EXPECT_EQ(StaticTexts(box), "Kolt Info is NOT designed for Windows 95!");
    for (HWND window : TopLevelWindows(program.ProcessId())) {
        EXPECT_NE(WindowText(window), kMainCaption) << "the main dialog showed";
    }
    SaveWindowPng(box, OutputFolder() / "windows95-refusal.png");
    Post(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
         reinterpret_cast<LPARAM>(DialogControl(box, IDOK)));
    EXPECT_EQ(program.WaitForExit(), 1u);
    EXPECT_FALSE(fs::exists(folder / "kolt_info.cfg"));
}

}  // namespace
}  // namespace kolt::e2e
