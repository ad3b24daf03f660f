// A platform whose every answer is set by the test: the report's rules are tested without
// depending on the machine the tests run on.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace kolt::testing {

class ScriptedPlatform : public Platform {
public:
    // One registry value: text data (as stored, NUL not counted) or a DWORD.
    struct RegistryValue {
        std::optional<std::string> text;
        std::optional<std::uint32_t> dword;
    };
    using RegistryKeyValues = std::map<std::string, RegistryValue, std::less<>>;

    // Answers, public so that each test states exactly what the machine says.
    std::uint32_t processorCount = 1;
    bool mmx = false;
    std::optional<std::string> computerName = "DESK042";
    std::optional<std::string> userName = "jsmith";
    std::map<std::string, std::string, std::less<>> environment;
    std::int64_t currentTime = 0;
    std::optional<LocalTime> localTime = LocalTime{};
    std::map<std::string, RegistryKeyValues, std::less<>> registry;
    MemoryStatus memory;
    std::map<std::string, DiskSpace, std::less<>> disks;            // by root path, "C:\"
    std::map<std::string, std::uint32_t, std::less<>> driveTypes;  // missing: kNoRootDir
    std::vector<Ipv4Address> hostAddresses;
    std::optional<std::string> currentDirectory = "C:\\Support";
    char pathSeparator = '\\';

    // The counters: the performance counter advances by `counterStep` on every read; the
    // time-stamp counter returns `tscReadings` in turn (the last one repeats).
    std::uint64_t counterFrequency = 1'000'000;
    std::uint64_t counterStart = 0;
    std::uint64_t counterStep = 250'000;
    std::vector<std::uint64_t> tscReadings{0};

    // What the report asked for, to check how often and in which order.
    int counterReads = 0;
    int tscReads = 0;
    std::vector<std::string> diskQueries;
    std::vector<std::string> driveTypeQueries;
    int hostAddressQueries = 0;

    void SetRegistryText(const std::string& key, const std::string& name, std::string text);
    void SetRegistryDword(const std::string& key, const std::string& name, std::uint32_t value);
    void AddRegistryKey(const std::string& key);

    std::uint32_t ProcessorCount() override { return processorCount; }
    bool MmxAvailable() override { return mmx; }
    std::optional<std::string> ComputerName() override { return computerName; }
    std::optional<std::string> UserName() override { return userName; }
    std::optional<std::string> EnvironmentVariable(const std::string& name) override;
    std::int64_t CurrentTime() override { return currentTime; }
    std::optional<LocalTime> ToLocalTime(std::int64_t) override { return localTime; }
    bool RegistryKeyExists(std::string_view keyPath) override;
    std::optional<std::string> RegistryText(std::string_view keyPath, std::string_view valueName,
                                            std::size_t capacity) override;
    std::optional<std::uint32_t> RegistryDword(std::string_view keyPath,
                                               std::string_view valueName) override;
    std::uint64_t PerformanceFrequency() override { return counterFrequency; }
    std::uint64_t PerformanceCounter() override;
    std::uint64_t TimeStampCounter() override;
    MemoryStatus Memory() override { return memory; }
    std::optional<DiskSpace> DiskFreeSpace(const std::string& rootPath) override;
    std::uint32_t DriveType(const std::string& rootPath) override;
    std::vector<Ipv4Address> OwnHostAddresses() override;
    std::optional<std::string> CurrentDirectory() override { return currentDirectory; }
    char PathSeparator() override { return pathSeparator; }

private:
    const RegistryValue* FindValue(std::string_view keyPath, std::string_view valueName) const;
};

}  // namespace kolt::testing
