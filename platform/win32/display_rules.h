// Which graphics adapters the report lists on Windows and their drivers' versions: pure functions
// over the display devices the system enumerates and a view of the registry. No Windows headers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/registry_rules.h"

namespace kolt::win32 {

// A display device's state flag for a mirroring driver (remote desktop, screen sharing), which
// is no adapter.
inline constexpr std::uint32_t kMirroringDriver = 0x00000008;

// One display device as the enumeration describes it: each output of an adapter is one device.
struct DisplayDeviceRecord {
    std::string name;       // "NVIDIA GeForce RTX 3060"
    std::string deviceId;   // "PCI\VEN_10DE&DEV_2504&..."
    std::string deviceKey;  // "\Registry\Machine\System\CurrentControlSet\Control\Video\{...}\0000"
    std::uint32_t stateFlags = 0;
};

// A device key as a path under HKEY_LOCAL_MACHINE ("System\CurrentControlSet\..."); nullopt for a
// key under another root.
std::optional<std::string> MachineKeyPath(std::string_view deviceKey);

// Every adapter once (its outputs share the adapter's video key, "...\Video\{GUID}", each with a
// numbered key below it; two cards of one model have keys of their own), mirroring drivers and
// nameless devices left out, in the enumeration's order, each with
// the DriverVersion of its device key where the registry holds one.
std::vector<GraphicsAdapter> GraphicsFromRecords(const std::vector<DisplayDeviceRecord>& records,
                                                 RegistryView& registry);

}  // namespace kolt::win32
