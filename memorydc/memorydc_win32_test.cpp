// The memory DC through the DLL: geometry, the operation table, colour
// table and palette, blits checked by pixels, GDI handles counted.
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "zubo.h"

namespace {

// GDI objects of this process. Wine's GetGuiResources is a stub returning
// 0; there every live GDI handle also answers to its table index alone.
int GdiObjectCount() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return int(n);
    int count = 0;
    for (ULONG_PTR i = 1; i < 0x10000; ++i) count += GetObjectType(HGDIOBJ(i)) != 0;
    return count;
}

struct Releaser {
    void operator()(MemoryDC *dc) const { dc->ops.Release(dc); }
};
using Owned = std::unique_ptr<MemoryDC, Releaser>;
Owned Make(int32_t w, int32_t h, int32_t b) { return Owned(CreateMemoryDC(w, h, b)); }

MemoryDCInfo InfoOf(MemoryDC *dc) {
    MemoryDCInfo info;
    memset(&info, 0xAB, sizeof info);
    EXPECT_EQ(dc->ops.GetInfo(dc, &info), 1);
    return info;
}

// Depth, padded size and bytes per row, as GetInfo reports them.
std::string Shape(MemoryDC *dc) {
    const MemoryDCInfo i = InfoOf(dc);
    return std::to_string(i.bitCount) + "bpp " + std::to_string(i.width) + "x" +
           std::to_string(i.height) + " " + std::to_string(i.bytesPerLine);
}

// Pixels of 24- and 32-bit surfaces (blue, green, red in memory).
BYTE *PixelAt(MemoryDC *dc, int x, int y) {
    GdiFlush();
    return static_cast<BYTE *>(dc->surface.bits) + y * dc->surface.bytesPerLine +
           x * dc->surface.bitCount / 8;
}
COLORREF Get(MemoryDC *dc, int x, int y) {
    const BYTE *p = PixelAt(dc, x, y);
    return RGB(p[2], p[1], p[0]);
}
void Put(MemoryDC *dc, int x, int y, COLORREF c) {
    BYTE *p = PixelAt(dc, x, y);
    p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
}
void Fill(MemoryDC *dc, COLORREF (*color)(int x, int y)) {
    for (int y = 0; y < dc->surface.height; ++y)
        for (int x = 0; x < dc->surface.width; ++x) Put(dc, x, y, color(x, y));
}
COLORREF Pattern(int x, int y) { return RGB(16 * x + 8, 16 * y + 8, 0x80); }
COLORREF Blank(int, int) { return RGB(1, 2, 3); }

std::vector<PALETTEENTRY> PaletteOf(MemoryDC *dc) {
    std::vector<PALETTEENTRY> e(GetPaletteEntries(dc->surface.hpal, 0, 0, nullptr));
    GetPaletteEntries(dc->surface.hpal, 0, UINT(e.size()), e.data());
    return e;
}
RGBQUAD Quad(BYTE r, BYTE g, BYTE b) { return RGBQUAD{b, g, r, 0}; }
bool Same(const PALETTEENTRY &e, const RGBQUAD &q) {
    return e.peRed == q.rgbRed && e.peGreen == q.rgbGreen && e.peBlue == q.rgbBlue;
}

TEST(MemoryDC, PaddedGeometryAndTheTable) {
    const int32_t cases[][3] = {{1, 32, 4},  {4, 16, 8},   {8, 12, 12},
                                {16, 10, 20}, {24, 12, 36}, {32, 10, 40}};  // 10 pixels wide
    for (const auto &c : cases) {
        Owned dc = Make(10, 3, c[0]);
        ASSERT_TRUE(dc) << c[0];
        EXPECT_EQ(dc->type, MEMORYDC_TYPE);
        const MemoryDCInfo info = InfoOf(dc.get());
        EXPECT_EQ(info.mask, MEMORYDC_INFO_ALL);
        EXPECT_EQ(info.width, c[1]) << c[0];
        EXPECT_EQ(info.bytesPerLine, c[2]) << c[0];
        EXPECT_EQ(info.height, 3);
        EXPECT_EQ(info.bitCount, c[0]);
        EXPECT_EQ(info.bits, dc->surface.bits);
        DIBSECTION ds;  // the section the DC really holds
        ASSERT_EQ(GetObjectA(dc->surface.hbm, sizeof ds, &ds), int(sizeof ds));
        EXPECT_EQ(ds.dsBm.bmWidth, c[1]);
        EXPECT_EQ(ds.dsBm.bmWidthBytes, c[2]);
        EXPECT_EQ(ds.dsBm.bmBits, info.bits);
        EXPECT_EQ(GetCurrentObject(dc->ops.GetHDC(dc.get()), OBJ_BITMAP), dc->surface.hbm);
        MemoryDCInfo again;  // slot 13 is slot 2 again
        memset(&again, 0xAB, sizeof again);
        EXPECT_EQ(dc->ops.GetInfo2(dc.get(), &again), 1);
        EXPECT_EQ(memcmp(&again, &info, sizeof info), 0);
    }
}

