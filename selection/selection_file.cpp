#include "selection/selection_file.h"

#include <string>
#include <string_view>

#include "platform/files.h"

namespace kolt {
namespace {

// A selection file is 33 bytes; reading never goes further than this, whatever stands at the
// name (what lies beyond counts as the end of the file).
constexpr std::size_t kSelectionReadLimit = 1u << 20;

// What a machine without a selection file gets: every original section, not the extended one,
// and personal details shown.
SelectionValues Defaults() {
    SelectionValues values;
    values.fill(1);
    At(values, ReportSection::Extended) = 0;
    At(values, ReportSection::Redact) = 0;
    return values;
}

}  // namespace

SelectionValues ReadSelection(const std::string& path) {
    // Only a regular file is read, and only up to the end of its twelfth line: a FIFO, a device or
    // a huge file at the name cannot hold the program up. CR LF and LF files read alike, the CR
    // being trailing white space.
    SelectionParser parser;
    const bool read = ReadRegularFile(path, kSelectionReadLimit, [&parser](std::string_view bytes) {
        parser.Feed(bytes);
        return !parser.Complete();
    });
    return read ? parser.Values() : Defaults();
}

void WriteSelection(const std::string& path, const SelectionValues& values) {
    std::string text;
    for (const std::int32_t value : values) {
        text += std::to_string(value);
        text += "\r\n";
    }
    // Byte for byte on every platform; replaced in one step and never through a link. A file that
    // cannot be written is skipped silently: the report is built all the same.
    WriteFileAtomically(path, text);
}

}  // namespace kolt
