// A top-level window of a class of the test's own, for the views and
// panes that tests put on the shared desktop. One per program is the rule:
// under Xvfb without a window manager each top-level window takes seconds
// to take down.
#ifndef ZUBO_LIBRARY_WINDOW_TEST_SUPPORT_WIN32_H
#define ZUBO_LIBRARY_WINDOW_TEST_SUPPORT_WIN32_H

#include <windows.h>

namespace zubo_test {

inline HWND MakeTopLevelWindow(const char *className, DWORD style, int x, int y, int width,
                               int height, WNDPROC proc = DefWindowProcA) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    return CreateWindowA(className, "", style, x, y, width, height, nullptr, nullptr, nullptr,
                         nullptr);
}

}  // namespace zubo_test

#endif
