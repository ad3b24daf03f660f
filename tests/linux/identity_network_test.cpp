// Computer name and own-address rules on canned input.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/common/numeric_host_name.h"
#include "platform/linux/host_address.h"
#include "platform/linux/name_services.h"
#include "platform/posix/network.h"

namespace kolt {
namespace {

using linux_backend::HostsFileAddresses;
using linux_backend::ParseDefaultRouteInterface;
using linux_backend::PasswdFileUserName;
using linux_backend::UserDatabaseIsLocal;
using posix::ChooseInterfaceAddress;
using posix::InterfaceAddress;
using posix::IsLoopback;

// Names a resolver would read as an address: all digits, or the numbers-and-dots forms (each
// part decimal, octal or hexadecimal, the last filling the bytes left). Both backends use this
// rule, so it is checked once here.
TEST(IsNumericHostName, AllDigitsAndTheNumbersAndDotsForms) {
    const struct {
        const char* name;
        bool numeric;
    } cases[] = {
        {"12345", true},
        {"4294967295", true},
        {"99999999999999999999", true},  // too large for an address, but a number all the same
        {"0x1f", true},
        {"0X1F", true},
        {"017", true},
        {"1.2", true},
        {"1.2.3", true},
        {"192.168.1.10", true},
        {"0x7f.1", true},
        {"1.16777215", true},
        {"1.2.65535", true},
        {"", false},
        {"vm", false},
        {"desk042", false},
        {"1e5", false},
        {"0x1g", false},
        {"08", true},         // all digits, though not octal
        {"08.1", false},      // not octal
        {"0x", false},        // a 0 and an 'x'
        {"1.2.3.4 x", true},  // the classic reader stops at white space
        {"1.2.3.4.5", false},
        {"1.2.3.", false},
        {".1.2", false},
        {"1..2", false},
        {"256.1", false},
        {"1.16777216", false},
        {"1.2.65536", false},
        {"4294967296.1", false},
        {"12345.example", false},
        {"1.2.3.4x", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(common::IsNumericHostName(c.name), c.numeric);
    }
}

TEST(ParseDefaultRouteInterface, PicksTheUpDefaultRouteWithTheLowestMetric) {
    const char* const header =
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
    struct Case {
        const char* name;
        std::string routes;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"one default",
         "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"
         "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n",
         "eth0"},
        {"lowest metric wins",
         "wlan0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
         "eth0\t00000000\t0100000A\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
         "usb0\t00000000\t0100000A\t0003\t0\t0\t100\t00000000\t0\t0\t0\n",
         "eth0"},
        {"a route that is not up", "eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n",
         std::nullopt},
        {"only subnet routes", "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n",
         std::nullopt},
        {"broken line", "eth0\t00000000\n", std::nullopt},
        {"no routes", "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseDefaultRouteInterface(header + c.routes), c.expected);
    }
    EXPECT_EQ(ParseDefaultRouteInterface(""), std::nullopt);
}

TEST(ChooseInterfaceAddress, DefaultRouteFirstThenFirstUpNonLoopback) {
    const InterfaceAddress lo{"lo", {{127, 0, 0, 1}}, true, true};
    const InterfaceAddress docker{"docker0", {{172, 17, 0, 1}}, true, false};
    const InterfaceAddress eth{"eth0", {{192, 168, 1, 10}}, true, false};
    const InterfaceAddress down{"eth1", {{10, 0, 0, 5}}, false, false};
    struct Case {
        const char* name;
        std::optional<std::string> route;
        std::vector<InterfaceAddress> interfaces;
        std::optional<Ipv4Address> expected;
    };
    const Case cases[] = {
        {"default route's interface", "eth0", {lo, docker, eth}, eth.address},
        {"no route: first up", std::nullopt, {lo, down, docker, eth}, docker.address},
        {"route over an interface without IPv4", "ppp0", {lo, eth}, eth.address},
        {"route over a down interface", "eth1", {lo, down, eth}, eth.address},
        {"only loopback", "eth0", {lo}, std::nullopt},
        {"nothing", std::nullopt, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChooseInterfaceAddress(c.route, c.interfaces), c.expected);
    }
}

// A look-up answered from this machine's files is made directly (a host name from the hosts
// file's own text); one that may go to the network (a name server, a directory service) gets a
// deadline. Anything unclear counts as the latter.
TEST(NameServices, OnlyWhatLocalFilesAnswerGoesWithoutADeadline) {
    const std::string hosts =
        "127.0.0.1\tlocalhost\n"
        "127.0.1.1\tdesk042.sales.example DESK042 # the Debian way\n"
        "::1 ip6only\n"
        "# 10.0.0.9 commented\n"
        "10.0.0.5 two-lines\n"
        "192.168.1.10 two-lines TWO-LINES\n"
        "10.0.0.5 two-lines\n";
    using Addresses = std::optional<std::vector<Ipv4Address>>;
    const Ipv4Address debian{{127, 0, 1, 1}};
    const Ipv4Address local{{127, 0, 0, 1}};
    struct Case {
        const char* nsswitch;
        const char* host;
        Addresses fromFile;
        bool userLocal;
    };
    const Case cases[] = {
        {"passwd: files systemd\nhosts: files dns\n", "desk042", {{debian}}, true},
        {"passwd:files\nhosts:files [NOTFOUND=return] dns",
         "Desk042.Sales.Example",
         {{debian}},
         true},
        {"hosts: files dns\n", "two-lines", {{{{10, 0, 0, 5}}, {{192, 168, 1, 10}}}}, false},
        {"hosts: files mdns4_minimal [NOTFOUND=return] dns\n", "unlisted", std::nullopt, false},
        {"hosts: files dns\n", "ip6only", std::nullopt, false},
        {"hosts: files dns\n", "commented", std::nullopt, false},
        {"hosts: dns files\npasswd: files sss\n", "desk042", std::nullopt, false},
        {"# hosts: files\npasswd: files ldap\n", "localhost", std::nullopt, false},
        {"passwd: compat\nhosts: files myhostname\n", "localhost", {{local}}, false},
        {"passwd: compat\nhosts: myhostname files\n", "localhost", std::nullopt, false},
        {"", "localhost", std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.nsswitch) + " / " + c.host);
        EXPECT_EQ(HostsFileAddresses(c.nsswitch, hosts, c.host), c.fromFile);
        EXPECT_EQ(UserDatabaseIsLocal(c.nsswitch), c.userLocal);
    }
}

// The user name from the password file when it is the first source, as the database reads it:
// the first line with the id; anything else goes to the database itself.
TEST(NameServices, PasswordFileAnswersTheUserWhereItComesFirst) {
    const std::string passwd =
        "root:x:0:0:root:/root:/bin/bash\n"
        "+nisuser:x:1000:1000::/home/nis:/bin/sh\n"
        "jsmith:x:1000:1000:J Smith:/home/jsmith:/bin/bash\n"
        "again:x:1000:1000::/home/again:/bin/sh\n"
        "broken:1001\n"
        ":x:1002:1002::/:/bin/sh\n";
    struct Case {
        const char* nsswitch;
        std::uint32_t id;
        std::optional<std::string> name;
    };
    const Case cases[] = {
        {"passwd: files systemd\n", 0, "root"},  {"passwd:files", 1000, "jsmith"},
        {"passwd: files\n", 1001, std::nullopt}, {"passwd: files\n", 1002, std::nullopt},
        {"passwd: files\n", 4242, std::nullopt}, {"passwd: sss files\n", 0, std::nullopt},
        {"passwd: compat\n", 0, std::nullopt},   {"", 0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.nsswitch) + " / " + std::to_string(c.id));
        EXPECT_EQ(PasswdFileUserName(c.nsswitch, passwd, c.id), c.name);
    }
}

TEST(IsLoopback, WholeOf127Slash8) {
    EXPECT_TRUE(IsLoopback({{127, 0, 0, 1}}));
    EXPECT_TRUE(IsLoopback({{127, 0, 1, 1}}));
    EXPECT_FALSE(IsLoopback({{128, 0, 0, 1}}));
    EXPECT_FALSE(IsLoopback({{10, 127, 0, 1}}));
}

}  // namespace
}  // namespace kolt
