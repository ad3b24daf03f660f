#include "ui/center_window.h"

#include "ui/placement.h"

namespace kolt::ui {

namespace {

Rectangle FromRect(const RECT& rect) {
    return {static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right),
            static_cast<int>(rect.bottom)};
}

}  // namespace

void CenterWindow(HWND window) {
    const HWND owner = ::GetWindow(window, GW_OWNER);
    const bool overOwner = owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoA(
            ::MonitorFromWindow(overOwner ? owner : window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    const Rectangle workArea = FromRect(monitor.rcWork);

    RECT own{};
    RECT ownerRect{};
    if (!::GetWindowRect(window, &own) || (overOwner && !::GetWindowRect(owner, &ownerRect))) {
        return;
    }
    const Position position =
        CenteredPosition(own.right - own.left, own.bottom - own.top,
                         overOwner ? FromRect(ownerRect) : workArea, workArea);
    ::SetWindowPos(window, nullptr, position.x, position.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kolt::ui
