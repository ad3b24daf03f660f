#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/address_choice.h"

namespace kolt::win32 {
namespace {

TEST(PreferRouteAdapter, TheAddressThatReachesTheNetworkComesFirst) {
    const Ipv4Address hyperV{{172, 28, 16, 1}};
    const Ipv4Address wifi{{192, 168, 1, 10}};
    const Ipv4Address vpn{{10, 8, 0, 2}};
    const struct {
        const char* what;
        std::vector<Ipv4Address> resolved;
        std::vector<Ipv4Address> routeAdapter;
        std::vector<Ipv4Address> expected;
    } cases[] = {
        {"virtual adapter first", {hyperV, wifi, vpn}, {wifi}, {wifi, hyperV, vpn}},
        {"already first", {wifi, hyperV}, {wifi}, {wifi, hyperV}},
        {"adapter with two addresses: the first resolved of them",
         {hyperV, vpn, wifi},
         {wifi, vpn},
         {vpn, hyperV, wifi}},
        {"no default route: the resolver's order", {hyperV, wifi}, {}, {hyperV, wifi}},
        {"route adapter not among the answers", {hyperV}, {wifi}, {hyperV}},
        {"nothing resolved", {}, {wifi}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PreferRouteAdapter(c.resolved, c.routeAdapter), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace kolt::win32
