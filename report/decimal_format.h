// The report's rendering of fractional numbers: fixed-point with a set number of decimals, "." as
// the decimal point, no grouping, no fill and no plus sign, whatever the locale.
#pragma once

#include <string>

namespace kolt {

// The most decimals FormatDecimal writes; larger requests are treated as this many.
inline constexpr int kMaxDecimals = 64;

// Renders `value` with `decimals` digits after the point (none and no point for 0). Rounding
// takes two steps: the value is first expanded to 17 significant digits (nearest), then those
// digits are cut after the last kept decimal and the kept part is raised by one unit when the
// first digit cut off is 5 or more. So a value exactly halfway rounds away from zero (12.5 gives
// 13), and a value stored just below a half stays below it (2.675 is 2.67499... and gives 2.67).
// A negative value, including -0, carries a minus sign; NaN gives "nan", infinities "inf"/"-inf".
std::string FormatDecimal(double value, int decimals);

}  // namespace kolt
