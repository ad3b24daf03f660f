// The Linux sources of the extended facts: their parsers on canned text, and their readers on
// canned file trees laid out as /proc, /sys and /etc are.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/firmware.h"
#include "platform/linux/graphics_adapters.h"
#include "platform/linux/network_adapters.h"
#include "platform/linux/processor_topology.h"
#include "platform/linux/release_facts.h"
#include "tests/support/canned_tree.h"

namespace kolt::linux_backend {
namespace {

namespace fs = std::filesystem;
using test_support::CannedTree;

Ipv4Address V4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return Ipv4Address{{a, b, c, d}};
}

Ipv6Address V6(std::initializer_list<std::uint8_t> leading, std::uint8_t last) {
    Ipv6Address address;
    std::copy(leading.begin(), leading.end(), address.octets.begin());
    address.octets.back() = last;
    return address;
}

TEST(LinuxTextSources, UptimeCpuListsAndHardwareAddresses) {
    EXPECT_EQ(ParseUptimeSeconds("5400.75 2866.07\n"), 5400u);
    EXPECT_EQ(ParseUptimeSeconds("12 3"), 12u);
    EXPECT_EQ(ParseUptimeSeconds("-1.0 3"), std::nullopt);
    EXPECT_EQ(ParseUptimeSeconds(""), std::nullopt);

    using Cpus = std::vector<std::uint32_t>;
    EXPECT_EQ(ParseCpuList("0-3,8,10-11\n"), (Cpus{0, 1, 2, 3, 8, 10, 11}));
    EXPECT_EQ(ParseCpuList("5"), Cpus{5});
    EXPECT_EQ(ParseCpuList("3-1"), Cpus{});
    EXPECT_EQ(ParseCpuList("0-4294967295"), Cpus{}) << "no four billion processors";
    EXPECT_EQ(ParseCpuList("1,,2"), Cpus{});

    using Octets = std::vector<std::uint8_t>;
    EXPECT_EQ(ParseHardwareAddress("02:fc:00:00:00:01\n"), (Octets{2, 0xFC, 0, 0, 0, 1}));
    EXPECT_EQ(ParseHardwareAddress("00:00:00:00:00:00\n"), Octets{}) << "a tunnel has none";
    EXPECT_EQ(ParseHardwareAddress("\n"), Octets{});
    EXPECT_EQ(ParseHardwareAddress("02:fc:100:00"), Octets{});
}

TEST(LinuxTextSources, RoutesAndNameServers) {
    const auto gateways = ParseDefaultGateways(
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"
        "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
        "wg0\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n"
        "eth1\t00000000\t0101A8C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n",
        "fd000000000000000000000000000000 40 00000000000000000000000000000000 00 "
        "00000000000000000000000000000000 00000100 00000001 00000000 00000001     eth0\n"
        "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
        "fd000000000000000000000000000001 00000400 00000002 00000000 00000003     eth0\n"
        "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
        "00000000000000000000000000000000 ffffffff 00000001 00000000 00200200       lo\n");
    ASSERT_EQ(gateways.size(), 1u) << "routes without a gateway, or not up, give none";
    EXPECT_EQ(gateways.at("eth0"), (std::vector<InternetAddress>{V4(192, 0, 2, 1), V6({0xFD}, 1)}));

    EXPECT_EQ(ParseNameServers("# generated\nsearch example.org\nnameserver 10.255.255.53\n"
                               "nameserver  fe80::1%eth0 \nnameserver 10.255.255.53\n"
                               "nameserver bogus\noptions edns0\n"),
              (std::vector<InternetAddress>{V4(10, 255, 255, 53), V6({0xFE, 0x80}, 1)}));
}

TEST(LinuxTextSources, ReleaseFromOsReleaseUnameAndTheBuild) {
    const SystemRelease release = ReleaseFromSources(
        "NAME=\"Fedora Linux\"\nID=fedora\nVERSION_ID=40\nVARIANT=\"Workstation Edition\"\n",
        "6.8.5-301.fc40.x86_64", "x86_64");
    EXPECT_EQ(release.distribution, "fedora");
    EXPECT_EQ(release.release, "40");
    EXPECT_EQ(release.edition, "Workstation Edition");
    EXPECT_EQ(release.kernel, "6.8.5-301.fc40.x86_64");
    EXPECT_EQ(release.systemArchitecture, "x64");
    EXPECT_TRUE(release.programArchitecture);
    EXPECT_FALSE(release.build);
    EXPECT_FALSE(release.installTime);

    const SystemRelease bare = ReleaseFromSources(std::nullopt, "", "aarch64");
    EXPECT_FALSE(bare.distribution);
    EXPECT_FALSE(bare.kernel);
    EXPECT_EQ(bare.systemArchitecture, "ARM64");
}

TEST(LinuxTreeSources, CoresCountEachSharedCoreOnce) {
    CannedTree tree;
    const std::string cpu = "sys/devices/system/cpu/";
    tree.File(cpu + "online", "0-3,5\n");
    // Two cores of two threads, and one core alone; cpu4 is offline and never asked.
    for (const auto& [number, siblings] :
         {std::pair{0, "0,2"}, {1, "1,3"}, {2, "0,2"}, {3, "1,3"}, {5, "5"}}) {
        tree.File(cpu + "cpu" + std::to_string(number) + "/topology/core_cpus_list",
                  std::string(siblings) + "\n");
    }
    const ProcessorDetails details = ReadProcessorTopology(tree.Root());
    EXPECT_EQ(details.logicalProcessors, 5u);
    EXPECT_EQ(details.physicalCores, 3u);

    // An older kernel names the list thread_siblings_list; without either, cores are unknown.
    CannedTree older;
    older.File(cpu + "online", "0-1\n");
    older.File(cpu + "cpu0/topology/thread_siblings_list", "0-1\n");
    EXPECT_EQ(ReadProcessorTopology(older.Root()).physicalCores, 1u);
    older.File(cpu + "online", "0-2\n");
    EXPECT_EQ(ReadProcessorTopology(older.Root()).physicalCores, std::nullopt);
    EXPECT_EQ(ReadProcessorTopology(older.Root()).logicalProcessors, 3u);
}

TEST(LinuxTreeSources, FirmwareFromTheTableElseTheKernelsFiles) {
    CannedTree tree;
    const std::string ids = "sys/class/dmi/id/";
    tree.File(ids + "sys_vendor", "Dell Inc.\n");
    tree.File(ids + "product_name", "To Be Filled By O.E.M.\n");
    tree.File(ids + "bios_vendor", "Dell Inc.\n");
    tree.File(ids + "bios_version", "1.21.0\n");
    tree.File(ids + "bios_date", "03/14/2024\n");
    // product_serial is root only: missing here, as for an ordinary user.
    const FirmwareInfo files = ReadFirmware(tree.Root());
    EXPECT_EQ(files.make, "Dell Inc.");
    EXPECT_EQ(files.model, std::nullopt);
    EXPECT_EQ(files.serialNumber, std::nullopt);
    EXPECT_EQ(files.biosVersion, "1.21.0");
    EXPECT_EQ(files.biosDate, (CalendarDate{2024, 3, 14}));

    // Where the table can be read, it is the source: a system structure alone.
    tree.File("sys/firmware/dmi/tables/DMI",
              std::string("\x01\x08\x01\x00\x01\x02\x00\x03", 8) +
                  std::string("HP\0EliteBook 840\0CZC1234567\0\0", 30));
    const FirmwareInfo table = ReadFirmware(tree.Root());
    EXPECT_EQ(table.make, "HP");
    EXPECT_EQ(table.model, "EliteBook 840");
    EXPECT_EQ(table.serialNumber, "CZC1234567");
    EXPECT_EQ(table.biosVersion, std::nullopt);
}

TEST(LinuxTreeSources, AdaptersWithKindAddressesRoutesAndNameServers) {
    CannedTree tree;
    const auto netInterface = [&tree](const std::string& name, const char* type,
                                      const char* address, bool onBus, const char* extra = nullptr,
                                      const char* uevent = "") {
        const std::string directory = "sys/class/net/" + name + "/";
        tree.File(directory + "type", std::string(type) + "\n");
        tree.File(directory + "address", std::string(address) + "\n");
        tree.File(directory + "uevent", std::string("INTERFACE=") + name + "\n" + uevent);
        if (onBus) {
            tree.Directory(directory + "device");
        }
        if (extra != nullptr) {
            tree.Directory(directory + extra);
        }
    };
    netInterface("eth0", "1", "02:fc:00:00:00:01", true);
    netInterface("wlan0", "1", "a4:c3:f0:11:22:33", true, nullptr, "DEVTYPE=wlan\n");
    netInterface("tun0", "65534", "", false, "tun_flags");
    netInterface("docker0", "1", "02:42:ac:11:00:01", false, nullptr, "DEVTYPE=bridge\n");
    tree.File(
        "proc/net/route",
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "tun0\t00000000\t00000000\t0001\t0\t0\t50\t00000000\t0\t0\t0\n"
        "eth0\t00000000\t010200C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n");
    tree.File("proc/net/ipv6_route", "");
    tree.File("etc/resolv.conf", "nameserver 127.0.0.53\noptions edns0 trust-ad\n");
    tree.File("run/systemd/resolve/resolv.conf", "nameserver 192.0.2.53\n");

    using posix::InterfaceEntry;
    const std::vector<InterfaceEntry> entries{
        {"lo", true, true, IpPrefix{V4(127, 0, 0, 1), 8}},
        {"eth0", true, false, std::nullopt},
        {"wlan0", true, false, std::nullopt},
        {"tun0", true, false, IpPrefix{V4(10, 8, 0, 2), 24}},
        {"docker0", true, false, IpPrefix{V4(172, 17, 0, 1), 16}},
        {"eth1", false, false, IpPrefix{V4(192, 168, 9, 9), 24}},
        {"eth0", true, false, IpPrefix{V4(192, 0, 2, 2), 24}},
        {"eth0", true, false, IpPrefix{V6({0xFD}, 2), 64}},
        {"eth0", true, false, IpPrefix{V6({0xFE, 0x80}, 1), 64}},
    };
    const NetworkInfo network = ReadNetwork(tree.Root(), entries);
    ASSERT_EQ(network.adapters.size(), 4u) << "up and not loopback, each once";

    const NetworkAdapter& eth0 = network.adapters[0];
    EXPECT_EQ(eth0.name, "eth0");
    EXPECT_EQ(eth0.kind, AdapterKind::Ethernet);
    EXPECT_EQ(eth0.hardwareAddress, (std::vector<std::uint8_t>{2, 0xFC, 0, 0, 0, 1}));
    EXPECT_EQ(eth0.ipv4, (std::vector<IpPrefix>{{V4(192, 0, 2, 2), 24}}));
    EXPECT_EQ(eth0.ipv6, (std::vector<IpPrefix>{{V6({0xFD}, 2), 64}})) << "global only";
    EXPECT_EQ(eth0.gateways, (std::vector<InternetAddress>{V4(192, 0, 2, 1)}));
    EXPECT_FALSE(eth0.carriesDefaultRoute);

    EXPECT_EQ(network.adapters[1].kind, AdapterKind::WiFi);
    const NetworkAdapter& tun0 = network.adapters[2];
    EXPECT_EQ(tun0.kind, AdapterKind::Tunnel);
    EXPECT_TRUE(tun0.hardwareAddress.empty());
    EXPECT_TRUE(tun0.carriesDefaultRoute) << "the VPN's default route has the lower metric";
    EXPECT_EQ(network.adapters[3].kind, AdapterKind::Virtual);

    EXPECT_EQ(network.dnsServers, (std::vector<InternetAddress>{V4(192, 0, 2, 53)}))
        << "the servers behind the local resolver stub";
}

// An entry the system would not tell about is not taken for an absent one: without it an
// Ethernet link is of no known kind, rather than software-made.
TEST(ClassifyInterface, UnansweredEntriesGiveNoKindForEthernet) {
    const struct {
        const char* name;
        InterfaceTraits traits;
        AdapterKind expected;
    } cases[] = {
        {"hardware", {1, false, false, true, "", true}, AdapterKind::Ethernet},
        {"software", {1, false, false, false, "", true}, AdapterKind::Virtual},
        {"entries not told", {1, false, false, false, "", false}, AdapterKind::Unknown},
        {"Wi-Fi told all the same", {1, true, false, false, "", false}, AdapterKind::WiFi},
        {"tun told all the same", {65534, false, true, false, "", false}, AdapterKind::Tunnel},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyInterface(c.traits), c.expected) << c.name;
    }
}

