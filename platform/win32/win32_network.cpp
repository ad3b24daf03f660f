// The machine's own addresses through Windows Sockets. Only Win32 code here.
#include "platform/win32/win32_network.h"

#include <winsock2.h>

#include <array>
#include <cstring>

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

}  // namespace

std::vector<Ipv4Address> ResolveOwnHostAddresses() {
    std::vector<Ipv4Address> addresses;
    const WinsockSession session;
    if (!session.Started()) {
        return addresses;
    }
    // 255 bytes offered, the last byte of the area kept as a terminator in every case.
    std::array<char, 256> hostName{};
    if (gethostname(hostName.data(), 255) != 0) {
        return addresses;
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

}  // namespace kolt::win32
