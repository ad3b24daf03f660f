// Reading the program's own resources. Only Win32 code here.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kolt::ui {

// The bytes of dialog template `id` of the program; empty when it has none.
std::vector<std::uint8_t> LoadDialogTemplate(int id);

// String `id` of the program's string table, in UTF-8; empty when it has none.
std::string LoadResourceString(int id);

}  // namespace kolt::ui
