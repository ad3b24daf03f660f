#include "report/inventory/xml_text.h"

#include "text/utf8.h"

namespace kolt {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

// The characters of XML 1.0's Char production.
bool AllowedInXml(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

}  // namespace

void AppendXmlText(std::string_view text, std::string& xml) {
    while (!text.empty()) {
        const text::Utf8Character character = text::DecodeUtf8Character(text);
        const std::string_view bytes = text.substr(0, character.length);
        text.remove_prefix(character.length);
        if (!character.valid || !AllowedInXml(character.codePoint)) {
            xml += kReplacementCharacter;
            continue;
        }
        switch (character.codePoint) {
            case '&':
                xml += "&amp;";
                break;
            case '<':
                xml += "&lt;";
                break;
            case '>':
                xml += "&gt;";
                break;
            case '\r':
                xml += "&#13;";
                break;
            default:
                xml += bytes;
        }
    }
}

}  // namespace kolt
