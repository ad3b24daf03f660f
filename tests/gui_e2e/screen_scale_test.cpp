// The dialog program at 100 %, 150 % and 200 %: every control's text fits inside the control,
// nothing sticks out of a dialog or off the screen, the viewer's report is in a fixed-pitch face
// of the scaled size, and the banner shows the picture drawn for the scale. Screenshots of the
// three dialogs at each scale are kept in the output folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "tests/gui_e2e/dialog_program.h"
#include "tests/gui_e2e/e2e_environment.h"
#include "tests/gui_e2e/layout_text.h"
#include "tests/gui_e2e/screen_capture.h"
#include "tests/gui_e2e/screen_scale.h"
#include "tests/gui_e2e/window_query.h"

namespace kolt::e2e {
namespace {

namespace fs = std::filesystem;
using namespace control;

struct Scale {
    int dpi;
    const char* percent;
    SIZE banner;  // the picture drawn for the scale
};
constexpr Scale kScales[] = {
    {96, "100", {350, 70}},
    {144, "150", {525, 105}},
    {192, "200", {700, 140}},
};

// The size of one character of a fixed-pitch face, as a control lays its text out.
struct Cell {
    int advance = 0;
    int lineHeight = 0;
};

// The character cell of the viewer's report box, read off where the box puts its characters;
// nothing when the characters of its first line do not all stand the same distance apart.
std::optional<Cell> FixedPitchCellOf(HWND box) {
    const auto at = [&](int index) {
        const auto position = static_cast<DWORD>(SendBounded(box, EM_POSFROMCHAR, index));
        return POINT{static_cast<SHORT>(LOWORD(position)), static_cast<SHORT>(HIWORD(position))};
    };
    const int secondLine = static_cast<int>(SendBounded(box, EM_LINEINDEX, 1));
    const POINT first = at(0);
    const Cell cell{at(1).x - first.x, at(secondLine).y - first.y};
    for (int index = 1; index < secondLine - 2; ++index) {
        if (at(index).x - first.x != index * cell.advance) {
            return std::nullopt;
        }
    }
    return cell;
}

RECT ClientOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Whether two controls cover each other by more than the pixel that rounding dialog units to
// pixels may give two neighbours.
bool Overlap(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE && both.right - both.left > 1 &&
           both.bottom - both.top > 1;
}

std::string Describe(HWND control) {
    return ClassName(control) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" +
           WindowText(control) + "\"";
}

// The dialog lies on the screen's work area, every control inside the dialog, and no two
// controls but the group box and what it frames cover each other.
void ExpectWhole(HWND dialog) {
    EXPECT_TRUE(Inside(ScreenRect(dialog), WorkAreaOf(dialog))) << "the dialog leaves the screen";
    const RECT client = ClientOnScreen(dialog);
    std::vector<HWND> placed;
    for (HWND child : ChildWindows(dialog)) {
        const RECT rect = ScreenRect(child);
        EXPECT_TRUE(Inside(rect, client)) << Describe(child) << " is cut at the dialog's edge";
        if (ClassName(child) == "Button" && (Style(child) & BS_TYPEMASK) == BS_GROUPBOX) {
            continue;
        }
        for (HWND other : placed) {
            EXPECT_FALSE(Overlap(rect, ScreenRect(other)))
                << Describe(child) << " covers " << Describe(other);
        }
        placed.push_back(child);
    }
}

// Every text of a dialog laid out in a fixed-pitch face of cell `cell` fits its control: push
// buttons and check boxes (beside the box a check box draws) on one line, static texts on the
// lines they break into.
void ExpectFixedPitchTextsFit(HWND dialog, const Cell& cell, int dpi) {
    const int checkBox = SystemMetricAt(SM_CXMENUCHECK, dpi);
    for (HWND child : ChildWindows(dialog)) {
        const std::string text = ShownText(WindowText(child));
        if (text.empty()) {
            continue;
        }
        const SIZE room = ClientSize(child);
        const int width = static_cast<int>(text.size()) * cell.advance;
        SCOPED_TRACE(Describe(child) + " in " + std::to_string(room.cx) + " x " +
                     std::to_string(room.cy) + ", text " + std::to_string(width) + " wide");
        if (ClassName(child) == "Button") {
            const LONG type = Style(child) & BS_TYPEMASK;
            const int decoration =
                type == BS_AUTOCHECKBOX ? checkBox + cell.advance / 2 : cell.advance;
            EXPECT_LE(width + decoration, room.cx);
            EXPECT_LE(cell.lineHeight, room.cy);
        } else if (ClassName(child) == "Static") {
            const std::optional<std::size_t> lines =
                WrappedLineCount(text, static_cast<std::size_t>(room.cx / cell.advance));
            ASSERT_TRUE(lines.has_value()) << "a word is wider than the control";
            EXPECT_LE(static_cast<int>(*lines) * cell.lineHeight, room.cy)
                << *lines << " lines of " << cell.lineHeight;
        }
    }
}

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// How wide `text` is in `font` on the screen.
int TextWidth(const LOGFONTW& font, const std::string& text) {
    const Font created(CreateFontIndirectW(&font));
    HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, created.get());
    const std::wstring wide(text.begin(), text.end());
    SIZE size{};
    GetTextExtentPoint32W(screen, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool IsInstalled(const wchar_t* face) {
    LOGFONTW font{};
    font.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &font, &NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// The about box's texts, in a proportional face of 8 points, fit their controls whichever of
// the faces a dialog of that face may be shown in is used: the widest of them is measured.
void ExpectAboutTextsFit(HWND about, int dpi) {
    const wchar_t* const faces[] = {L"MS Sans Serif", L"Microsoft Sans Serif", L"Tahoma",
                                    L"Segoe UI", L"Arial"};
    for (HWND child : ChildWindows(about)) {
        const std::string text = WindowText(child);
        if (ClassName(child) != "Static" || text.empty()) {
            continue;
        }
        int widest = 0;
        for (const wchar_t* face : faces) {
            if (!IsInstalled(face)) {
                continue;
            }
            LOGFONTW font{};
            font.lfHeight = -MulDiv(8, dpi, 72);
            font.lfCharSet = DEFAULT_CHARSET;
            wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
            widest = std::max(widest, TextWidth(font, text));
        }
        EXPECT_LE(widest, ClientSize(child).cx) << Describe(child);
    }
}

// The caption's text fits between the icon and the caption buttons.
void ExpectCaptionFits(HWND dialog, int dpi, int captionButtons) {
    const int needed =
        TextWidth(CaptionFontAt(dpi), WindowText(dialog)) + SystemMetricAt(SM_CXSMICON, dpi) +
        captionButtons * SystemMetricAt(SM_CXSIZE, dpi) + 2 * SystemMetricAt(SM_CXFRAME, dpi);
    const RECT rect = ScreenRect(dialog);
    EXPECT_LE(needed, rect.right - rect.left) << "the caption \"" << WindowText(dialog) << "\"";
}

class ScreenScaleTest : public ::testing::Test {
protected:
    void SetUp() override { ReadWindowsInScreenPixels(); }
};

TEST_F(ScreenScaleTest, DialogsFitTheirTextsAndShowTheirPicturesSharpAtEveryScale) {
    for (const Scale& scale : kScales) {
        SCOPED_TRACE(std::string(scale.percent) + " %");
        const ScreenScale screen(scale.dpi);
        DialogProgram program(ProgramUnderTest(),
                              FreshWorkFolder(std::string("scale-") + scale.percent));
        HWND main = program.WaitForMainDialog();
        const std::string suffix = std::string("-") + scale.percent + ".png";
        SaveWindowPng(main, OutputFolder() / ("main-dialog" + suffix));
        // A report that takes no time to build: the processor speed alone would take a second.
        program.ClickBox(kCpuSpeed);

        HWND viewer = program.ProcessAndWaitForViewer();
        const std::optional<Cell> cell = FixedPitchCellOf(DialogControl(viewer, kReportText));
        ASSERT_TRUE(cell.has_value()) << "the report is not in a fixed-pitch face";
        // The report's characters at 10 points of the scaled screen, with their line spacing.
        const int characterHeight = MulDiv(10, scale.dpi, 72);
        EXPECT_GE(cell->lineHeight, characterHeight);
        EXPECT_LE(cell->lineHeight * 2, characterHeight * 3);
        ExpectWhole(viewer);
        ExpectFixedPitchTextsFit(viewer, *cell, scale.dpi);
        ExpectCaptionFits(viewer, scale.dpi, 1);
        SaveWindowPng(viewer, OutputFolder() / ("report-viewer" + suffix));
        PostKey(FocusOf(viewer), VK_ESCAPE);
        ASSERT_TRUE(WaitUntilGone(viewer)) << "the viewer did not close";

        // The main dialog is laid out in the same face as the viewer.
        ExpectWhole(main);
        ExpectFixedPitchTextsFit(main, *cell, scale.dpi);
        ExpectCaptionFits(main, scale.dpi, 3);
        HWND banner = program.Control(kBanner);
        const SIZE shown = ClientSize(banner);
        EXPECT_EQ(shown.cx, scale.banner.cx) << "the banner is not the picture drawn for the scale";
        EXPECT_EQ(shown.cy, scale.banner.cy) << "the banner is not the picture drawn for the scale";

        Post(main, WM_SYSCOMMAND, 0x0010);
        HWND about = WaitForOwnedDialog(program.ProcessId(), main);
        ExpectWhole(about);
        ExpectAboutTextsFit(about, scale.dpi);
        ExpectCaptionFits(about, scale.dpi, 1);
        SaveWindowPng(about, OutputFolder() / ("about-box" + suffix));
        PostKey(FocusOf(about), VK_ESCAPE);
        ASSERT_TRUE(WaitUntilGone(about)) << "the about box did not close";

        Post(main, WM_SYSCOMMAND, SC_CLOSE);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
}

}  // namespace
}  // namespace kolt::e2e
