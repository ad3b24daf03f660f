// Only POSIX networking calls here: the resolver and the interface list.
#include "platform/posix/network.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/posix/files.h"

namespace kolt::posix {

namespace {

struct AddrInfoFree {
    void operator()(addrinfo* list) const { freeaddrinfo(list); }
};
struct IfAddrsFree {
    void operator()(ifaddrs* list) const { freeifaddrs(list); }
};
// Far more interfaces than any machine has: a list that keeps growing is not asked again.
constexpr std::size_t kMostInterfaces = 1u << 16;

Ipv4Address FromSockaddr(const sockaddr* address) {
    // Copied out rather than cast: a sockaddr need not be aligned for sockaddr_in.
    sockaddr_in ipv4{};
    std::memcpy(&ipv4, address, sizeof ipv4);
    Ipv4Address result;
    std::memcpy(result.octets.data(), &ipv4.sin_addr.s_addr, result.octets.size());
    return result;
}

// An interface's IPv4 or IPv6 address with the prefix its mask gives; nullopt for any other
// family.
std::optional<IpPrefix> PrefixOf(const ifaddrs& entry) {
    if (entry.ifa_addr == nullptr) {
        return std::nullopt;
    }
    if (entry.ifa_addr->sa_family == AF_INET) {
        sockaddr_in mask{};
        if (entry.ifa_netmask != nullptr) {
            std::memcpy(&mask, entry.ifa_netmask, sizeof mask);
        }
        std::uint8_t maskBytes[4];
        std::memcpy(maskBytes, &mask.sin_addr.s_addr, sizeof maskBytes);
        return IpPrefix{FromSockaddr(entry.ifa_addr), PrefixLength(maskBytes, sizeof maskBytes)};
    }
    if (entry.ifa_addr->sa_family == AF_INET6) {
        sockaddr_in6 address{};
        std::memcpy(&address, entry.ifa_addr, sizeof address);
        sockaddr_in6 mask{};
        if (entry.ifa_netmask != nullptr) {
            std::memcpy(&mask, entry.ifa_netmask, sizeof mask);
        }
        Ipv6Address ipv6;
        std::memcpy(ipv6.octets.data(), &address.sin6_addr, ipv6.octets.size());
        std::uint8_t maskBytes[16];
        std::memcpy(maskBytes, &mask.sin6_addr, sizeof maskBytes);
        return IpPrefix{ipv6, PrefixLength(maskBytes, sizeof maskBytes)};
    }
    return std::nullopt;
}

}  // namespace

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
    // The kernel's list of IPv4 addresses by interface, and each interface's flags: a handful of
    // requests on one socket, where a full link and address dump (getifaddrs) costs several
    // times as much and brings statistics nobody reads.
    const UniqueFd socketFd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (!socketFd.Valid()) {
        return {};
    }
    std::vector<ifreq> requests(16);
    ifconf list{};
    for (;;) {
        list.ifc_len = static_cast<int>(requests.size() * sizeof(ifreq));
        list.ifc_req = requests.data();
        if (::ioctl(socketFd.Get(), SIOCGIFCONF, &list) != 0) {
            return {};
        }
        // A list that filled the buffer may have been cut: ask again with room to spare.
        if (static_cast<std::size_t>(list.ifc_len) < requests.size() * sizeof(ifreq) ||
            requests.size() >= kMostInterfaces) {
            break;
        }
        requests.resize(requests.size() * 2);
    }
    std::vector<InterfaceAddress> interfaces;
    const std::size_t count = static_cast<std::size_t>(list.ifc_len) / sizeof(ifreq);
    for (std::size_t i = 0; i < count; ++i) {
        ifreq& request = requests[i];
        if (request.ifr_addr.sa_family != AF_INET) {
            continue;
        }
        InterfaceAddress item;
        item.name.assign(request.ifr_name, ::strnlen(request.ifr_name, IFNAMSIZ));
        item.address = FromSockaddr(&request.ifr_addr);
        if (::ioctl(socketFd.Get(), SIOCGIFFLAGS, &request) == 0) {
            item.up = (request.ifr_flags & IFF_UP) != 0;
            item.loopback = (request.ifr_flags & IFF_LOOPBACK) != 0;
        }
        interfaces.push_back(std::move(item));
    }
    return interfaces;
}

std::vector<InterfaceEntry> InterfaceEntries() {
    ifaddrs* raw = nullptr;
    if (getifaddrs(&raw) != 0) {
        return {};
    }
    const std::unique_ptr<ifaddrs, IfAddrsFree> list(raw);
    std::vector<InterfaceEntry> entries;
    for (const ifaddrs* entry = list.get(); entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_name == nullptr) {
            continue;
        }
        entries.push_back(InterfaceEntry{entry->ifa_name, (entry->ifa_flags & IFF_UP) != 0,
                                         (entry->ifa_flags & IFF_LOOPBACK) != 0, PrefixOf(*entry)});
    }
    return entries;
}

std::uint8_t PrefixLength(const std::uint8_t* mask, std::size_t size) {
    std::uint8_t length = 0;
    for (std::size_t i = 0; i < size; ++i) {
        for (int bit = 7; bit >= 0; --bit) {
            if ((mask[i] >> bit & 1) == 0) {
                return length;
            }
            ++length;
        }
    }
    return length;
}

bool IsLoopback(const Ipv4Address& address) {
    return address.octets[0] == 127;
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
