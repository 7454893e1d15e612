// A list view in a process of its own, for the test that calls the
// library on a window of another process. Prints the view's handle on its
// first line, then keeps the view (one entry) alive until the event named
// on its command line is set, and exits with 0 when the view still holds
// its entry, 1 otherwise, 2 when it could not start.
#include <windows.h>

#include <stdio.h>

#include "zubo.h"

int main(int argc, char **argv) {
    if (argc < 2 || !InitZubolist()) return 2;
    HANDLE done = OpenEventA(SYNCHRONIZE, FALSE, argv[1]);
    HWND parent = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
    HWND view = CreateWindowA("ZUBOLIST", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, parent,
                              reinterpret_cast<HMENU>(1), nullptr, nullptr);
    if (!done || !view) return 2;
    GdirlistEntry e = {const_cast<char *>("mine"), const_cast<char *>("mine.txt"), 1, 2,
                       const_cast<char *>(""), 0};
    Zubolist_Add(view, &e);
    printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(view)));
    fflush(stdout);
    while (MsgWaitForMultipleObjects(1, &done, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    return Zubolist_GetListNum(view) == 1 ? 0 : 1;
}
