// The dialog program driven by the keyboard alone, as a caller talked through it on the phone
// drives it: keys arrive as the keyboard sends them (never a click), from the first start to a
// saved report, an opened mail, and the report read back from the clipboard.
#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "branding.h"
#include "tests/gui_e2e/accessibility.h"
#include "tests/gui_e2e/clipboard_reader.h"
#include "tests/gui_e2e/dialog_program.h"
#include "tests/gui_e2e/e2e_environment.h"
#include "tests/gui_e2e/keyboard_input.h"
#include "tests/gui_e2e/layout_text.h"
#include "tests/gui_e2e/screen_capture.h"
#include "tests/gui_e2e/screen_scale.h"
#include "tests/gui_e2e/window_query.h"

namespace kolt::e2e {
namespace {

namespace fs = std::filesystem;
using namespace control;

const std::string kEmailLine =
    "Click Here to Email your support request to: " + std::string(branding::kSupportEmail);

// The main dialog's controls as Tab visits them from Process, back to Process.
const std::vector<int> kMainTabOrder{
    kExit,     kAll,          kDateTime,  kArchitecture, kOperatingSystem,
    kCpuSpeed, kComputerName, kIpAddress, kUserName,     kMemory,
    kDisk,     kExtended,     kRedact,    kBanner,       kProcess};

// Presses Tab and waits until the focus is on control `id` of `dialog`.
void TabTo(HWND dialog, int id) {
    PressKey(VK_TAB);
    HWND expected = DialogControl(dialog, id);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == expected; }, kMessageWait))
        << "Tab did not move the focus to control " << id << " (it is on control "
        << GetDlgCtrlID(FocusOf(dialog)) << ")";
}

// What a screen reader announces for a control: its text where it shows one, otherwise the
// name the program gives it; the links as links. (The kind of the other controls is the
// system's own answer, which Wine does not give for every kind, so it is not checked.)
void ExpectAnnounced(HWND control, const std::string& name, bool isLink = false) {
    const std::optional<AccessibleFacts> facts = AccessibleFactsOf(control);
    ASSERT_TRUE(facts.has_value()) << "no accessible object for control " << GetDlgCtrlID(control);
    EXPECT_EQ(facts->name, name) << "control " << GetDlgCtrlID(control);
    if (isLink) {
        EXPECT_EQ(facts->role, ROLE_SYSTEM_LINK) << "control " << GetDlgCtrlID(control);
    }
}

std::pair<int, int> Selection(HWND edit) {
    const auto both = static_cast<DWORD>(SendBounded(edit, EM_GETSEL));
    return {LOWORD(both), HIWORD(both)};
}

int TextLength(HWND edit) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL,
                        static_cast<UINT>(kMessageWait.count()), &length);
    return static_cast<int>(length);
}

// The control as the screen shows it, its pending painting done first. The program draws a change
// of focus after the focus has moved, so a look straight after the move may still come early:
// the checks that compare pictures wait for the one they expect.
std::vector<std::uint8_t> Pixels(HWND control) {
    UpdateWindow(control);
    return CaptureScreenArea(ScreenRect(control));
}

// Whether a picture (red, green and blue bytes) holds more than one colour, as a painted banner
// does and the desktop under a window not yet painted does not.
bool ShowsMoreThanOneColour(const std::vector<std::uint8_t>& rgb) {
    for (std::size_t pixel = 3; pixel + 2 < rgb.size(); pixel += 3) {
        if (!std::equal(rgb.begin() + static_cast<std::ptrdiff_t>(pixel),
                        rgb.begin() + static_cast<std::ptrdiff_t>(pixel) + 3, rgb.begin())) {
            return true;
        }
    }
    return false;
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ReadWindowsInScreenPixels();
        m_folder = FreshWorkFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        SetEnvironmentVariableA("KOLT_E2E_OPENED", OpenedLog().string().c_str());
    }

    fs::path OpenedLog() const { return m_folder / "opened.txt"; }

    // Waits until the shell has been asked to open exactly `addresses`, one line each.
    void ExpectOpened(const std::string& addresses) {
        const auto opened = [&] {
            return fs::exists(OpenedLog()) ? ReadBytes(OpenedLog()) : std::string();
        };
        EXPECT_TRUE(WaitUntil([&] { return opened() == addresses; }, kWindowWait))
            << "opened: " << opened();
    }

    const ScreenScale m_unscaled{kUnscaledDpi};
    const ComScope m_com;
    fs::path m_folder;
};

