// Reads and replaces the font face of a dialog template as the resource compiler stores it (the
// classic and the extended layout), so that a dialog whose face is not installed can be created
// with the nearest face of the same pitch instead of whatever the font mapper would pick.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kolt {

struct TemplateFont {
    std::uint16_t pointSize = 0;
    std::u16string face;
};

// The template's font; nullopt when it names none or the bytes are not a well-formed template.
std::optional<TemplateFont> ReadTemplateFont(std::span<const std::uint8_t> dialogTemplate);

// A copy of the template naming `face` instead; everything else, the controls included, is kept.
// nullopt when the template names no font or is not well formed.
std::optional<std::vector<std::uint8_t>> ReplaceTemplateFace(
    std::span<const std::uint8_t> dialogTemplate, std::u16string_view face);

enum class FacePitch { Fixed, Variable };

// Whether a face that a template asks for draws every character the same width.
FacePitch PitchOfFace(std::u16string_view face);

// Whether faces made of bitmaps (the raster faces dialog templates of this era name) can serve a
// dialog on a screen of `dpi` dots per inch. They come in a few sizes made for screens of 96
// dots per inch; on a scaled screen they come out too small, or enlarged block by block, beside
// a scaled caption and scaled check marks, and the dialog, laid out in whatever size its face
// gives, with them. A scalable face serves every screen.
bool BitmapFacesServeScreen(int dpi);

// The face to create a dialog with: `wanted` when it is installed; else, for a fixed-pitch face,
// the fixed-pitch face printing would choose among those `fixedPitchFaces` lists (see
// ChooseFixedPitchFace), and
// for any other face the first installed of the common replacements; else `wanted` (the font
// mapper then picks). "Installed" is what `isInstalled` answers: the program asks whether the
// face is there and, unless BitmapFacesServeScreen, scalable.
std::u16string ChooseInstalledFace(
    std::u16string_view wanted, const std::function<bool(std::u16string_view)>& isInstalled,
    const std::function<std::vector<std::string>()>& fixedPitchFaces);

}  // namespace kolt
