#include "gui/dialog_template_font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gui/application_name.h"
#include "gui/fixed_pitch_face.h"

namespace kolt {
namespace {

// Builds dialog templates byte by byte, in the layout the resource compiler writes.
class TemplateBuilder {
public:
    void Word(std::uint16_t value) {
        m_bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void Dword(std::uint32_t value) {
        Word(static_cast<std::uint16_t>(value & 0xFFFF));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    void Text(std::u16string_view text) {
        for (const char16_t c : text) {
            Word(c);
        }
        Word(0);
    }
    void Align() {
        while (m_bytes.size() % 4 != 0) {
            m_bytes.push_back(0);
        }
    }
    std::vector<std::uint8_t>& Bytes() { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

constexpr std::uint32_t kPopupWithFont = 0x80000040;

// One push button "OK" with ID 1; it begins on a DWORD boundary.
std::vector<std::uint8_t> ClassicControl() {
    TemplateBuilder control;
    control.Dword(0x50010000);  // style
    control.Dword(0);           // extended style
    for (const std::uint16_t v : {10, 20, 50, 14}) {
        control.Word(v);
    }
    control.Word(1);  // id
    control.Word(0xFFFF);
    control.Word(0x0080);  // button class
    control.Text(u"OK");
    control.Word(0);  // no creation data
    return control.Bytes();
}

std::vector<std::uint8_t> ClassicTemplate(std::u16string_view title, std::u16string_view face,
                                          std::uint32_t style = kPopupWithFont) {
    TemplateBuilder t;
    t.Dword(style);
    t.Dword(0);
    t.Word(1);  // one control
    for (const std::uint16_t v : {0, 0, 185, 198}) {
        t.Word(v);
    }
    t.Word(0);  // no menu
    t.Word(0);  // standard class
    t.Text(title);
    if (style & 0x40) {
        t.Word(10);
        t.Text(face);
    }
    t.Align();
    const auto control = ClassicControl();
    t.Bytes().insert(t.Bytes().end(), control.begin(), control.end());
    return t.Bytes();
}

std::vector<std::uint8_t> ExtendedTemplate(std::u16string_view face) {
    TemplateBuilder t;
    t.Word(1);
    t.Word(0xFFFF);
    t.Dword(0);           // help id
    t.Dword(0x00040000);  // extended style
    t.Dword(kPopupWithFont);
    t.Word(1);
    for (const std::uint16_t v : {0, 0, 243, 246}) {
        t.Word(v);
    }
    t.Word(0xFFFF);  // menu by ordinal
    t.Word(7);
    t.Text(u"");  // standard class
    t.Text(u"Kolt System Information Report");
    t.Word(8);       // points
    t.Word(400);     // weight
    t.Word(0x0100);  // not italic, default character set
    t.Text(face);
    t.Align();
    const std::vector<std::uint8_t> controls(36, 0xAB);
    t.Bytes().insert(t.Bytes().end(), controls.begin(), controls.end());
    return t.Bytes();
}

// The bytes from the first DWORD boundary after the face: the controls.
std::vector<std::uint8_t> ControlsOf(const std::vector<std::uint8_t>& bytes,
                                     std::size_t controlCount) {
    return {bytes.end() - static_cast<std::ptrdiff_t>(controlCount), bytes.end()};
}

TEST(DialogTemplateFontTest, ReadsTheFontOfBothLayouts) {
    const auto classic = ReadTemplateFont(ClassicTemplate(u"Kolt", u"Fixedsys"));
    ASSERT_TRUE(classic.has_value());
    EXPECT_EQ(classic->pointSize, 10);
    EXPECT_EQ(classic->face, u"Fixedsys");

    const auto extended = ReadTemplateFont(ExtendedTemplate(u"MS Sans Serif"));
    ASSERT_TRUE(extended.has_value());
    EXPECT_EQ(extended->pointSize, 8);
    EXPECT_EQ(extended->face, u"MS Sans Serif");
}

TEST(DialogTemplateFontTest, ReplacingTheFaceKeepsEverythingElse) {
    // Faces of every length modulo four move the controls to a different boundary.
    for (const std::u16string_view face : {u"A", u"Ab", u"Abc", u"Abcd", u"DejaVu Sans Mono"}) {
        SCOPED_TRACE(std::string(face.begin(), face.end()));
        for (const bool extended : {false, true}) {
            const auto original =
                extended ? ExtendedTemplate(u"MS Sans Serif") : ClassicTemplate(u"Hi", u"Fixedsys");
            const std::size_t controlBytes = extended ? 36 : ClassicControl().size();

            const auto replaced = ReplaceTemplateFace(original, face);
            ASSERT_TRUE(replaced.has_value());
            const auto font = ReadTemplateFont(*replaced);
            ASSERT_TRUE(font.has_value());
            EXPECT_EQ(font->face, face);
            EXPECT_EQ(font->pointSize, extended ? 8 : 10);
            EXPECT_EQ((replaced->size() - controlBytes) % 4, 0u);
            EXPECT_EQ(ControlsOf(*replaced, controlBytes), ControlsOf(original, controlBytes));

            // Back to the original face gives the original bytes.
            const auto restored =
                ReplaceTemplateFace(*replaced, extended ? u"MS Sans Serif" : u"Fixedsys");
            ASSERT_TRUE(restored.has_value());
            EXPECT_EQ(*restored, original);
        }
    }
}

TEST(DialogTemplateFontTest, TemplatesWithoutFontOrCutShortAreLeftAlone) {
    EXPECT_FALSE(ReadTemplateFont(ClassicTemplate(u"Hi", u"", 0x80000000)).has_value());
    EXPECT_FALSE(ReplaceTemplateFace(ClassicTemplate(u"Hi", u"", 0x80000000), u"X").has_value());

    // Every cut inside the header up to the face's terminator is refused, never read past.
    const auto whole = ExtendedTemplate(u"Fixedsys");
    const std::size_t headerEnd = whole.size() - 36;
    for (std::size_t length = 0; length + 2 < headerEnd; ++length) {
        const std::vector<std::uint8_t> cut(whole.begin(),
                                            whole.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(ReadTemplateFont(cut).has_value()) << length;
    }
}

TEST(DialogTemplateFontTest, PitchOfTheFacesTemplatesName) {
    EXPECT_EQ(PitchOfFace(u"Fixedsys"), FacePitch::Fixed);
    EXPECT_EQ(PitchOfFace(u"FIXEDSYS"), FacePitch::Fixed);
    EXPECT_EQ(PitchOfFace(u"Courier New"), FacePitch::Fixed);
    EXPECT_EQ(PitchOfFace(u"MS Sans Serif"), FacePitch::Variable);
    EXPECT_EQ(PitchOfFace(u"Fixedsys Excelsior"), FacePitch::Variable);
}

TEST(DialogTemplateFontTest, MissingFacesGiveWayToTheNearestInstalledFaceOfTheirPitch) {
    struct Case {
        std::u16string_view wanted;
        std::vector<std::u16string_view> installed;
        std::vector<std::string> fixedPitch;
        std::u16string_view chosen;
    };
    const std::vector<Case> cases = {
        {u"Fixedsys", {u"Fixedsys", u"Lucida Console"}, {"Lucida Console"}, u"Fixedsys"},
        {u"Fixedsys",
         {u"Arial", u"Courier New", u"Consolas"},
         {"Consolas", "Courier New"},
         u"Courier New"},
        {u"Fixedsys", {u"Arial", u"Courier"}, {"Courier"}, u"Courier"},
        // Any fixed-pitch face rather than a proportional one: the columns must line up.
        {u"Fixedsys", {u"Arial", u"DejaVu Sans Mono"}, {"DejaVu Sans Mono"}, u"DejaVu Sans Mono"},
        {u"MS Sans Serif", {u"Courier New", u"Tahoma", u"Arial"}, {"Courier New"}, u"Tahoma"},
        {u"MS Sans Serif", {u"Lucida Console"}, {"Lucida Console"}, u"MS Sans Serif"},
        {u"Fixedsys", {}, {}, u"Fixedsys"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.wanted.begin(), c.wanted.end()));
        const auto isInstalled = [&](std::u16string_view face) {
            return std::find(c.installed.begin(), c.installed.end(), face) != c.installed.end();
        };
        EXPECT_EQ(ChooseInstalledFace(c.wanted, isInstalled, [&] { return c.fixedPitch; }),
                  c.chosen);
    }
}

TEST(FixedPitchFaceTest, CourierNewFirstThenTheNearestThenAnyListedFace) {
    struct Case {
        std::vector<std::string> installed;
        std::optional<std::string> chosen;
    };
    const std::vector<Case> cases = {
        {{"Consolas", "Lucida Console", "Courier New"}, "Courier New"},
        {{"courier new"}, "courier new"},
        {{"DejaVu Sans Mono", "Courier", "Consolas"}, "Consolas"},
        {{"DejaVu Sans Mono", "Nimbus Mono PS", "Courier"}, "Courier"},
        {{"DejaVu Sans Mono", "Nimbus Mono PS"}, "DejaVu Sans Mono"},
        {{}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseFixedPitchFace(c.installed), c.chosen);
    }
}

TEST(ApplicationNameTest, IsTheExecutableNameWithoutFolderOrExtension) {
    EXPECT_EQ(ApplicationNameFromPath("C:\\Program Files\\Kolt\\kolt_info.exe"), "kolt_info");
    EXPECT_EQ(ApplicationNameFromPath("kolt_info.exe"), "kolt_info");
    EXPECT_EQ(ApplicationNameFromPath("C:\\tools.v2\\kolt_info"), "kolt_info");
    EXPECT_EQ(ApplicationNameFromPath("/opt/kolt/kolt.info.exe"), "kolt.info");
}

}  // namespace
}  // namespace kolt
