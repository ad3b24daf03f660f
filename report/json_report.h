// The report as one JSON document for ticket systems and fleet tools: the same facts as the text
// report of the same selection, each section's member written by its JSON renderer.
#pragma once

#include <string>

#include "report/build_report.h"
#include "report/report_sections.h"
#include "report/system_report.h"

namespace kolt {

// The document of gathered facts: product, version, the names of the sections it holds in report
// order, then each section's member. Indented, ending in a line feed. Every string is valid UTF-8
// (bytes that are not become U+FFFD) and control characters are escaped, so no value can break
// the document.
std::string JsonReportOf(const ReportFacts& facts);

// The same document as a value, before it is written out.
Json JsonDocumentOf(const ReportFacts& facts);
// A document written as JsonReportOf writes it.
std::string JsonText(const Json& document);

// Gathers the wanted sections in report order and writes them as one JSON document.
std::string BuildJsonReport(CSystemReport& composer, const SectionWanted& wanted);

}  // namespace kolt
