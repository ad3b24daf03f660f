// Only POSIX calls here.
#include <cstdio>

#include "platform/posix/files.h"

namespace kolt::posix {

bool MoveOver(const std::string& temporary, const std::string& path) {
    // rename replaces whatever stands at the name (a link included) and never follows it.
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace kolt::posix
