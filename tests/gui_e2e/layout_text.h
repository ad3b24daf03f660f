// Pure helpers that tell how much room a control's text takes in a fixed-pitch face, for the
// checks at every screen scale.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kolt::e2e {

// The characters a button or static control shows for its window text: "&&" shows as one "&",
// and a single "&" only underlines the character after it.
std::string ShownText(std::string_view windowText);

// How many lines a static control that breaks its text at spaces shows `text` on, with at most
// `columns` characters to a line; nothing when a word is longer than a line, which no number of
// lines shows whole.
std::optional<std::size_t> WrappedLineCount(std::string_view text, std::size_t columns);

}  // namespace kolt::e2e
