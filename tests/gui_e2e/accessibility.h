// What a screen reader learns of a control through Active Accessibility, asked from this
// process as a screen reader asks.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kolt::e2e {

struct AccessibleFacts {
    std::string name;  // UTF-8; empty when the control has none
    long role = 0;     // ROLE_SYSTEM_...
};

// COM for the calling thread, which asking for accessible objects needs, for as long as the
// object lives. Joining and leaving COM once per case rather than once per question keeps the
// thread's hidden COM window from coming and going while keys are sent.
class ComScope {
public:
    ComScope();
    ~ComScope();
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool m_joined;
};

// The name and role of the control's client object; nothing when it cannot be had. The calling
// thread must be in COM (ComScope).
std::optional<AccessibleFacts> AccessibleFactsOf(HWND control);

}  // namespace kolt::e2e
