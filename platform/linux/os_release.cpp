#include "platform/linux/os_release.h"

#include "platform/linux/text_lines.h"

namespace kolt::linux_backend {

namespace {

bool IsKeyChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::string Unquote(std::string_view raw) {
    std::string value;
    enum class Quote { None, Single, Double } quote = Quote::None;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        switch (quote) {
            case Quote::Single:
                if (c == '\'') {
                    quote = Quote::None;
                } else {
                    value += c;
                }
                break;
            case Quote::Double:
                if (c == '"') {
                    quote = Quote::None;
                } else if (c == '\\' && i + 1 < raw.size() &&
                           std::string_view("\"\\$`").find(raw[i + 1]) != std::string_view::npos) {
                    value += raw[++i];
                } else {
                    value += c;
                }
                break;
            case Quote::None:
                if (c == '"') {
                    quote = Quote::Double;
                } else if (c == '\'') {
                    quote = Quote::Single;
                } else if (c == '\\' && i + 1 < raw.size()) {
                    value += raw[++i];
                } else {
                    value += c;
                }
                break;
        }
    }
    return value;
}

}  // namespace

OsRelease ParseOsRelease(std::string_view content) {
    OsRelease values;
    ForEachLine(content, [&values](std::string_view line) {
        line = Trim(line);
        if (line.empty() || line.front() == '#') {
            return;
        }
        const std::size_t equals = line.find('=');
        if (equals == 0 || equals == std::string_view::npos) {
            return;
        }
        const std::string_view key = line.substr(0, equals);
        for (const char c : key) {
            if (!IsKeyChar(c)) {
                return;
            }
        }
        values.insert_or_assign(std::string(key), Unquote(line.substr(equals + 1)));
    });
    return values;
}

}  // namespace kolt::linux_backend
