// Worker threads on Windows. Only Win32 code here.
#include <windows.h>

#include <process.h>

#include <cstdint>
#include <memory>

#include "platform/common/deadline.h"

namespace kolt::common {
namespace {

using Work = std::function<void()>;

// The thread owns its work and frees it when the work returns.
unsigned __stdcall RunOwnedWork(void* parameter) {
    const std::unique_ptr<Work> work(static_cast<Work*>(parameter));
    (*work)();
    return 0;
}

}  // namespace

// A thread of the C runtime's own, not a std::thread: the POSIX-thread layer under MinGW's
// std::thread can hand a thread that ends before it is detached the bookkeeping of the next thread
// started, which that thread then finds cleared and crashes on. The handle is closed at once, so
// the thread ends by itself when its call returns and never holds up the end of the program.
bool RunOnWorkerThread(Work work) {
    auto owned = std::make_unique<Work>(std::move(work));
    const std::uintptr_t thread = _beginthreadex(nullptr, 0, RunOwnedWork, owned.get(), 0, nullptr);
    if (thread == 0) {
        return false;  // out of threads or memory: the question counts as not answered
    }
    owned.release();  // the thread frees it now
    CloseHandle(reinterpret_cast<HANDLE>(thread));
    return true;
}

}  // namespace kolt::common
