// Text from outside the program (arguments, file names, the system's reasons) as it may stand in
// a one-line message on standard error.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kolt {

// `text` with every control byte masked as the report masks its values, and at most
// `characters` characters of it (a UTF-8 sequence counts as one), followed by "…" when it was
// longer. The cut never splits a UTF-8 sequence.
std::string MessageText(std::string_view text, std::size_t characters = std::string_view::npos);

}  // namespace kolt
