// The network adapters through the IP helper. Only Win32 code here.
#include "platform/win32/win32_adapters.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/adapter_list.h"
#include "platform/win32/adapter_rules.h"
#include "text/utf16.h"

namespace kolt::win32 {

namespace {

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

}  // namespace

NetworkInfo ReadNetworkAdapters() {
    constexpr ULONG kFlags =
        GAA_FLAG_INCLUDE_GATEWAYS | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST;
    const AdapterList adapters(AF_UNSPEC, kFlags);
    if (adapters.First() == nullptr) {
        return {};
    }
    std::vector<AdapterRecord> records;
    for (const IP_ADAPTER_ADDRESSES* adapter = adapters.First(); adapter != nullptr;
         adapter = adapter->Next) {
        records.push_back(RecordOf(*adapter));
    }
    return NetworkFromRecords(records, DefaultRouteIndex());
}

}  // namespace kolt::win32
