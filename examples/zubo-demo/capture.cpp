// Screenshots of a window's client area, read back from the screen into a
// memory DC and written as PNG.
#include <windows.h>

#include "demo.h"
#include "examples/common/png_writer.h"

bool CaptureWindowPng(HWND window, const std::string &path, int top, int bottom) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return CaptureWindowAsShownPng(window, path, top, bottom);
}

bool CaptureWindowAsShownPng(HWND window, const std::string &path, int top, int bottom) {
    RECT outer;
    GetWindowRect(window, &outer);
    RECT area = {0, top, outer.right - outer.left, outer.bottom - outer.top};
    if (bottom > top && bottom < area.bottom) area.bottom = bottom;
    const int width = area.right - area.left, height = area.bottom - area.top;
    MemoryDC *shot = CreateMemoryDC(width, height, 32);
    if (!shot) return false;
    // The window DC includes the frame, caption and menu bar.
    HDC screen = GetWindowDC(window);
    shot->ops.BltFrom(shot, 0, 0, screen, &area);
    ReleaseDC(window, screen);
    GdiFlush();
    MemoryDCInfo info;
    shot->ops.GetInfo(shot, &info);
    const bool ok = WritePngBgrx(path.c_str(), width, height,
                                 static_cast<const uint8_t *>(info.bits),
                                 static_cast<size_t>(info.bytesPerLine));
    shot->ops.Release(shot);
    return ok;
}
