// The rules over the machine's addresses and its own name.
#include <string>
#include <variant>

#include "report/attention/rules.h"
#include "report/sections/ip_address.h"

namespace kolt::attention {

namespace {

bool IsLoopback(const Ipv4Address& address) {
    return address.octets[0] == 127;
}

// 169.254.0.0/16: the address Windows (and avahi) give an interface that got no DHCP answer.
bool IsAutomaticPrivate(const Ipv4Address& address) {
    return address.octets[0] == 169 && address.octets[1] == 254;
}

const Ipv4Address* AsIpv4(const InternetAddress& address) {
    return std::get_if<Ipv4Address>(&address);
}

}  // namespace

std::vector<RuleFinding> NoIpv4Address(const RuleInput& input) {
    // The report's own address says there is nothing but loopback, and no adapter that is up
    // carries another IPv4 address: both must agree before the rule speaks.
    if (!input.facts.ipAddress) {
        return {};
    }
    const std::optional<Ipv4Address>& own = input.facts.ipAddress->address;
    if (own && !IsLoopback(*own)) {
        return {};
    }
    for (const NetworkAdapter& adapter : input.extended.network.adapters) {
        for (const IpPrefix& prefix : adapter.ipv4) {
            const Ipv4Address* address = AsIpv4(prefix.address);
            if (address && !IsLoopback(*address)) {
                return {};
            }
        }
    }
    return {{"No IPv4 address but loopback: the machine is not on a network", {}}};
}

std::vector<RuleFinding> AutomaticPrivateAddress(const RuleInput& input) {
    std::vector<RuleFinding> found;
    for (const NetworkAdapter& adapter : input.extended.network.adapters) {
        for (const IpPrefix& prefix : adapter.ipv4) {
            const Ipv4Address* address = AsIpv4(prefix.address);
            if (address && IsAutomaticPrivate(*address)) {
                const std::string dotted = DottedAddress(*address);
                found.push_back({"Adapter " + adapter.name + " has the automatic address " +
                                     dotted + " (no answer from DHCP)",
                                 {{"adapter", adapter.name}, {"address", dotted}}});
                break;  // one line per adapter
            }
        }
    }
    // Without the adapters' word (their list unknown), the report's own address tells it.
    const auto& ip = input.facts.ipAddress;
    if (found.empty() && ip && ip->address && IsAutomaticPrivate(*ip->address)) {
        const std::string dotted = DottedAddress(*ip->address);
        found.push_back({"The address " + dotted + " is an automatic one (no answer from DHCP)",
                         {{"address", dotted}}});
    }
    return found;
}

std::vector<RuleFinding> OwnNameNotResolved(const RuleInput& input) {
    if (!input.facts.ipAddress || input.facts.ipAddress->nameResolvedInTime) {
        return {};
    }
    return {
        {"The computer's own name did not resolve in time: the name server does not answer", {}}};
}

}  // namespace kolt::attention
