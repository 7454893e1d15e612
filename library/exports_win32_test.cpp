// The DLL as a host sees it: loaded by name, every function reachable by
// its name and by its ordinal, both giving the same address.
#include <gtest/gtest.h>
#include <windows.h>

#include "zubo.h"

namespace {

struct Export {
    const char *name;
    int ordinal;
};
const Export kExports[] = {
#include "exports_list.inc"
};

TEST(Exports, EveryFunctionByNameAndByOrdinal) {
    HMODULE dll = LoadLibraryA("ZUBO.dll");
    ASSERT_NE(dll, nullptr);
    ASSERT_GT(sizeof kExports / sizeof kExports[0], 0u);
    for (const Export &e : kExports) {
        FARPROC byName = GetProcAddress(dll, e.name);
        FARPROC byOrdinal = GetProcAddress(dll, MAKEINTRESOURCEA(e.ordinal));
        EXPECT_NE(byName, nullptr) << e.name;
        EXPECT_EQ(byName, byOrdinal) << e.name << " @" << e.ordinal;
    }
    // Slots between the families carry nothing.
    EXPECT_EQ(GetProcAddress(dll, MAKEINTRESOURCEA(3)), nullptr);
    EXPECT_EQ(GetProcAddress(dll, MAKEINTRESOURCEA(499)), nullptr);
    FreeLibrary(dll);
}

template <typename F>
F ByOrdinal(HMODULE dll, int ordinal) {
    return reinterpret_cast<F>(
        reinterpret_cast<void (*)()>(GetProcAddress(dll, MAKEINTRESOURCEA(ordinal))));
}

// A call through an address found by ordinal, as hosts that import by
// ordinal make it.
TEST(Exports, CallByOrdinal) {
    HMODULE dll = LoadLibraryA("ZUBO.dll");
    ASSERT_NE(dll, nullptr);
    auto create = ByOrdinal<Gdirlist *(ZUBOAPI *)(void)>(dll, 1);
    auto release = ByOrdinal<void(ZUBOAPI *)(Gdirlist *)>(dll, 2);
    auto size = ByOrdinal<int32_t(ZUBOAPI *)(Gdirlist *)>(dll, 10);
    ASSERT_TRUE(create && release && size);
    Gdirlist *list = create();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(size(list), 0);
    release(list);
    FreeLibrary(dll);
}

}  // namespace
