#include "tests/gui_e2e/screen_capture.h"

#include <cstdint>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <thread>
#include <type_traits>
#include <vector>

#include "tests/gui_e2e/png_file.h"
#include "tests/gui_e2e/window_query.h"

namespace kolt::e2e {

namespace {

struct ScreenDcReleaser {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using ScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcReleaser>;
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, ObjectDeleter>;

// Restores a device context's previous object when the capture is done.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(m_dc, m_previous); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Time for the window to repaint after it came to the front: painting happens when its queue
// runs empty, after the round trip below.
constexpr std::chrono::milliseconds kSettle{400};

}  // namespace

std::vector<std::uint8_t> CaptureScreenArea(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        throw std::runtime_error("screenshot: the area is empty");
    }

    const ScreenDc screen(GetDC(nullptr));
    const MemoryDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const Bitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen || !memory || !bitmap || bits == nullptr) {
        throw std::runtime_error("screenshot: no device context or bitmap");
    }
    {
        const SelectedObject selected(memory.get(), bitmap.get());
        if (BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY) ==
            0) {
            throw std::runtime_error("screenshot: cannot copy the screen");
        }
    }
    GdiFlush();

    // 32-bit DIB pixels are B, G, R, unused.
    const auto* bgrx = static_cast<const std::uint8_t*>(bits);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t pixel = 0; pixel < rgb.size() / 3; ++pixel) {
        rgb[pixel * 3] = bgrx[pixel * 4 + 2];
        rgb[pixel * 3 + 1] = bgrx[pixel * 4 + 1];
        rgb[pixel * 3 + 2] = bgrx[pixel * 4];
    }
    return rgb;
}

void SaveWindowPng(HWND window, const std::filesystem::path& file) {
    // The pointer goes to the screen's corner, so no control under it shows its hover look.
    SetCursorPos(0, 0);
    SetForegroundWindow(window);
    SendBounded(window, WM_NULL);
    std::this_thread::sleep_for(kSettle);

    RECT rect{};
    if (GetWindowRect(window, &rect) == 0) {
        throw std::runtime_error("screenshot: the window is gone");
    }
    const std::vector<std::uint8_t> rgb = CaptureScreenArea(rect);
    const std::string png = EncodePng(static_cast<std::uint32_t>(rect.right - rect.left),
                                      static_cast<std::uint32_t>(rect.bottom - rect.top), rgb);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(png.data(), static_cast<std::streamsize>(png.size()));
    if (!out.flush()) {
        throw std::runtime_error("screenshot: cannot write " + file.string());
    }
}

}  // namespace kolt::e2e
