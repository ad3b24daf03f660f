// Only POSIX and Linux networking calls here: the resolver, getifaddrs and /proc/net/route.
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/posix/file_content.h"
#include "platform/posix/host_address.h"

namespace kolt::posix {

namespace {

struct AddrInfoFree {
    void operator()(addrinfo* list) const { freeaddrinfo(list); }
};
struct IfAddrsFree {
    void operator()(ifaddrs* list) const { freeifaddrs(list); }
};

Ipv4Address FromSockaddr(const sockaddr* address) {
    // Copied out rather than cast: a sockaddr need not be aligned for sockaddr_in.
    sockaddr_in ipv4{};
    std::memcpy(&ipv4, address, sizeof ipv4);
    Ipv4Address result;
    std::memcpy(result.octets.data(), &ipv4.sin_addr.s_addr, result.octets.size());
    return result;
}

std::vector<Ipv4Address> ResolveIpv4(const std::string& hostName) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;  // one answer per address, not one per socket type
    addrinfo* raw = nullptr;
    if (getaddrinfo(hostName.c_str(), nullptr, &hints, &raw) != 0) {
        return {};
    }
    const std::unique_ptr<addrinfo, AddrInfoFree> list(raw);
    std::vector<Ipv4Address> addresses;
    for (const addrinfo* entry = list.get(); entry != nullptr; entry = entry->ai_next) {
        if (entry->ai_family != AF_INET || entry->ai_addr == nullptr ||
            entry->ai_addrlen < sizeof(sockaddr_in)) {
            continue;
        }
        const Ipv4Address address = FromSockaddr(entry->ai_addr);
        if (std::find(addresses.begin(), addresses.end(), address) == addresses.end()) {
            addresses.push_back(address);
        }
    }
    return addresses;
}

std::vector<InterfaceAddress> Ipv4Interfaces() {
    ifaddrs* raw = nullptr;
    if (getifaddrs(&raw) != 0) {
        return {};
    }
    const std::unique_ptr<ifaddrs, IfAddrsFree> list(raw);
    std::vector<InterfaceAddress> interfaces;
    for (const ifaddrs* entry = list.get(); entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET ||
            entry->ifa_name == nullptr) {
            continue;
        }
        InterfaceAddress item;
        item.name = entry->ifa_name;
        item.address = FromSockaddr(entry->ifa_addr);
        item.up = (entry->ifa_flags & IFF_UP) != 0;
        item.loopback = (entry->ifa_flags & IFF_LOOPBACK) != 0;
        interfaces.push_back(std::move(item));
    }
    return interfaces;
}

}  // namespace

std::vector<Ipv4Address> QueryOwnHostAddresses(const std::string& hostName) {
    std::vector<Ipv4Address> addresses = ResolveIpv4(hostName);
    if (addresses.empty() || !std::all_of(addresses.begin(), addresses.end(), IsLoopback)) {
        return addresses;
    }
    std::optional<std::string> routeInterface;
    if (const auto routes = ReadFileContent("/proc/net/route")) {
        routeInterface = ParseDefaultRouteInterface(*routes);
    }
    if (const auto chosen = ChooseInterfaceAddress(routeInterface, Ipv4Interfaces())) {
        return {*chosen};
    }
    return addresses;  // no other interface: the loopback answer is the truth
}

}  // namespace kolt::posix
