// The share-safe forms of a report: the same facts with their personal values replaced
// (report/redactor.h), saying so. Sizes, versions, dates and counts are kept exactly.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "report/json_value.h"
#include "report/redactor.h"
#include "report/report_sections.h"
#include "report/system_report.h"

namespace kolt {

// "  Redacted        : personal details replaced (computer name, user name, IP addresses)": the
// line that ends the last section of a redacted text report.
std::string RedactionLine(const Redactor& redactor);

// The text report of `facts`, every line redacted, the redaction line after the last section.
std::string RedactedReportTextOf(const CSystemReport& composer, const ReportFacts& facts,
                                 const Redactor& redactor);

// Every string of `document` redacted, and "redacted" (the kinds replaced, as RedactedKindId
// names them) after "sections".
Json RedactedJsonDocument(const Json& document, const Redactor& redactor);

// The JSON form of `facts`, redacted.
std::string RedactedJsonReportOf(const ReportFacts& facts, const Redactor& redactor);

// "kolt_info_HOST-1.txt": the proposed file name with the computer name's stand-in.
std::string RedactedReportFileName(Platform& platform, const Redactor& redactor,
                                   std::string_view extension = ".txt");

}  // namespace kolt
