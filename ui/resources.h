// Reading the program's own resources. Only Win32 code here.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/handles.h"

namespace kolt::ui {

// The bytes of dialog template `id` of the program; empty when it has none.
std::vector<std::uint8_t> LoadDialogTemplate(int id);

// Bitmap `id` of the program, as a device-independent bitmap with the colours it was drawn in;
// nullptr when it has none.
UniqueBitmap LoadBitmapResource(int id);

// A bitmap's width and height in pixels; 0 by 0 when it cannot be read.
SIZE BitmapSize(HBITMAP bitmap);

// String `id` of the program's string table, in UTF-8; empty when it has none.
std::string LoadResourceString(int id);

}  // namespace kolt::ui
