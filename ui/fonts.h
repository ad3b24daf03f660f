// Which font faces a device can draw with, and whether they scale. Only Win32 code here.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace kolt::ui {

// Whether a font family named `face` (ASCII) is installed for the screen.
bool IsFontFaceInstalled(std::u16string_view face);

// Dots per inch of the screen, as the dialog manager sizes a dialog's font.
int ScreenDpi();

// Whether the installed face `face` (ASCII) can be drawn at any size, rather than being made of
// bitmaps of a few sizes.
bool IsScalableFace(std::u16string_view face);

// The scalable fixed-pitch faces that `dc` can draw with (the screen's when `dc` is nullptr),
// each once, in the order the system lists them. Vertical faces ("@...") and names beyond ASCII
// are left out.
std::vector<std::string> FixedPitchFaces(HDC dc);

}  // namespace kolt::ui
