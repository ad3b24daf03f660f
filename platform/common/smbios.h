// The machine's make, model, serial number and firmware from an SMBIOS structure table: the
// structures one after another as the firmware hands them over (the kernel's DMI table, the
// table data of Windows' raw SMBIOS answer), without the entry point.
#pragma once

#include <string_view>

#include "platform/platform.h"

namespace kolt::common {

// The facts of the first BIOS (type 0) and system (type 1) structures. Never reads outside
// `table`: a structure whose formatted area or string set runs past the end, or whose string set
// is not closed by two NULs, ends the walk there, and a field or string the structure does not
// hold is unknown. Texts are substrings of the table with the blanks at their ends removed, and
// unknown when they are a maker's placeholder (see IsPlaceholderText); they may hold any other
// byte, which the report masks as it masks every text from outside.
FirmwareInfo ParseSmbiosTable(std::string_view table);

}  // namespace kolt::common
