// What kind of network an address belongs to, as far as a support desk needs to know once the
// address itself is hidden: loopback and unspecified addresses identify no one and stay; the
// others are told apart by their range.
#pragma once

#include "platform/platform.h"

namespace kolt {

enum class AddressKind {
    Loopback,     // 127.0.0.0/8, ::1
    Unspecified,  // 0.0.0.0, ::
    LinkLocal,    // 169.254.0.0/16, fe80::/10
    Private,      // 10/8, 172.16/12, 192.168/16, 100.64/10 (shared), fc00::/7 (unique local)
    Public,       // everything else
};

AddressKind KindOf(const InternetAddress& address);

}  // namespace kolt