TEST_F(KeyboardTest, FromStartToSavedReportMailAndClipboardWithoutTheMouse) {
    DialogProgram program(ProgramUnderTest(), m_folder);
    HWND main = program.WaitForMainDialog();
    BringToFront(main);
    ASSERT_EQ(FocusOf(main), program.Control(kProcess));
    ExpectAnnounced(program.Control(kProcess), "Process");

    // Once round the main dialog: every control in order, each announced by its own text or,
    // the banner, as a link named after the web domain it shows. Space unticks a box on the way
    // (the processor speed, which would take a second), Enter opens the web site from the banner
    // without pressing Process, and the banner shows where the focus is.
    std::vector<std::uint8_t> bannerUnfocused;
    ASSERT_TRUE(WaitUntil(
        [&] {
            bannerUnfocused = Pixels(program.Control(kBanner));
            return ShowsMoreThanOneColour(bannerUnfocused);
        },
        kMessageWait))
        << "the banner is not painted";
    for (const int id : kMainTabOrder) {
        ASSERT_NO_FATAL_FAILURE(TabTo(main, id));
        HWND control = program.Control(id);
        if (id == kBanner) {
            ExpectAnnounced(control, std::string(branding::kWebDomain), true);
            EXPECT_TRUE(WaitUntil([&] { return Pixels(control) != bannerUnfocused; }, kMessageWait))
                << "the banner looks the same with and without the focus";
            PressKey(VK_RETURN);
            ExpectOpened(std::string(branding::kWebUrl) + "\n");
            EXPECT_TRUE(IsWindowEnabled(main)) << "Enter on the banner pressed Process";
        } else if (id != kProcess) {
            ExpectAnnounced(control, ShownText(WindowText(control)));
        }
        if (id == kCpuSpeed) {
            PressKey(VK_SPACE);
            EXPECT_TRUE(WaitUntil([&] { return !program.IsChecked(kCpuSpeed); }, kMessageWait));
        }
    }
    EXPECT_TRUE(WaitUntil([&] { return Pixels(program.Control(kBanner)) == bannerUnfocused; },
                          kMessageWait))
        << "the banner keeps its focus mark after the focus has left it";
    ExpectAnnounced(program.Control(kProgress), "Progress");

    // Enter presses Process, the default button.
    PressKey(VK_RETURN);
    HWND viewer = nullptr;
    ASSERT_NO_THROW(viewer = WaitForTopLevel(program.ProcessId(),
                                             [](HWND window) {
                                                 return ClassName(window) == "#32770" &&
                                                        WindowText(window) == kViewerCaption;
                                             }))
        << "Enter did not open the viewer";
    HWND box = DialogControl(viewer, kReportText);
    ASSERT_TRUE(
        WaitUntil([&] { return FocusOf(viewer) == DialogControl(viewer, kClose); }, kMessageWait));
    const std::string report = ViewerText(viewer);
    ASSERT_NE(report.find("  User Name       : "), std::string::npos) << report;
    ExpectAnnounced(box, "Report");
    ExpectAnnounced(DialogControl(viewer, kEmail), kEmailLine, true);

    // Ctrl+A from the Close button selects the whole report in its box, Ctrl+C copies it.
    PressCtrlKey('A');
    const int length = TextLength(box);
    EXPECT_TRUE(
        WaitUntil([&] { return FocusOf(viewer) == box && Selection(box) == std::pair(0, length); },
                  kMessageWait))
        << "Ctrl+A selected " << Selection(box).first << " to " << Selection(box).second << " of "
        << length;
    EmptyClipboardNow();
    PressCtrlKey('C');
    EXPECT_TRUE(WaitUntil([&] { return ClipboardUnicodeText() == report; }, kMessageWait))
        << "Ctrl+C put on the clipboard: " << ClipboardUnicodeText().value_or("(nothing)");

    // Space on the e-mail line opens the mail program, addressed to the support desk.
    ASSERT_NO_FATAL_FAILURE(TabTo(viewer, kEmail));
    PressKey(VK_SPACE);
    ExpectOpened(std::string(branding::kWebUrl) +
                 "\nmailto:" + std::string(branding::kSupportEmail) + "\n");

    // Enter on Copy puts the whole report on the clipboard, as Unicode and as 8-bit text, and
    // leaves the selection as it was.
    ASSERT_NO_FATAL_FAILURE(TabTo(viewer, kCopy));
    EmptyClipboardNow();
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return ClipboardUnicodeText() == report; }, kMessageWait))
        << "Copy put on the clipboard: " << ClipboardUnicodeText().value_or("(nothing)");
    EXPECT_EQ(ClipboardAnsiText(), report);
    EXPECT_EQ(Selection(box), std::pair(0, length));

    // Space on Save opens the Save As dialog; the name is typed and Enter saves.
    ASSERT_NO_FATAL_FAILURE(TabTo(viewer, kSave));
    PressKey(VK_SPACE);
    HWND saveDialog = nullptr;
    ASSERT_NO_THROW(saveDialog = WaitForOwnedDialog(program.ProcessId(), viewer))
        << "Space on Save opened no Save As dialog";
    ASSERT_TRUE(WaitUntil([&] { return ClassName(FocusOf(saveDialog)) == "Edit"; }, kWindowWait))
        << "the Save As dialog has no text field in focus: " << ClassName(FocusOf(saveDialog));
    const fs::path saved = m_folder / "typed name.txt";
    TypeText(saved.wstring());
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntilGone(saveDialog)) << "the Save As dialog stayed open";
    SendBounded(viewer, WM_NULL);
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(saved); }, kMessageWait));
    EXPECT_EQ(ReadBytes(saved), SavedFileBytes(report));

    // The rest of the viewer's round: Print, then back to Close and the report.
    BringToFront(viewer);
    ASSERT_TRUE(
        WaitUntil([&] { return FocusOf(viewer) == DialogControl(viewer, kSave); }, kMessageWait));
    for (const int id : {kPrint, kClose, kReportText}) {
        ASSERT_NO_FATAL_FAILURE(TabTo(viewer, id));
    }

    // Escape closes the viewer; the about box opens from the system menu (Alt+Space, then its
    // last item, which the program added) and closes with Escape; Escape ends the program.
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(viewer)) << "Escape did not close the viewer";
    BringToFront(main);
    PressAltKey(VK_SPACE);
    PressKey(VK_END);
    PressKey(VK_RETURN);
    HWND about = nullptr;
    ASSERT_NO_THROW(about = WaitForOwnedDialog(program.ProcessId(), main))
        << "the system menu opened no about box";
    EXPECT_EQ(WindowText(about), kAboutCaption);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(about)) << "Escape did not close the about box";
    BringToFront(main);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace kolt::e2e
