// Only x86 code here: the RDTSC instruction.
#include <x86intrin.h>

#include "platform/posix/time_stamp_counter.h"

namespace kolt::posix {

std::uint64_t ReadTimeStampCounter() {
    return __rdtsc();
}

}  // namespace kolt::posix
