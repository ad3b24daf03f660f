// Screenshots of the program's windows as PNG files: what a user sees, kept as build artefacts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace kolt::e2e {

// The pixels of an area of the screen as it shows now: red, green and blue bytes, row by row
// from the top. Throws when the screen cannot be read.
std::vector<std::uint8_t> CaptureScreenArea(const RECT& area);

// Copies the screen area of `window` (caption and frame included) into a PNG file. Brings the
// window to the front first so that nothing covers it, and moves the pointer out of its way.
// Throws when the screen cannot be read.
void SaveWindowPng(HWND window, const std::filesystem::path& file);

}  // namespace kolt::e2e
