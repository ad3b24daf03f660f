#include "report/inventory/inventory_document.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

#include "report/address_text.h"
#include "report/build_report.h"
#include "report/inventory/device_id.h"
#include "report/inventory/inventory_units.h"
#include "report/inventory/xml_text.h"

namespace kolt {

namespace {

// The bits of the sections this document holds, in the server's change mask: each table named
// here is rewritten from the document, and the tables of sections it does not hold (software,
// printers, ...) are left as the server has them.
enum SectionMask : std::uint32_t {
    kHardwareMask = 1,
    kBiosMask = 2,
    kMemoriesMask = 4,
    kDrivesMask = 512,
    kNetworksMask = 4096,
    kVideosMask = 32768,
    kCpusMask = 262144,
};
constexpr std::uint32_t kChecksum = kHardwareMask | kBiosMask | kMemoriesMask | kDrivesMask |
                                    kNetworksMask | kVideosMask | kCpusMask;

// Writes the document's elements, indented by depth.
class XmlWriter {
public:
    explicit XmlWriter(std::string& xml) : xml_(xml) {}

    void Open(std::string_view tag) {
        Indent();
        xml_ += '<';
        xml_ += tag;
        xml_ += ">\n";
        ++depth_;
    }
    void Close(std::string_view tag) {
        --depth_;
        Indent();
        xml_ += "</";
        xml_ += tag;
        xml_ += ">\n";
    }
    void Text(std::string_view tag, std::string_view value) {
        Indent();
        xml_ += '<';
        xml_ += tag;
        xml_ += '>';
        AppendXmlText(value, xml_);
        xml_ += "</";
        xml_ += tag;
        xml_ += ">\n";
    }
    void Text(std::string_view tag, const std::string& value) {
        Text(tag, std::string_view(value));
    }
    void Text(std::string_view tag, const std::optional<std::string>& value) {
        if (value) {
            Text(tag, *value);
        }
    }
    void Number(std::string_view tag, std::uint64_t value) { Text(tag, std::to_string(value)); }
    void Number(std::string_view tag, const std::optional<std::uint32_t>& value) {
        if (value) {
            Number(tag, *value);
        }
    }

private:
    void Indent() { xml_.append(static_cast<std::size_t>(depth_) * 2, ' '); }

    std::string& xml_;
    int depth_ = 0;
};

const Ipv4Address* FirstIpv4(const std::vector<InternetAddress>& addresses) {
    for (const InternetAddress& address : addresses) {
        if (const auto* ipv4 = std::get_if<Ipv4Address>(&address)) {
            return ipv4;
        }
    }
    return nullptr;
}

// The gateway of the adapter that carries the default route, else the first adapter's.
std::optional<std::string> DefaultGateway(const NetworkInfo& network) {
    const Ipv4Address* first = nullptr;
    for (const NetworkAdapter& adapter : network.adapters) {
        const Ipv4Address* gateway = FirstIpv4(adapter.gateways);
        if (gateway && adapter.carriesDefaultRoute) {
            return Ipv4Text(*gateway);
        }
        if (!first) {
            first = gateway;
        }
    }
    return first ? std::optional(Ipv4Text(*first)) : std::nullopt;
}

// The first name server: the default route's adapter's, any adapter's, then the system's.
std::optional<std::string> FirstNameServer(const NetworkInfo& network) {
    std::optional<std::string> any;
    for (const NetworkAdapter& adapter : network.adapters) {
        if (!adapter.dnsServers.empty()) {
            if (adapter.carriesDefaultRoute) {
                return IpText(adapter.dnsServers.front());
            }
            if (!any) {
                any = IpText(adapter.dnsServers.front());
            }
        }
    }
    if (!any && !network.dnsServers.empty()) {
        any = IpText(network.dnsServers.front());
    }
    return any;
}

// "00:1A:2B:3C:4D:5E", the form the server compares hardware addresses in.
std::string MacAddressText(const std::vector<std::uint8_t>& octets) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t octet : octets) {
        if (!text.empty()) {
            text += ':';
        }
        text += kDigits[octet >> 4];
        text += kDigits[octet & 0xF];
    }
    return text;
}

