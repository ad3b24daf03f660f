#include "ui/message_box.h"

namespace kolt::ui {

void ShowOkMessage(HWND owner, const std::string& text, const std::string& caption,
                   MessageIcon icon) {
    const UINT iconFlag = icon == MessageIcon::Warning ? MB_ICONEXCLAMATION : 0;
    ::MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK | iconFlag);
}

}  // namespace kolt::ui
