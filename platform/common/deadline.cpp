#include "platform/common/deadline.h"

#include <system_error>
#include <thread>

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
