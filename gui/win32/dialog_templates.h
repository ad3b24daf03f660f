// Dialog templates of the program, with their font face replaced by the nearest face of the
// same pitch when the one they name is missing, or is made of bitmaps and the screen is scaled.
#pragma once

#include <cstdint>
#include <vector>

namespace kolt {

std::vector<std::uint8_t> LoadDialogTemplateWithInstalledFace(int id);

}  // namespace kolt
