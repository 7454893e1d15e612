// Characters on their cells with any fixed-pitch font, in the console and
// the list view. The program runs twice: under code page 932
// (LC_ALL=ja_JP.UTF-8) and under 1252 (LC_ALL=C.UTF-8). The fonts:
// - "ZUBO Gothic" (ZuboGothic.ttf beside the program), the cell font the
//   library's rule was made for: a cell is half its widest character;
// - "ZUBO Mono" (ZuboMono.ttf), DejaVu Sans Mono measured as Windows
//   measures its Western fixed-pitch fonts: its widest character is its
//   narrow one, so half of it would be half a glyph;
// - "DejaVu Sans Mono" and "VL Gothic" as the system has them, whose widest
//   character is wider than two narrow ones under wine.
// A character drawn by the library must look, within its cells, as the
// system draws it alone at its cell's left edge, with no ink outside those
// cells; and redrawing a shorter row leaves nothing of a longer one.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "library/dib_test_support_win32.h"
#include "library/window_test_support_win32.h"
#include "zubo.h"

namespace {

// "日本語" and a half-width "ｶ" in Shift_JIS.
const std::string kKanji = "\x93\xfa\x96\x7b\x8c\xea";
const std::string kKana = "\xb6";

struct FontCase {
    const char *face;
    bool cellFont;  // the font the cell rule was made for
};
void PrintTo(const FontCase &f, std::ostream *os) { *os << f.face; }

const FontCase kFonts[] = {
    {"ZUBO Gothic", true},
    {"ZUBO Mono", false},
    {"DejaVu Sans Mono", false},
    {"VL Gothic", false},
};

class Setup : public ::testing::Environment {
public:
    void SetUp() override {
        for (const char *file : {"ZuboGothic.ttf", "ZuboMono.ttf"})
            ASSERT_GT(AddFontResourceExA(file, FR_PRIVATE, nullptr), 0) << file;
        ASSERT_NE(InitZubolist(), 0);
    }
};
const auto *setup = ::testing::AddGlobalTestEnvironment(new Setup);

struct Font {
    HFONT font;
    TEXTMETRICA tm = {};
    int widestAscii = 0;
    std::string face;
    explicit Font(const char *name)
        : font(CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN,
                           name)) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        GetTextMetricsA(dc, &tm);
        INT widths[0x7F - 0x20];
        GetCharWidth32A(dc, 0x20, 0x7E, widths);
        widestAscii = *std::max_element(widths, widths + (0x7F - 0x20));
        char name2[LF_FACESIZE] = "";
        GetTextFaceA(dc, sizeof name2, name2);
        face = name2;
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
    }
    ~Font() { DeleteObject(font); }
    // The cell: half the widest character, never less than the advance.
    int Cell() const { return std::max<int>(tm.tmMaxCharWidth / 2, widestAscii); }
};

uint32_t Pixel(COLORREF c) { return GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16; }

struct Canvas : zubo_test::DibCanvas {
    using DibCanvas::DibCanvas;
    void Fill(COLORREF c) {
        GdiFlush();
        std::fill(bits, bits + width * height, Pixel(c));
    }
    uint32_t At(int x, int y) const { return bits[y * width + x]; }
    // Pixels of rows [y0, y1) and columns [x0, x1) that differ from `other`.
    int Differing(const Canvas &other, int x0, int x1, int y0, int y1) const {
        GdiFlush();
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += At(x, y) != other.At(x, y);
        return n;
    }
    // Pixels of rows [y0, y1) and columns [x0, x1) other than c.
    int Other(COLORREF c, int x0, int x1, int y0, int y1) const {
        GdiFlush();
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += At(x, y) != Pixel(c);
        return n;
    }
};

// One character as the system draws it alone from (x, y), in the way the
// library's text reaches it on this code page: the bytes under 932, the
// UTF-16 read from Shift_JIS elsewhere (the fonts here are of the system's
// own set, which reads Shift_JIS only under 932).
void DrawAlone(HDC dc, HFONT font, int x, int y, const std::string &bytes, COLORREF fg,
               COLORREF bg) {
    HGDIOBJ old = SelectObject(dc, font);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, fg);
    SetBkColor(dc, bg);
    if (GetACP() == 932) {
        ExtTextOutA(dc, x, y, 0, nullptr, bytes.data(), static_cast<UINT>(bytes.size()), nullptr);
    } else {
        wchar_t wide[4];
        const int n = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()),
                                          wide, 4);
        ExtTextOutW(dc, x, y, 0, nullptr, wide, static_cast<UINT>(n), nullptr);
    }
    SelectObject(dc, old);
}

