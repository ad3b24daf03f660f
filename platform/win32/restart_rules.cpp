#include "platform/win32/restart_rules.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

namespace kolt::win32 {
namespace {

// A REG_MULTI_SZ list holds an entry when any of its characters is not a terminator.
bool HoldsEntry(const std::optional<std::string>& list) {
    return list && std::any_of(list->begin(), list->end(), [](char c) { return c != '\0'; });
}

// A name up to its terminator.
std::optional<std::string> NameText(const std::optional<std::string>& data) {
    if (!data) {
        return std::nullopt;
    }
    return data->substr(0, data->find('\0'));
}

// NetBIOS names compare without regard to case.
bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) ==
               std::toupper(static_cast<unsigned char>(y));
    });
}

void TakeEarlier(std::optional<std::int64_t>& since, const std::optional<std::int64_t>& time) {
    if (time && (!since || *time < *since)) {
        since = time;
    }
}

}  // namespace

std::optional<RestartState> ReadRestartState(RegistryView& registry) {
    const std::optional<std::string> active =
        NameText(registry.Data(kActiveComputerNameKey, "ComputerName"));
    const std::optional<std::string> pending =
        NameText(registry.Data(kPendingComputerNameKey, "ComputerName"));
    const bool sessionManagerReadable = registry.KeyExists(kSessionManagerKey);
    if (!sessionManagerReadable && !active && !pending) {
        return std::nullopt;
    }
    RestartState state;
    if (registry.KeyExists(kUpdateRebootKey)) {
        state.reasons.push_back(RestartReason::WindowsUpdate);
        TakeEarlier(state.pendingSince, registry.KeyWriteTime(kUpdateRebootKey));
    }
    if (registry.KeyExists(kServicingRebootKey)) {
        state.reasons.push_back(RestartReason::ComponentServicing);
        TakeEarlier(state.pendingSince, registry.KeyWriteTime(kServicingRebootKey));
    }
    if (HoldsEntry(registry.Data(kSessionManagerKey, "PendingFileRenameOperations")) ||
        HoldsEntry(registry.Data(kSessionManagerKey, "PendingFileRenameOperations2"))) {
        state.reasons.push_back(RestartReason::FileRenames);
    }
    if (active && pending && !SameName(*active, *pending)) {
        state.reasons.push_back(RestartReason::ComputerRename);
    }
    return state;
}

}  // namespace kolt::win32
