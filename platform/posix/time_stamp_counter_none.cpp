// Processors without a cycle counter that user programs can read portably. Inventing cycles from
// a clock would print a plausible but false speed; 0 cycles makes the CPU speed line read 0.00,
// which says plainly that the speed was not measured.
#include "platform/posix/time_stamp_counter.h"

namespace kolt::posix {

std::uint64_t ReadTimeStampCounter() {
    return 0;
}

}  // namespace kolt::posix
