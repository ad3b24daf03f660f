// The real dialog program under Wine: its main dialog, the check boxes and the selection file,
// Process with the progress bar, the report viewer and a save through the real Save As dialog.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <winspool.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "branding.h"
#include "tests/gui_e2e/dialog_program.h"
#include "tests/gui_e2e/e2e_environment.h"
#include "tests/gui_e2e/print_queue.h"
#include "tests/gui_e2e/printed_pages.h"
#include "tests/gui_e2e/report_text.h"
#include "tests/gui_e2e/screen_capture.h"
#include "tests/gui_e2e/screen_scale.h"
#include "tests/gui_e2e/window_query.h"

namespace kolt::e2e {
namespace {

namespace fs = std::filesystem;
using namespace control;

// All and the nine it stands for: what the first start checks. Extended Information and Hide
// personal details are unticked.
constexpr BoxStates kAllOn{true, true, true, true, true,  true,
                           true, true, true, true, false, false};
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
    {kExtended, "Button", "Extended Information", BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP},
    {kRedact, "Button", "Hide personal details", BS_TYPEMASK, BS_AUTOCHECKBOX, WS_TABSTOP},
    // The bar draws its own edge (themed or not), so its border is not checked by style.
    {kProgress, "msctls_progress32", "", PBS_VERTICAL | PBS_SMOOTH, PBS_VERTICAL | PBS_SMOOTH, 0},
    // The banner and the e-mail line are links: reached with Tab, opened with Enter or Space.
    {kBanner, "Static", nullptr, SS_TYPEMASK, SS_BITMAP, SS_NOTIFY | WS_TABSTOP, true},
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
        {kEmail, "Static", email.c_str(), SS_TYPEMASK, SS_CENTER,
         SS_NOTIFY | SS_SUNKEN | WS_TABSTOP, true},
        {kCopy, "Button", "Copy", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
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

// What the shell was asked to open since the program started: the recording handler that the
// test prefix registers for web and mailto: addresses appends one line per address.
std::string OpenedAddresses(const fs::path& log) {
    return fs::exists(log) ? ReadBytes(log) : std::string();
}

// Clicks a static control that sends click notifications, as the mouse would.
void ClickStatic(HWND control) {
    Post(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    Post(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

std::string ComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    GetComputerNameW(name, &size);
    return Utf8FromWide(name);
}

std::string UserName() {
    wchar_t name[512] = {};
    DWORD size = 512;
    GetUserNameW(name, &size);
    return Utf8FromWide(name);
}

class DialogProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = FreshWorkFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        // The program inherits it, and the shell's handlers inherit it from the program.
        SetEnvironmentVariableA("KOLT_E2E_OPENED", OpenedLog().string().c_str());
    }

    fs::path SelectionFile() const { return m_folder / "kolt_info.cfg"; }
    fs::path OpenedLog() const { return m_folder / "opened.txt"; }

    // Waits until the shell has been asked to open `address` (and nothing else).
    void ExpectOpened(const std::string& address) {
        const std::string expected = address + "\n";
        EXPECT_TRUE(
            WaitUntil([&] { return OpenedAddresses(OpenedLog()) == expected; }, kWindowWait))
            << "opened: " << OpenedAddresses(OpenedLog());
    }

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

    // Every case runs on an unscaled screen, whatever a case before it left behind.
    const ScreenScale m_unscaled{kUnscaledDpi};
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

// No selection file: every box but Extended Information and Hide personal details checked, the full
// report, a selection file of ten "1" lines and two "0", and the report saved through the Save As
// dialog with each line ending in a space, CR and LF.
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
    PressButton(confirm, IDYES);
    ASSERT_TRUE(WaitUntilGone(saveDialog)) << "the Save As dialog stayed open";
    SendBounded(viewer, WM_NULL);
    EXPECT_EQ(ReadBytes(saved), SavedFileBytes(report));

    // The e-mail line hands the support address to the mail program.
    ClickStatic(DialogControl(viewer, kEmail));
    ExpectOpened("mailto:" + std::string(branding::kSupportEmail));

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
    // The eleventh line ticks Extended Information, whose section the viewer then shows last; the
    // twelfth leaves personal details shown, and a thirteenth is ignored.
    WriteBytes(SelectionFile(), "0\r\n1\r\n0\r\n7\r\n1\r\n0\r\n0\r\n1\r\n1\n0\r\n1\r\n0\r\n1\r\n");
    const BoxStates expected{false, true, false, true,  true, false,
                             false, true, true,  false, true, false};
    ASSERT_NO_THROW(Start());
    EXPECT_EQ(Program().Boxes(), expected);

    HWND viewer = Program().EnterAndWaitForViewer();
    EXPECT_EQ(Program().ProgressPosition(), 100);
    const std::string shown = ViewerText(viewer);
    ASSERT_NO_FATAL_FAILURE(ExpectReport(shown, expected));
    // One line of each fact a desk asks next that Wine answers: no restart pending, the hotfix
    // list, the print spooler, the screen, the power supply (no battery), both proxies. Wine
    // has no Security Center, no time service and no firewall settings, so those have none.
    for (const char* line : {"  Restart Pending : ", "  Updates         : ", "  Display         : ",
                             "  Power           : ", "  Battery         : None",
                             "  User Proxy      : ", "  Machine Proxy   : "}) {
        EXPECT_NE(shown.find(std::string("\n") + line), std::string::npos) << line << "\n" << shown;
    }
    EXPECT_TRUE(shown.find("\n  Printer         : ") != std::string::npos ||
                shown.find("\n  Default Printer : ") != std::string::npos)
        << shown;
    EXPECT_EQ(ReadBytes(SelectionFile()), SelectionFileBytes(expected));
    ASSERT_NO_FATAL_FAILURE(CloseViewer(viewer, PressEscape));

    // The about box comes from the system menu's command 16 and closes with Esc.
    Post(Program().MainDialog(), WM_SYSCOMMAND, 0x0010);
    HWND about = WaitForOwnedDialog(Program().ProcessId(), Program().MainDialog());
    EXPECT_EQ(WindowText(about), kAboutCaption);
    ASSERT_NO_FATAL_FAILURE(ExpectCentredOver(about, ScreenRect(Program().MainDialog())));
    PressEscape(about);
    ASSERT_TRUE(WaitUntilGone(about)) << "the about box did not close";

    // The banner opens the maker's web site.
    ClickStatic(Program().Control(kBanner));
    ExpectOpened(std::string(branding::kWebUrl));

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

    // Extended Information is none of the nine: ticking it leaves All as it is, and All leaves it.
    BoxStates withExtended = kAllOn;
    withExtended[10] = true;
    Program().ClickBox(kExtended);
    EXPECT_EQ(Program().Boxes(), withExtended);
    Program().ClickBox(kAll);
    BoxStates extendedOnly{};
    extendedOnly[10] = true;
    EXPECT_EQ(Program().Boxes(), extendedOnly);
    Program().ClickBox(kAll);
    EXPECT_EQ(Program().Boxes(), withExtended);
    Program().ClickBox(kExtended);

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

struct PrinterCaps {
    int pixelsPerInchY = 0;
    int printableHeight = 0;
};

PrinterCaps CapsOf(const char* printer) {
    const HDC dc = CreateDCA(nullptr, printer, nullptr, nullptr);
    if (dc == nullptr) {
        throw std::runtime_error(std::string("cannot open the printer ") + printer);
    }
    const PrinterCaps caps{GetDeviceCaps(dc, LOGPIXELSY), GetDeviceCaps(dc, VERTRES)};
    DeleteDC(dc);
    return caps;
}

// Makes `printer` the default, which the Print dialog offers, for as long as it lives.
class DefaultPrinter {
public:
    explicit DefaultPrinter(const char* printer) {
        char name[256] = {};
        DWORD size = sizeof name;
        if (GetDefaultPrinterA(name, &size)) {
            m_previous = name;
        }
        if (!SetDefaultPrinterA(printer)) {
            throw std::runtime_error(std::string("cannot make ") + printer + " the default");
        }
    }
    ~DefaultPrinter() {
        if (m_previous) {
            SetDefaultPrinterA(m_previous->c_str());
        }
    }
    DefaultPrinter(const DefaultPrinter&) = delete;
    DefaultPrinter& operator=(const DefaultPrinter&) = delete;

private:
    std::optional<std::string> m_previous;
};

// Print in the viewer, through the real Print dialog and the private print server: Cancel prints
// nothing; a queue that refuses the job shows the failure box and the viewer goes on; the
// default PDF queue receives a report of two pages whose rows stand where the print layout puts
// them, in one fixed-pitch face, none cut at the right edge.
TEST_F(DialogProgramTest, PrintsThroughTheRealPrintDialogAndQueue) {
    const char* pdfFolderSetting = std::getenv("KOLT_PDF_FOLDER");
    if (pdfFolderSetting == nullptr || *pdfFolderSetting == '\0') {
        GTEST_SKIP() << "no private print server (KOLT_PDF_FOLDER is not set); "
                        "scripts/test-gui.sh starts one and says why when it cannot";
    }
    const fs::path pdfFolder = FromHostPath(pdfFolderSetting);
    for (const fs::directory_entry& entry : fs::directory_iterator(pdfFolder)) {
        fs::remove_all(entry.path());
    }
    const PrinterCaps caps = CapsOf(kPdfQueue);
    ASSERT_GT(caps.pixelsPerInchY, 0);

    // Every section but the processor speed (a second of measuring), and a domain long enough
    // to carry over many rows and push the report onto a second page.
    std::string domain;
    for (int i = 0; domain.size() < 1600; ++i) {
        domain += std::to_string(i % 10);
    }
    SetEnvironmentVariableA("USERDNSDOMAIN", domain.c_str());
    BoxStates boxes = kAllOn;
    boxes[0] = false;  // All
    boxes[8] = false;  // CPU Speed
    WriteBytes(SelectionFile(), SelectionFileBytes(boxes));
    ASSERT_NO_THROW(Start());
    HWND viewer = Program().ProcessAndWaitForViewer();
    const std::string report = ViewerText(viewer);
    ASSERT_NE(report.find(domain), std::string::npos) << report;

    ASSERT_NO_FATAL_FAILURE(PrintWith(Program().ProcessId(), viewer, IDCANCEL));
    SendBounded(viewer, WM_NULL);

    {
        const DefaultPrinter refusing(kRefusingQueue);
        ASSERT_NO_FATAL_FAILURE(PrintWith(Program().ProcessId(), viewer, IDOK));
        HWND box = WaitForOwnedDialog(Program().ProcessId(), viewer);
        EXPECT_EQ(WindowText(box), "kolt_info");
        EXPECT_EQ(StaticTexts(box), "Printer did not accept the report");
        PressButton(box, IDOK);
        ASSERT_TRUE(WaitUntilGone(box)) << "the failure box stayed open";
        SendBounded(viewer, WM_NULL);
        EXPECT_TRUE(IsWindowEnabled(viewer)) << "the viewer is no longer usable";
        EXPECT_EQ(ViewerText(viewer), report);
    }

    ASSERT_NO_FATAL_FAILURE(PrintWith(Program().ProcessId(), viewer, IDOK));
    const std::optional<fs::path> words = WaitForFileEndingIn(pdfFolder, ".bbox.html", kPdfWait);
    ASSERT_TRUE(words.has_value()) << "no PDF came out of the queue " << kPdfQueue;
    EXPECT_EQ(CountFilesEndingIn(pdfFolder, ".pdf"), 1u) << "Cancel or the refused job printed";

    const std::vector<PrintedPage> pages = ParseBboxPages(ReadBytes(*words));
    ASSERT_GE(pages.size(), 2u) << "the report should take two pages";
    const double pointsPerUnit = 72.0 / caps.pixelsPerInchY;
    const int rowHeight = MeasuredRowHeight(pages.front(), pointsPerUnit);
    ASSERT_GT(rowHeight, 0);
    const PrintGeometry geometry{
        rowHeight, std::min(10 * caps.pixelsPerInchY, caps.printableHeight - rowHeight)};
    const std::vector<PrintedRow> printed = PrintoutRows(pages, rowHeight, pointsPerUnit);
    EXPECT_EQ(printed, ExpectedPrintout(report, geometry));
    // Every character as wide as the next: the values' column lines up, and nothing runs past
    // the page.
    std::vector<double> colons;
    for (const PrintedPage& page : pages) {
        for (const PrintedWord& word : page.words) {
            EXPECT_LE(word.right, page.width) << word.text << " runs past the page";
            if (word.text == ":") {
                colons.push_back(word.left);
            }
        }
    }
    ASSERT_GE(colons.size(), 5u);
    const auto [leftmost, rightmost] = std::minmax_element(colons.begin(), colons.end());
    EXPECT_LT(*rightmost - *leftmost, 0.5) << "the value column does not line up";

    // What the PDF showed, for the record.
    std::cout << "printed: " << pages.size() << " pages, rows " << rowHeight << " of "
              << caps.pixelsPerInchY << " units per inch, page limit " << geometry.bottom << "\n";
    for (const PrintedRow& row : printed) {
        if (row.text.starts_with("Page ") || row.y == 3 * rowHeight) {
            std::cout << "  page " << row.page << " row " << row.y / rowHeight << " (y " << row.y
                      << "): " << row.text << "\n";
        }
    }
    const fs::path pdf = *WaitForFileEndingIn(pdfFolder, ".pdf", kPdfWait);
    // Replaced by hand: the MinGW library's copy_file refuses to overwrite.
    const fs::path kept = OutputFolder() / "printed-report.pdf";
    fs::remove(kept);
    fs::copy_file(pdf, kept);

    ASSERT_NO_FATAL_FAILURE(CloseViewer(viewer, PressClose));
    CloseBox(Program().MainDialog());
    EXPECT_EQ(Program().WaitForExit(), 0u);
}

// A user and a folder named beyond ASCII: the case runs with USER=王伟, which Wine makes the
// user's name and which no Western code page can spell, in a folder of that name. The selection
// file is read and written there, the viewer shows the name whole (read back in UTF-16), and Save
// writes the report's UTF-8 bytes to a file named in Chinese. With the print server running, one
// printed page shows a name beyond ASCII: a Polish one, since the test machine's print fonts
// hold Latin letters only.
TEST_F(DialogProgramTest, NamesBeyondAsciiShowWholeInAFolderOfAnyName) {
    const std::string user = UserName();
    EXPECT_EQ(user, EnvironmentText(L"USER")) << "Wine did not take the user name from USER";
    const std::wstring domain = L"\u0141ukasz-Zo\u00EB.example";
    SetEnvironmentVariableW(L"USERDNSDOMAIN", domain.c_str());
    m_folder /= L"\u738B\u4F1F";
    ASSERT_TRUE(fs::create_directory(m_folder));
    BoxStates boxes{};
    boxes[6] = true;  // User Name
    WriteBytes(SelectionFile(), SelectionFileBytes(boxes));

    ASSERT_NO_THROW(Start());
    EXPECT_EQ(Program().Boxes(), boxes) << "the selection file in the folder was not read";
    HWND viewer = Program().ProcessAndWaitForViewer();
    const std::string report = ViewerText(viewer);
    ASSERT_NO_FATAL_FAILURE(ExpectReport(report, boxes));
    EXPECT_NE(report.find("  User Name       : " + user + "\r\n"), std::string::npos) << report;
    EXPECT_NE(report.find("  User DNS Domain : " + Utf8FromWide(domain) + "\r\n"),
              std::string::npos)
        << report;
    EXPECT_EQ(ReadBytes(SelectionFile()), SelectionFileBytes(boxes));

    Post(DialogControl(viewer, kSave), BM_CLICK);
    HWND saveDialog = WaitForOwnedDialog(Program().ProcessId(), viewer);
    const fs::path saved = m_folder / L"\u62A5\u544A.txt";
    SaveAs(saveDialog, saved);
    ASSERT_TRUE(WaitUntilGone(saveDialog)) << "the Save As dialog stayed open";
    SendBounded(viewer, WM_NULL);
    EXPECT_EQ(ReadBytes(saved), SavedFileBytes(report));

    const char* pdfFolderSetting = std::getenv("KOLT_PDF_FOLDER");
    if (pdfFolderSetting != nullptr && *pdfFolderSetting != '\0') {
        const fs::path pdfFolder = FromHostPath(pdfFolderSetting);
        for (const fs::directory_entry& entry : fs::directory_iterator(pdfFolder)) {
            fs::remove_all(entry.path());
        }
        ASSERT_NO_FATAL_FAILURE(PrintWith(Program().ProcessId(), viewer, IDOK));
        const std::optional<fs::path> words =
            WaitForFileEndingIn(pdfFolder, ".bbox.html", kPdfWait);
        ASSERT_TRUE(words.has_value()) << "no PDF came out of the queue " << kPdfQueue;
        const std::vector<PrintedPage> pages = ParseBboxPages(ReadBytes(*words));
        ASSERT_EQ(pages.size(), 1u);
        std::vector<std::string> printed;
        for (const PrintedWord& word : pages.front().words) {
            printed.push_back(word.text);
        }
        EXPECT_NE(std::find(printed.begin(), printed.end(), Utf8FromWide(domain)), printed.end())
            << "the printed page does not show " << Utf8FromWide(domain);
    }

    ASSERT_NO_FATAL_FAILURE(CloseViewer(viewer, PressClose));
    CloseBox(Program().MainDialog());
    EXPECT_EQ(Program().WaitForExit(), 0u);
}

// Changes one text value under HKEY_LOCAL_MACHINE (the native view, which the program reads
// whatever its bitness) for as long as it lives: sets it, or deletes it when `value` is empty.
class RegistryValueChange {
public:
    RegistryValueChange(const char* key, const char* name, std::optional<std::string> value)
        : m_name(name) {
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &m_key,
                            nullptr) != ERROR_SUCCESS) {
            throw std::runtime_error(std::string("cannot open ") + key);
        }
        char previous[512] = {};
        DWORD size = sizeof previous - 1;
        DWORD type = 0;
        if (RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(previous),
                             &size) == ERROR_SUCCESS &&
            type == REG_SZ) {
            m_previous = previous;
        }
        Apply(value);
    }
    ~RegistryValueChange() {
        Apply(m_previous);
        RegCloseKey(m_key);
    }
    RegistryValueChange(const RegistryValueChange&) = delete;
    RegistryValueChange& operator=(const RegistryValueChange&) = delete;

private:
    void Apply(const std::optional<std::string>& value) {
        if (value) {
            RegSetValueExA(m_key, m_name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(value->c_str()),
                           static_cast<DWORD>(value->size() + 1));
        } else {
            RegDeleteValueA(m_key, m_name.c_str());
        }
    }

    std::string m_name;
    HKEY m_key = nullptr;
    std::optional<std::string> m_previous;
};

// With a registry that names Windows 95 (the NT key without its product name, so the program
// falls back to the other family's key): the refusal box shows before the main dialog, and
// dismissing it ends the program with status 1. The registry is put back afterwards.
TEST(Windows95Registry, RefusesToRun) {
    const ScreenScale unscaled(kUnscaledDpi);
    const RegistryValueChange ntProduct("Software\\Microsoft\\Windows NT\\CurrentVersion",
                                        "ProductName", std::nullopt);
    const RegistryValueChange product("Software\\Microsoft\\Windows\\CurrentVersion", "ProductName",
                                      "Microsoft Windows 95");
    const RegistryValueChange version("Software\\Microsoft\\Windows\\CurrentVersion",
                                      "VersionNumber", "4.00.950");
    const fs::path folder = FreshWorkFolder("Windows95Registry");
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
    PressButton(box, IDOK);
    EXPECT_EQ(program.WaitForExit(), 1u);
    EXPECT_FALSE(fs::exists(folder / "kolt_info.cfg"));
}

}  // namespace
}  // namespace kolt::e2e
