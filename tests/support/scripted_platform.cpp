#include "tests/support/scripted_platform.h"

#include <algorithm>

namespace kolt::test_support {

void ScriptedPlatform::AddDrive(char letter, std::uint32_t typeCode, std::uint64_t totalBytes,
                                std::uint64_t freeBytes) {
    drives.push_back(DriveInfo{letter, typeCode, DiskSpace{totalBytes, freeBytes}});
}

void ScriptedPlatform::AddEmptyDrive(char letter, std::uint32_t typeCode) {
    drives.push_back(DriveInfo{letter, typeCode, std::nullopt});
}

std::optional<std::string> ScriptedPlatform::EnvironmentVariable(const std::string& name) {
    const auto found = environment.find(name);
    if (found == environment.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::uint64_t ScriptedPlatform::PerformanceCounter() {
    const auto index = static_cast<std::size_t>(counterReads++);
    if (!counterReadings.empty()) {
        return counterReadings[std::min(index, counterReadings.size() - 1)];
    }
    return counterStart + counterStep * index;
}

std::uint64_t ScriptedPlatform::TimeStampCounter() {
    const auto index = static_cast<std::size_t>(tscReads++);
    return index < tscReadings.size() ? tscReadings[index] : tscReadings.back();
}

std::vector<DriveInfo> ScriptedPlatform::Drives() {
    ++driveQueries;
    return drives;
}

std::vector<Ipv4Address> ScriptedPlatform::OwnHostAddresses() {
    ++hostAddressQueries;
    return hostAddresses;
}

std::optional<std::uint64_t> ScriptedPlatform::SecondsSinceStart() {
    ++extendedQueries;
    return secondsSinceStart;
}

SystemRelease ScriptedPlatform::Release() {
    ++extendedQueries;
    return release;
}

ProcessorDetails ScriptedPlatform::ProcessorDetail() {
    ++extendedQueries;
    return processorDetails;
}

FirmwareInfo ScriptedPlatform::Firmware() {
    ++extendedQueries;
    return firmware;
}

NetworkInfo ScriptedPlatform::Network() {
    ++extendedQueries;
    return network;
}

std::vector<GraphicsAdapter> ScriptedPlatform::GraphicsAdapters() {
    ++extendedQueries;
    return graphicsAdapters;
}

}  // namespace kolt::test_support
