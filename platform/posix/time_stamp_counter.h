// The processor's cycle counter. The build picks the implementation that fits the target
// processor (time_stamp_counter_x86.cpp or time_stamp_counter_none.cpp).
#pragma once

#include <cstdint>

namespace kolt::posix {

std::uint64_t ReadTimeStampCounter();

}  // namespace kolt::posix
