#include "platform/win32/address_choice.h"

#include <algorithm>

namespace kolt::win32 {

std::vector<Ipv4Address> PreferRouteAdapter(std::vector<Ipv4Address> resolved,
                                            const std::vector<Ipv4Address>& routeAdapter) {
    const auto reaching = std::find_if(resolved.begin(), resolved.end(), [&](const auto& address) {
        return std::find(routeAdapter.begin(), routeAdapter.end(), address) != routeAdapter.end();
    });
    if (reaching != resolved.end()) {
        std::rotate(resolved.begin(), reaching, reaching + 1);
    }
    return resolved;
}

}  // namespace kolt::win32
