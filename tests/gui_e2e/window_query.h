// Finding and reading another process's windows through window messages. Every call that waits
// is bounded, so a hung program fails a check instead of hanging the run.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace kolt::e2e {

// How long a window may take to appear or go away; the first start of Wine in a fresh desktop
// is the slowest case.
inline constexpr std::chrono::milliseconds kWindowWait{30000};

// How long one message to the program may take before the program counts as hung.
inline constexpr std::chrono::milliseconds kMessageWait{10000};

// How often a wait looks again.
inline constexpr std::chrono::milliseconds kPollInterval{50};

// Polls `condition` every `poll` until it holds or `timeout` passes; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds poll = kPollInterval);

// Sends a message and waits for the answer; throws std::runtime_error when the window does not
// answer in time. Only for messages whose parameters the system carries between processes.
LRESULT SendBounded(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Posts a message without waiting; throws when the window is gone.
void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

std::string WindowText(HWND window);
// The text as the window holds it in UTF-16 (WM_GETTEXT in its wide form), in UTF-8: whole
// whatever the 8-bit code page can spell.
std::string WideWindowText(HWND window);
std::string ClassName(HWND window);
LONG Style(HWND window);

// The visible top-level windows of a process, owned ones (dialogs, message boxes) included.
std::vector<HWND> TopLevelWindows(DWORD processId);

// The direct children of a window in z-order, which for a dialog is the template's order.
std::vector<HWND> ChildWindows(HWND parent);

// The first window below `root`, at any depth, for which `match` holds; nullptr when none.
HWND FindDescendant(HWND root, const std::function<bool(HWND)>& match);

// Waits for a visible top-level window of the process for which `match` holds; throws when none
// appears within `timeout`.
HWND WaitForTopLevel(DWORD processId, const std::function<bool(HWND)>& match,
                     std::chrono::milliseconds timeout = kWindowWait,
                     std::chrono::milliseconds poll = kPollInterval);

// Waits for a visible dialog box (class "#32770") owned by `owner`.
HWND WaitForOwnedDialog(DWORD processId, HWND owner,
                        std::chrono::milliseconds timeout = kWindowWait);

// Waits until `window` no longer exists or is hidden; returns whether it went.
bool WaitUntilGone(HWND window, std::chrono::milliseconds timeout = kWindowWait);

// A window's rectangle on the screen, frame included.
RECT ScreenRect(HWND window);

// The work area (the screen without the task bar) of the screen that shows most of `window`.
RECT WorkAreaOf(HWND window);

// The window that has the keyboard focus in the thread that owns `window`.
HWND FocusOf(HWND window);

// The texts of every static control of a dialog box, joined by line feeds: a message box's
// message, whatever the system's layout of it.
std::string StaticTexts(HWND dialog);

}  // namespace kolt::e2e
