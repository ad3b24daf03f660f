#include "ui/resources.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "text/utf16.h"

namespace kolt::ui {

std::vector<std::uint8_t> LoadDialogTemplate(int id) {
    const HMODULE module = ::GetModuleHandleA(nullptr);
    const HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (resource == nullptr) {
        return {};
    }
    // Resources of the program's own image stay mapped for its whole life: nothing to free.
    const HGLOBAL loaded = ::LoadResource(module, resource);
    const auto* bytes = static_cast<const std::uint8_t*>(::LockResource(loaded));
    const DWORD size = ::SizeofResource(module, resource);
    if (bytes == nullptr || size == 0) {
        return {};
    }
    return {bytes, bytes + size};
}

UniqueBitmap LoadBitmapResource(int id) {
    return UniqueBitmap(
        static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                          IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP description{};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(description), &description) == 0) {
        return {0, 0};
    }
    return {description.bmWidth, description.bmHeight};
}

std::string LoadResourceString(int id) {
    wchar_t buffer[256] = {};
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), static_cast<UINT>(id), buffer,
                                     static_cast<int>(std::size(buffer)));
    return text::Utf8FromUtf16(
        std::wstring_view(buffer, static_cast<std::size_t>(std::max(length, 0))));
}

}  // namespace kolt::ui
