#include "platform/win32/security_rules.h"

#include <string>

namespace kolt::win32 {
namespace {

enum ProductCondition : std::uint32_t { kOff = 0, kOn = 1, kSnoozed = 2, kExpired = 3 };
enum SignatureStatus : std::uint32_t { kUpToDate = 0, kOutOfDate = 1 };

std::optional<bool> ProfileEnabled(RegistryView& registry, std::string_view policyProfile,
                                   std::string_view localProfile) {
    const auto read = [&registry](std::string_view key, std::string_view profile) {
        return registry.Dword(std::string(key) + "\\" + std::string(profile), "EnableFirewall");
    };
    std::optional<std::uint32_t> value = read(kFirewallPolicyKey, policyProfile);
    if (!value) {
        value = read(kFirewallLocalKey, localProfile);
    }
    if (!value) {
        return std::nullopt;
    }
    return *value != 0;
}

}  // namespace

ProductStateMeaning MeaningOfProductState(std::uint32_t productState) {
    ProductStateMeaning meaning;
    switch ((productState >> 12) & 0xF) {
        case kOn:
            meaning.enabled = true;
            break;
        case kOff:
        case kSnoozed:
        case kExpired:
            meaning.enabled = false;
            break;
        default:
            break;
    }
    switch ((productState >> 4) & 0xF) {
        case kUpToDate:
            meaning.upToDate = true;
            break;
        case kOutOfDate:
            meaning.upToDate = false;
            break;
        default:
            break;
    }
    return meaning;
}

FirewallProfiles ReadFirewallProfiles(RegistryView& registry) {
    // The local settings call the private profile "standard", the policy "private".
    return FirewallProfiles{ProfileEnabled(registry, "DomainProfile", "DomainProfile"),
                            ProfileEnabled(registry, "PrivateProfile", "StandardProfile"),
                            ProfileEnabled(registry, "PublicProfile", "PublicProfile")};
}

}  // namespace kolt::win32
