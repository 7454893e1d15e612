// A drawing surface for tests: a 32-bit top-down DIB section selected into
// a memory DC, whose pixels (0x00RRGGBB) can be read directly.
#ifndef ZUBO_LIBRARY_DIB_TEST_SUPPORT_WIN32_H
#define ZUBO_LIBRARY_DIB_TEST_SUPPORT_WIN32_H

#include <windows.h>

#include <stdint.h>

namespace zubo_test {

struct DibCanvas {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t *bits = nullptr;
    int width, height;
    DibCanvas(int w, int h) : width(w), height(h) {
        BITMAPINFO bi = {};
        bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB};
        bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits), nullptr, 0);
        old = SelectObject(dc, bmp);
    }
    ~DibCanvas() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    DibCanvas(const DibCanvas &) = delete;
    DibCanvas &operator=(const DibCanvas &) = delete;
};

}  // namespace zubo_test

#endif
