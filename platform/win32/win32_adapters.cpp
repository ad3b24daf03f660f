// The network adapters through the IP helper. Only Win32 code here.
#include "platform/win32/win32_adapters.h"

#include <winsock2.h>
// After winsock2.h, and in this order: the interface-row declarations of the IP helper need the
// IP definitions that ws2tcpip.h brings.
#include <ws2tcpip.h>

#include <iphlpapi.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/adapter_rules.h"
#include "text/utf16.h"

namespace kolt::win32 {

namespace {

// The adapter list grows between two calls now and then; a few rounds cover that.
constexpr int kAdapterListRounds = 4;

// A destination that only the default route leads to (TEST-NET-1 is never assigned); the route
// to it is looked up, nothing is sent.
constexpr std::uint8_t kFarAddress[4] = {192, 0, 2, 1};

std::optional<InternetAddress> AddressOf(const SOCKET_ADDRESS& socketAddress) {
    const sockaddr* address = socketAddress.lpSockaddr;
    if (address == nullptr) {
        return std::nullopt;
    }
    if (address->sa_family == AF_INET &&
        socketAddress.iSockaddrLength >= static_cast<INT>(sizeof(sockaddr_in))) {
        sockaddr_in ipv4{};
        std::memcpy(&ipv4, address, sizeof ipv4);
        Ipv4Address result;
        std::memcpy(result.octets.data(), &ipv4.sin_addr, result.octets.size());
        return result;
    }
    if (address->sa_family == AF_INET6 &&
        socketAddress.iSockaddrLength >= static_cast<INT>(sizeof(sockaddr_in6))) {
        sockaddr_in6 ipv6{};
        std::memcpy(&ipv6, address, sizeof ipv6);
        Ipv6Address result;
        std::memcpy(result.octets.data(), &ipv6.sin6_addr, result.octets.size());
        return result;
    }
    return std::nullopt;
}

template <typename Entry>
std::vector<InternetAddress> AddressesOf(const Entry* first) {
    std::vector<InternetAddress> addresses;
    for (const Entry* entry = first; entry != nullptr; entry = entry->Next) {
        if (const auto address = AddressOf(entry->Address)) {
            addresses.push_back(*address);
        }
    }
    return addresses;
}

std::string Utf8(const wchar_t* text) {
    return text != nullptr ? text::Utf8FromUtf16(std::wstring_view(text)) : std::string();
}

AdapterRecord RecordOf(const IP_ADAPTER_ADDRESSES& adapter) {
    AdapterRecord record;
    record.name = Utf8(adapter.FriendlyName);
    record.description = Utf8(adapter.Description);
    record.interfaceType = adapter.IfType;
    record.up = adapter.OperStatus == IfOperStatusUp;
    record.ipv4Index = adapter.IfIndex;
    const ULONG length = std::min<ULONG>(adapter.PhysicalAddressLength, MAX_ADAPTER_ADDRESS_LENGTH);
    record.hardwareAddress.assign(adapter.PhysicalAddress, adapter.PhysicalAddress + length);
    for (const IP_ADAPTER_UNICAST_ADDRESS* unicast = adapter.FirstUnicastAddress;
         unicast != nullptr; unicast = unicast->Next) {
        if (const auto address = AddressOf(unicast->Address)) {
            record.addresses.push_back(IpPrefix{*address, unicast->OnLinkPrefixLength});
        }
    }
    record.gateways = AddressesOf(adapter.FirstGatewayAddress);
    record.dnsServers = AddressesOf(adapter.FirstDnsServerAddress);
    // Whether the interface is hardware: Hyper-V's and VirtualBox's adapters say they are not.
    MIB_IF_ROW2 row{};
    row.InterfaceLuid = adapter.Luid;
    if (GetIfEntry2(&row) == NO_ERROR) {
        record.hardwareInterface = row.InterfaceAndOperStatusFlags.HardwareInterface != 0;
    }
    return record;
}

std::optional<std::uint32_t> DefaultRouteIndex() {
    IPAddr destination = 0;
    std::memcpy(&destination, kFarAddress, sizeof destination);
    DWORD index = 0;
    if (GetBestInterface(destination, &index) != NO_ERROR) {
        return std::nullopt;
    }
    return index;
}

}  // namespace

NetworkInfo ReadNetworkAdapters() {
    constexpr ULONG kFlags =
        GAA_FLAG_INCLUDE_GATEWAYS | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST;
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG status = ERROR_BUFFER_OVERFLOW;
    for (int round = 0; round < kAdapterListRounds && status == ERROR_BUFFER_OVERFLOW; ++round) {
        buffer.assign(size, 0);
        status =
            GetAdaptersAddresses(AF_UNSPEC, kFlags, nullptr,
                                 reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (status != NO_ERROR) {
        return {};
    }
    std::vector<AdapterRecord> records;
    for (auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data());
         adapter != nullptr; adapter = adapter->Next) {
        records.push_back(RecordOf(*adapter));
    }
    return NetworkFromRecords(records, DefaultRouteIndex());
}

}  // namespace kolt::win32
