// Text as an XML 1.0 element's content, for the inventory document.
#pragma once

#include <string>
#include <string_view>

namespace kolt {

// Appends `text` to `xml` as character data: '&', '<' and '>' as entities, a carriage return as
// a character reference (a parser would turn a raw one into a line feed), every other character
// that XML 1.0 allows unchanged (names beyond ASCII whole, as UTF-8). What XML 1.0 cannot carry
// at all, not even as a reference (control characters other than tab, line feed and carriage
// return; U+FFFE and U+FFFF; surrogates), and bytes that are not UTF-8 each become U+FFFD, so no
// value can break the document or make a parser refuse it.
void AppendXmlText(std::string_view text, std::string& xml);

}  // namespace kolt
