#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/system_report.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

struct AddressCase {
    std::vector<Ipv4Address> addresses;
    std::string shown;
};

TEST(IpAddress, ShowsTheFirstAddressInDottedDecimal) {
    const AddressCase cases[] = {
        {{Ipv4Address{{192, 168, 1, 10}}}, "192.168.1.10"},
        {{Ipv4Address{{10, 0, 0, 5}}, Ipv4Address{{192, 168, 1, 10}}}, "10.0.0.5"},
        {{Ipv4Address{{0, 0, 0, 0}}}, "0.0.0.0"},
        {{Ipv4Address{{255, 255, 255, 255}}}, "255.255.255.255"},
        {{}, ""},  // unresolved, or resolved to nothing
    };
    for (const AddressCase& c : cases) {
        test_support::ScriptedPlatform platform;
        platform.hostAddresses = c.addresses;
        CSystemReport composer(platform);
        std::string report;
        composer.AppendIpAddress(report);
        EXPECT_EQ(report, "  IP Address      : " + c.shown + "\r\n");
        EXPECT_EQ(platform.hostAddressQueries, 1);
    }
}

}  // namespace
}  // namespace kolt
