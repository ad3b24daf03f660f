#include "tests/gui_e2e/window_query.h"

#include <stdexcept>

#include <thread>
#include <utility>
#include "tests/gui_e2e/e2e_environment.h"

namespace kolt::e2e {

namespace {

template <typename Callback>
BOOL CALLBACK Visit(HWND window, LPARAM context) {
    return (*reinterpret_cast<Callback*>(context))(window) ? TRUE : FALSE;
}

// EnumWindows and EnumChildWindows with a lambda that returns false to stop.
template <typename Callback>
void ForEachTopLevel(Callback callback) {
    EnumWindows(Visit<Callback>, reinterpret_cast<LPARAM>(&callback));
}

template <typename Callback>
void ForEachDescendant(HWND root, Callback callback) {
    EnumChildWindows(root, Visit<Callback>, reinterpret_cast<LPARAM>(&callback));
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds poll) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(poll);
    }
}

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL,
                            static_cast<UINT>(kMessageWait.count()), &result) == 0) {
        throw std::runtime_error("window message " + std::to_string(message) +
                                 " got no answer (error " + std::to_string(GetLastError()) + ")");
    }
    return static_cast<LRESULT>(result);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (PostMessageA(window, message, wParam, lParam) == 0) {
        throw std::runtime_error("could not post window message " + std::to_string(message));
    }
}

std::string WindowText(HWND window) {
    const auto length = static_cast<std::size_t>(SendBounded(window, WM_GETTEXTLENGTH));
    std::string text(length + 1, '\0');
    const auto copied = static_cast<std::size_t>(
        SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < text.size() ? copied : text.size() - 1);
    return text;
}

std::string WideWindowText(HWND window) {
    DWORD_PTR length = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL,
                            static_cast<UINT>(kMessageWait.count()), &length) == 0) {
        throw std::runtime_error("WM_GETTEXTLENGTH got no answer");
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                            SMTO_NORMAL, static_cast<UINT>(kMessageWait.count()), &copied) == 0) {
        throw std::runtime_error("WM_GETTEXT got no answer");
    }
    text.resize(copied < text.size() ? copied : text.size() - 1);
    return Utf8FromWide(text);
}

std::string ClassName(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

LONG Style(HWND window) {
    return GetWindowLongA(window, GWL_STYLE);
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    std::vector<HWND> windows;
    ForEachTopLevel([&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) {
            windows.push_back(window);
        }
        return true;
    });
    return windows;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

HWND FindDescendant(HWND root, const std::function<bool(HWND)>& match) {
    HWND found = nullptr;
    ForEachDescendant(root, [&](HWND window) {
        if (match(window)) {
            found = window;
            return false;
        }
        return true;
    });
    return found;
}

HWND WaitForTopLevel(DWORD processId, const std::function<bool(HWND)>& match,
                     std::chrono::milliseconds timeout, std::chrono::milliseconds poll) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(processId)) {
                if (match(window)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout, poll);
    if (found == nullptr) {
        throw std::runtime_error("the expected window did not appear");
    }
    return found;
}

HWND WaitForOwnedDialog(DWORD processId, HWND owner, std::chrono::milliseconds timeout) {
    return WaitForTopLevel(
        processId,
        [&](HWND window) {
            return GetWindow(window, GW_OWNER) == owner && ClassName(window) == "#32770";
        },
        timeout);
}

bool WaitUntilGone(HWND window, std::chrono::milliseconds timeout) {
    return WaitUntil([&] { return IsWindow(window) == 0 || IsWindowVisible(window) == 0; },
                     timeout);
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        throw std::runtime_error("the window has no rectangle (it is gone)");
    }
    return rect;
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        throw std::runtime_error("no screen for the window");
    }
    return monitor.rcWork;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) == 0) {
        return nullptr;
    }
    return info.hwndFocus;
}

std::string StaticTexts(HWND dialog) {
    std::string texts;
    for (HWND child : ChildWindows(dialog)) {
        if (ClassName(child) == "Static") {
            const std::string text = WindowText(child);
            if (!text.empty()) {
                texts += texts.empty() ? text : "\n" + text;
            }
        }
    }
    return texts;
}

}  // namespace kolt::e2e
