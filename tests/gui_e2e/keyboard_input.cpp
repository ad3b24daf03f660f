#include "tests/gui_e2e/keyboard_input.h"

#include <stdexcept>
#include <vector>

#include "tests/gui_e2e/window_query.h"

namespace kolt::e2e {

namespace {

INPUT Key(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT Character(wchar_t unit, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = static_cast<WORD>(unit);
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

void Send(std::vector<INPUT> inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) {
        throw std::runtime_error("SendInput took " + std::to_string(sent) + " of " +
                                 std::to_string(inputs.size()) + " key events");
    }
}

void PressWith(WORD modifier, WORD virtualKey) {
    Send(
        {Key(modifier, false), Key(virtualKey, false), Key(virtualKey, true), Key(modifier, true)});
}

}  // namespace

void BringToFront(HWND window) {
    SetForegroundWindow(window);
    if (!WaitUntil([&] { return GetForegroundWindow() == window; }, kWindowWait)) {
        throw std::runtime_error("the window did not come to the front");
    }
}

void PressKey(WORD virtualKey) {
    Send({Key(virtualKey, false), Key(virtualKey, true)});
}

void PressCtrlKey(WORD virtualKey) {
    PressWith(VK_CONTROL, virtualKey);
}

void PressAltKey(WORD virtualKey) {
    PressWith(VK_MENU, virtualKey);
}

void TypeText(std::wstring_view text) {
    std::vector<INPUT> inputs;
    for (const wchar_t unit : text) {
        inputs.push_back(Character(unit, false));
        inputs.push_back(Character(unit, true));
    }
    Send(std::move(inputs));
}

}  // namespace kolt::e2e
