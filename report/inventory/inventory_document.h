// The report as an inventory document for an OCS Inventory NG server: the XML its agents send
// (REQUEST, CONTENT with HARDWARE, BIOS, CPUS, MEMORIES, DRIVES, NETWORKS and VIDEOS, DEVICEID,
// QUERY INVENTORY), written from the same gathered facts as the text and JSON forms. The program
// only writes it; a fleet's engine sends it on.
#pragma once

#include <string>

#include "report/report_sections.h"
#include "report/system_report.h"

namespace kolt {

// The document of gathered facts, UTF-8, ending in a line feed. A fact that was not found leaves
// its element out (the server keeps its own default there), never a placeholder; every number
// is a whole one in the unit the server keeps (MB, MHz).
std::string InventoryDocumentOf(const ReportFacts& facts);

// Gathers every section, Extended Information included, whatever a selection asks for: the
// server replaces each table the document names with what it holds, so a section left out
// would erase what the server knew of it.
std::string BuildInventoryDocument(CSystemReport& composer);

}  // namespace kolt
