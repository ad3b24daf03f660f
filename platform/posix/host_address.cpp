#include "platform/posix/host_address.h"

#include <algorithm>
#include <cstdint>

#include "platform/posix/text_lines.h"

namespace kolt::posix {

namespace {

constexpr std::uint64_t kRouteUp = 0x0001;  // RTF_UP

}  // namespace

bool IsLoopback(const Ipv4Address& address) {
    return address.octets[0] == 127;
}

std::optional<std::string> ParseDefaultRouteInterface(std::string_view routeTable) {
    std::optional<std::string> best;
    std::uint64_t bestMetric = 0;
    bool header = true;
    ForEachLine(routeTable, [&](std::string_view line) {
        if (header) {  // "Iface Destination Gateway Flags RefCnt Use Metric Mask MTU Window IRTT"
            header = false;
            return;
        }
        const std::string_view iface = NextField(line);
        const auto destination = ParseUnsigned(NextField(line), 16);
        NextField(line);  // gateway
        const auto flags = ParseUnsigned(NextField(line), 16);
        NextField(line);  // reference count
        NextField(line);  // use
        const auto metric = ParseUnsigned(NextField(line));
        const auto mask = ParseUnsigned(NextField(line), 16);
        if (iface.empty() || !destination || !flags || !metric || !mask) {
            return;
        }
        if (*destination != 0 || *mask != 0 || (*flags & kRouteUp) == 0) {
            return;
        }
        if (!best || *metric < bestMetric) {
            best = std::string(iface);
            bestMetric = *metric;
        }
    });
    return best;
}

std::optional<Ipv4Address> ChooseInterfaceAddress(
    const std::optional<std::string>& defaultRouteInterface,
    const std::vector<InterfaceAddress>& interfaces) {
    const auto usable = [](const InterfaceAddress& entry) {
        return entry.up && !entry.loopback && !IsLoopback(entry.address);
    };
    if (defaultRouteInterface) {
        const auto match =
            std::find_if(interfaces.begin(), interfaces.end(), [&](const auto& entry) {
                return entry.name == *defaultRouteInterface && usable(entry);
            });
        if (match != interfaces.end()) {
            return match->address;
        }
    }
    const auto first = std::find_if(interfaces.begin(), interfaces.end(), usable);
    if (first != interfaces.end()) {
        return first->address;
    }
    return std::nullopt;
}

}  // namespace kolt::posix
