// The JSON form's value type, for the headers of the sections' JSON renderers.
#pragma once

#include <nlohmann/json_fwd.hpp>

namespace kolt {

// Members keep the order they are added in.
using Json = nlohmann::ordered_json;

}  // namespace kolt
