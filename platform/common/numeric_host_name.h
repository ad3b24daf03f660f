// Whether a host name is really a number. Resolvers read such a name as an address (12345 is
// 0.0.48.57, as the classic inet_aton reads it), which then belongs to no interface of the machine.
#pragma once

#include <string_view>

namespace kolt::common {

// True for a name of decimal digits only, whatever its length, and for any name the classic
// numbers-and-dots form reads as an IPv4 address: one to four parts separated by dots, each
// decimal, octal (a leading 0) or hexadecimal (0x), the last part filling the remaining bytes
// ("1.2", "0x7f.1", "4294967295"), and ending the name or followed by white space.
bool IsNumericHostName(std::string_view name);

}  // namespace kolt::common
