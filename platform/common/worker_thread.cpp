// Worker threads from the C++ library, where its threads can be detached safely.
#include <system_error>
#include <thread>

#include "platform/common/deadline.h"

namespace kolt::common {

bool RunOnWorkerThread(std::function<void()> work) {
    try {
        // Detached: the thread ends by itself when its call returns, and never holds up the
        // caller or the end of the program.
        std::thread(std::move(work)).detach();
        return true;
    } catch (const std::system_error&) {
        return false;  // out of threads: the question counts as not answered
    }
}

}  // namespace kolt::common
