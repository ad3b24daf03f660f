// The Extended Information section: its facts gathered from scripted answers, and its text byte
// for byte, an unknown fact leaving its line out.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "report/address_text.h"
#include "report/gather_context.h"
#include "report/sections/extended.h"
#include "tests/support/scripted_platform.h"

namespace kolt {
namespace {

// The section's facts as the composer would gather them from `platform`.
ExtendedFacts ExtendedOf(Platform& platform) {
    GatherContext context(platform);
    return GatherExtended(context);
}

using test_support::ScriptedPlatform;

Ipv6Address V6(std::initializer_list<std::uint8_t> octets) {
    Ipv6Address address;
    std::copy(octets.begin(), octets.end(), address.octets.begin());
    return address;
}

// A Windows machine with every fact known, a VPN beside the Ethernet adapter, and a serial number
// that carries a line break.
ScriptedPlatform WindowsMachine() {
    ScriptedPlatform platform;
    platform.currentTime = 1796557498;
    platform.secondsSinceStart = 3 * 86400 + 4 * 3600 + 12 * 60 + 55;
    platform.localTime = LocalTime{2026, 12, 3, 9, 13, 2, 4, 3600};
    platform.release.edition = "Professional";
    platform.release.release = "23H2";
    platform.release.build = "22631.2861";
    platform.release.installTime = 1700000000;
    platform.release.systemArchitecture = "x64";
    platform.release.programArchitecture = "x86";
    platform.processorDetails = {"Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz", 4, 8};
    platform.firmware = {"LENOVO", "20L8S2N800",       "PF1\r\nABCDE",
                         "LENOVO", "N22ET80W (1.57 )", CalendarDate{2023, 5, 17}};
    NetworkAdapter ethernet;
    ethernet.name = "Ethernet";
    ethernet.kind = AdapterKind::Ethernet;
    ethernet.hardwareAddress = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    ethernet.ipv4 = {{Ipv4Address{{192, 168, 1, 20}}, 24}};
    ethernet.ipv6 = {{V6({0x20, 0x01, 0x0D, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20}), 64},
                     {V6({0x20, 0x01, 0x0D, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x21}), 64}};
    ethernet.gateways = {Ipv4Address{{192, 168, 1, 1}}};
    ethernet.dnsServers = {Ipv4Address{{192, 168, 1, 1}}, Ipv4Address{{9, 9, 9, 9}}};
    NetworkAdapter vpn;
    vpn.name = "Corp VPN";
    vpn.kind = AdapterKind::Tunnel;
    vpn.ipv4 = {{Ipv4Address{{10, 8, 0, 2}}, 32}};
    vpn.carriesDefaultRoute = true;
    platform.network.adapters = {ethernet, vpn};
    platform.graphicsAdapters = {{"NVIDIA GeForce RTX 3060", std::nullopt, "31.0.15.3623"}};
    return platform;
}

TEST(ExtendedSection, EveryFactInItsLineAndColumn) {
    ScriptedPlatform platform = WindowsMachine();
    std::string report;
    AppendExtendedText(ExtendedOf(platform), report);
    EXPECT_EQ(report,
              "        \r\n"
              "  Extended Information\r\n"
              "  ----------------------------------------------\r\n"
              "  Last Boot Time  : 2026-12-03 09:13:02 (UTC+01:00)\r\n"
              "  Up Time         : 3 days, 04:12:55\r\n"
              "  Edition         : Professional\r\n"
              "  Release         : 23H2\r\n"
              "  Build           : 22631.2861\r\n"
              "  Install Date    : 2026-12-03 09:13:02 (UTC+01:00)\r\n"
              "  System Type     : x64\r\n"
              "  Program Type    : x86 on x64\r\n"
              "  Processor       : Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz\r\n"
              "  Physical Cores  : 4\r\n"
              "  Logical CPUs    : 8\r\n"
              "  Make            : LENOVO\r\n"
              "  Model           : 20L8S2N800\r\n"
              "  Serial Number   : PF1??ABCDE\r\n"
              "  BIOS Vendor     : LENOVO\r\n"
              "  BIOS Version    : N22ET80W (1.57 )\r\n"
              "  BIOS Date       : 2023-05-17\r\n"
              "  Network Adapter : Ethernet\r\n"
              "             Kind : Ethernet\r\n"
              " Hardware Address : 00-1A-2B-3C-4D-5E\r\n"
              "             IPv4 : 192.168.1.20/24\r\n"
              "             IPv6 : 2001:db8::20/64\r\n"
              "                    2001:db8::21/64\r\n"
              "          Gateway : 192.168.1.1\r\n"
              "      DNS Servers : 192.168.1.1\r\n"
              "                    9.9.9.9\r\n"
              "  Network Adapter : Corp VPN\r\n"
              "             Kind : Tunnel/VPN\r\n"
              "             IPv4 : 10.8.0.2/32\r\n"
              "    Default Route : Yes\r\n"
              "  Graphics Adapter: NVIDIA GeForce RTX 3060\r\n"
              "   Driver Version : 31.0.15.3623\r\n");
    // The boot moment is the clock less the time since the start.
    EXPECT_EQ(platform.extendedQueries, 14);
}

TEST(ExtendedSection, UnknownFactsHaveNoLine) {
    ScriptedPlatform platform;
    platform.localTime = std::nullopt;
    platform.release.kernel = "6.1.0-18-amd64";
    platform.release.distribution = "debian";
    platform.release.programArchitecture = "x64";
    platform.network.dnsServers = {Ipv4Address{{10, 255, 255, 53}}};
    platform.secondsSinceStart = 59;
    std::string report;
    AppendExtendedText(ExtendedOf(platform), report);
    EXPECT_EQ(report,
              "        \r\n"
              "  Extended Information\r\n"
              "  ----------------------------------------------\r\n"
              "  Up Time         : 00:00:59\r\n"
              "  Distribution    : debian\r\n"
              "  Kernel          : 6.1.0-18-amd64\r\n"
              "  Program Type    : x64\r\n"
              "  DNS Servers     : 10.255.255.53\r\n");
}

// The JSON form: facts as values, times in ISO 8601, the Extended Information member null where
// a fact is unknown and an empty list where there is nothing to list.
TEST(ExtendedSection, JsonCarriesTheSameFactsAsValues) {
    ScriptedPlatform platform = WindowsMachine();
    Json known;
    WriteExtendedJson(ExtendedOf(platform), known);
    EXPECT_EQ(known["lastBootTime"], "2026-12-03T09:13:02+01:00");
    EXPECT_EQ(known["upTimeSeconds"], 274375);
    EXPECT_EQ(known["operatingSystem"]["build"], "22631.2861");
    EXPECT_EQ(known["operatingSystem"]["distribution"], nullptr);
    EXPECT_EQ(known["operatingSystem"]["programArchitecture"], "x86");
    EXPECT_EQ(known["processor"]["physicalCores"], 4);
    EXPECT_EQ(known["firmware"]["serialNumber"], "PF1\r\nABCDE") << "escaped, not masked";
    EXPECT_EQ(known["firmware"]["biosDate"], "2023-05-17");
    const Json& ethernet = known["networkAdapters"][0];
    EXPECT_EQ(ethernet["kind"], "Ethernet");
    EXPECT_EQ(ethernet["hardwareAddress"], "00-1A-2B-3C-4D-5E");
    EXPECT_EQ(ethernet["ipv6"][1], (Json{{"address", "2001:db8::21"}, {"prefixLength", 64}}));
    EXPECT_EQ(ethernet["defaultRoute"], false);
    EXPECT_EQ(known["networkAdapters"][1]["hardwareAddress"], nullptr);
    EXPECT_EQ(known["networkAdapters"][1]["defaultRoute"], true);
    EXPECT_EQ(known["graphicsAdapters"][0]["driver"], nullptr);

    ScriptedPlatform nothing;
    nothing.localTime = std::nullopt;
    Json unknown;
    WriteExtendedJson(ExtendedOf(nothing), unknown);
    EXPECT_EQ(unknown.dump(),
              R"({"lastBootTime":null,"upTimeSeconds":null,"operatingSystem":{"edition":null,)"
              R"("distribution":null,"release":null,"build":null,"kernel":null,"installDate":null,)"
              R"("systemArchitecture":null,"programArchitecture":null},"processor":{"brand":null,)"
              R"("physicalCores":null,"logicalProcessors":null},"firmware":{"make":null,)"
              R"("model":null,"serialNumber":null,"biosVendor":null,"biosVersion":null,)"
              R"("biosDate":null},"networkAdapters":[],"dnsServers":[],"graphicsAdapters":[],)"
              R"("restartPending":null,"updates":null,"security":{"antivirus":null,"firewall":)"
              R"({"domain":null,"private":null,"public":null}},"printers":null,"displays":[],)"
              R"("onMains":null,"battery":null,"proxy":{"user":null,"machine":null,)"
              R"("environment":[]},"timeSource":null})");
}

TEST(AddressText, ShortestIpv6FormsAndHardwareAddresses) {
    struct Case {
        Ipv6Address address;
        const char* expected;
    };
    const Case cases[] = {
        {V6({}), "::"},
        {V6({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}), "::1"},
        {V6({0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0x02, 0xFC, 0, 0xFF, 0xFE, 0, 0, 0x01}),
         "fe80::2fc:ff:fe00:1"},
        {V6({0x20, 0x01, 0x0D, 0xB8, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1}), "2001:db8:0:1::1"},
        {V6({0x20, 0x01, 0x0D, 0xB8, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1}), "2001:db8::1:0:0:1"},
        {V6({0x20, 0x01, 0x0D, 0xB8, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 0}), "2001:db8:1:1:1:1:1:0"},
        {V6({0xFD, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), "fd00::"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Ipv6Text(c.address), c.expected);
    }
    EXPECT_EQ(HardwareAddressText({0x02, 0xFC, 0x00, 0x00, 0x00, 0x01}), "02-FC-00-00-00-01");
}

}  // namespace
}  // namespace kolt
