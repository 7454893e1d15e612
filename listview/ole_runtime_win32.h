// The system libraries that accessibility clients are served through
// (oleacc, oleaut32, ole32), loaded the first time a client asks for a list
// view's accessible object. The library's import table names none of them,
// so a process that never meets an accessibility client never loads them.
#ifndef ZUBO_LISTVIEW_OLE_RUNTIME_WIN32_H
#define ZUBO_LISTVIEW_OLE_RUNTIME_WIN32_H

#include <windows.h>
#include <ole2.h>

namespace zubo::listview {

struct OleRuntime {
    LRESULT(WINAPI *lresultFromObject)(REFIID riid, WPARAM wParam, LPUNKNOWN object);
    HRESULT(WINAPI *accessibleObjectFromWindow)(HWND hwnd, DWORD objectId, REFIID riid,
                                                void **object);
    BSTR(WINAPI *sysAllocStringLen)(const OLECHAR *text, UINT length);
    // Keeps the process's multithreaded apartment in being; null on systems
    // before Windows 8, which lack it.
    HRESULT(WINAPI *coIncrementMTAUsage)(CO_MTA_USAGE_COOKIE *cookie);
};

// Loads the libraries once for the process and keeps them; null when one of
// them or one of its functions is missing. The first successful load also
// pins this library in the process: a client may hold one of its objects
// after the host has unloaded it, and would then call into unmapped code.
const OleRuntime *LoadOleRuntime();

// The runtime once LoadOleRuntime has succeeded, else null. Every object
// made for clients exists only after that, so their code takes it from
// here.
const OleRuntime *OleRuntimeLoaded();

// Makes the calling thread able to serve a client when it has not entered
// a COM apartment itself: it then belongs to the process's multithreaded
// apartment, which is kept in being from the first call on for the life of
// the process. False when the system cannot do that.
bool JoinProcessApartment();

// A BSTR holding `length` UTF-16 units (null when out of memory). Only once
// the runtime is loaded.
BSTR NewBstr(const WCHAR *text, UINT length);

}  // namespace zubo::listview

#endif
