// The facts of the Extended Information section, gathered once: the text and the JSON form are
// both written from this value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

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
};

// Each extended fact asked once.
ExtendedFacts GatherExtendedFacts(Platform& platform);

// The words for an adapter's kind ("Ethernet", "Wi-Fi", "Tunnel/VPN", "Virtual"); nullopt for an
// unknown kind.
std::optional<std::string_view> AdapterKindText(AdapterKind kind);

// "x86 on x64" for a program whose architecture is not the system's own; the program's alone
// where they agree or the system's is unknown.
std::optional<std::string> ProgramTypeText(const SystemRelease& release);

}  // namespace kolt
