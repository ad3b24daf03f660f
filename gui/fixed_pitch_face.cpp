#include "gui/fixed_pitch_face.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace kolt {

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

std::optional<std::string> ChooseFixedPitchFace(const std::vector<std::string>& installedFaces) {
    // Courier New is on every Windows system; the others are near it in weight and proportions.
    constexpr std::array<std::string_view, 4> kPreferred{"Courier New", "Lucida Console",
                                                         "Consolas", "Courier"};
    for (const std::string_view preferred : kPreferred) {
        const auto found = std::ranges::find_if(installedFaces, [&](const std::string& face) {
            return EqualIgnoringCase(face, preferred);
        });
        if (found != installedFaces.end()) {
            return *found;
        }
    }
    if (installedFaces.empty()) {
        return std::nullopt;
    }
    return installedFaces.front();
}

}  // namespace kolt
