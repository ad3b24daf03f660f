#include "tests/gui_e2e/layout_text.h"

namespace kolt::e2e {

std::string ShownText(std::string_view windowText) {
    std::string shown;
    for (std::size_t i = 0; i < windowText.size(); ++i) {
        if (windowText[i] == '&' && i + 1 < windowText.size()) {
            ++i;  // "&&" is one "&"; "&x" is "x"
        }
        shown += windowText[i];
    }
    return shown;
}

std::optional<std::size_t> WrappedLineCount(std::string_view text, std::size_t columns) {
    std::size_t lines = 0;
    std::size_t used = 0;  // characters on the current line
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t space = text.find(' ', start);
        const std::size_t end = space == std::string_view::npos ? text.size() : space;
        const std::size_t word = end - start;
        if (word > columns) {
            return std::nullopt;
        }
        if (lines == 0 || used + 1 + word > columns) {
            ++lines;
            used = word;
        } else {
            used += 1 + word;
        }
        start = end + 1;
    }
    return lines;
}

}  // namespace kolt::e2e
