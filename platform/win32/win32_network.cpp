// The machine's own addresses through Windows Sockets and the IP helper. Only Win32 code here.
#include "platform/win32/win32_network.h"

#include <winsock2.h>
// After winsock2.h, which the resolver's and the IP helper's declarations need.
#include <iphlpapi.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/numeric_host_name.h"
#include "platform/fixed_limits.h"
#include "platform/win32/adapter_list.h"

namespace kolt::win32 {
namespace {

// One use of the sockets library: started on construction and, exactly when the start
// succeeded, ended on destruction, so nothing stays open between two reports.
class WinsockSession {
public:
    WinsockSession() {
        WSADATA data{};
        m_started = WSAStartup(MAKEWORD(2, 0), &data) == 0;
    }
    ~WinsockSession() {
        if (m_started) {
            WSACleanup();
        }
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

    bool Started() const { return m_started; }

private:
    bool m_started = false;
};

Ipv4Address FromSockaddrIn(const sockaddr* address) {
    sockaddr_in ipv4{};
    std::memcpy(&ipv4, address, sizeof ipv4);
    Ipv4Address result;
    std::memcpy(result.octets.data(), &ipv4.sin_addr.s_addr, result.octets.size());
    return result;
}

// The host's DNS name as Windows keeps it, the name gethostname gives, in UTF-16 (the same area
// as the 8-bit call is offered); nullopt when it cannot be read.
std::optional<std::wstring> WideHostName() {
    std::array<wchar_t, limits::kHostNameArea> name{};
    DWORD size = limits::kHostNameArea - 1;
    if (GetComputerNameExW(ComputerNameDnsHostname, name.data(), &size) == 0) {
        return std::nullopt;
    }
    return std::wstring(name.data());
}

bool IsAscii(std::wstring_view text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t unit) { return unit < 0x80; });
}

// The IPv4 addresses a name resolves to through the wide resolver, in its order.
std::vector<Ipv4Address> ResolveWideName(const std::wstring& name) {
    ADDRINFOW hints{};
    hints.ai_family = AF_INET;
    ADDRINFOW* found = nullptr;
    if (GetAddrInfoW(name.c_str(), nullptr, &hints, &found) != 0) {
        return {};
    }
    const std::unique_ptr<ADDRINFOW, decltype(&FreeAddrInfoW)> list(found, &FreeAddrInfoW);
    std::vector<Ipv4Address> addresses;
    for (const ADDRINFOW* entry = list.get(); entry != nullptr; entry = entry->ai_next) {
        if (entry->ai_family == AF_INET && entry->ai_addr != nullptr &&
            entry->ai_addrlen >= sizeof(sockaddr_in)) {
            addresses.push_back(FromSockaddrIn(entry->ai_addr));
        }
    }
    return addresses;
}

}  // namespace

std::vector<Ipv4Address> ResolveOwnHostAddresses() {
    std::vector<Ipv4Address> addresses;
    const WinsockSession session;
    if (!session.Started()) {
        return addresses;
    }
    // A name beyond ASCII cannot pass through the 8-bit calls below wherever the system's code
    // page cannot spell it: the wide resolver takes it whole. An ASCII name (nearly every one)
    // keeps the 8-bit calls, whose answer for the host's own name every report has given so far.
    if (const std::optional<std::wstring> wideName = WideHostName();
        wideName && !IsAscii(*wideName)) {
        return ResolveWideName(*wideName);
    }
    // The area less one byte offered, the last byte kept as a terminator in every case.
    std::array<char, limits::kHostNameArea> hostName{};
    if (gethostname(hostName.data(), static_cast<int>(limits::kHostNameArea - 1)) != 0) {
        return addresses;
    }
    // A numeric name is not resolved: the resolver would only read the number as an address,
    // which belongs to no adapter of this machine. The adapter that carries the default route
    // answers instead, as the interfaces do on Linux.
    if (common::IsNumericHostName(hostName.data())) {
        return DefaultRouteAdapterAddresses();
    }
    const hostent* entry = gethostbyname(hostName.data());
    if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_length != 4 ||
        entry->h_addr_list == nullptr) {
        return addresses;
    }
    // The entry belongs to the library; every address is copied before the session ends.
    for (char** item = entry->h_addr_list; *item != nullptr; ++item) {
        Ipv4Address address;
        std::memcpy(address.octets.data(), *item, address.octets.size());
        addresses.push_back(address);
    }
    return addresses;
}

std::vector<Ipv4Address> DefaultRouteAdapterAddresses() {
    const std::optional<std::uint32_t> routeIndex = DefaultRouteIndex();
    if (!routeIndex) {
        return {};
    }
    constexpr ULONG kFlags =
        GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
    const AdapterList adapters(AF_INET, kFlags);
    std::vector<Ipv4Address> addresses;
    for (const IP_ADAPTER_ADDRESSES* adapter = adapters.First(); adapter != nullptr;
         adapter = adapter->Next) {
        if (adapter->IfIndex != *routeIndex) {
            continue;
        }
        for (const IP_ADAPTER_UNICAST_ADDRESS* unicast = adapter->FirstUnicastAddress;
             unicast != nullptr; unicast = unicast->Next) {
            const sockaddr* address = unicast->Address.lpSockaddr;
            if (address != nullptr && address->sa_family == AF_INET &&
                unicast->Address.iSockaddrLength >= static_cast<INT>(sizeof(sockaddr_in))) {
                addresses.push_back(FromSockaddrIn(address));
            }
        }
    }
    return addresses;
}

}  // namespace kolt::win32
