#include "ui/message_box.h"

#include "text/utf16.h"

namespace kolt::ui {

void ShowOkMessage(HWND owner, const std::string& text, const std::string& caption,
                   MessageIcon icon) {
    const UINT iconFlag = icon == MessageIcon::Warning ? MB_ICONEXCLAMATION : 0;
    ::MessageBoxW(owner, text::Utf16FromUtf8(text).c_str(), text::Utf16FromUtf8(caption).c_str(),
                  MB_OK | iconFlag);
}

}  // namespace kolt::ui
