// The end of support of Windows releases, by build number: Windows 7 and 8.1 as a whole, and each
// feature update of Windows 10 and 11, where Home and Pro editions end earlier than Enterprise and
// Education. The table is dated (kSupportTableDate); a build it does not list, newer or not, is
// never taken for out of support.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kolt::attention {

// The day the table was last checked against the published dates.
inline constexpr CalendarDate kSupportTableDate{2025, 10, 14};

struct SupportEnd {
    std::string_view product;  // "Windows 10", "Windows 8.1"
    std::string_view release;  // "22H2"; empty for a system without feature updates
    CalendarDate lastDay;      // the last day of security updates
};

// The build number a build text starts with ("22631" of "22631.2861"); nullopt for none.
std::optional<std::uint32_t> BuildNumber(std::string_view build);

// When the release of `build` stops getting updates for `edition` (EditionID: "Core",
// "Professional", "Enterprise", ...). nullopt where the table says nothing: a build it does not
// list, a server edition (their builds share numbers with client releases but not the dates), a
// long-term servicing edition. An unknown edition takes the later of the two dates, never the
// earlier.
std::optional<SupportEnd> SupportEndOf(std::uint32_t build,
                                       const std::optional<std::string>& edition);

// Whether an EditionID names a server edition ("ServerStandard", "ServerDatacenter").
bool IsServerEdition(std::string_view edition);

}  // namespace kolt::attention
