// Row padding, colour ranges and palette assembly of the memory DC.
#include <gtest/gtest.h>

#include "memorydc/surface_math.h"

namespace zubo::memorydc {
namespace {

TEST(SurfaceGeometry, RowsAreTheFewestWholeWords) {
    SurfaceGeometry g{};
    for (int32_t b : {1, 4, 8, 16, 24, 32})
        for (int32_t w = 1; w <= 70; ++w) {
            ASSERT_TRUE(ComputeSurfaceGeometry(w, 3, b, &g)) << w << "x" << b;
            EXPECT_GE(g.width, w);
            EXPECT_LT(g.width - w, b == 24 ? 4 : 32 / b) << w << "x" << b;
            EXPECT_EQ(g.bytesPerLine % 4, 0) << w << "x" << b;
            EXPECT_EQ(g.bytesPerLine, b * g.width / 8);
            EXPECT_EQ(g.imageSize, uint32_t(3 * g.bytesPerLine));
            EXPECT_EQ(g.bitCount, b);
        }
    ASSERT_TRUE(ComputeSurfaceGeometry(10, 1, 24, &g));
    EXPECT_EQ(g.width, 12);  // 24 bits: whole pixels to a multiple of 4
    EXPECT_EQ(g.bytesPerLine, 36);
}

TEST(SurfaceGeometry, RefusesWhatCannotBeASurface) {
    SurfaceGeometry g{};
    for (int32_t b : {0, -1, 33, INT32_MIN, INT32_MAX}) EXPECT_FALSE(ComputeSurfaceGeometry(10, 10, b, &g)) << b;
    EXPECT_FALSE(ComputeSurfaceGeometry(0, 10, 8, &g));
    EXPECT_FALSE(ComputeSurfaceGeometry(-10, 10, 8, &g));
    EXPECT_FALSE(ComputeSurfaceGeometry(10, 0, 8, &g));
    EXPECT_FALSE(ComputeSurfaceGeometry(INT32_MAX, 1, 1, &g));  // padding passes 31 bits
    EXPECT_FALSE(ComputeSurfaceGeometry(100000, 100000, 32, &g));
    EXPECT_TRUE(ComputeSurfaceGeometry(1, INT32_MAX / 4, 32, &g));
    EXPECT_EQ(g.imageSize, uint32_t(INT32_MAX / 4) * 4);
}

TEST(ColorRange, BoundsAndPaletteGrowth) {
    EXPECT_TRUE(ColorRangeAccepted(250, 6));
    EXPECT_TRUE(ColorRangeAccepted(0, 256));
    EXPECT_TRUE(ColorRangeAccepted(255, 0));
    EXPECT_FALSE(ColorRangeAccepted(250, 7));
    EXPECT_FALSE(ColorRangeAccepted(256, 0));
    EXPECT_FALSE(ColorRangeAccepted(-1, 1));
    EXPECT_FALSE(ColorRangeAccepted(0, -1));
    EXPECT_FALSE(ColorRangeAccepted(10, INT32_MAX));  // no wrap-around
    EXPECT_EQ(GrownPaletteCount(1, 0, 16), 16);
    EXPECT_EQ(GrownPaletteCount(16, 0, 4), 16);
    EXPECT_EQ(GrownPaletteCount(16, 250, 6), 256);
}

TEST(Palette, AssembledFromTableThenColoursWithFlags) {
    ColorQuad table[16], colors[3];
    for (int i = 0; i < 16; ++i) table[i] = ColorQuad{uint8_t(i), uint8_t(100 + i), uint8_t(200 + i), 7};
    for (int i = 0; i < 3; ++i) colors[i] = ColorQuad{1, 2, uint8_t(50 + i), 9};
    PaletteSlot e[256];
    AssemblePalette(table, 16, 12, 3, colors, 20, e);  // 12 ... 14 given, 16 in the table
    for (int i = 0; i < 20; ++i) {
        const bool given = i >= 12 && i < 15, inTable = i < 16;
        EXPECT_EQ(e[i].red, given ? 50 + i - 12 : inTable ? 200 + i : 0) << i;
        EXPECT_EQ(e[i].green, given ? 2 : inTable ? 100 + i : 0) << i;
        EXPECT_EQ(e[i].blue, given ? 1 : inTable ? i : 0) << i;
    }
    AssemblePalette(nullptr, 0, 250, 3, colors, 256, e);
    for (int32_t i = 0; i < 256; ++i) {
        EXPECT_EQ(e[i].flags, i >= 10 && i <= 245 ? kPcNoCollapse : 0) << i;
        EXPECT_EQ(PaletteFlagsFor(i), e[i].flags);
    }
    EXPECT_EQ(e[251].red, 51);
}

}  // namespace
}  // namespace zubo::memorydc
