// Byte counts as text with a unit in powers of 1024, as the disk block writes them.
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "report/decimal_format.h"
#include "report/system_report.h"

namespace kolt {

namespace {

struct SizeUnit {
    std::int64_t bytes;
    std::string_view name;
};
// Each unit serves up to and including 1024 of itself; Tb serves everything above.
constexpr SizeUnit kSizeUnits[] = {
    {1024LL, " Kb"},
    {1024LL * 1024, " Mb"},
    {1024LL * 1024 * 1024, " Gb"},
    {1024LL * 1024 * 1024 * 1024, " Tb"},
};

}  // namespace

std::string CSystemReport::FormatByteSize(std::int64_t byteCount, std::string& text) {
    // Negative counts fall in the first row too and are written as a plain count.
    if (byteCount <= kSizeUnits[0].bytes) {
        text = std::to_string(byteCount) + " Bytes";
        return text;
    }
    const SizeUnit* unit = std::begin(kSizeUnits);
    while (unit + 1 != std::end(kSizeUnits) && byteCount > unit->bytes * 1024) {
        ++unit;
    }
    text = FormatDecimal(static_cast<double>(byteCount) / static_cast<double>(unit->bytes), 2);
    text += unit->name;
    return text;
}

}  // namespace kolt
