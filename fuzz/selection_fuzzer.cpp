// Feeds arbitrary bytes to the selection parser and checks it against a plain model of the
// reading rules: split at LF, take each line as a C string, convert with strtoll and clamp to
// 32 bits. Any difference, or a different answer when the same bytes arrive in pieces, aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "selection/selection_file.h"

namespace {

kolt::SelectionValues Model(std::string_view bytes) {
    kolt::SelectionValues values{};
    std::size_t start = 0;
    for (std::size_t line = 0; line < values.size() && start < bytes.size(); ++line) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        const std::string text(bytes.substr(start, end - start));
        const long long value = std::strtoll(text.c_str(), nullptr, 10);
        values[line] = static_cast<std::int32_t>(
            std::clamp<long long>(value, std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::int32_t>::max()));
        start = end + 1;
    }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const kolt::SelectionValues whole = kolt::ParseSelection(bytes);
    if (whole != Model(bytes)) {
        std::abort();
    }

    // The same bytes in pieces whose size the input itself picks.
    const std::size_t pieceSize = size == 0 ? 1 : data[0] % 13 + 1;
    kolt::SelectionParser parser;
    for (std::size_t at = 0; at < size; at += pieceSize) {
        parser.Feed(bytes.substr(at, pieceSize));
    }
    if (parser.Values() != whole) {
        std::abort();
    }
    return 0;
}
