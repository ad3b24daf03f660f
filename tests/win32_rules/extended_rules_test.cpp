// The Windows sources of the extended facts as pure functions over recorded answers: the release
// values of the registry, the architecture calls, the processor answer's records, the adapter
// list, the display devices and the raw SMBIOS answer.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/adapter_rules.h"
#include "platform/win32/display_rules.h"
#include "platform/win32/processor_rules.h"
#include "platform/win32/release_rules.h"
#include "platform/win32/smbios_raw.h"
#include "tests/win32_rules/canned_registry.h"

namespace kolt::win32 {
namespace {

using test_support::CannedRegistry;
using test_support::Value;

const std::string kNt(kNtVersionKey);

TEST(ReadSystemRelease, EditionReleaseBuildAndInstallDate) {
    struct Expected {
        std::optional<std::string> edition;
        std::optional<std::string> release;
        std::optional<std::string> build;
        std::optional<std::int64_t> installTime;
    };
    struct Case {
        const char* what;
        std::vector<Value> values;
        Expected expected;
    };
    const Case cases[] = {
        {"Windows 11",
         {{kNt, "EditionID", "Professional"},
          {kNt, "DisplayVersion", "23H2"},
          {kNt, "ReleaseId", "2009"},
          {kNt, "CurrentBuild", "22631"},
          {kNt, "CurrentBuildNumber", "22631"},
          {kNt, "UBR", 2861u},
          {kNt, "InstallDate", 1700000000u}},
         {"Professional", "23H2", "22631.2861", 1700000000}},
        {"Windows 10 1909: ReleaseId alone",
         {{kNt, "EditionID", "Enterprise"},
          {kNt, "DisplayVersion", ""},
          {kNt, "ReleaseId", "1909"},
          {kNt, "CurrentBuildNumber", "18363"},
          {kNt, "UBR", 1556u}},
         {"Enterprise", "1909", "18363.1556", {}}},
        {"Windows 7: the service pack, no update revision",
         {{kNt, "EditionID", "Ultimate"},
          {kNt, "CSDVersion", "Service Pack 1"},
          {kNt, "CurrentBuildNumber", "7601"},
          {kNt, "InstallDate", 0u}},
         {"Ultimate", "Service Pack 1", "7601", {}}},
        {"nothing there", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CannedRegistry registry({kNt}, c.values);
        const SystemRelease release = ReadSystemRelease(registry);
        EXPECT_EQ(release.edition, c.expected.edition);
        EXPECT_EQ(release.release, c.expected.release);
        EXPECT_EQ(release.build, c.expected.build);
        EXPECT_EQ(release.installTime, c.expected.installTime);
        EXPECT_FALSE(release.distribution);
        EXPECT_FALSE(release.kernel);
    }

    CannedRegistry brand({}, {{std::string(kProcessorKey), "ProcessorNameString",
                               "       Intel(R) Xeon(R) CPU E5-2680 v4 @ 2.40GHz  "}});
    EXPECT_EQ(ReadProcessorBrand(brand), "Intel(R) Xeon(R) CPU E5-2680 v4 @ 2.40GHz");
    CannedRegistry blank({}, {{std::string(kProcessorKey), "ProcessorNameString", "   "}});
    EXPECT_EQ(ReadProcessorBrand(blank), std::nullopt);
}

TEST(ApplyArchitecture, TheSystemsOwnAndTheProgramsEvenWhereOneIsEmulated) {
    using namespace machine_code;
    struct Case {
        const char* what;
        ArchitectureAnswers answers;
        std::optional<std::string> system;
    };
    const Case cases[] = {
        {"64-bit program on x64", {kX64, false, processor_architecture::kX64, "x64"}, "x64"},
        {"32-bit program on x64", {kX64, true, processor_architecture::kX64, "x86"}, "x64"},
        {"x64 program emulated on ARM64: not WOW64, and the native info says x64",
         {kArm64, false, processor_architecture::kX64, "x64"},
         "ARM64"},
        {"x86 program on ARM64", {kArm64, true, processor_architecture::kX86, "x86"}, "ARM64"},
        {"Windows 7, 32-bit program on x64",
         {std::nullopt, true, processor_architecture::kX64, "x86"},
         "x64"},
        {"Windows 7, program on its own architecture",
         {std::nullopt, false, processor_architecture::kX86, "x86"},
         "x86"},
        {"WOW64 and a native info that names the program's own: not known",
         {std::nullopt, true, processor_architecture::kX86, "x86"},
         std::nullopt},
        {"an unknown machine code", {0x5064, false, std::nullopt, "x64"}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SystemRelease release;
        ApplyArchitecture(c.answers, release);
        EXPECT_EQ(release.systemArchitecture, c.system);
        EXPECT_EQ(release.programArchitecture, c.answers.program);
    }
}

// One record of the processor answer: relationship, size, flags, efficiency class, 20 reserved
// bytes, the group count, then each group's mask (`maskBytes` wide), group and reserved words.
std::string CoreRecord(std::uint32_t relationship, const std::vector<std::uint64_t>& masks,
                       std::size_t maskBytes, std::uint32_t statedSize = 0) {
    const auto little = [](std::string& bytes, std::uint64_t value, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i) {
            bytes += static_cast<char>(value >> (8 * i) & 0xFF);
        }
    };
    const std::size_t size = kGroupMasksOffset + masks.size() * (maskBytes + 8);
    std::string record;
    little(record, relationship, 4);
    little(record, statedSize != 0 ? statedSize : size, 4);
    record.append(22, '\0');
    little(record, masks.size(), 2);
    for (std::size_t group = 0; group < masks.size(); ++group) {
        little(record, masks[group], maskBytes);
        little(record, group, 2);
        record.append(6, '\0');
    }
    return record;
}

TEST(CountProcessorCores, CoresAndTheirProcessorsWithinTheAnswer) {
    struct Case {
        const char* what;
        std::string records;
        std::size_t maskBytes;
        std::optional<std::uint32_t> cores;
        std::optional<std::uint32_t> logical;
    };
    const std::string twoThreads = CoreRecord(0, {0b11}, 8);
    const Case cases[] = {
        {"two cores of two threads, 64-bit masks", twoThreads + CoreRecord(0, {0b1100}, 8), 8, 2,
         4},
        {"32-bit masks", CoreRecord(0, {0b1}, 4) + CoreRecord(0, {0b10}, 4), 4, 2, 2},
        {"a core across two groups", CoreRecord(0, {1u << 31, 1}, 8), 8, 1, 2},
        {"another relationship is skipped", CoreRecord(2, {0xFF}, 8) + twoThreads, 8, 1, 2},
        {"a record that runs past the answer ends the walk",
         twoThreads + CoreRecord(0, {0b11}, 8, 4096), 8, 1, 2},
        {"a size below a record's own ends the walk", twoThreads + CoreRecord(0, {1}, 8, 8), 8, 1,
         2},
        {"a cut record", twoThreads.substr(0, 20), 8, std::nullopt, std::nullopt},
        {"group masks beyond the record are not read",
         CoreRecord(0, {0b1, 0b1}, 8, kGroupMasksOffset + 16), 8, 1, 1},
        {"no answer", "", 8, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ProcessorCounts counts = CountProcessorCores(c.records, c.maskBytes);
        EXPECT_EQ(counts.physicalCores, c.cores);
        EXPECT_EQ(counts.logicalProcessors, c.logical);
    }
}

TEST(AdapterRules, KindsAndTheAdaptersListed) {
    using namespace interface_type;
    struct KindCase {
        std::uint32_t type;
        std::optional<bool> hardware;
        const char* description;
        AdapterKind expected;
    };
    const KindCase kinds[] = {
        {kEthernet, true, "Intel(R) Ethernet Connection I219-V", AdapterKind::Ethernet},
        {kEthernet, false, "Hyper-V Virtual Ethernet Adapter", AdapterKind::Virtual},
        {kEthernet, std::nullopt, "Realtek PCIe GbE", AdapterKind::Ethernet},
        {kEthernet, false, "TAP-Windows Adapter V9", AdapterKind::Tunnel},
        {kWiFi, true, "Intel(R) Wi-Fi 6 AX201 160MHz", AdapterKind::WiFi},
        {kPropVirtual, false, "WireGuard Tunnel", AdapterKind::Tunnel},
        {kPpp, false, "WAN Miniport (PPTP)", AdapterKind::Tunnel},
        {kTunnel, false, "Microsoft Teredo Tunneling Adapter", AdapterKind::Tunnel},
        {1, false,
         "Cisco AnyConnect Secure Mobility Client Virtual Miniport Adapter for Windows "
         "x64 (vpn)",
         AdapterKind::Tunnel},
        {1, std::nullopt, "Some other", AdapterKind::Unknown},
    };
    for (const KindCase& c : kinds) {
        SCOPED_TRACE(c.description);
        AdapterRecord record;
        record.interfaceType = c.type;
        record.hardwareInterface = c.hardware;
        record.description = c.description;
        EXPECT_EQ(ClassifyAdapter(record), c.expected);
    }

    const Ipv4Address address{{192, 168, 1, 20}};
    Ipv6Address global;
    global.octets = {0x20, 0x01, 0x0D, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20};
    Ipv6Address linkLocal;
    linkLocal.octets = {0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x20};
    const Ipv4Address gateway{{192, 168, 1, 1}};
    AdapterRecord ethernet;
    ethernet.name = "Ethernet";
    ethernet.interfaceType = kEthernet;
    ethernet.up = true;
    ethernet.ipv4Index = 12;
    ethernet.hardwareAddress = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
    ethernet.addresses = {{global, 64}, {address, 24}, {linkLocal, 64}};
    ethernet.gateways = {linkLocal, gateway};
    ethernet.dnsServers = {gateway};
    AdapterRecord down = ethernet;
    down.name = "Ethernet 2";
    down.up = false;
    AdapterRecord loopback;
    loopback.name = "Loopback Pseudo-Interface 1";
    loopback.interfaceType = kSoftwareLoopback;
    loopback.up = true;
    AdapterRecord vpn;
    vpn.name = "VPN";
    vpn.interfaceType = kPpp;
    vpn.up = true;
    vpn.hardwareAddress = {0, 0, 0, 0, 0, 0};

    const NetworkInfo network = NetworkFromRecords({ethernet, down, loopback, vpn}, 12);
    ASSERT_EQ(network.adapters.size(), 2u) << "up and not loopback";
    const NetworkAdapter& listed = network.adapters[0];
    EXPECT_EQ(listed.name, "Ethernet");
    EXPECT_EQ(listed.ipv4, (std::vector<IpPrefix>{{address, 24}}));
    EXPECT_EQ(listed.ipv6, (std::vector<IpPrefix>{{global, 64}}));
    EXPECT_EQ(listed.gateways, (std::vector<InternetAddress>{gateway, linkLocal})) << "IPv4 first";
    EXPECT_EQ(listed.dnsServers, (std::vector<InternetAddress>{gateway}));
    EXPECT_TRUE(listed.carriesDefaultRoute);
    EXPECT_FALSE(network.adapters[1].carriesDefaultRoute);
    EXPECT_TRUE(network.adapters[1].hardwareAddress.empty()) << "an all-zero address is none";
    EXPECT_FALSE(NetworkFromRecords({ethernet}, std::nullopt).adapters[0].carriesDefaultRoute);
}

TEST(GraphicsFromRecords, EachAdapterOnceWithItsDriversVersion) {
    const std::string key = "\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\{A}\\";
    const std::string secondCard =
        "\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\{B}\\0000";
    const std::vector<DisplayDeviceRecord> records{
        {"NVIDIA GeForce RTX 3060", "PCI\\VEN_10DE&DEV_2504", key + "0000", 0x5},
        {"NVIDIA GeForce RTX 3060", "PCI\\VEN_10DE&DEV_2504", key + "0001", 0x0},
        {"NVIDIA GeForce RTX 3060", "PCI\\VEN_10DE&DEV_2504", secondCard, 0x0},
        {"Intel(R) UHD Graphics 630", "PCI\\VEN_8086&DEV_3E92", "\\Registry\\User\\X", 0x0},
        {"RDPDD Chained DD", "", key + "0003", kMirroringDriver},
        {"", "PCI\\VEN_1234&DEV_1111", key + "0004", 0x0},
    };
    CannedRegistry registry(
        {},
        {{"System\\CurrentControlSet\\Control\\Video\\{A}\\0000", "DriverVersion", "31.0.15.3623"},
         {"System\\CurrentControlSet\\Control\\Video\\{A}\\0001", "DriverVersion", "0"}});
    const std::vector<GraphicsAdapter> adapters = GraphicsFromRecords(records, registry);
    ASSERT_EQ(adapters.size(), 3u) << "each card once, two of one model both";
    EXPECT_EQ(adapters[0].name, "NVIDIA GeForce RTX 3060");
    EXPECT_EQ(adapters[0].driverVersion, "31.0.15.3623");
    EXPECT_EQ(adapters[1].name, "NVIDIA GeForce RTX 3060");
    EXPECT_EQ(adapters[2].name, "Intel(R) UHD Graphics 630");
    EXPECT_EQ(adapters[2].driverVersion, std::nullopt) << "a key under another root";

    EXPECT_EQ(MachineKeyPath("\\REGISTRY\\MACHINE\\System\\X"), "System\\X");
    EXPECT_EQ(MachineKeyPath("\\Registry\\Machine\\"), std::nullopt);
}

TEST(SmbiosTableOfRawData, TheTableTheHeaderAnnouncesWithinTheAnswer) {
    const std::string table = "\x01\x04\x00\x00" + std::string("\0\0", 2);
    const auto raw = [](std::uint32_t length, const std::string& bytes) {
        std::string data{'\0', '\x03', '\x04', '\0'};
        for (int shift = 0; shift < 32; shift += 8) {
            data += static_cast<char>(length >> shift & 0xFF);
        }
        return data + bytes;
    };
    EXPECT_EQ(SmbiosTableOfRawData(raw(6, table)), table);
    EXPECT_EQ(SmbiosTableOfRawData(raw(4, table)), table.substr(0, 4));
    EXPECT_EQ(SmbiosTableOfRawData(raw(0xFFFFFFFF, table)), table) << "cut to what is there";
    EXPECT_EQ(SmbiosTableOfRawData(std::string_view("\0\x03\x04", 3)), "");
    EXPECT_EQ(FirmwareFromRawSmbios(raw(0xFFFFFFFF, table)).make, std::nullopt);
}

}  // namespace
}  // namespace kolt::win32
