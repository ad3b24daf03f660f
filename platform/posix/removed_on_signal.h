// Keeps a file that exists only for the duration of one step (a new file under a temporary name)
// from outliving the program when an interrupt, terminate or hang-up signal ends it in between.
#pragma once

#include <string>

namespace kolt::posix {

// While it lives, one of these signals first removes the file at `path`, then ends the program as
// the signal would have (or hands it on to the handler that was there before). A signal the
// program ignores stays ignored. One at a time: it is meant for the few steps between naming a
// new file and putting it in place.
class RemovedOnSignal {
public:
    explicit RemovedOnSignal(const std::string& path);
    ~RemovedOnSignal();
    RemovedOnSignal(const RemovedOnSignal&) = delete;
    RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

private:
    // The path, held where the handler can read it without allocating.
    std::string m_path;
};

}  // namespace kolt::posix