// The processor as its maker names it where the system says, else its identifier.
std::optional<std::string> ProcessorName(const ReportFacts& facts) {
    if (facts.extended && facts.extended->processor.brand) {
        return facts.extended->processor.brand;
    }
    return facts.architecture ? ProcessorIdentifier(facts.architecture->found) : std::nullopt;
}

std::optional<std::uint64_t> Megahertz(const ReportFacts& facts) {
    if (!facts.cpuSpeed) {
        return std::nullopt;
    }
    const std::uint64_t megahertz = WholeMegahertz(facts.cpuSpeed->megahertz);
    return megahertz == 0 ? std::nullopt : std::optional(megahertz);
}

void WriteHardware(const ReportFacts& facts, XmlWriter& xml) {
    xml.Open("HARDWARE");
    if (facts.computerName) {
        xml.Text("NAME", facts.computerName->name);
    }
    if (facts.operatingSystem) {
        xml.Text("OSNAME", facts.operatingSystem->found.name);
        xml.Text("OSVERSION", facts.operatingSystem->found.version);
    }
    xml.Text("PROCESSORT", ProcessorName(facts));
    if (const auto megahertz = Megahertz(facts)) {
        xml.Number("PROCESSORS", *megahertz);
    }
    if (facts.architecture) {
        xml.Number("PROCESSORN",
                   static_cast<std::uint64_t>(std::max(facts.architecture->processors, 0)));
    }
    if (facts.memory && facts.memory->physical) {
        const MemoryKindFacts& physical = *facts.memory->physical;
        xml.Number("MEMORY", static_cast<std::uint64_t>(physical.totalMegabytes));
        // The paging file's figure is what programs may commit: memory and swap together.
        if (facts.memory->pagingFile &&
            facts.memory->pagingFile->totalMegabytes >= physical.totalMegabytes) {
            xml.Number("SWAP", static_cast<std::uint64_t>(facts.memory->pagingFile->totalMegabytes -
                                                          physical.totalMegabytes));
        }
    }
    if (facts.ipAddress && facts.ipAddress->address) {
        xml.Text("IPADDR", Ipv4Text(*facts.ipAddress->address));
    }
    if (facts.extended) {
        xml.Text("DEFAULTGATEWAY", DefaultGateway(facts.extended->network));
        xml.Text("DNS", FirstNameServer(facts.extended->network));
        xml.Text("ARCH", facts.extended->release.systemArchitecture);
    }
    if (facts.userName) {
        xml.Text("USERID", facts.userName->name);
        xml.Text("USERDOMAIN", facts.userName->domains.domain);
    }
    xml.Number("CHECKSUM", kChecksum);
    xml.Close("HARDWARE");
}

void WriteBios(const FirmwareInfo& firmware, XmlWriter& xml) {
    xml.Open("BIOS");
    xml.Text("SMANUFACTURER", firmware.make);
    xml.Text("SMODEL", firmware.model);
    xml.Text("SSN", firmware.serialNumber);
    xml.Text("BMANUFACTURER", firmware.biosVendor);
    xml.Text("BVERSION", firmware.biosVersion);
    if (firmware.biosDate) {
        xml.Text("BDATE", FirmwareDateText(*firmware.biosDate));
    }
    xml.Close("BIOS");
}

// The first processor, as the system describes it: the report knows of no other sockets.
void WriteCpus(const ReportFacts& facts, XmlWriter& xml) {
    xml.Open("CPUS");
    if (facts.architecture) {
        xml.Text("MANUFACTURER", facts.architecture->found.vendor);
    }
    xml.Text("TYPE", ProcessorName(facts));
    if (const auto megahertz = Megahertz(facts)) {
        xml.Number("SPEED", *megahertz);
        xml.Number("CURRENT_SPEED", *megahertz);
    }
    if (facts.extended) {
        xml.Number("CORES", facts.extended->processor.physicalCores);
        xml.Number("LOGICAL_CPUS", facts.extended->processor.logicalProcessors);
        xml.Text("CPUARCH", facts.extended->release.systemArchitecture);
    }
    xml.Close("CPUS");
}