// Every character of a row of cells (its bytes, `text`, starting at column
// `from`) in a drawing, row top y: within its cells it looks as the system
// draws it alone at its cell's left edge, and drawn alone it leaves no ink
// outside its cells. Spaces are skipped. Returns the characters that fail.
int CheckCharacters(const Canvas &drawn, const Font &font, int cell, int y,
                    const std::string &text, int from, COLORREF fg, COLORREF bg,
                    const std::string &what) {
    Canvas alone(drawn.width, drawn.height);
    int failed = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t len = IsDBCSLeadByteEx(932, static_cast<BYTE>(text[i])) ? 2 : 1;
        const int col = from + static_cast<int>(i);
        const std::string ch = text.substr(i, len);
        i += len;
        if (ch == " ") continue;
        alone.Fill(bg);
        DrawAlone(alone.dc, font.font, col * cell, y, ch, fg, bg);
        const int x0 = col * cell, x1 = x0 + static_cast<int>(len) * cell;
        const int y1 = y + font.tm.tmHeight;
        const int differ = drawn.Differing(alone, x0, x1, y, y1);
        // Outside the cells: left of them, right of them, above, below.
        const int outside = alone.Other(bg, 0, x0, 0, alone.height) +
                            alone.Other(bg, x1, alone.width, 0, alone.height) +
                            alone.Other(bg, x0, x1, 0, y) + alone.Other(bg, x0, x1, y1, alone.height);
        if (differ || outside) {
            ++failed;
            ADD_FAILURE() << what << ": character at column " << col << " (byte "
                          << std::hex << (static_cast<unsigned>(ch[0]) & 0xFF) << std::dec
                          << "): " << differ << " pixels differ from it drawn alone at its cell, "
                          << outside << " of its ink outside its cells";
        }
    }
    return failed;
}

std::string Describe(const Font &f) {
    return f.face + " under code page " + std::to_string(GetACP());
}

struct Fonts : ::testing::TestWithParam<FontCase> {
    Font font{GetParam().face};
    void SetUp() override {
        ASSERT_EQ(font.face, GetParam().face) << "the font is missing";
    }
};

TEST_P(Fonts, CellIsHalfTheWidestButNeverLessThanTheAdvance) {
    Consout *c = CreateConsout(10, 2, 2);
    ASSERT_NE(Consout_SetFont(c, font.font), 0);
    EXPECT_EQ(Consout_GetFontWidth(c), font.Cell()) << Describe(font);
    EXPECT_GE(Consout_GetFontWidth(c), font.widestAscii);
    if (GetParam().cellFont) {
        EXPECT_EQ(Consout_GetFontWidth(c), font.tm.tmMaxCharWidth / 2);
    }
    Consout_Release(c);
}

// Two runs in the console; then a long row that a shorter one replaces.
TEST_P(Fonts, ConsoleCharactersSitOnTheirCells) {
    const int cols = 24;
    Consout *c = CreateConsout(cols, 2, 2);
    ASSERT_NE(Consout_SetFont(c, font.font), 0);
    const int cw = Consout_GetFontWidth(c), bs = Consout_GetBaselineskip(c);
    auto feed = [c](const std::string &bytes) {
        for (unsigned char b : bytes) Consout_Putchar(c, b);
    };
    const std::string first = "Ab0#" + kKanji + "x" + kKana + "yz", second = "Q" + kKanji.substr(4) + "W";
    feed(first);
    Consout_SetAttr(c, 0x1E);
    feed(second);
    const ConsoutColor colors[CONSOUT_NCOLORS] = DEFAULT_COLORS;
    const COLORREF marker = RGB(1, 2, 3);
    Canvas cv(cols * cw + 3 * cw, 2 * bs);
    cv.Fill(marker);
    Consout_Draw(c, cv.dc, 0, 0, 0, 0, cols * cw, bs);
    const std::string what = "console, " + Describe(font);
    CheckCharacters(cv, font, cw, 0, first, 0, colors[15], colors[0], what);
    CheckCharacters(cv, font, cw, 0, second, static_cast<int>(first.size()), colors[1],
                    colors[14], what);
    // Every cell drawn has its background, and nothing is right of them.
    EXPECT_EQ(cv.Other(marker, 0, cols * cw, 0, font.tm.tmHeight), cols * cw * font.tm.tmHeight)
        << what;
    EXPECT_EQ(cv.Other(marker, cols * cw, cv.width, 0, cv.height), 0) << what;

    // A long row, then a short one in its place: the picture is the short
    // one drawn afresh.
    Consout_SetAttr(c, 0xF0);
    Consout_MoveCur(c, 0, 1);
    feed(std::string(cols - 1, 'M'));
    Consout_Update(c, cv.dc, 0, 0);
    Consout_MoveCur(c, 0, 1);
    feed("ab" + kKanji.substr(0, 2));
    Consout_DeleteLineFromCursor(c);
    Consout_Update(c, cv.dc, 0, 0);
    Canvas fresh(cv.width, cv.height);
    fresh.Fill(marker);
    Consout_Draw(c, fresh.dc, 0, 0, 0, 0, cols * cw, 2 * bs);
    EXPECT_EQ(cv.Differing(fresh, 0, cols * cw, bs, 2 * bs), 0) << what << ": the long row shows";
    Consout_Release(c);
}

