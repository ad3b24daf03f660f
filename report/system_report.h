// The report composer: gathers each section's facts through the platform seam, with what it keeps
// from one gathering to the next, and appends the report's lines to a report string owned by the
// caller. Every line it writes ends in CR LF and every value starts at column 21. The sections
// themselves are the modules of the table of sections (report/report_sections.h).
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "report/gather_context.h"
#include "selection/report_section.h"

namespace kolt {

struct ReportFacts;
struct SectionRow;

class CSystemReport {
public:
    // Reads the system's processor count once, as the report's later sections expect it to be
    // known from the start.
    explicit CSystemReport(Platform& platform);

    CSystemReport(const CSystemReport&) = delete;
    CSystemReport& operator=(const CSystemReport&) = delete;

    // The banner and the closing lines.
    std::string& AppendHeader(std::string& report) const;
    std::string& AppendFooter(std::string& report) const;

    // Asks the platform afresh for the section of `row` and keeps its facts in `facts`.
    void Gather(const SectionRow& row, ReportFacts& facts);

    // Gathers one section's facts, appends its lines to `report` and returns it; none fails.
    // All, which stands for other sections, appends nothing.
    std::string& AppendSection(ReportSection section, std::string& report);

    // AppendSection for each section, by name.
    std::string& AppendDateTime(std::string& report) {
        return AppendSection(ReportSection::DateTime, report);
    }
    std::string& AppendArchitecture(std::string& report) {
        return AppendSection(ReportSection::Architecture, report);
    }
    std::string& AppendCpuSpeed(std::string& report) {
        return AppendSection(ReportSection::CpuSpeed, report);
    }
    std::string& AppendOperatingSystem(std::string& report) {
        return AppendSection(ReportSection::OperatingSystem, report);
    }
    std::string& AppendComputerName(std::string& report) {
        return AppendSection(ReportSection::ComputerName, report);
    }
    std::string& AppendIpAddress(std::string& report) {
        return AppendSection(ReportSection::IpAddress, report);
    }
    std::string& AppendUserName(std::string& report) {
        return AppendSection(ReportSection::UserName, report);
    }
    std::string& AppendMemory(std::string& report) {
        return AppendSection(ReportSection::Memory, report);
    }
    std::string& AppendDisks(std::string& report) {
        return AppendSection(ReportSection::Disk, report);
    }
    std::string& AppendExtended(std::string& report) {
        return AppendSection(ReportSection::Extended, report);
    }

    // A byte count as text with a unit in powers of 1024 ("512 Bytes", "1.50 Kb", "37.26 Gb").
    // Replaces `text` with the result and returns a copy of it.
    static std::string FormatByteSize(std::int64_t byteCount, std::string& text);

private:
    GatherContext m_context;
};

}  // namespace kolt
