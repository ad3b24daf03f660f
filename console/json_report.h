// The report as one JSON document for ticket systems and fleet tools: the same facts as the text
// report of the same selection, as values (byte counts as integers, percentages and megahertz as
// numbers, unknown facts as null) rather than laid-out text.
#pragma once

#include <string>

#include "report/build_report.h"
#include "report/system_report.h"

namespace kolt {

// Gathers the wanted sections in report order and writes them as one JSON document, indented,
// ending in a line feed. Every string is valid UTF-8 (bytes that are not become U+FFFD) and
// control characters are escaped, so no value can break the document.
std::string BuildJsonReport(CSystemReport& composer, const SectionWanted& wanted);

}  // namespace kolt