TEST(MemoryDC, DefaultSlotsDoNothing) {
    Owned dc = Make(8, 8, 24);
    Fill(dc.get(), Pattern);
    const MemoryDC before = *dc;
    const std::vector<BYTE> pixels(PixelAt(dc.get(), 0, 0), PixelAt(dc.get(), 0, 8));
    for (MemoryDCDefaultProc slot : {dc->ops.Reserved3, dc->ops.Reserved4, dc->ops.Reserved5,
                                     dc->ops.Reserved12, dc->ops.Reserved14})
        EXPECT_EQ(slot(dc.get()), 0);
    EXPECT_EQ(memcmp(&before, dc.get(), sizeof before), 0);
    EXPECT_EQ(memcmp(pixels.data(), dc->surface.bits, pixels.size()), 0);
    EXPECT_EQ(dc->ops.GetInfo(dc.get(), nullptr), 0);
}

TEST(MemoryDC, DrawingAndBlitsByPixels) {
    Owned dc = Make(8, 8, 24), dst = Make(20, 20, 32);  // dst: a second DIB section
    ASSERT_TRUE(dc && dst);
    // Through the DC and through the bits; row 0 is the top row.
    HDC hdc = dc->ops.GetHDC(dc.get());
    SetPixel(hdc, 1, 0, RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(memcmp(PixelAt(dc.get(), 1, 0), "\x30\x20\x10", 3), 0);
    Put(dc.get(), 4, 7, RGB(0xA0, 0xB0, 0xC0));
    EXPECT_EQ(GetPixel(hdc, 4, 7), RGB(0xA0, 0xB0, 0xC0));

    auto expectDst = [&](auto inside, auto expected) {
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                EXPECT_EQ(Get(dst.get(), x, y), inside(x, y) ? expected(x, y) : Blank(x, y))
                    << x << "," << y;
    };
    HDC dstDC = dst->ops.GetHDC(dst.get());
    const HGDIOBJ palette = GetCurrentObject(dstDC, OBJ_PAL);
    Fill(dc.get(), Pattern);
    Fill(dst.get(), Blank);
    const RECT part = {2, 3, 6, 7};
    EXPECT_EQ(dc->ops.BltTo(dc.get(), dstDC, 5, 6, &part), 1);
    expectDst([](int x, int y) { return x >= 5 && x < 9 && y >= 6 && y < 10; },
              [](int x, int y) { return Pattern(x - 3, y - 3); });
    EXPECT_EQ(GetCurrentObject(dstDC, OBJ_PAL), palette);  // restored

    Fill(dst.get(), Blank);
    SetStretchBltMode(dstDC, BLACKONWHITE);
    const RECT twice = {10, 10, 18, 18}, from = {0, 0, 4, 4};
    EXPECT_EQ(dc->ops.StretchBltTo(dc.get(), dstDC, &twice, &from), 1);
    expectDst([](int x, int y) { return x >= 10 && x < 18 && y >= 10 && y < 18; },
              [](int x, int y) { return Pattern((x - 10) / 2, (y - 10) / 2); });
    EXPECT_EQ(GetStretchBltMode(dstDC), COLORONCOLOR);  // left set
    EXPECT_EQ(GetCurrentObject(dstDC, OBJ_PAL), palette);

    Fill(dst.get(), Pattern);
    Fill(dc.get(), Blank);
    const RECT src = {3, 4, 6, 6};
    EXPECT_EQ(dc->ops.BltFrom(dc.get(), 1, 2, dstDC, &src), 1);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(Get(dc.get(), x, y),
                      x >= 1 && x < 4 && y >= 2 && y < 4 ? Pattern(x + 2, y + 2) : Blank(x, y));

    EXPECT_EQ(dc->ops.BltTo(dc.get(), dstDC, 0, 0, nullptr), 0);
    EXPECT_EQ(dc->ops.BltFrom(dc.get(), 0, 0, dstDC, nullptr), 0);
    EXPECT_EQ(dc->ops.StretchBltTo(dc.get(), dstDC, &twice, nullptr), 0);
}

TEST(MemoryDC, ColorTableAndPalette) {
    Owned dc = Make(16, 1, 8), dst = Make(16, 1, 32);
    ASSERT_TRUE(dc && dst);
    std::vector<PALETTEENTRY> pal = PaletteOf(dc.get());  // a new surface: one black entry
    ASSERT_EQ(pal.size(), 1u);
    EXPECT_EQ(dc->surface.palEntries, 1);
    EXPECT_EQ(pal[0].peRed | pal[0].peGreen | pal[0].peBlue | pal[0].peFlags, 0);

    RGBQUAD table[256], sixteen[16], four[4], seven[7], back[16];
    dc->ops.GetColorTable(dc.get(), 0, 256, table);
    for (int i = 0; i < 16; ++i) sixteen[i] = Quad(BYTE(10 * i), BYTE(200 - i), BYTE(i));
    for (int i = 0; i < 4; ++i) four[i] = Quad(0xEE, BYTE(i), 0x11);
    for (int i = 0; i < 7; ++i) seven[i] = Quad(BYTE(i + 1), 0x40, 0x80);
    const struct { int32_t start, count; const RGBQUAD *colors; } refused[] = {
        {250, 7, seven}, {256, 0, seven}, {-1, 1, seven}, {0, -1, seven}, {1, INT32_MAX, seven},
        {0, 1, nullptr}};
    for (const auto &r : refused) {
        EXPECT_EQ(dc->ops.SetColorTable(dc.get(), r.start, r.count, r.colors), 0) << r.start;
        EXPECT_EQ(dc->surface.palEntries, 1);
    }
    EXPECT_EQ(dc->ops.GetColorTable(dc.get(), 0, -1, back), 0);
    EXPECT_EQ(dc->ops.GetColorTable(dc.get(), 0, 1, nullptr), 0);
    // A start outside the table reads nothing, and still gives 1.
    RGBQUAD untouched[4];
    memset(untouched, 0x5A, sizeof untouched);
    for (int32_t start : {-1, -4, INT32_MIN, 256, 300, INT32_MAX}) {
        RGBQUAD out[4];
        memset(out, 0x5A, sizeof out);
        EXPECT_EQ(dc->ops.GetColorTable(dc.get(), start, 4, out), 1) << start;
        EXPECT_EQ(memcmp(out, untouched, sizeof out), 0) << start;
    }
    EXPECT_EQ(dc->ops.GetColorTable(dc.get(), -2, 0, nullptr), 1);

    EXPECT_EQ(dc->ops.SetColorTable(dc.get(), 0, 16, sixteen), 1);
    EXPECT_EQ(dc->ops.GetColorTable(dc.get(), 0, 16, back), 1);
    EXPECT_EQ(memcmp(back, sixteen, sizeof back), 0);
    EXPECT_EQ(dc->ops.SetColorTable(dc.get(), 0, 4, four), 1);
    pal = PaletteOf(dc.get());  // keeps 16 entries, the first four new
    ASSERT_EQ(pal.size(), 16u);
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(Same(pal[i], i < 4 ? four[i] : sixteen[i])) << i;

    // Pixels are colour-table indices.
    PixelAt(dc.get(), 0, 0)[5] = 12, PixelAt(dc.get(), 0, 0)[6] = 2;
    const RECT all = {0, 0, 16, 1};
    dc->ops.BltTo(dc.get(), dst->ops.GetHDC(dst.get()), 0, 0, &all);
    EXPECT_EQ(Get(dst.get(), 5, 0), RGB(sixteen[12].rgbRed, sixteen[12].rgbGreen, sixteen[12].rgbBlue));
    EXPECT_EQ(Get(dst.get(), 6, 0), RGB(four[2].rgbRed, four[2].rgbGreen, four[2].rgbBlue));

    EXPECT_EQ(dc->ops.SetColorTable(dc.get(), 250, 6, seven), 1);
    pal = PaletteOf(dc.get());
    ASSERT_EQ(pal.size(), 256u);
    for (int i : {0, 9, 246, 255}) EXPECT_EQ(pal[i].peFlags, 0) << i;
    for (int i : {10, 100, 245}) EXPECT_EQ(pal[i].peFlags, PC_NOCOLLAPSE) << i;
    for (int i : {16, 100, 249}) EXPECT_TRUE(Same(pal[i], table[i])) << i;  // from the colour table
    EXPECT_TRUE(Same(pal[255], seven[5]));

    Owned deep = Make(4, 4, 24);  // no colour table: only the given entries are set
    ASSERT_EQ(deep->ops.SetColorTable(deep.get(), 2, 3, seven), 1);
    pal = PaletteOf(deep.get());
    ASSERT_EQ(pal.size(), 5u);
    EXPECT_TRUE(Same(pal[4], seven[2]));
}

TEST(MemoryDC, ResizeKeepsOrChangesTheDepth) {
    Owned dc = Make(10, 10, 24);
    RGBQUAD q[3] = {};
    dc->ops.SetColorTable(dc.get(), 0, 3, q);
    const MemoryDCSize keep = {0, 12345, 21, 5}, eight = {8, 0, 10, 10};
    EXPECT_EQ(dc->ops.Resize(dc.get(), &keep), 1);
    EXPECT_EQ(Shape(dc.get()), "24bpp 24x5 72");
    EXPECT_EQ(PaletteOf(dc.get()).size(), 1u);  // starts again
    EXPECT_EQ(dc->ops.Resize(dc.get(), &eight), 1);
    EXPECT_EQ(Shape(dc.get()), "8bpp 12x10 12");
    EXPECT_EQ(GetCurrentObject(dc->ops.GetHDC(dc.get()), OBJ_BITMAP), dc->surface.hbm);
    EXPECT_EQ(dc->ops.Resize(dc.get(), nullptr), 0);
}

TEST(MemoryDC, FailuresLeaveNoHandle) {
    auto lifetime = [](int32_t bits) {
        Owned dc = Make(20, 20, bits), dst = Make(32, 32, 32);
        RGBQUAD q[2] = {};
        dc->ops.SetColorTable(dc.get(), 100, 2, q);
        const RECT r = {0, 0, 20, 20}, big = {0, 0, 32, 32};
        dc->ops.StretchBltTo(dc.get(), dst->ops.GetHDC(dst.get()), &big, &r);
        MemoryDCSize size = {0, 0, 30, 30};
        dc->ops.Resize(dc.get(), &size);
    };
    lifetime(8);  // lets the system make what it makes on first use
    const int before = GdiObjectCount();
    const int32_t refused[][3] = {{10, 10, 0}, {10, 10, -8}, {10, 10, 7}, {10, 10, 33},
                                  {0, 10, 8},  {10, -5, 8},  {100000, 100000, 32}};
    for (const auto &r : refused) EXPECT_EQ(CreateMemoryDC(r[0], r[1], r[2]), nullptr) << r[2];
    EXPECT_EQ(GdiObjectCount(), before);
    {
        Owned dc = Make(10, 10, 8), other = Make(4, 4, 32);
        RGBQUAD q = Quad(9, 9, 9);
        dc->ops.SetColorTable(dc.get(), 0, 1, &q);
        MemoryDCSize bad = {7, 0, 10, 10};  // a depth the system refuses
        EXPECT_EQ(dc->ops.Resize(dc.get(), &bad), 0);
        EXPECT_EQ(Shape(dc.get()), "0bpp 0x0 0");  // no surface left
        EXPECT_EQ(InfoOf(dc.get()).bits, nullptr);
        EXPECT_EQ(dc->ops.GetHDC(dc.get()), nullptr);
        const RECT r = {0, 0, 4, 4};
        HDC otherDC = other->ops.GetHDC(other.get());
        EXPECT_EQ(dc->ops.BltTo(dc.get(), otherDC, 0, 0, &r), 0);
        EXPECT_EQ(dc->ops.StretchBltTo(dc.get(), otherDC, &r, &r), 0);
        EXPECT_EQ(dc->ops.BltFrom(dc.get(), 0, 0, otherDC, &r), 0);
        EXPECT_EQ(dc->ops.SetColorTable(dc.get(), 0, 1, &q), 0);
        EXPECT_EQ(dc->ops.GetColorTable(dc.get(), 0, 1, &q), 0);
        MemoryDCSize keep = {0, 0, 4, 4};  // there is no depth to keep
        EXPECT_EQ(dc->ops.Resize(dc.get(), &keep), 0);
        other.reset();
        EXPECT_EQ(GdiObjectCount(), before);  // the old surface is gone
        MemoryDCSize good = {24, 0, 6, 6};    // and can come back
        EXPECT_EQ(dc->ops.Resize(dc.get(), &good), 1);
        Put(dc.get(), 5, 5, RGB(1, 2, 3));
        EXPECT_EQ(GetPixel(dc->ops.GetHDC(dc.get()), 5, 5), RGB(1, 2, 3));
        EXPECT_EQ(dc->ops.Resize(dc.get(), &bad), 0);
    }  // released after the failure without touching deleted handles
    EXPECT_EQ(GdiObjectCount(), before);
    for (int32_t bits : {1, 4, 8, 16, 24, 32}) lifetime(bits);
    EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
