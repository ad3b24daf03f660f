#include "gui/win32/dialog_templates.h"

#include <optional>
#include <string>

#include "gui/dialog_template_font.h"
#include "ui/fonts.h"
#include "ui/resources.h"

namespace kolt {

std::vector<std::uint8_t> LoadDialogTemplateWithInstalledFace(int id) {
    std::vector<std::uint8_t> bytes = ui::LoadDialogTemplate(id);
    const std::optional<TemplateFont> font = ReadTemplateFont(bytes);
    if (!font) {
        return bytes;
    }
    const bool bitmapFacesServe = BitmapFacesServeScreen(ui::ScreenDpi());
    const auto isUsable = [bitmapFacesServe](std::u16string_view face) {
        return ui::IsFontFaceInstalled(face) && (bitmapFacesServe || ui::IsScalableFace(face));
    };
    const std::u16string face =
        ChooseInstalledFace(font->face, isUsable, [] { return ui::FixedPitchFaces(nullptr); });
    if (face == font->face) {
        return bytes;
    }
    std::optional<std::vector<std::uint8_t>> replaced = ReplaceTemplateFace(bytes, face);
    return replaced ? std::move(*replaced) : bytes;
}

}  // namespace kolt
