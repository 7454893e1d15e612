// A host that loads the library at run time, uses a list view, unloads the
// library and loads it again: the class must not outlive the module that
// registered it. This program does not link the library; it finds every
// function with GetProcAddress.
#include <gtest/gtest.h>
#include <windows.h>

#include "zubo.h"

namespace {

// A function of the module by name; through void (*)(), which any function
// pointer type may be cast to and from.
template <typename F>
F Proc(HMODULE module, const char *name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

struct Library {
    HMODULE module = nullptr;
    decltype(&InitZubolist) init = nullptr;
    decltype(&Zubolist_Add) add = nullptr;
    decltype(&Zubolist_GetListNum) count = nullptr;

    bool Load() {
        module = LoadLibraryA("ZUBO.dll");
        if (!module) return false;
        init = Proc<decltype(init)>(module, "InitZubolist");
        add = Proc<decltype(add)>(module, "Zubolist_Add");
        count = Proc<decltype(count)>(module, "Zubolist_GetListNum");
        return init && add && count;
    }
    SIZE_T ImageSize() const {
        const BYTE *base = reinterpret_cast<const BYTE *>(module);
        const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
        return reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew)
            ->OptionalHeader.SizeOfImage;
    }
};

HWND Parent() {
    static HWND parent = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                       nullptr, nullptr, nullptr);
    return parent;
}

HWND CreateView() {
    return CreateWindowA("ZUBOLIST", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, Parent(),
                         reinterpret_cast<HMENU>(1), nullptr, nullptr);
}

// A view made with the loaded library works: it takes an entry.
void UseAView(const Library &lib) {
    HWND view = CreateView();
    ASSERT_NE(view, nullptr);
    GdirlistEntry e = {const_cast<char *>("a"), const_cast<char *>("a.txt"), 1, 2,
                       const_cast<char *>(""), 0};
    EXPECT_EQ(lib.add(view, &e), 1);
    EXPECT_EQ(lib.count(view), 1);
    DestroyWindow(view);
}

TEST(UnloadTest, LoadUseUnloadAndLoadAgainElsewhere) {
    Library first;
    ASSERT_TRUE(first.Load());
    EXPECT_NE(first.init(), 0);
    UseAView(first);
    void *const oldBase = first.module;
    const SIZE_T oldSize = first.ImageSize();
    ASSERT_TRUE(FreeLibrary(first.module));
    ASSERT_EQ(GetModuleHandleA("ZUBO.dll"), nullptr) << "the library stayed loaded";

    // Gone with the module: creating a window of the class fails cleanly.
    EXPECT_EQ(CreateView(), nullptr);

    // Loaded again where it cannot sit at its old base, it registers anew.
    void *reserved = VirtualAlloc(oldBase, oldSize, MEM_RESERVE, PAGE_NOACCESS);
    ASSERT_EQ(reserved, oldBase);
    Library second;
    ASSERT_TRUE(second.Load());
    EXPECT_NE(static_cast<void *>(second.module), oldBase);
    EXPECT_NE(second.init(), 0);
    UseAView(second);
    EXPECT_EQ(second.init(), 0);  // still one registration per load
    ASSERT_TRUE(FreeLibrary(second.module));
    EXPECT_EQ(CreateView(), nullptr);
    VirtualFree(reserved, 0, MEM_RELEASE);
}

// A class of the same name that another module registered is left alone.
LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

TEST(UnloadTest, AnotherModulesClassOfTheNameStays) {
    WNDCLASSA wc = {};
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZUBOLIST";
    ASSERT_NE(RegisterClassA(&wc), 0);
    Library lib;
    ASSERT_TRUE(lib.Load());
    EXPECT_EQ(lib.init(), 0);  // the name is taken
    ASSERT_TRUE(FreeLibrary(lib.module));
    HWND host = CreateView();
    EXPECT_NE(host, nullptr);
    DestroyWindow(host);
    EXPECT_TRUE(UnregisterClassA("ZUBOLIST", GetModuleHandleA(nullptr)));
}

// Once an accessibility client has asked for a view's object, the process
// keeps the library: the client may call that object at any time, even
// after the view and the host's last reference to the library are gone.
// Last here, since it holds for the rest of the process.
TEST(UnloadTest, AClientsRequestKeepsTheLibraryLoaded) {
    Library lib;
    ASSERT_TRUE(lib.Load());
    ASSERT_NE(lib.init(), 0);
    HWND view = CreateView();
    ASSERT_NE(view, nullptr);
    // What a client's AccessibleObjectFromWindow sends; the object stays
    // handed out, as to a client that has not let go of it yet.
    EXPECT_GT(SendMessageA(view, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), 0);
    DestroyWindow(view);
    ASSERT_TRUE(FreeLibrary(lib.module));
    EXPECT_EQ(GetModuleHandleA("ZUBO.dll"), lib.module) << "unloaded under a client's object";
}

}  // namespace
