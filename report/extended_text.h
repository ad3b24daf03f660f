// The text form of the Extended Information section: its lines, laid out as the report prints
// them, appended to `report`. A pure function of the section's facts; an unknown fact has no
// line.
#pragma once

#include <string>

#include "report/extended_facts.h"

namespace kolt {

void AppendExtendedText(const ExtendedFacts& facts, std::string& report);

}  // namespace kolt
