// The thread's membership of COM, which the shell and Active Accessibility need. Only Win32 code
// here.
#pragma once

namespace kolt::ui {

// Makes the calling thread a single-threaded COM apartment, as a thread with windows must be,
// for the object's lifetime. Without COM the program still runs; only what needs it is missing.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_joined = false;
};

}  // namespace kolt::ui
