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
