#include "tests/support/scripted_platform.h"

namespace kolt::testing {

void ScriptedPlatform::SetRegistryText(const std::string& key, const std::string& name,
                                       std::string text) {
    registry[key][name] = RegistryValue{std::move(text), std::nullopt};
}

void ScriptedPlatform::SetRegistryDword(const std::string& key, const std::string& name,
                                        std::uint32_t value) {
    registry[key][name] = RegistryValue{std::nullopt, value};
}

void ScriptedPlatform::AddRegistryKey(const std::string& key) { registry[key]; }

std::optional<std::string> ScriptedPlatform::EnvironmentVariable(const std::string& name) {
    const auto found = environment.find(name);
    if (found == environment.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool ScriptedPlatform::RegistryKeyExists(std::string_view keyPath) {
    return registry.find(keyPath) != registry.end();
}

const ScriptedPlatform::RegistryValue* ScriptedPlatform::FindValue(
    std::string_view keyPath, std::string_view valueName) const {
    const auto key = registry.find(keyPath);
    if (key == registry.end()) {
        return nullptr;
    }
    const auto value = key->second.find(valueName);
    return value == key->second.end() ? nullptr : &value->second;
}

std::optional<std::string> ScriptedPlatform::RegistryText(std::string_view keyPath,
                                                          std::string_view valueName,
                                                          std::size_t capacity) {
    const RegistryValue* value = FindValue(keyPath, valueName);
    // Like the registry, a value whose data and terminating NUL exceed the area is unreadable.
    if (value == nullptr || !value->text || value->text->size() + 1 > capacity) {
        return std::nullopt;
    }
    return value->text->substr(0, value->text->find('\0'));
}

std::optional<std::uint32_t> ScriptedPlatform::RegistryDword(std::string_view keyPath,
                                                             std::string_view valueName) {
    const RegistryValue* value = FindValue(keyPath, valueName);
    return value == nullptr ? std::nullopt : value->dword;
}

std::uint64_t ScriptedPlatform::PerformanceCounter() {
    return counterStart + counterStep * static_cast<std::uint64_t>(counterReads++);
}

std::uint64_t ScriptedPlatform::TimeStampCounter() {
    const auto index = static_cast<std::size_t>(tscReads++);
    return index < tscReadings.size() ? tscReadings[index] : tscReadings.back();
}

std::optional<DiskSpace> ScriptedPlatform::DiskFreeSpace(const std::string& rootPath) {
    diskQueries.push_back(rootPath);
    const auto found = disks.find(rootPath);
    if (found == disks.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::uint32_t ScriptedPlatform::DriveType(const std::string& rootPath) {
    driveTypeQueries.push_back(rootPath);
    const auto found = driveTypes.find(rootPath);
    return found == driveTypes.end() ? drive_type::kNoRootDir : found->second;
}

std::vector<Ipv4Address> ScriptedPlatform::OwnHostAddresses() {
    ++hostAddressQueries;
    return hostAddresses;
}

}  // namespace kolt::testing
