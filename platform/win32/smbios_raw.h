// The firmware facts from Windows' raw SMBIOS answer: a small header, then the structure table.
// No Windows headers.
#pragma once

#include <string_view>

#include "platform/platform.h"

namespace kolt::win32 {

// The header before the table: calling method, major and minor version, DMI revision, and the
// table's length (32 bits, little-endian).
inline constexpr std::size_t kRawSmbiosHeaderLength = 8;

// The table the header announces, cut to the bytes the answer holds; empty when there is no
// header.
std::string_view SmbiosTableOfRawData(std::string_view rawData);

// The facts of the table (see ParseSmbiosTable).
FirmwareInfo FirmwareFromRawSmbios(std::string_view rawData);

}  // namespace kolt::win32
