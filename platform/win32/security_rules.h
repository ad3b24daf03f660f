// What the security center's product state says about an antivirus product, and the firewall's
// state per profile from the registry: pure rules, tested on every build.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/platform.h"
#include "platform/win32/registry_rules.h"

namespace kolt::win32 {

// The firewall's own settings per profile, and the group policy's, which win where they are set.
inline constexpr std::string_view kFirewallLocalKey =
    "SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy";
inline constexpr std::string_view kFirewallPolicyKey =
    "SOFTWARE\\Policies\\Microsoft\\WindowsFirewall";

struct ProductStateMeaning {
    std::optional<bool> enabled;
    std::optional<bool> upToDate;
};

// A product state packs the product's condition in bits 12 to 15 (on, off, snoozed, expired) and
// its signatures' in bits 4 to 7 (up to date, out of date). Only "on" is on; a condition or
// signature status of another value is unknown.
ProductStateMeaning MeaningOfProductState(std::uint32_t productState);

// Each profile's EnableFirewall: the policy's value where it sets one, else the local one, else
// unknown. Any value but 0 is on.
FirewallProfiles ReadFirewallProfiles(RegistryView& registry);

}  // namespace kolt::win32
