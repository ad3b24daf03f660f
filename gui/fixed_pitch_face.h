// The fixed-pitch face the report is printed in, and shown in when the viewer's own face is not
// installed: one choice for paper and screen, so the columns line up on both.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kolt {

// Among `installedFaces` (the scalable fixed-pitch faces a device can draw with, as the system
// lists them): Courier New, else the nearest common fixed-pitch face, else the first listed;
// nullopt when there is none.
std::optional<std::string> ChooseFixedPitchFace(const std::vector<std::string>& installedFaces);

}  // namespace kolt
