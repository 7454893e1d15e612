// The module's entry routine. The library has no start-up work: all state
// lives in objects that hosts create and release. Its one piece of
// shut-down work is the list view's window class, which InitZubolist
// registers for the executable's instance: it would outlive the module,
// and a window created after an unload would run code that is gone.
#include <windows.h>

namespace {

// The class InitZubolist registers (listview/window_win32.h).
constexpr char kListViewClass[] = "ZUBOLIST";

bool InModule(HINSTANCE module, const void *address) {
    const BYTE *base = reinterpret_cast<const BYTE *>(module);
    const IMAGE_DOS_HEADER *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const IMAGE_NT_HEADERS *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const BYTE *p = static_cast<const BYTE *>(address);
    return p >= base && p < base + nt->OptionalHeader.SizeOfImage;
}

// Unregisters the list view class when this module registered it; a class
// of the same name from another copy of the library stays.
void UnregisterListViewClass(HINSTANCE module) {
    HINSTANCE exe = GetModuleHandleA(nullptr);
    WNDCLASSA wc;
    if (GetClassInfoA(exe, kListViewClass, &wc) &&
        InModule(module, reinterpret_cast<const void *>(wc.lpfnWndProc)))
        UnregisterClassA(kListViewClass, exe);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    // No thread attach/detach notifications: nothing here needs them.
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
    // FreeLibrary (a null reserved argument); at process exit the classes
    // go with the process, and the system is not to be called.
    if (reason == DLL_PROCESS_DETACH && !reserved) UnregisterListViewClass(module);
    return TRUE;
}
