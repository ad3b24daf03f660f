#include "platform/linux/host_address.h"

#include <algorithm>
#include <cstdint>

#include "platform/linux/text_lines.h"
#include "platform/posix/files.h"
#include "platform/posix/network.h"

namespace kolt::linux_backend {

namespace {

constexpr std::uint64_t kRouteUp = 0x0001;  // RTF_UP

}  // namespace

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

std::vector<Ipv4Address> OwnHostAddresses(std::vector<Ipv4Address> addresses) {
    if (!std::all_of(addresses.begin(), addresses.end(), posix::IsLoopback)) {
        return addresses;
    }
    std::optional<std::string> routeInterface;
    if (const auto routes = posix::ReadTextFile("/proc/net/route")) {
        routeInterface = ParseDefaultRouteInterface(*routes);
    }
    if (const auto chosen =
            posix::ChooseInterfaceAddress(routeInterface, posix::Ipv4Interfaces())) {
        return {*chosen};
    }
    return addresses;  // no other interface: the loopback answer, or none, is the truth
}

}  // namespace kolt::linux_backend
