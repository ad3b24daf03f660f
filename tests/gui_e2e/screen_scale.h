// The screen's scale (dots per inch) as programs started from now on see it, and the system
// measures at a given scale, for checking the dialog program at 100 %, 150 % and 200 %.
#pragma once

#include <windows.h>

namespace kolt::e2e {

inline constexpr int kUnscaledDpi = 96;

// Sets the screen's resolution that programs read when they start (the current user's
// LogPixels, which Wine reads as Windows does) for as long as the object lives, then puts back
// what was there. Throws when the setting cannot be written.
class ScreenScale {
public:
    explicit ScreenScale(int dpi);
    ~ScreenScale();
    ScreenScale(const ScreenScale&) = delete;
    ScreenScale& operator=(const ScreenScale&) = delete;

private:
    HKEY m_key = nullptr;
    DWORD m_previous = 0;
    bool m_hadPrevious = false;
};

// Makes this process read every window's position and size in the screen's own pixels,
// whatever scale the window's program runs at. Call before looking at any window.
void ReadWindowsInScreenPixels();

// A system measure (GetSystemMetrics index) and the caption font as a program on a screen of
// `dpi` dots per inch has them.
int SystemMetricAt(int index, int dpi);
LOGFONTW CaptionFontAt(int dpi);

}  // namespace kolt::e2e
