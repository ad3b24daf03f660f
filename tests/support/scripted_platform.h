// A platform whose every answer is set by the test: the report's rules are tested without
// depending on the machine the tests run on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kolt::test_support {

class ScriptedPlatform : public Platform {
public:
    // Answers, public so that each test states exactly what the machine says.
    std::uint32_t processorCount = 1;
    ProcessorInfo processor;
    OperatingSystemInfo operatingSystem;
    std::optional<std::string> computerName = "DESK042";  // the NetBIOS name
    std::optional<std::string> hostName;
    std::optional<std::string> userName = "jsmith";
    UserDomainNames domains;
    std::int64_t currentTime = 0;
    std::optional<LocalTime> localTime = LocalTime{};
    std::optional<MemoryStatus> memory = MemoryStatus{};
    std::vector<DriveInfo> drives;
    std::vector<Ipv4Address> hostAddresses;
    bool hostNameResolvedInTime = true;
    std::optional<std::uint64_t> secondsSinceStart;
    SystemRelease release;
    ProcessorDetails processorDetails;
    FirmwareInfo firmware;
    NetworkInfo network;
    std::vector<GraphicsAdapter> graphicsAdapters;
    std::optional<RestartState> restart;
    std::optional<InstalledUpdates> updates;
    SecurityInfo security;
    std::optional<PrinterList> printers;
    std::vector<DisplayInfo> displays;
    std::optional<PowerInfo> power;
    ProxySettings proxy;
    std::optional<TimeSource> timeSource;
    std::optional<std::string> currentDirectory = "C:\\Support";
    char pathSeparator = '\\';

    // What the clock measurement answers: one second of a 1 MHz steady clock, and no cycles.
    ClockWindow clock{0, 1'000'000, 1'000'000};

    // What the report asked for, to check how often.
    int clockMeasurements = 0;
    int driveQueries = 0;
    int hostAddressQueries = 0;
    int extendedQueries = 0;  // any of the extended facts

    // A measured drive, and a letter without a medium.
    void AddDrive(char letter, DriveKind kind, std::uint64_t totalBytes, std::uint64_t freeBytes);
    void AddEmptyDrive(char letter, DriveKind kind);

    std::uint32_t ProcessorCount() override { return processorCount; }
    ProcessorInfo Processor() override { return processor; }
    OperatingSystemInfo OperatingSystem() override { return operatingSystem; }
    ComputerNameInfo ComputerName() override { return ComputerNameInfo{computerName, hostName}; }
    std::optional<std::string> UserName() override { return userName; }
    UserDomainNames UserDomains() override { return domains; }
    std::int64_t CurrentTime() override { return currentTime; }
    std::optional<LocalTime> ToLocalTime(std::int64_t) override { return localTime; }
    ClockWindow MeasureClock() override {
        ++clockMeasurements;
        return clock;
    }
    std::optional<MemoryStatus> Memory() override { return memory; }
    std::vector<DriveInfo> Drives() override;
    HostAddresses OwnHostAddresses() override;
    std::optional<std::uint64_t> SecondsSinceStart() override;
    SystemRelease Release() override;
    ProcessorDetails ProcessorDetail() override;
    FirmwareInfo Firmware() override;
    NetworkInfo Network() override;
    std::vector<GraphicsAdapter> GraphicsAdapters() override;
    void StartDeskQuestions() override {}
    std::optional<RestartState> RestartPending() override;
    std::optional<InstalledUpdates> Updates() override;
    SecurityInfo Security() override;
    std::optional<PrinterList> Printers() override;
    std::vector<DisplayInfo> Displays() override;
    std::optional<PowerInfo> Power() override;
    ProxySettings Proxy() override;
    std::optional<TimeSource> ClockSource() override;
    std::optional<std::string> CurrentDirectory() override { return currentDirectory; }
    char PathSeparator() override { return pathSeparator; }
};

}  // namespace kolt::test_support
