// Console set-up on Linux.
#include "platform/platform.h"

namespace kolt {

// POSIX streams never translate line ends: standard output already carries bytes unchanged.
void UseBinaryStandardOutput() {}

// Linux shows no box for a drive without a medium; probing one simply fails, so there is
// nothing to suppress.
void SuppressCriticalErrorDialogs() {}

}  // namespace kolt
