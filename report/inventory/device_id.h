// The device identifier of the inventory document: "NAME-YYYY-MM-DD-HH-MM-SS", as the inventory
// server requires it, and the same for one machine at every run.
#pragma once

#include <string>

#include "report/report_sections.h"

namespace kolt {

// The computer name (letters, digits, '-', '_' and '.' kept, any other byte as '_'; "UNKNOWN"
// where the name is unknown), then a moment that belongs to the machine and not to the run:
// - where the system keeps the date it was installed (Windows), that moment in UTC: a new
//   installation is a new device, as it is for the server's own agents;
// - elsewhere, a moment made from what identifies the machine (the whole computer name, the
//   firmware's serial number, every adapter's hardware address): between 2000 and 2100, the
//   same whenever those are, and apart for machines that differ in any of them.
// The programs keep no state of their own, so the identifier does not depend on the folder the
// program runs in (a fleet runs it in a fresh temporary folder each time).
std::string InventoryDeviceId(const ReportFacts& facts);

}  // namespace kolt
