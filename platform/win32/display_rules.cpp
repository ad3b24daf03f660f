// No Windows headers here: these rules build and are tested on every platform.
#include "platform/win32/display_rules.h"

#include <algorithm>

namespace kolt::win32 {

namespace {

constexpr std::string_view kMachineRoot = "\\Registry\\Machine\\";

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// What tells adapters apart: each has a video key of its own ("...\Video\{GUID}"), under which
// each of its outputs has a numbered key; without a key, the device id, else the name.
std::string AdapterIdentity(const DisplayDeviceRecord& record) {
    const std::size_t lastSeparator = record.deviceKey.rfind('\\');
    if (lastSeparator != std::string::npos && lastSeparator > 0) {
        return record.deviceKey.substr(0, lastSeparator);
    }
    return record.deviceId.empty() ? record.name : record.deviceId;
}

}  // namespace

std::optional<std::string> MachineKeyPath(std::string_view deviceKey) {
    if (deviceKey.size() <= kMachineRoot.size() ||
        !EqualIgnoringCase(deviceKey.substr(0, kMachineRoot.size()), kMachineRoot)) {
        return std::nullopt;
    }
    return std::string(deviceKey.substr(kMachineRoot.size()));
}

std::vector<GraphicsAdapter> GraphicsFromRecords(const std::vector<DisplayDeviceRecord>& records,
                                                 RegistryView& registry) {
    std::vector<GraphicsAdapter> adapters;
    std::vector<std::string> seen;
    for (const DisplayDeviceRecord& record : records) {
        if ((record.stateFlags & kMirroringDriver) != 0 || record.name.empty()) {
            continue;
        }
        const std::string identity = AdapterIdentity(record);
        if (std::any_of(seen.begin(), seen.end(), [&](const std::string& known) {
                return EqualIgnoringCase(known, identity);
            })) {
            continue;
        }
        seen.push_back(identity);
        GraphicsAdapter adapter;
        adapter.name = record.name;
        if (const auto key = MachineKeyPath(record.deviceKey)) {
            if (auto version = registry.Data(*key, "DriverVersion")) {
                version->resize(std::min(version->size(), version->find('\0')));
                if (!version->empty()) {
                    adapter.driverVersion = std::move(*version);
                }
            }
        }
        adapters.push_back(std::move(adapter));
    }
    return adapters;
}

}  // namespace kolt::win32