// The system gives the memory's total, not its modules: one entry that says so.
void WriteMemories(const MemoryFacts& memory, XmlWriter& xml) {
    if (!memory.physical) {
        return;
    }
    xml.Open("MEMORIES");
    xml.Text("CAPTION", std::string_view("System memory"));
    xml.Text("DESCRIPTION", std::string_view("All physical memory (modules not known)"));
    xml.Number("CAPACITY", static_cast<std::uint64_t>(memory.physical->totalMegabytes));
    xml.Close("MEMORIES");
}

// Each measured drive; one that did not answer in time has no figures to give.
void WriteDrives(const DiskFacts& disks, XmlWriter& xml) {
    for (const ListedDrive& drive : disks.drives) {
        if (!drive.space) {
            continue;
        }
        xml.Open("DRIVES");
        xml.Text("LETTER", std::string{drive.letter, ':'});
        xml.Text("TYPE", DriveTypeText(drive.kind));
        xml.Number("TOTAL", WholeMegabytes(drive.space->totalBytes));
        xml.Number("FREE", WholeMegabytes(drive.space->freeBytes));
        xml.Close("DRIVES");
    }
}

void WriteNetworkEntry(const NetworkAdapter& adapter, const IpPrefix* ipv4, XmlWriter& xml) {
    xml.Open("NETWORKS");
    xml.Text("DESCRIPTION", adapter.name);
    if (const auto kind = AdapterKindText(adapter.kind)) {
        xml.Text("TYPE", *kind);
    }
    if (!adapter.hardwareAddress.empty()) {
        xml.Text("MACADDR", MacAddressText(adapter.hardwareAddress));
    }
    xml.Text("STATUS", std::string_view("Up"));
    if (ipv4) {
        const auto& address = std::get<Ipv4Address>(ipv4->address);
        xml.Text("IPADDRESS", Ipv4Text(address));
        xml.Text("IPMASK", Ipv4Text(Ipv4Mask(ipv4->prefixLength)));
        xml.Text("IPSUBNET", Ipv4Text(Ipv4Network(address, ipv4->prefixLength)));
    }
    if (const Ipv4Address* gateway = FirstIpv4(adapter.gateways)) {
        xml.Text("IPGATEWAY", Ipv4Text(*gateway));
    }
    xml.Close("NETWORKS");
}

// One entry for each IPv4 address of an adapter, as the server keeps them; one without an
// address for an adapter that has none.
void WriteNetworks(const NetworkInfo& network, XmlWriter& xml) {
    for (const NetworkAdapter& adapter : network.adapters) {
        bool written = false;
        for (const IpPrefix& prefix : adapter.ipv4) {
            if (std::holds_alternative<Ipv4Address>(prefix.address)) {
                WriteNetworkEntry(adapter, &prefix, xml);
                written = true;
            }
        }
        if (!written) {
            WriteNetworkEntry(adapter, nullptr, xml);
        }
    }
}

void WriteVideos(const std::vector<GraphicsAdapter>& graphics, XmlWriter& xml) {
    for (const GraphicsAdapter& adapter : graphics) {
        xml.Open("VIDEOS");
        xml.Text("NAME", adapter.name);
        xml.Close("VIDEOS");
    }
}

}  // namespace

std::string InventoryDocumentOf(const ReportFacts& facts) {
    std::string document = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n";
    XmlWriter xml(document);
    xml.Open("REQUEST");
    xml.Open("CONTENT");
    WriteHardware(facts, xml);
    if (facts.extended) {
        WriteBios(facts.extended->firmware, xml);
    }
    WriteCpus(facts, xml);
    if (facts.memory) {
        WriteMemories(*facts.memory, xml);
    }
    if (facts.disk) {
        WriteDrives(*facts.disk, xml);
    }
    if (facts.extended) {
        WriteNetworks(facts.extended->network, xml);
        WriteVideos(facts.extended->graphics, xml);
    }
    xml.Close("CONTENT");
    xml.Text("DEVICEID", InventoryDeviceId(facts));
    xml.Text("QUERY", std::string_view("INVENTORY"));
    xml.Close("REQUEST");
    return document;
}

std::string BuildInventoryDocument(CSystemReport& composer) {
    return InventoryDocumentOf(GatherReportFacts(composer, [](ReportSection) { return true; }));
}

}  // namespace kolt
