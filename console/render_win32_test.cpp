// Drawing through real GDI (the DLL under wine): pixels read back from a
// DIB section, and text outputs counted in an enhanced metafile.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "zubo.h"

namespace {

const COLORREF kMarker = RGB(1, 2, 3);  // what lies under the drawing

// A 32-bit top-down DIB section selected into a memory DC.
class Canvas {
public:
    Canvas(int w, int h) : w_(w), h_(h) {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits_),
                                nullptr, 0);
        old_ = SelectObject(dc_, bmp_);
        Fill(kMarker);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    bool ok() const { return dc_ && bmp_ && bits_; }
    void Fill(COLORREF c) {
        for (int i = 0; i < w_ * h_; ++i) bits_[i] = GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16;
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const uint32_t p = bits_[y * w_ + x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }

private:
    int w_, h_;
    HDC dc_;
    HBITMAP bmp_;
    HGDIOBJ old_;
    uint32_t *bits_ = nullptr;
};

// A monospace font whose widest glyph is twice its advance, so that cells
// (half the widest glyph) and glyphs line up.
struct TestFont {
    HFONT font = CreateFontA(-16, 8, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                             FIXED_PITCH | FF_MODERN, "DejaVu Sans Mono");
    ~TestFont() { DeleteObject(font); }
};

TEXTMETRICA Metrics(HGDIOBJ font) {
    HDC dc = GetDC(GetDesktopWindow());
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(GetDesktopWindow(), dc);
    return tm;
}

COLORREF Rgb(ConsoutColor c) { return c & 0xFFFFFF; }

struct Render : ::testing::Test {
    TestFont font;
    Consout *c = nullptr;
    int fw = 0, bs = 0, th = 0;

