// Dialog templates of the program, with their font face replaced by the nearest installed face of
// the same pitch when the one they name is missing.
#pragma once

#include <cstdint>
#include <vector>

namespace kolt {

std::vector<std::uint8_t> LoadDialogTemplateWithInstalledFace(int id);

}  // namespace kolt
