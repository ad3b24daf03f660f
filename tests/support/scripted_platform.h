// A platform whose every answer is set by the test: the report's rules are tested without
// depending on the machine the tests run on.
#pragma once

#include <cstdint>
#include <map>
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
    std::optional<std::string> computerName = "DESK042";
    std::optional<std::string> userName = "jsmith";
    std::map<std::string, std::string, std::less<>> environment;
    std::int64_t currentTime = 0;
    std::optional<LocalTime> localTime = LocalTime{};
    MemoryStatus memory;
    std::vector<DriveInfo> drives;
    std::vector<Ipv4Address> hostAddresses;
    std::optional<std::uint64_t> secondsSinceStart;
    SystemRelease release;
    ProcessorDetails processorDetails;
    FirmwareInfo firmware;
    NetworkInfo network;
    std::vector<GraphicsAdapter> graphicsAdapters;
    std::optional<std::string> currentDirectory = "C:\\Support";
    char pathSeparator = '\\';

    // The counters: the performance counter advances by `counterStep` on every read, or, where
    // `counterReadings` is given, returns those in turn (the last one repeats); the time-stamp
    // counter returns `tscReadings` in turn (the last one repeats).
    std::uint64_t counterFrequency = 1'000'000;
    std::uint64_t counterStart = 0;
    std::uint64_t counterStep = 250'000;
    std::vector<std::uint64_t> counterReadings;
    std::vector<std::uint64_t> tscReadings{0};

    // What the report asked for, to check how often.
    int counterReads = 0;
    int tscReads = 0;
    int driveQueries = 0;
    int hostAddressQueries = 0;
    int extendedQueries = 0;  // any of the extended facts

    // A measured drive, and a letter without a medium.
    void AddDrive(char letter, std::uint32_t typeCode, std::uint64_t totalBytes,
                  std::uint64_t freeBytes);
    void AddEmptyDrive(char letter, std::uint32_t typeCode);

    std::uint32_t ProcessorCount() override { return processorCount; }
    ProcessorInfo Processor() override { return processor; }
    OperatingSystemInfo OperatingSystem() override { return operatingSystem; }
    std::optional<std::string> ComputerName() override { return computerName; }
    std::optional<std::string> UserName() override { return userName; }
    std::optional<std::string> EnvironmentVariable(const std::string& name) override;
    std::int64_t CurrentTime() override { return currentTime; }
    std::optional<LocalTime> ToLocalTime(std::int64_t) override { return localTime; }
    std::uint64_t PerformanceFrequency() override { return counterFrequency; }
    std::uint64_t PerformanceCounter() override;
    std::uint64_t TimeStampCounter() override;
    MemoryStatus Memory() override { return memory; }
    std::vector<DriveInfo> Drives() override;
    std::vector<Ipv4Address> OwnHostAddresses() override;
    std::optional<std::uint64_t> SecondsSinceStart() override;
    SystemRelease Release() override;
    ProcessorDetails ProcessorDetail() override;
    FirmwareInfo Firmware() override;
    NetworkInfo Network() override;
    std::vector<GraphicsAdapter> GraphicsAdapters() override;
    std::optional<std::string> CurrentDirectory() override { return currentDirectory; }
    char PathSeparator() override { return pathSeparator; }
};

}  // namespace kolt::test_support
