// zubo.h compiles as C (header_c_test.c) and as C++ with every warning on,
// and both translations reach the same library.
#include <gtest/gtest.h>

#include "zubo.h"

extern "C" int zubo_header_from_c(void);
#ifdef _WIN32
extern "C" int zubo_listview_from_c(void);

TEST(PublicHeader, ListViewFromC) { EXPECT_EQ(zubo_listview_from_c(), 21111); }
#endif

TEST(PublicHeader, UsableFromCAndCxx) {
    EXPECT_EQ(zubo_header_from_c(), 2);
    GdirlistEntry entry{};
    Gdirlist *list = CreateGdirlist();
    ASSERT_NE(Gdirlist_Add(list, &entry), nullptr);
    EXPECT_EQ(Gdirlist_GetSize(list), 1);
    Gdirlist_Release(list);
}

extern "C" int zubo_header_windows_from_c(void);

TEST(PublicHeader, MemoryDCAndMenuFromC) {
#ifdef _WIN32
    EXPECT_EQ(zubo_header_windows_from_c(), 1012);
#else
    EXPECT_EQ(zubo_header_windows_from_c(), 1);
#endif
}

extern "C" int zubo_header_console_from_c(void);

TEST(PublicHeader, ConsoleDeclarationsFromC) {
    // One character printed after a two-byte escape, one procedure call,
    // and the two constant checks.
    EXPECT_EQ(zubo_header_console_from_c(), 4);
}
