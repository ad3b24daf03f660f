// A name as a fixed area of the report holds it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kolt {

// The text up to a NUL, or nothing when the name is missing or too long for an area of
// `areaSize` characters with its NUL (counted in UTF-16 code units, as Windows' wide areas are).
std::optional<std::string> NameInArea(const std::optional<std::string>& name, std::size_t areaSize);

}  // namespace kolt
