// Screenshots of a window's client area, read back from the screen into a
// memory DC and written as PNG.
#include <windows.h>

#include "demo.h"
#include "examples/common/png_writer.h"

bool CaptureWindowPng(HWND window, const std::string &path) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client;
    GetClientRect(window, &client);
    MemoryDC *shot = CreateMemoryDC(client.right, client.bottom, 32);
    if (!shot) return false;
    HDC screen = GetDC(window);
    shot->ops.BltFrom(shot, 0, 0, screen, &client);
    ReleaseDC(window, screen);
    GdiFlush();
    MemoryDCInfo info;
    shot->ops.GetInfo(shot, &info);
    const bool ok = WritePngBgrx(path.c_str(), client.right, client.bottom,
                                 static_cast<const uint8_t *>(info.bits),
                                 static_cast<size_t>(info.bytesPerLine));
    shot->ops.Release(shot);
    return ok;
}
