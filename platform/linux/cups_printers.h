// The printers on Linux: the CUPS destinations, through libcups.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kolt::linux_backend {

// A queue's state as conditions, from its IPP printer-state (3 idle, 4 processing, 5 stopped)
// and printer-state-reasons (comma-separated keywords): "offline-report" is Offline; "paused"
// (what cupsdisable sets) Paused; media-empty, media-jam, toner-empty or marker-supply-empty,
// door-open or cover-open at error level (no suffix, or "-error") their own conditions; any
// other error-level reason Error; a stopped queue that gives no reason Offline. Reasons at
// "-report" or "-warning" level leave the queue ready. Each condition once, in this order.
std::vector<PrinterCondition> CupsConditions(std::optional<int> printerState,
                                             std::string_view stateReasons);

// Whether a queue prints to another machine: a remote CUPS queue (printer-type has
// CUPS_PRINTER_REMOTE), or one whose device URI is a network address (ipp, ipps, http, https,
// socket, lpd, smb, dnssd).
bool CupsNetworkPrinter(std::optional<unsigned long> printerType, std::string_view deviceUri);

// Every CUPS destination of the server libcups is set to (CUPS_SERVER, client.conf, the local
// socket), the default one marked, with its state and its jobs waiting. nullopt where the server
// cannot be reached or refuses the question; [] where it answers with no printer. It blocks as
// long as the server makes it: ask it on a worker thread with a deadline.
std::optional<PrinterList> ReadCupsPrinters();

}  // namespace kolt::linux_backend
