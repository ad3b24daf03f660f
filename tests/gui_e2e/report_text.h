// Pure helpers that tell what the dialog program's files and texts must hold.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kolt::e2e {

// The twelve check boxes in selection-file order: All first, then the nine sections All stands
// for, then Extended Information and Hide personal details.
inline constexpr std::array<int, 12> kBoxesInFileOrder{1004, 1005, 1012, 1015, 1006, 1009,
                                                       1007, 1013, 1014, 1016, 1017, 1028};

// Twelve box states in selection-file order.
using BoxStates = std::array<bool, 12>;

// The lines of a text whose every line ends in CR LF, the last one included. Returns nothing when
// a CR or LF stands alone or the text does not end with CR LF.
std::optional<std::vector<std::string>> SplitCrLfLines(std::string_view text);

// The bytes the viewer's Save writes for a report: each CR becomes a space, then a text stream
// writes every LF as CR LF, so each line ends in a space, CR and LF.
std::string SavedFileBytes(std::string_view report);

// The selection file the dialog program writes for twelve box states in file order.
std::string SelectionFileBytes(const BoxStates& states);

// The opening line of every section whose box is checked, in the report's order (which is not the
// file's order). The All box plays no part: each section follows its own box.
std::vector<std::string> SelectedSectionOpenings(const BoxStates& states);

// The opening lines of the sections whose boxes are not checked.
std::vector<std::string> UnselectedSectionOpenings(const BoxStates& states);

// The first of `prefixes` that does not start a line after the line where the one before it was
// found; nothing when every prefix is found in order.
std::optional<std::string> FirstPrefixMissingInOrder(const std::vector<std::string>& lines,
                                                     const std::vector<std::string>& prefixes);

// Whether some line starts with `prefix`.
bool AnyLineStartsWith(const std::vector<std::string>& lines, std::string_view prefix);

// How many lines equal `line` exactly.
std::size_t CountLines(const std::vector<std::string>& lines, std::string_view line);

}  // namespace kolt::e2e