    void Make(int32_t w, int32_t h, int32_t maxline) {
        c = CreateConsout(w, h, maxline);
        ASSERT_NE(c, nullptr);
        ASSERT_NE(Consout_SetFont(c, font.font), 0);
        fw = Consout_GetFontWidth(c);
        bs = Consout_GetBaselineskip(c);
        th = Consout_GetFontHeight(c);
        ASSERT_EQ(fw, 8) << "the test font (fonts-dejavu-core) is missing";
    }
    ~Render() override { Consout_Release(c); }
    void Feed(const std::string &bytes) {
        for (unsigned char b : bytes) Consout_Putchar(c, b);
    }
    // Blank cells in one attribute, from the cursor on.
    void Blanks(int32_t attr, int n) {
        Consout_SetAttr(c, attr);
        Feed(std::string(n, ' '));
    }
    // A pixel inside cell (x, row), clear of the cell's edges.
    COLORREF CellPixel(const Canvas &cv, int x, int row) const {
        return cv.At(x * fw + fw / 2, row * bs + th / 2);
    }
};

TEST_F(Render, FontMetricsGiveTheCellSize) {
    c = CreateConsout(20, 5, 10);
    ASSERT_NE(c, nullptr);
    const TEXTMETRICA stock = Metrics(GetStockObject(SYSTEM_FIXED_FONT));
    EXPECT_EQ(Consout_GetFontWidth(c), stock.tmMaxCharWidth / 2);
    EXPECT_EQ(Consout_GetFontHeight(c), stock.tmHeight);
    EXPECT_EQ(Consout_GetBaselineskip(c), stock.tmHeight);

    const TEXTMETRICA tm = Metrics(font.font);
    Consout_SetBaselineskip(c, 40);
    Consout_DirtyClean(c);
    EXPECT_NE(Consout_SetFont(c, font.font), 0);
    EXPECT_EQ(Consout_GetFontWidth(c), tm.tmMaxCharWidth / 2);
    EXPECT_EQ(Consout_GetFontHeight(c), tm.tmHeight);
    EXPECT_EQ(Consout_GetBaselineskip(c), tm.tmHeight);
    RECT r;
    Consout_GetDirtyRect(c, &r);
    EXPECT_EQ(r.right, 20 * Consout_GetFontWidth(c));

    // A handle that is no font cannot be measured: sizes stay.
    Consout_DirtyClean(c);
    EXPECT_EQ(Consout_SetFont(c, reinterpret_cast<HFONT>(static_cast<uintptr_t>(0x1234))), 0);
    EXPECT_EQ(Consout_SetFont(c, nullptr), 0);
    EXPECT_EQ(Consout_GetFontWidth(c), tm.tmMaxCharWidth / 2);
    EXPECT_EQ(Consout_GetBaselineskip(c), tm.tmHeight);
    Consout_GetDirtyRect(c, &r);
    EXPECT_EQ(r.left, 0);  // marked dirty all the same
    EXPECT_EQ(Consout_SetBaselineskip(c, 0), 1);
    EXPECT_EQ(Consout_SetBaselineskip(c, -7), 1);
}

TEST_F(Render, EachCellGetsItsBackgroundAndTransparentCellsKeepTheGround) {
    Make(16, 3, 5);
    Canvas cv(16 * fw + 40, 3 * bs + 8);
    ASSERT_TRUE(cv.ok());
    for (int32_t i = 0; i < 16; ++i) Blanks(i, 1);  // row 0: background i
    Blanks(0x1F, 3);                                // row 1: opaque, transparent, opaque
    Blanks(0x1F | ATTR_TRANSPARENT, 4);
    Blanks(0x1F, 3);
    EXPECT_EQ(Consout_Draw(c, cv.dc(), 0, 0, 0, 0, 16 * fw, 3 * bs), 1);
    const ConsoutColor colors[CONSOUT_NCOLORS] = DEFAULT_COLORS;
    for (int x = 0; x < 16; ++x) EXPECT_EQ(CellPixel(cv, x, 0), Rgb(colors[x])) << x;
    for (int x = 0; x < 10; ++x) {
        const bool transparent = x >= 3 && x < 7;
        EXPECT_EQ(CellPixel(cv, x, 1), transparent ? kMarker : Rgb(colors[15])) << x;
    }
    EXPECT_EQ(CellPixel(cv, 12, 2), RGB(0, 0, 0));  // a new console: black ground
    EXPECT_EQ(cv.At(16 * fw + 4, 4), kMarker);      // nothing right of the screen

    // A new colour table: background 0 becomes blue at the next drawing.
    ConsoutColor table[CONSOUT_NCOLORS] = DEFAULT_COLORS;
    table[0] = 0x02FF0000;
    Consout_DirtyClean(c);
    EXPECT_EQ(Consout_SetColors(c, table), 1);
    cv.Fill(kMarker);
    Consout_Update(c, cv.dc(), 0, 0);
    EXPECT_EQ(CellPixel(cv, 12, 2), RGB(0, 0, 255));
    EXPECT_EQ(CellPixel(cv, 0, 0), RGB(0, 0, 255));
}

TEST_F(Render, ScrolledBackViewShowsOlderLines) {
    Make(8, 3, 20);
    // Line k is blank in background k: each line feed on the last row
    // brings a line in the current attribute.
    Consout_MoveCurDownMost(c);
    for (int32_t k = 1; k <= 6; ++k) {
        Consout_SetAttr(c, k);
        Feed("\n");
    }
    // Lines: 3 from creation (background 0), then 1 ... 6; screen 4, 5, 6.
    ASSERT_EQ(Consout_SetViewline(c, 3), 1);
    Canvas cv(8 * fw, 3 * bs);
    Consout_Draw(c, cv.dc(), 0, 0, 0, 0, 8 * fw, 3 * bs);
    const ConsoutColor colors[CONSOUT_NCOLORS] = DEFAULT_COLORS;
    for (int row = 0; row < 3; ++row) EXPECT_EQ(CellPixel(cv, 4, row), Rgb(colors[row + 1])) << row;
    // An origin moves the drawing: view row 1 at device row 0.
    cv.Fill(kMarker);
    Consout_Draw(c, cv.dc(), 0, bs, 0, bs, 8 * fw, bs);
    EXPECT_EQ(CellPixel(cv, 4, 0), Rgb(colors[2]));
    EXPECT_EQ(CellPixel(cv, 4, 1), kMarker);
}

TEST_F(Render, RowsSpreadByTheBaselineSkipLeaveAStrip) {
    Make(6, 3, 3);
    ASSERT_EQ(Consout_SetBaselineskip(c, th + 6), th + 6);
    bs = th + 6;
    Canvas cv(6 * fw, 3 * bs);
    Consout_Draw(c, cv.dc(), 0, 0, 0, 0, 6 * fw, 3 * bs);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(cv.At(2 * fw, row * bs + 1), RGB(0, 0, 0)) << row;
        EXPECT_EQ(cv.At(2 * fw, row * bs + th + 3), kMarker) << row;
    }
}

