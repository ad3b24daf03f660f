// The Extended Information block: the facts a support desk asks for next, after the disks. They
// are gathered once: the text and the JSON form are both written from this value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "report/gather_context.h"
#include "report/json_value.h"

namespace kolt {

struct ExtendedFacts {
    std::optional<std::uint64_t> upTimeSeconds;
    std::optional<LocalTime> lastBoot;  // local: the clock now less the time since the start
    SystemRelease release;
    std::optional<LocalTime> installed;  // local
    ProcessorDetails processor;
    FirmwareInfo firmware;
    NetworkInfo network;
    std::vector<GraphicsAdapter> graphics;
    // What a desk asks next.
    std::optional<RestartState> restart;
    std::optional<LocalTime> restartSince;  // local: since when the restart has been waiting
    std::optional<InstalledUpdates> updates;
    SecurityInfo security;
    std::optional<PrinterList> printers;
    std::vector<DisplayInfo> displays;
    std::optional<PowerInfo> power;
    ProxySettings proxy;
    std::optional<TimeSource> timeSource;
};

// Each extended fact asked once.
ExtendedFacts GatherExtended(GatherContext& context);

// The words for an adapter's kind ("Ethernet", "Wi-Fi", "Tunnel/VPN", "Virtual"); nullopt for an
// unknown kind.
std::optional<std::string_view> AdapterKindText(AdapterKind kind);

// "x86 on x64" for a program whose architecture is not the system's own; the program's alone
// where they agree or the system's is unknown.
std::optional<std::string> ProgramTypeText(const SystemRelease& release);

// An unknown extended fact has no line.
void AppendExtendedText(const ExtendedFacts& facts, std::string& report);
// Facts as values, times in ISO 8601, unknown facts null.
void WriteExtendedJson(const ExtendedFacts& facts, Json& value);

}  // namespace kolt
