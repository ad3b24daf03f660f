#include "selection/selection_file.h"

#include <algorithm>
#include <limits>

#include "text/utf8.h"

namespace kolt {
namespace {

// The largest magnitude kept: one past INT32_MAX, which is exactly the magnitude of INT32_MIN.
constexpr std::uint64_t kMagnitudeLimit =
    static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) + 1;

// White space as the C locale's isspace sees it; LF never reaches here, it ends the line.
constexpr bool IsLeadingSpace(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The 32-bit value of a sign and a magnitude no larger than kMagnitudeLimit, saturating at
// INT32_MAX; the limit itself is exactly INT32_MIN's magnitude.
constexpr std::int32_t SignedValue(bool negative, std::uint64_t magnitude) {
    if (negative) {
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    }
    return static_cast<std::int32_t>(std::min(magnitude, kMagnitudeLimit - 1));
}

}  // namespace

std::string SelectionPath(const std::optional<std::string>& currentDirectory,
                          std::size_t bufferSize, char separator) {
    // A directory that cannot be named (deleted while the program runs) or does not fit the
    // buffer leaves the bare name, which the system resolves against the current directory: the
    // file beside the report, never one at the root of the drive.
    if (!currentDirectory || text::Utf16Length(*currentDirectory) >= bufferSize) {
        return std::string(kSelectionFileName);
    }
    std::string path = *currentDirectory;
    path += separator;
    path += kSelectionFileName;
    return path;
}

void SelectionParser::Feed(std::string_view bytes) {
    while (!bytes.empty() && !Complete()) {
        bytes.remove_prefix(FeedLine(bytes));
    }
}

std::size_t SelectionParser::FeedLine(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n') {
            EndLine();
            return i + 1;
        }
        if (m_state == State::LeadingSpace) {
            if (IsLeadingSpace(c)) {
                continue;
            }
            if (c == '+' || c == '-') {
                m_negative = c == '-';
                m_state = State::Digits;
                continue;
            }
            m_state = IsDigit(c) ? State::Digits : State::SkipLine;
        }
        if (m_state == State::Digits) {
            if (IsDigit(c)) {
                const auto digit = static_cast<std::uint64_t>(c - '0');
                m_magnitude = std::min(m_magnitude * 10 + digit, kMagnitudeLimit);
                m_values[m_line] = SignedValue(m_negative, m_magnitude);
                continue;
            }
            m_state = State::SkipLine;
        }
        // The value is settled; jump to the line's end without looking at what lies between.
        const std::size_t lineEnd = bytes.find('\n', i);
        if (lineEnd == std::string_view::npos) {
            return bytes.size();
        }
        EndLine();
        return lineEnd + 1;
    }
    return bytes.size();
}

void SelectionParser::EndLine() {
    ++m_line;
    m_state = State::LeadingSpace;
    m_negative = false;
    m_magnitude = 0;
}

SelectionValues ParseSelection(std::string_view bytes) {
    SelectionParser parser;
    parser.Feed(bytes);
    return parser.Values();
}

}  // namespace kolt