TEST_F(Render, UpdateDrawsOnlyTheDirtyRectangle) {
    Make(10, 4, 4);
    Canvas cv(10 * fw, 4 * bs);
    Consout_Update(c, cv.dc(), 0, 0);
    EXPECT_EQ(CellPixel(cv, 9, 3), RGB(0, 0, 0));
    RECT r;
    Consout_GetDirtyRect(c, &r);
    EXPECT_EQ(r.left, DIRTY_CLEAN * fw);
    EXPECT_EQ(r.right, 0);

    Consout_MoveCur(c, 3, 1);
    Blanks(0x04, 2);  // cells 3 and 4 of row 1 on blue
    Consout_GetDirtyRect(c, &r);
    EXPECT_EQ(r.left, 3 * fw);
    EXPECT_EQ(r.top, bs);
    EXPECT_EQ(r.right, 5 * fw);
    EXPECT_EQ(r.bottom, 2 * bs);
    cv.Fill(kMarker);
    EXPECT_EQ(Consout_Update(c, cv.dc(), 0, 0), 1);
    const ConsoutColor colors[CONSOUT_NCOLORS] = DEFAULT_COLORS;
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 10; ++x) {
            const bool dirty = row == 1 && (x == 3 || x == 4);
            EXPECT_EQ(CellPixel(cv, x, row), dirty ? Rgb(colors[4]) : kMarker) << x << "," << row;
        }
    cv.Fill(kMarker);
    Consout_Update(c, cv.dc(), 0, 0);  // clean now: nothing drawn
    EXPECT_EQ(CellPixel(cv, 3, 1), kMarker);
}

// Text outputs and background modes recorded into an enhanced metafile.
struct Recorded {
    std::vector<int> chars;  // characters of each text output
    std::vector<POINT> at;
    std::vector<int> bkModes;
    int records = 0;
};

int CALLBACK Collect(HDC, HANDLETABLE *, const ENHMETARECORD *rec, int, LPARAM p) {
    Recorded *r = reinterpret_cast<Recorded *>(p);
    ++r->records;
    if (rec->iType == EMR_EXTTEXTOUTA || rec->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW *t = reinterpret_cast<const EMREXTTEXTOUTW *>(rec);
        r->chars.push_back(static_cast<int>(t->emrtext.nChars));
        r->at.push_back({t->emrtext.ptlReference.x, t->emrtext.ptlReference.y});
    } else if (rec->iType == EMR_SETBKMODE) {
        r->bkModes.push_back(static_cast<int>(reinterpret_cast<const EMRSETBKMODE *>(rec)->iMode));
    }
    return 1;
}

template <typename F>
Recorded Record(F draw) {
    HDC emf = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    draw(emf);
    HENHMETAFILE h = CloseEnhMetaFile(emf);
    Recorded r;
    EnumEnhMetaFile(nullptr, h, Collect, &r, nullptr);
    DeleteEnhMetaFile(h);
    return r;
}

TEST_F(Render, OneTextOutputPerRunOfEqualAttribute) {
    Make(5, 2, 2);
    for (int32_t attr : {0x0F, 0x0F, 0x1F, 0x0F}) Blanks(attr, 1);
    Recorded r = Record([&](HDC dc) { Consout_Draw(c, dc, -3, -5, 0, 0, 4 * fw, bs); });
    ASSERT_EQ(r.chars.size(), 3u);
    EXPECT_EQ(r.chars, (std::vector<int>{2, 1, 1}));
    EXPECT_EQ(r.at[1].x, 2 * fw + 3);
    EXPECT_EQ(r.at[2].y, 5);
    EXPECT_EQ(r.bkModes, (std::vector<int>{OPAQUE, OPAQUE, OPAQUE}));

    Consout_MoveCur(c, 1, 1);
    Blanks(0x0F | ATTR_TRANSPARENT, 1);
    r = Record([&](HDC dc) { Consout_Draw(c, dc, 0, 0, 0, bs, 3 * fw, bs); });
    EXPECT_EQ(r.bkModes, (std::vector<int>{OPAQUE, TRANSPARENT, OPAQUE}));

    // A rectangle right of the screen: nothing at all reaches the DC.
    const int empty = Record([](HDC) {}).records;
    r = Record([&](HDC dc) { EXPECT_EQ(Consout_Draw(c, dc, 0, 0, 5 * fw + 1, 0, 8, 8), 0); });
    EXPECT_EQ(r.records, empty);
}

// A negative width (height) gets the offset into the first cell (row)
// added as it is: one pixel into a cell with width -1 draws nothing.
TEST_F(Render, NegativeWidthsAndHeightsTakeTheOffsetAsTheyAre) {
    Make(5, 3, 3);
    Blanks(0x0F, 15);
    const int empty = Record([](HDC) {}).records;
    Recorded r = Record([&](HDC dc) { EXPECT_EQ(Consout_Draw(c, dc, 0, 0, fw + 1, 0, -1, bs), 1); });
    EXPECT_TRUE(r.chars.empty());
    r = Record([&](HDC dc) { EXPECT_EQ(Consout_Draw(c, dc, 0, 0, 0, bs + 1, fw, -1), 1); });
    EXPECT_TRUE(r.chars.empty());
    r = Record([&](HDC dc) { Consout_Draw(c, dc, 0, 0, fw + 3, bs + 5, -1, -2); });
    ASSERT_EQ(r.chars, (std::vector<int>{1}));  // cell (1, 1) alone
    EXPECT_EQ(r.at[0].x, fw);
    EXPECT_EQ(r.at[0].y, bs);
    r = Record([&](HDC dc) { Consout_Draw(c, dc, 0, 0, fw + 1, 0, INT32_MIN, bs); });
    EXPECT_TRUE(r.chars.empty());
    EXPECT_GT(r.records, empty);  // the font was selected: the call drew, just nothing
}

