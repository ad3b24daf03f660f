#include "ui/fonts.h"

#include <algorithm>
#include <optional>

#include "ui/handles.h"

namespace kolt::ui {

namespace {

int CALLBACK NoteFontFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one is enough
}

int CALLBACK NoteScalable(const LOGFONTA*, const TEXTMETRICA*, DWORD fontType, LPARAM scalable) {
    *reinterpret_cast<bool*>(scalable) = (fontType & RASTER_FONTTYPE) == 0;
    return 0;  // the first entry of the face speaks for it
}

int CALLBACK CollectFixedPitchFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD fontType,
                                   LPARAM faces) {
    auto& collected = *reinterpret_cast<std::vector<std::string>*>(faces);
    const std::string face = font->lfFaceName;
    // A raster face has a few fixed sizes only: it cannot be sized to fit a page.
    const bool scalable = (fontType & RASTER_FONTTYPE) == 0;
    const bool fixedPitch = (font->lfPitchAndFamily & 0x3) == FIXED_PITCH;
    // Names in the system's code page beyond ASCII would not survive the dialog templates' UTF-16.
    const bool ascii =
        std::ranges::all_of(face, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (scalable && fixedPitch && ascii && !face.empty() && face.front() != '@' &&
        std::find(collected.begin(), collected.end(), face) == collected.end()) {
        collected.push_back(face);
    }
    return 1;
}

// A request for `face` by name (ASCII; anything else never names an installed face).
std::optional<LOGFONTA> FontRequest(std::u16string_view face) {
    LOGFONTA font{};
    font.lfCharSet = DEFAULT_CHARSET;
    if (face.size() >= LF_FACESIZE) {
        return std::nullopt;
    }
    std::transform(face.begin(), face.end(), font.lfFaceName,
                   [](char16_t c) { return c < 0x80 ? static_cast<char>(c) : '?'; });
    return font;
}

}  // namespace

bool IsFontFaceInstalled(std::u16string_view face) {
    std::optional<LOGFONTA> font = FontRequest(face);
    if (!font) {
        return false;
    }
    bool found = false;
    const WindowDc screen(nullptr);
    ::EnumFontFamiliesExA(screen.Get(), &*font, &NoteFontFound, reinterpret_cast<LPARAM>(&found),
                          0);
    return found;
}

int ScreenDpi() {
    const WindowDc screen(nullptr);
    return screen.Get() != nullptr ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY)
                                   : USER_DEFAULT_SCREEN_DPI;
}

bool IsScalableFace(std::u16string_view face) {
    std::optional<LOGFONTA> font = FontRequest(face);
    if (!font) {
        return false;
    }
    bool scalable = false;
    const WindowDc screen(nullptr);
    ::EnumFontFamiliesExA(screen.Get(), &*font, &NoteScalable, reinterpret_cast<LPARAM>(&scalable),
                          0);
    return scalable;
}

std::vector<std::string> FixedPitchFaces(HDC dc) {
    if (dc == nullptr) {
        const WindowDc screen(nullptr);
        return screen.Get() != nullptr ? FixedPitchFaces(screen.Get()) : std::vector<std::string>{};
    }
    LOGFONTA every{};
    every.lfCharSet = DEFAULT_CHARSET;  // with an empty face name: one entry per face and script
    std::vector<std::string> faces;
    ::EnumFontFamiliesExA(dc, &every, &CollectFixedPitchFace, reinterpret_cast<LPARAM>(&faces), 0);
    return faces;
}

}  // namespace kolt::ui
