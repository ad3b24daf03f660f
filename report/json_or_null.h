// A found value as JSON, or null where it was not found: how every renderer writes an unknown.
#pragma once

#include <optional>

#include <nlohmann/json.hpp>

#include "report/json_value.h"

namespace kolt {

template <typename Value>
Json OrNull(const std::optional<Value>& value) {
    return value ? Json(*value) : Json(nullptr);
}

}  // namespace kolt
