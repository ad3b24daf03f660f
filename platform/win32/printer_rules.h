// What a printer is doing and whether it is on the network, from the spooler's status and
// attribute bits: pure rules, tested on every build.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kolt::win32 {

// The spooler's status bits that the report names.
inline constexpr std::uint32_t kPrinterPaused = 0x00000001;
inline constexpr std::uint32_t kPrinterError = 0x00000002;
inline constexpr std::uint32_t kPrinterPaperJam = 0x00000008;
inline constexpr std::uint32_t kPrinterPaperOut = 0x00000010;
inline constexpr std::uint32_t kPrinterOffline = 0x00000080;
inline constexpr std::uint32_t kPrinterNoToner = 0x00040000;
inline constexpr std::uint32_t kPrinterDoorOpen = 0x00400000;
// Its attribute bits: a printer on the network, and one set to "use printer offline".
inline constexpr std::uint32_t kPrinterAttributeNetwork = 0x00000010;
inline constexpr std::uint32_t kPrinterAttributeWorkOffline = 0x00000400;

// One printer as the spooler lists it.
struct PrinterRecord {
    std::string name;  // "\\server\Floor 2" for a connection to a print server
    std::uint32_t status = 0;
    std::uint32_t attributes = 0;
    std::uint32_t jobs = 0;
};

// Each condition once, in the enumeration's order; a printer set to work offline is offline.
// Toner that is only low leaves the printer ready: it still prints.
std::vector<PrinterCondition> PrinterConditions(std::uint32_t status, std::uint32_t attributes);

// Every printer with the default one marked (its name compared without regard to case, as the
// spooler does); a connection to a print server (its name starts with two backslashes) or a
// printer the spooler marks as on the network is a network printer.
PrinterList PrintersFromRecords(const std::vector<PrinterRecord>& records,
                                const std::optional<std::string>& defaultName);

}  // namespace kolt::win32
