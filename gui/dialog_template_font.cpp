#include "gui/dialog_template_font.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "gui/fixed_pitch_face.h"

namespace kolt {

namespace {

// Layout constants of dialog templates.
constexpr std::uint32_t kSetFontStyle = 0x40;  // DS_SETFONT: the header names a font
constexpr std::uint16_t kExtendedVersion = 1;
constexpr std::uint16_t kExtendedSignature = 0xFFFF;
constexpr std::uint16_t kOrdinalMarker = 0xFFFF;
constexpr std::size_t kClassicHeaderBytes = 18;   // style .. cy
constexpr std::size_t kExtendedHeaderBytes = 26;  // dlgVer .. cy
constexpr std::size_t kExtendedStyleOffset = 12;
constexpr std::size_t kExtendedFontExtraBytes = 4;  // weight, italic, charset

// Where the font face sits in a template.
struct FaceLocation {
    std::uint16_t pointSize = 0;
    std::size_t faceStart = 0;
    std::size_t faceEnd = 0;  // just past the face's terminating NUL
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::optional<std::uint16_t> Word(std::size_t offset) const {
        if (offset + 2 > m_bytes.size()) {
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(m_bytes[offset] | (m_bytes[offset + 1] << 8));
    }

    std::optional<std::uint32_t> Dword(std::size_t offset) const {
        const auto low = Word(offset);
        const auto high = Word(offset + 2);
        if (!low || !high) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(*low) | (static_cast<std::uint32_t>(*high) << 16);
    }

    // Just past a NUL-terminated UTF-16 string starting at `offset`.
    std::optional<std::size_t> SkipString(std::size_t offset) const {
        for (;;) {
            const auto unit = Word(offset);
            if (!unit) {
                return std::nullopt;
            }
            offset += 2;
            if (*unit == 0) {
                return offset;
            }
        }
    }

    // Just past a field that holds nothing, an ordinal, or a string.
    std::optional<std::size_t> SkipStringOrOrdinal(std::size_t offset) const {
        const auto first = Word(offset);
        if (!first) {
            return std::nullopt;
        }
        if (*first == kOrdinalMarker) {
            return Word(offset + 2) ? std::optional(offset + 4) : std::nullopt;
        }
        return SkipString(offset);
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

std::optional<FaceLocation> LocateFace(std::span<const std::uint8_t> bytes) {
    const Reader reader(bytes);
    const auto version = reader.Word(0);
    const auto signature = reader.Word(2);
    if (!version || !signature) {
        return std::nullopt;
    }
    const bool extended = *version == kExtendedVersion && *signature == kExtendedSignature;
    const auto style = reader.Dword(extended ? kExtendedStyleOffset : 0);
    if (!style || (*style & kSetFontStyle) == 0) {
        return std::nullopt;
    }

    std::optional<std::size_t> offset = extended ? kExtendedHeaderBytes : kClassicHeaderBytes;
    offset = reader.SkipStringOrOrdinal(*offset);  // menu
    if (offset) {
        offset = reader.SkipStringOrOrdinal(*offset);  // window class
    }
    if (offset) {
        offset = reader.SkipStringOrOrdinal(*offset);  // title
    }
    if (!offset) {
        return std::nullopt;
    }
    const auto pointSize = reader.Word(*offset);
    if (!pointSize) {
        return std::nullopt;
    }
    FaceLocation location;
    location.pointSize = *pointSize;
    location.faceStart = *offset + 2 + (extended ? kExtendedFontExtraBytes : 0);
    const auto faceEnd = reader.SkipString(location.faceStart);
    if (!faceEnd) {
        return std::nullopt;
    }
    location.faceEnd = *faceEnd;
    return location;
}

constexpr std::size_t AlignToDword(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c;
}

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return std::ranges::equal(
        a, b, [](char16_t x, char16_t y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

std::optional<TemplateFont> ReadTemplateFont(std::span<const std::uint8_t> dialogTemplate) {
    const auto location = LocateFace(dialogTemplate);
    if (!location) {
        return std::nullopt;
    }
    TemplateFont font;
    font.pointSize = location->pointSize;
    const Reader reader(dialogTemplate);
    for (std::size_t at = location->faceStart; at + 2 < location->faceEnd; at += 2) {
        font.face += static_cast<char16_t>(*reader.Word(at));
    }
    return font;
}

std::optional<std::vector<std::uint8_t>> ReplaceTemplateFace(
    std::span<const std::uint8_t> dialogTemplate, std::u16string_view face) {
    const auto location = LocateFace(dialogTemplate);
    if (!location) {
        return std::nullopt;
    }
    // The controls start on the first DWORD boundary after the header; they are copied unchanged
    // to the first boundary after the new face, which keeps their own alignment intact.
    const std::size_t controlsStart =
        std::min(AlignToDword(location->faceEnd), dialogTemplate.size());

    std::vector<std::uint8_t> result(
        dialogTemplate.begin(),
        dialogTemplate.begin() + static_cast<std::ptrdiff_t>(location->faceStart));
    for (const char16_t unit : face) {
        result.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        result.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    result.push_back(0);
    result.push_back(0);
    result.resize(AlignToDword(result.size()), 0);
    result.insert(result.end(), dialogTemplate.begin() + static_cast<std::ptrdiff_t>(controlsStart),
                  dialogTemplate.end());
    return result;
}

bool BitmapFacesServeScreen(int dpi) {
    constexpr int kBitmapFaceDpi = 96;
    return dpi == kBitmapFaceDpi;
}

FacePitch PitchOfFace(std::u16string_view face) {
    // The fixed-pitch faces a dialog template of this era may name.
    constexpr std::array<std::u16string_view, 4> kFixedFaces{u"Fixedsys", u"Terminal", u"Courier",
                                                             u"Courier New"};
    for (const std::u16string_view fixed : kFixedFaces) {
        if (EqualIgnoringCase(face, fixed)) {
            return FacePitch::Fixed;
        }
    }
    return FacePitch::Variable;
}

std::u16string ChooseInstalledFace(
    std::u16string_view wanted, const std::function<bool(std::u16string_view)>& isInstalled,
    const std::function<std::vector<std::string>()>& fixedPitchFaces) {
    if (isInstalled(wanted)) {
        return std::u16string(wanted);
    }
    if (PitchOfFace(wanted) == FacePitch::Fixed) {
        const std::optional<std::string> face = ChooseFixedPitchFace(fixedPitchFaces());
        // The listed faces have ASCII names: each byte is one UTF-16 unit.
        return face ? std::u16string(face->begin(), face->end()) : std::u16string(wanted);
    }
    // Nearest first: faces of similar proportions, then the faces every system has.
    constexpr std::array<std::u16string_view, 4> kVariableReplacements{
        u"Microsoft Sans Serif", u"Tahoma", u"Segoe UI", u"Arial"};
    for (const std::u16string_view replacement : kVariableReplacements) {
        if (isInstalled(replacement)) {
            return std::u16string(replacement);
        }
    }
    return std::u16string(wanted);
}

}  // namespace kolt