TEST(LinuxTreeSources, GraphicsAdaptersOnceEachNamedFromThePciIdList) {
    CannedTree tree;
    const auto pciDevice = [&tree](const std::string& slot, const char* vendor, const char* device,
                                   const char* driver) {
        const std::string directory = "sys/devices/pci0000:00/" + slot + "/";
        tree.File(directory + "vendor", std::string(vendor) + "\n");
        tree.File(directory + "device", std::string(device) + "\n");
        tree.Link(directory + "driver", "../../../bus/pci/drivers/" + std::string(driver));
        tree.Directory("sys/bus/pci/drivers/" + std::string(driver));
        return "../../../devices/pci0000:00/" + slot;
    };
    const std::string nvidia = pciDevice("0000:01:00.0", "0x10de", "0x2504", "nvidia");
    const std::string intel = pciDevice("0000:00:02.0", "0x8086", "0x9999", "i915");
    tree.Link("sys/class/drm/card1/device", nvidia);
    tree.Link("sys/class/drm/card0/device", intel);
    tree.Link("sys/class/drm/card2/device", nvidia);  // the same device again
    tree.Link("sys/class/drm/renderD128/device", intel);
    tree.Directory("sys/class/drm/card0-HDMI-A-1");
    tree.File("sys/module/nvidia/version", "550.54.14\n");
    tree.File("usr/share/misc/pci.ids",
              "# pci.ids\n"
              "1002  Advanced Micro Devices, Inc. [AMD/ATI]\n"
              "\t2504  Not this one\n"
              "10de  NVIDIA Corporation\n"
              "\t2503  GA106 [GeForce RTX 3060]\n"
              "\t2504  GA106 [GeForce RTX 3060 Lite Hash Rate]\n"
              "\t\t1462 397d  subsystem\n"
              "8086  Intel Corporation\n"
              "\t9a49  TigerLake-LP GT2 [Iris Xe Graphics]\n");

    const std::vector<GraphicsAdapter> adapters = ReadGraphicsAdapters(tree.Root());
    ASSERT_EQ(adapters.size(), 2u);
    EXPECT_EQ(adapters[0].name, "PCI device 8086:9999") << "a device the list does not name";
    EXPECT_EQ(adapters[0].driver, "i915");
    EXPECT_EQ(adapters[0].driverVersion, std::nullopt);
    EXPECT_EQ(adapters[1].name, "NVIDIA Corporation GA106 [GeForce RTX 3060 Lite Hash Rate]");
    EXPECT_EQ(adapters[1].driver, "nvidia");
    EXPECT_EQ(adapters[1].driverVersion, "550.54.14");

    EXPECT_EQ(PciDeviceName("10de  NVIDIA Corporation\n\t2504  GA106\n", 0x10de, 0x2504),
              "NVIDIA Corporation GA106")
        << "a vendor on the list's first line";
    EXPECT_EQ(PciDeviceName("10de  NVIDIA\n1002  AMD\n\t2504  Radeon\n", 0x10de, 0x2504),
              std::nullopt)
        << "a device of the next vendor";
}

}  // namespace
}  // namespace kolt::linux_backend
