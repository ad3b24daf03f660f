// The texts firmware gives about the machine (SMBIOS strings, the kernel's copies of them): kept
// when they say something, unknown when they are a maker's placeholder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kolt::common {

// Whether a firmware text, blanks and line ends at either end ignored, says nothing about the
// machine: empty; made only of zeros, blanks, dots, dashes, underscores, X or 0xFF bytes ("0",
// "00000000", "XXXXXXXX", erased flash); or, in any case, one of the placeholders makers leave in
// their tables:
//   To be filled by O.E.M., To be filled by OEM, Default string, Default, OEM, O.E.M.,
//   System manufacturer, System Product Name, System Version, System Serial Number, System Name,
//   Base Board Serial Number, Chassis Serial Number, Serial Number, SerialNumber,
//   Type1ProductConfigId, Not Applicable, Not Specified, Not Available, N/A, NA, None, Unknown,
//   Undefined, Invalid, 0123456789, 123456789, 1234567890.
bool IsPlaceholderText(std::string_view text);

// The text without blanks and line ends at either end (makers pad fixed-width fields); nullopt
// when it is a placeholder.
std::optional<std::string> KnownFirmwareText(std::string_view text);

// A firmware date, "mm/dd/yyyy" or "mm/dd/yy" (a two-digit year is 19yy), blanks and line ends at
// either end ignored; nullopt for any other form or a day that does not exist.
std::optional<CalendarDate> ParseFirmwareDate(std::string_view text);

}  // namespace kolt::common