TEST_F(Render, LongRowsTakeSeveralTextOutputs) {
    Make(1100, 1, 1);
    Recorded r = Record([&](HDC dc) { Consout_Draw(c, dc, 0, 0, 0, 0, 1100 * fw, bs); });
    ASSERT_EQ(r.chars.size(), 2u);
    EXPECT_EQ(r.chars[0], RUN_MAX);
    EXPECT_EQ(r.chars[1], 1100 - RUN_MAX);
    EXPECT_EQ(r.at[1].x, RUN_MAX * fw);
}

// The host draws the screen, scrolls the view back and updates: the
// picture is the whole view drawn afresh, however far back the view
// stands, also with cells written in between.
TEST_F(Render, UpdateAfterScrollingBackDrawsTheWholeView) {
    const int32_t h = 4;
    for (int32_t v : {1, h - 1, h, h + 3}) {
        for (bool writes : {false, true}) {
            Make(10, h, 40);
            // Every line its own background and text.
            Consout_SetOutputMode(c, OUTMODE_ENABLE | OUTMODE_NEWLINE_CR);
            for (int32_t k = 0; k < 20; ++k) {
                Consout_SetAttr(c, 0xF0 | (k % 15 + 1));
                Feed("row " + std::to_string(k) + "\n");
            }
            Canvas shown(10 * fw, h * bs), fresh(10 * fw, h * bs);
            ASSERT_TRUE(shown.ok() && fresh.ok());
            Consout_Update(c, shown.dc(), 0, 0);  // what the host shows: the screen
            ASSERT_EQ(Consout_SetViewline(c, v), 1);
            if (writes) {
                Consout_SetAttr(c, 0x0C);
                for (int32_t y = 0; y < h; ++y) {
                    Consout_MoveCur(c, 2 * y + 1, y);
                    Feed("*");
                }
            }
            RECT r;
            Consout_GetDirtyRect(c, &r);
            EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right >= 10 * fw && r.bottom >= h * bs)
                << v << " " << writes;
            Consout_Draw(c, fresh.dc(), 0, 0, 0, 0, 10 * fw, h * bs);
            Consout_Update(c, shown.dc(), 0, 0);
            int differ = 0;
            for (int y = 0; y < h * bs; ++y)
                for (int x = 0; x < 10 * fw; ++x) differ += shown.At(x, y) != fresh.At(x, y);
            EXPECT_EQ(differ, 0) << "view line " << v << (writes ? ", cells written" : "");
            Consout_Release(c);
            c = nullptr;
        }
    }
}

// Drawing hands the host's device context back as it came: text and
// background colours, background mode, text alignment and font.
TEST_F(Render, DrawingLeavesTheDeviceContextAsItWas) {
    Make(12, 2, 4);
    Blanks(0x1F, 3);
    Blanks(0x2E | ATTR_TRANSPARENT, 3);
    Feed("abc");
    Canvas cv(12 * fw, 2 * bs);
    ASSERT_TRUE(cv.ok());
    HDC dc = cv.dc();
    HGDIOBJ hostFont = GetCurrentObject(dc, OBJ_FONT);
    const COLORREF text = RGB(11, 22, 33), back = RGB(44, 55, 66);
    for (int mode : {TRANSPARENT, OPAQUE}) {
        for (UINT align : {UINT{TA_RIGHT | TA_BOTTOM}, UINT{TA_CENTER | TA_BASELINE}}) {
            SetTextColor(dc, text);
            SetBkColor(dc, back);
            SetBkMode(dc, mode);
            SetTextAlign(dc, align);
            EXPECT_EQ(Consout_Draw(c, dc, 0, 0, 0, 0, 12 * fw, 2 * bs), 1);
            Consout_SetViewline(c, 0);  // all dirty: the update draws every run
            Consout_Update(c, dc, 0, 0);
            EXPECT_EQ(GetTextColor(dc), text) << mode << " " << align;
            EXPECT_EQ(GetBkColor(dc), back) << mode << " " << align;
            EXPECT_EQ(GetBkMode(dc), mode) << mode << " " << align;
            EXPECT_EQ(GetTextAlign(dc), align) << mode << " " << align;
            EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), hostFont);
        }
    }
    const ConsoutColor colors[CONSOUT_NCOLORS] = DEFAULT_COLORS;
    EXPECT_EQ(CellPixel(cv, 1, 0), Rgb(colors[15]));  // it did draw
}

}  // namespace
