// The module's entry routine. The library has no start-up or shut-down
// work: all state lives in objects that hosts create and release.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    // No thread attach/detach notifications: nothing here needs them.
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
    return TRUE;
}
