#include "harness/screenshot.h"

#include <vector>

#include "harness/dialog.h"
#include "harness/paths.h"
#include "harness/png_writer.h"
#include "harness/workspace.h"

namespace e2e {
namespace {

// The window's pixels as top-down RGB rows.
bool CaptureRgb(const RECT& rect, std::vector<uint8_t>* rgb) {
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = bitmap != nullptr;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != 0;
        GdiFlush();
        const uint8_t* bgrx = static_cast<const uint8_t*>(bits);
        rgb->resize(static_cast<size_t>(width) * height * 3);
        for (size_t i = 0, pixels = static_cast<size_t>(width) * height; i < pixels; ++i) {
            (*rgb)[i * 3] = bgrx[i * 4 + 2];
            (*rgb)[i * 3 + 1] = bgrx[i * 4 + 1];
            (*rgb)[i * 3 + 2] = bgrx[i * 4];
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace

std::string SaveScreenshot(HWND window, const std::string& name) {
    std::string folder = EnvText("KORA_SCREENSHOT_DIR");
    RECT rect;
    if (folder.empty() || !GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top)
        return "";
    // Let the window finish painting first: its thread answers once it is idle again.
    SendWithTimeout(window, WM_NULL, 0, 0);
    Sleep(300);
    std::vector<uint8_t> rgb;
    if (!CaptureRgb(rect, &rgb)) return "";
    std::string path = UnixToWindowsPath(folder) + "\\" + name + ".png";
    std::vector<uint8_t> png = EncodePng(rect.right - rect.left, rect.bottom - rect.top, rgb);
    return WriteWholeFile(path, png.data(), png.size()) ? path : "";
}

}  // namespace e2e
