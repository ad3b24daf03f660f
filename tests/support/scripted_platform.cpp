#include "tests/support/scripted_platform.h"

namespace kolt::test_support {

void ScriptedPlatform::AddDrive(char letter, DriveKind kind, std::uint64_t totalBytes,
                                std::uint64_t freeBytes) {
    drives.push_back(DriveInfo{letter, kind, DiskSpace{totalBytes, freeBytes}});
}

void ScriptedPlatform::AddEmptyDrive(char letter, DriveKind kind) {
    drives.push_back(DriveInfo{letter, kind, std::nullopt});
}

std::vector<DriveInfo> ScriptedPlatform::Drives() {
    ++driveQueries;
    return drives;
}

HostAddresses ScriptedPlatform::OwnHostAddresses() {
    ++hostAddressQueries;
    return {hostAddresses, hostNameResolvedInTime};
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

std::optional<RestartState> ScriptedPlatform::RestartPending() {
    ++extendedQueries;
    return restart;
}

std::optional<InstalledUpdates> ScriptedPlatform::Updates() {
    ++extendedQueries;
    return updates;
}

SecurityInfo ScriptedPlatform::Security() {
    ++extendedQueries;
    return security;
}

std::optional<PrinterList> ScriptedPlatform::Printers() {
    ++extendedQueries;
    return printers;
}

std::vector<DisplayInfo> ScriptedPlatform::Displays() {
    ++extendedQueries;
    return displays;
}

std::optional<PowerInfo> ScriptedPlatform::Power() {
    ++extendedQueries;
    return power;
}

ProxySettings ScriptedPlatform::Proxy() {
    ++extendedQueries;
    return proxy;
}

std::optional<TimeSource> ScriptedPlatform::ClockSource() {
    ++extendedQueries;
    return timeSource;
}

}  // namespace kolt::test_support
