// The Linux backend of the platform seam: every answer is read afresh from /proc, /sys,
// os-release, uname, the user database, the resolver and statvfs, and nothing stays open or
// cached between two calls.
#pragma once

#include "platform/platform.h"

namespace kolt::posix {

class PosixPlatform final : public Platform {
public:
    std::uint32_t ProcessorCount() override;
    bool MmxAvailable() override;

    std::optional<std::string> ComputerName() override;
    std::optional<std::string> UserName() override;
    std::optional<std::string> EnvironmentVariable(const std::string& name) override;

    std::int64_t CurrentTime() override;
    std::optional<LocalTime> ToLocalTime(std::int64_t calendarTime) override;

    bool RegistryKeyExists(std::string_view keyPath) override;
    std::optional<std::string> RegistryText(std::string_view keyPath, std::string_view valueName,
                                            std::size_t capacity) override;
    std::optional<std::uint32_t> RegistryDword(std::string_view keyPath,
                                               std::string_view valueName) override;

    std::uint64_t PerformanceFrequency() override;
    std::uint64_t PerformanceCounter() override;
    std::uint64_t TimeStampCounter() override;

    MemoryStatus Memory() override;

    std::optional<DiskSpace> DiskFreeSpace(const std::string& rootPath) override;
    std::uint32_t DriveType(const std::string& rootPath) override;

    std::vector<Ipv4Address> OwnHostAddresses() override;

    std::optional<std::string> CurrentDirectory() override;
    char PathSeparator() override;
};

}  // namespace kolt::posix