// One parent for the whole program: under Xvfb without a window manager
// each top-level window takes seconds to take down.
HWND Parent() {
    static HWND parent = zubo_test::MakeTopLevelWindow("ZuboCellsParent", WS_POPUP | WS_VISIBLE,
                                                       0, 0, 800, 200);
    return parent;
}

void Settle(HWND view) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    UpdateWindow(view);
}

void Capture(HWND view, Canvas *cv) {
    Settle(view);
    HDC screen = GetDC(view);
    BitBlt(cv->dc, 0, 0, cv->width, cv->height, screen, 0, 0, SRCCOPY);
    ReleaseDC(view, screen);
    GdiFlush();
}

// Rows of the list view: each character on its cells, and a row that
// became shorter shows nothing of its longer text.
TEST_P(Fonts, ListViewCharactersSitOnTheirCells) {
    HWND view = CreateWindowA("ZUBOLIST", "", WS_CHILD | WS_VISIBLE, 0, 0, 760, 4 * 24, Parent(),
                              reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(Zubolist_SetFont(view, font.font), 1);
    const int cw = font.Cell(), lh = font.tm.tmHeight;
    RECT client;
    GetClientRect(view, &client);
    const int width = client.right;
    const std::string name2 = kKanji.substr(0, 4) + ".txt", comment = "c" + kKanji + kKana + "d";
    std::string a = "Ab", b = name2, cmt = comment;
    GdirlistEntry e = {&a[0], &b[0], 12, 34, &cmt[0], 0};
    Zubolist_Add(view, &e);
    std::string longComment(60, 'M');
    e.comment = &longComment[0];
    Zubolist_Add(view, &e);
    Zubolist_CursorEnd(view);  // both rows black on white
    Canvas cv(width, client.bottom);
    Capture(view, &cv);

    const int cols = width / cw;
    const int nameWidth = cols > 49 ? (cols - 49) / 2 + 12 : 12;
    char row[256];
    const int n = snprintf(row, sizeof row, "%*.*s/%-16.16s %9d %9d %s", nameWidth, nameWidth,
                           "Ab", name2.c_str(), 12, 34, comment.c_str());
    const std::string what = "list view, " + Describe(font);
    CheckCharacters(cv, font, cw, 0, std::string(row, n), 0, RGB(0, 0, 0), RGB(255, 255, 255),
                    what);
    // The row is filled to the window's right edge.
    EXPECT_EQ(cv.Other(RGB(255, 255, 255), n * cw, width, 0, lh), 0) << what;

    // The second row's comment becomes short; repainted without erasing,
    // nothing of the long one stays right of the short text.
    GdirlistEntry *second = nullptr;
    Zubolist_EnumAll(
        view,
        [](HWND, GdirlistEntry *entry, void *p) {
            *static_cast<GdirlistEntry **>(p) = entry;
            return 1;
        },
        &second);
    ASSERT_NE(second, nullptr);
    char *old = second->comment;
    second->comment = Gdirlist_StrDup("s");
    Gdirlist_StrFree(old);
    InvalidateRect(view, nullptr, FALSE);
    Capture(view, &cv);
    const int shortRow = snprintf(row, sizeof row, "%*.*s/%-16.16s %9d %9d %s", nameWidth,
                                  nameWidth, "Ab", name2.c_str(), 12, 34, "s");
    EXPECT_EQ(cv.Other(RGB(255, 255, 255), shortRow * cw, width, lh, 2 * lh), 0)
        << what << ": the long row shows";
    CheckCharacters(cv, font, cw, lh, std::string(row, shortRow), 0, RGB(0, 0, 0),
                    RGB(255, 255, 255), what + ", second row");
    DestroyWindow(view);
}

INSTANTIATE_TEST_SUITE_P(AnyFont, Fonts, ::testing::ValuesIn(kFonts),
                         [](const ::testing::TestParamInfo<FontCase> &param) {
                             std::string name = param.param.face;
                             name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
                             return name;
                         });

}  // namespace
