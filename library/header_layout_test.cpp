// zubo.h keeps its records' layout under any packing that the including
// code has set: each packed translation unit sees the sizes and offsets
// that the natural one (the library's own) sees, and reads the library's
// records right.
#include <gtest/gtest.h>

#include "zubo.h"
#define ZUBO_LAYOUT_NAME LayoutNatural
#define ZUBO_USE_NAME UseNatural
#include "library/header_layout_test.inc"

namespace zubo_test {
namespace {

TEST(HeaderPacking, RecordsKeepTheirLayoutUnderAnyPack) {
    const Layout natural = LayoutNatural();
    EXPECT_EQ(LayoutUnderPack1(), natural);
    EXPECT_EQ(LayoutUnderPack2(), natural);
    EXPECT_EQ(LayoutUnderPack4(), natural);
}

TEST(HeaderPacking, TheLibrarysRecordsReadRightUnderAnyPack) {
    EXPECT_EQ(UseNatural(), "ok");
    EXPECT_EQ(UseUnderPack1(), "ok");
    EXPECT_EQ(UseUnderPack2(), "ok");
    EXPECT_EQ(UseUnderPack4(), "ok");
}

}  // namespace
}  // namespace zubo_test
