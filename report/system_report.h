// The report composer: gathers machine facts through the platform seam into one plain value per
// section, and appends the report's sections, one operation per section, to a report string
// owned by the caller. Every line it writes ends in CR LF and every value starts at column 21.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "report/report_facts.h"

namespace kolt {

class CSystemReport {
public:
    // Gathers the system information (the processor count) once, as the report's later
    // sections expect it to be known from the start.
    explicit CSystemReport(Platform& platform);

    CSystemReport(const CSystemReport&) = delete;
    CSystemReport& operator=(const CSystemReport&) = delete;

    // Section operations. Each gathers its section's facts, appends their lines to `report` and
    // returns it; none fails.
    std::string& AppendHeader(std::string& report) const;
    std::string& AppendDateTime(std::string& report);
    std::string& AppendArchitecture(std::string& report);
    std::string& AppendCpuSpeed(std::string& report);
    std::string& AppendOperatingSystem(std::string& report);
    std::string& AppendComputerName(std::string& report);
    std::string& AppendIpAddress(std::string& report);
    std::string& AppendUserName(std::string& report);
    std::string& AppendMemory(std::string& report);
    std::string& AppendDisks(std::string& report);
    std::string& AppendExtended(std::string& report);
    std::string& AppendFooter(std::string& report) const;

    // Gatherers: each section's facts, asked afresh. Those of the architecture, the operating
    // system and the names go through the lookups below and so update the members.
    DateTimeFacts GatherDateTime();
    ArchitectureFacts GatherArchitecture();
    CpuSpeedFacts GatherCpuSpeed();
    OperatingSystemFacts GatherOperatingSystem();
    ComputerNameFacts GatherComputerName();
    IpAddressFacts GatherIpAddress();
    UserFacts GatherUser();
    MemoryFacts QueryMemory();
    DiskFacts QueryDisks();
    ExtendedFacts GatherExtended();

    // Lookups behind the sections; each overwrites its members, and answers what it found
    // (nullopt, or an unset field, where the report shows a placeholder or keeps a value).
    std::optional<std::string> QueryComputerName();
    std::optional<std::string> QueryUserName();
    ProcessorInfo QueryProcessor();
    OperatingSystemInfo QueryOperatingSystem();

    // Measures the processor clock over one second of the platform's steady clock, in MHz.
    double MeasureCpuMhz();

    // The processor count the CPU speed line multiplies by: the last architecture lookup's, or
    // the system's at construction.
    std::int32_t ProcessorCount() const { return m_processorCount; }

    // The date line's value: "Www Mmm DD hh:mm:ss YYYY", or the placeholder for no date.
    static std::string DateText(const std::optional<LocalTime>& local);

    // A byte count as text with a unit in powers of 1024 ("512 Bytes", "1.50 Kb", "37.26 Gb").
    // Replaces `text` with the result and returns a copy of it.
    static std::string FormatByteSize(std::int64_t byteCount, std::string& text);

    // The name of a drive kind ("Local Fixed Disk", "CD-ROM Drive", ...).
    static std::string DriveTypeText(DriveKind kind);

private:
    Platform& m_platform;
    std::uint32_t m_systemProcessorCount;  // what the system information reported at start
    std::int32_t m_processorCount;
    std::string m_osName;
    std::string m_osVersion;
    std::string m_userName;
    std::string m_computerName;
    std::string m_cpuVendor;
    std::string m_cpuIdentifier;
};

// The MHz of a clock measurement: the cycles divided by the time that passed between the two
// cycle readings. A steady clock that did not advance measures no time: the cycles then stand
// for one second.
double ClockMegahertz(const ClockWindow& window);

}  // namespace kolt
