// The accessibility runtime, loaded on first need (see ole_runtime_win32.h).
#include "listview/ole_runtime_win32.h"

namespace zubo::listview {
namespace {

OleRuntime g_runtime;
INIT_ONCE g_loadOnce = INIT_ONCE_STATIC_INIT;
INIT_ONCE g_apartmentOnce = INIT_ONCE_STATIC_INIT;
const OleRuntime *volatile g_loaded;
bool g_joined;

// A function of a loaded system library, through void (*)(), which any
// function pointer type may be cast to and from.
template <typename F>
bool Find(HMODULE module, const char *name, F *f) {
    *f = reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return *f != nullptr;
}

// The libraries stay loaded for the life of the process: objects handed to
// clients use them until the clients let go.
BOOL CALLBACK LoadOnce(PINIT_ONCE, PVOID, PVOID *) {
    HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
    HMODULE oleaut32 = LoadLibraryW(L"oleaut32.dll");
    HMODULE ole32 = LoadLibraryW(L"ole32.dll");
    if (!oleacc || !oleaut32 || !ole32) return TRUE;
    OleRuntime r = {};
    if (!Find(oleacc, "LresultFromObject", &r.lresultFromObject) ||
        !Find(oleacc, "AccessibleObjectFromWindow", &r.accessibleObjectFromWindow) ||
        !Find(oleaut32, "SysAllocStringLen", &r.sysAllocStringLen))
        return TRUE;
    Find(ole32, "CoIncrementMTAUsage", &r.coIncrementMTAUsage);
    HMODULE self;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&LoadOleRuntime), &self);
    g_runtime = r;
    g_loaded = &g_runtime;
    return TRUE;
}

BOOL CALLBACK JoinOnce(PINIT_ONCE, PVOID, PVOID *) {
    const OleRuntime *r = OleRuntimeLoaded();
    CO_MTA_USAGE_COOKIE cookie;  // never given back: the apartment stays
    g_joined = r && r->coIncrementMTAUsage && SUCCEEDED(r->coIncrementMTAUsage(&cookie));
    return TRUE;
}

}  // namespace

const OleRuntime *LoadOleRuntime() {
    InitOnceExecuteOnce(&g_loadOnce, LoadOnce, nullptr, nullptr);
    return g_loaded;
}

const OleRuntime *OleRuntimeLoaded() { return g_loaded; }

bool JoinProcessApartment() {
    InitOnceExecuteOnce(&g_apartmentOnce, JoinOnce, nullptr, nullptr);
    return g_joined;
}

BSTR NewBstr(const WCHAR *text, UINT length) {
    return g_loaded->sysAllocStringLen(text, length);
}

}  // namespace zubo::listview
