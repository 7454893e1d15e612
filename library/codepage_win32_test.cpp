// Japanese text on any system code page, through the exports. The program
// runs twice: under code page 932 (LC_ALL=ja_JP.UTF-8) and under 1252
// (LC_ALL=C.UTF-8); ZUBO_TEST_ACP names the code page a run is for. The
// text outputs and clipboard calls that ZUBO.dll makes are seen through
// its import table; the 932 run leaves its pixels in files beside the
// program, which the 1252 run compares with its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "library/clipboard_test_support_win32.h"
#include "library/dib_test_support_win32.h"
#include "library/window_test_support_win32.h"
#include "zubo.h"

namespace {

// "日本語テキスト" and "ｶﾅ" (half-width) in Shift_JIS, with their UTF-16.
const std::string kJapanese = "\x93\xfa\x96\x7b\x8c\xea\x83\x65\x83\x4c\x83\x58\x83\x67";
const std::wstring kJapaneseW = L"\u65e5\u672c\u8a9e\u30c6\u30ad\u30b9\u30c8";
const std::string kKana = "\xb6\xc5";
const std::wstring kKanaW = L"\uff76\uff85";

UINT RunCodePage() {
    const char *acp = getenv("ZUBO_TEST_ACP");
    return acp ? static_cast<UINT>(atoi(acp)) : 0;
}
bool Japanese() { return GetACP() == 932; }

// ---------------------------------------------------------------------
// What ZUBO.dll calls: its imports of the text outputs and the clipboard
// data functions replaced by recorders.

struct Call {
    std::string fn;      // "A" (ExtTextOutA), "W" (ExtTextOutW), "set", "get"
    int x = 0, y = 0;    // text outputs
    std::string bytes;   // ExtTextOutA
    std::wstring wide;   // ExtTextOutW
    UINT format = 0;     // clipboard
    bool operator==(const Call &o) const {
        return fn == o.fn && x == o.x && y == o.y && bytes == o.bytes && wide == o.wide &&
               format == o.format;
    }
};
std::ostream &operator<<(std::ostream &os, const Call &c) {
    os << c.fn << "(" << c.x << "," << c.y << ",";
    for (unsigned char b : c.bytes) os << std::hex << static_cast<int>(b) << " ";
    for (wchar_t w : c.wide) os << "U+" << std::hex << static_cast<int>(w) << " ";
    return os << std::dec << c.format << ")";
}
Call A(int x, int y, const std::string &b) { return {"A", x, y, b, L"", 0}; }
Call W(int x, int y, const std::wstring &w) { return {"W", x, y, "", w, 0}; }
Call Set(UINT f) { return {"set", 0, 0, "", L"", f}; }
Call Get(UINT f) { return {"get", 0, 0, "", L"", f}; }

std::vector<Call> calls;
bool replayAsBefore = false;  // ExtTextOutW drawn as the library did before: the bytes

using ExtTextOutAProc = BOOL(WINAPI *)(HDC, int, int, UINT, const RECT *, LPCSTR, UINT,
                                       const INT *);
using ExtTextOutWProc = BOOL(WINAPI *)(HDC, int, int, UINT, const RECT *, LPCWSTR, UINT,
                                       const INT *);
ExtTextOutAProc realExtTextOutA;
ExtTextOutWProc realExtTextOutW;
HANDLE(WINAPI *realSetClipboardData)(UINT, HANDLE);
HANDLE(WINAPI *realGetClipboardData)(UINT);

BOOL WINAPI RecordExtTextOutA(HDC dc, int x, int y, UINT options, const RECT *r, LPCSTR s,
                              UINT n, const INT *dx) {
    calls.push_back(A(x, y, std::string(s, n)));
    return realExtTextOutA(dc, x, y, options, r, s, n, dx);
}
// Replayed as before, the text goes back to its Shift_JIS bytes, each unit's
// advance shared by its bytes.
BOOL WINAPI RecordExtTextOutW(HDC dc, int x, int y, UINT options, const RECT *r, LPCWSTR s,
                              UINT n, const INT *dx) {
    calls.push_back(W(x, y, std::wstring(s, n)));
    if (replayAsBefore) {
        char bytes[4096];
        INT advances[4096];
        int len = 0;
        for (UINT u = 0; u < n; ++u) {
            const int k = WideCharToMultiByte(932, 0, s + u, 1, bytes + len, 2, nullptr, nullptr);
            for (int b = 0; b < k; ++b) advances[len + b] = dx ? dx[u] / k : 0;
            len += k;
        }
        return realExtTextOutA(dc, x, y, options, r, bytes, static_cast<UINT>(len),
                               dx ? advances : nullptr);
    }
    return realExtTextOutW(dc, x, y, options, r, s, n, dx);
}
HANDLE WINAPI RecordSetClipboardData(UINT f, HANDLE h) {
    calls.push_back(Set(f));
    return realSetClipboardData(f, h);
}
HANDLE WINAPI RecordGetClipboardData(UINT f) {
    calls.push_back(Get(f));
    return realGetClipboardData(f);
}

// The names a module imports from one DLL, each with its slot in the
// import address table.
struct Import {
    std::string name;
    void **slot;
};
std::vector<Import> ImportsOf(HMODULE module, const char *dll) {
    std::vector<Import> out;
    BYTE *base = reinterpret_cast<BYTE *>(module);
    const IMAGE_NT_HEADERS *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY &dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto *d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + dir.VirtualAddress); d->Name;
         ++d) {
        if (lstrcmpiA(reinterpret_cast<const char *>(base + d->Name), dll) != 0) continue;
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(
            base + (d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk));
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto *byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            out.push_back({reinterpret_cast<const char *>(byName->Name),
                           reinterpret_cast<void **>(&slots->u1.Function)});
        }
    }
    return out;
}

template <typename F>
bool Replace(HMODULE module, const char *dll, const char *name, F hook, F *real) {
    for (const Import &i : ImportsOf(module, dll)) {
        if (i.name != name) continue;
        DWORD old;
        if (!VirtualProtect(i.slot, sizeof *i.slot, PAGE_READWRITE, &old)) return false;
        *real = reinterpret_cast<F>(*i.slot);
        *i.slot = reinterpret_cast<void *>(hook);
        VirtualProtect(i.slot, sizeof *i.slot, old, &old);
        return true;
    }
    return false;
}

std::vector<std::string> Names(const std::vector<Import> &imports) {
    std::vector<std::string> names;
    for (const Import &i : imports) names.push_back(i.name);
    return names;
}

class Setup : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_NE(RunCodePage(), 0u) << "ZUBO_TEST_ACP is not set";
        ASSERT_EQ(GetACP(), RunCodePage()) << "the locale did not give the code page";
        HMODULE zubo = GetModuleHandleA("ZUBO.dll");
        ASSERT_NE(zubo, nullptr);
        ASSERT_TRUE(Replace(zubo, "gdi32.dll", "ExtTextOutA", RecordExtTextOutA,
                            &realExtTextOutA));
        ASSERT_TRUE(Replace(zubo, "gdi32.dll", "ExtTextOutW", RecordExtTextOutW,
                            &realExtTextOutW));
        ASSERT_TRUE(Replace(zubo, "user32.dll", "SetClipboardData", RecordSetClipboardData,
                            &realSetClipboardData));
        ASSERT_TRUE(Replace(zubo, "user32.dll", "GetClipboardData", RecordGetClipboardData,
                            &realGetClipboardData));
        ASSERT_NE(InitZubolist(), 0);
    }
};
const auto *setup = ::testing::AddGlobalTestEnvironment(new Setup);

// Every text ZUBO.dll draws goes through the two recorded calls.
TEST(Imports, TextIsDrawnOnlyThroughExtTextOutAAndExtTextOutW) {
    HMODULE zubo = GetModuleHandleA("ZUBO.dll");
    for (const std::string &name : Names(ImportsOf(zubo, "gdi32.dll"))) {
        if (name.find("TextOut") != std::string::npos) {
            EXPECT_TRUE(name == "ExtTextOutA" || name == "ExtTextOutW") << name;
        }
    }
    for (const std::string &name : Names(ImportsOf(zubo, "user32.dll"))) {
        EXPECT_TRUE(name.find("DrawText") == std::string::npos &&
                    name.find("TextOut") == std::string::npos)
            << name;
    }
}

// ---------------------------------------------------------------------
// Fonts and pixels.

// A fixed-pitch Japanese font of the system's fonts, in the given set.
struct Font {
    HFONT font;
    explicit Font(BYTE charset, const char *face = "VL Gothic")
        : font(CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, charset, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN,
                           face)) {}
    ~Font() { DeleteObject(font); }
    // The character set and face the font is realized with.
    int Charset(std::string *face = nullptr) const {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        const int cs = GetTextCharset(dc);
        char name[LF_FACESIZE] = "";
        GetTextFaceA(dc, sizeof name, name);
        if (face) *face = name;
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return cs;
    }
};

struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    bool operator==(const Image &o) const {
        return width == o.width && height == o.height && pixels == o.pixels;
    }
};

// Pixels that differ between two images of one size.
int Differing(const Image &a, const Image &b) {
    if (a.width != b.width || a.height != b.height) return -1;
    int n = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) n += a.pixels[i] != b.pixels[i];
    return n;
}

bool Save(const Image &im, const std::string &file) {
    FILE *f = fopen(file.c_str(), "wb");
    if (!f) return false;
    const int32_t size[2] = {im.width, im.height};
    bool ok = fwrite(size, sizeof size, 1, f) == 1 &&
              fwrite(im.pixels.data(), 4, im.pixels.size(), f) == im.pixels.size();
    return fclose(f) == 0 && ok;
}

bool Load(Image *im, const std::string &file) {
    FILE *f = fopen(file.c_str(), "rb");
    if (!f) return false;
    int32_t size[2];
    bool ok = fread(size, sizeof size, 1, f) == 1 && size[0] > 0 && size[1] > 0 &&
              size[0] <= 32768 && size[1] <= 32768;
    if (ok) {
        im->width = size[0];
        im->height = size[1];
        im->pixels.resize(static_cast<size_t>(size[0]) * size[1]);
        ok = fread(im->pixels.data(), 4, im->pixels.size(), f) == im->pixels.size();
    }
    fclose(f);
    return ok;
}

// Under 932 the picture is kept for the 1252 run. Under 1252 it must equal
// that one, and the drawing the library made before (ExtTextOutA of the same
// bytes) must not, or the picture could not show the fault.
void KeepOrCompare(const char *what, const Image &now, const Image &before) {
    const std::string file = std::string("codepage-") + what + ".bin";
    if (Japanese()) {
        EXPECT_EQ(now, before);  // nothing to tell apart under 932
        ASSERT_TRUE(Save(now, file)) << file;
        return;
    }
    Image at932;
    ASSERT_TRUE(Load(&at932, file)) << file << " (made by the run under code page 932)";
    const int differ = Differing(now, at932), differedBefore = Differing(before, at932);
    printf("%s: %d of %d pixels differ from code page 932 (drawn as before: %d)\n", what,
           differ, now.width * now.height, differedBefore);
    EXPECT_EQ(differ, 0);
    EXPECT_GT(differedBefore, 0) << "the picture would not show the old fault";
}

// A canvas cleared to grey.
struct Canvas : zubo_test::DibCanvas {
    Canvas(int w, int h) : DibCanvas(w, h) {
        for (int i = 0; i < w * h; ++i) bits[i] = 0x808080;
    }
    Image Take() const {
        GdiFlush();
        return {width, height, std::vector<uint32_t>(bits, bits + width * height)};
    }
};

// ---------------------------------------------------------------------
// The console.

struct ConsoleLine {
    Consout *c = CreateConsout(32, 2, 2);
    int fw = 0, bs = 0;
    explicit ConsoleLine(HFONT font) {
        Consout_SetFont(c, font);
        fw = Consout_GetFontWidth(c);
        bs = Consout_GetBaselineskip(c);
        // Row 0: one run in white on black, one in yellow on blue.
        Feed("ABC " + kJapanese + " ");
        Consout_SetAttr(c, 0xB4);
        Feed(kKana);
        // Row 1: a double-width character cut by the rectangle's left edge.
        Consout_SetAttr(c, 0xF0);
        Consout_MoveCur(c, 0, 1);
        Feed(kJapanese);
    }
    ~ConsoleLine() { Consout_Release(c); }
    void Feed(const std::string &bytes) {
        for (unsigned char b : bytes) Consout_Putchar(c, b);
    }
    Image Draw() {
        Canvas cv(32 * fw, 2 * bs);
        Consout_Draw(c, cv.dc, 0, 0, 0, 0, 32 * fw, bs);
        Consout_Draw(c, cv.dc, 0, 0, 3 * fw, bs, 29 * fw, bs);  // from the second half of 本
        return cv.Take();
    }
};

TEST(Console, FontsRealizeInTheSystemsSet) {
    std::string face;
    EXPECT_EQ(Font(DEFAULT_CHARSET).Charset(&face), Japanese() ? SHIFTJIS_CHARSET : ANSI_CHARSET);
    EXPECT_EQ(face, "VL Gothic") << "fonts-vlgothic is missing";
    EXPECT_EQ(Font(SHIFTJIS_CHARSET).Charset(), SHIFTJIS_CHARSET);
    EXPECT_EQ(Font(ANSI_CHARSET, "DejaVu Sans Mono").Charset(), ANSI_CHARSET);
}

// Under 932 every run is the ExtTextOutA of its bytes, whatever the font. Under
// 1252 a font that reads Shift_JIS (its set's code page is 932) keeps
// ExtTextOutA; with any other the run's UTF-16 goes to ExtTextOutW, at the same
// point.
TEST(Console, RunsReachGdiAsTheirBytesOrAsTheirUnicode) {
    struct Case {
        BYTE charset;
        const char *face;
        bool bytes;  // ExtTextOutA expected
    } const cases[] = {
        {DEFAULT_CHARSET, "VL Gothic", Japanese()},
        {SHIFTJIS_CHARSET, "VL Gothic", true},
        {ANSI_CHARSET, "DejaVu Sans Mono", Japanese()},
    };
    for (const Case &k : cases) {
        Font font(k.charset, k.face);
        ConsoleLine line(font.font);
        const int fw = line.fw, bs = line.bs;
        calls.clear();
        line.Draw();
        const std::string row0 = "ABC " + kJapanese + " ";
        std::vector<Call> expected;
        // Row 0: three runs (the blanks after the kana in the first
        // attribute again); row 1 from the first half of 本 to the end.
        const std::string blanks0(11, ' '), blanks1(18, ' ');
        if (k.bytes)
            expected = {A(0, 0, row0), A(19 * fw, 0, kKana), A(21 * fw, 0, blanks0),
                        A(2 * fw, bs, kJapanese.substr(2) + blanks1)};
        else
            expected = {W(0, 0, L"ABC " + kJapaneseW + L" "), W(19 * fw, 0, kKanaW),
                        W(21 * fw, 0, std::wstring(11, L' ')),
                        W(2 * fw, bs, kJapaneseW.substr(1) + std::wstring(18, L' '))};
        EXPECT_EQ(calls, expected) << k.face << " " << int{k.charset};
    }
}

// The text outputs an enhanced metafile records: UTF-16 and reference points.
struct Text {
    std::wstring text;
    POINTL at;
};

int CALLBACK CollectText(HDC, HANDLETABLE *, const ENHMETARECORD *rec, int, LPARAM p) {
    if (rec->iType == EMR_EXTTEXTOUTW) {
        const auto *t = reinterpret_cast<const EMREXTTEXTOUTW *>(rec);
        const wchar_t *s = reinterpret_cast<const wchar_t *>(reinterpret_cast<const BYTE *>(rec) +
                                                             t->emrtext.offString);
        reinterpret_cast<std::vector<Text> *>(p)->push_back(
            {std::wstring(s, t->emrtext.nChars), t->emrtext.ptlReference});
    } else if (rec->iType == EMR_EXTTEXTOUTA) {
        ADD_FAILURE() << "bytes recorded as they are";
    }
    return 1;
}

// The text that reaches the device is the same under both code pages.
TEST(Console, MetafileRecordsTheSameText) {
    Font font(DEFAULT_CHARSET);
    ConsoleLine line(font.font);
    HDC emf = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    Consout_Draw(line.c, emf, 0, 0, 0, 0, 32 * line.fw, 2 * line.bs);
    HENHMETAFILE h = CloseEnhMetaFile(emf);
    std::vector<Text> texts;
    EnumEnhMetaFile(nullptr, h, CollectText, &texts, nullptr);
    DeleteEnhMetaFile(h);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_TRUE(texts[0].text == L"ABC " + kJapaneseW + L" " && texts[0].at.x == 0);
    EXPECT_TRUE(texts[1].text == kKanaW && texts[1].at.x == 19 * line.fw);
    EXPECT_TRUE(texts[2].text == std::wstring(11, L' ') && texts[2].at.x == 21 * line.fw);
    EXPECT_TRUE(texts[3].text == kJapaneseW + std::wstring(18, L' ') && texts[3].at.x == 0 &&
                texts[3].at.y == line.bs);
}

TEST(Console, LineLooksAsUnderCodePage932) {
    Font font(DEFAULT_CHARSET);
    ConsoleLine line(font.font);
    const Image now = line.Draw();
    replayAsBefore = true;
    const Image before = line.Draw();
    replayAsBefore = false;
    KeepOrCompare("console", now, before);
}

// A row longer than one output: the run that would end between the lead
// and the trail byte of 日 ends before it, and the next output starts with
// the whole pair, on either path.
TEST(Console, LongRowLooksAsUnderCodePage932) {
    Font font(DEFAULT_CHARSET);
    Consout *c = CreateConsout(RUN_MAX + 16, 1, 1);
    ASSERT_NE(Consout_SetFont(c, font.font), 0);
    const int fw = Consout_GetFontWidth(c), bs = Consout_GetBaselineskip(c);
    for (const char b : std::string(RUN_MAX - 1, 'x') + kJapanese)
        Consout_Putchar(c, static_cast<unsigned char>(b));
    auto draw = [&] {
        Canvas cv((RUN_MAX + 16) * fw, bs);
        calls.clear();
        Consout_Draw(c, cv.dc, 0, 0, 0, 0, (RUN_MAX + 16) * fw, bs);
        return cv.Take();
    };
    const Image now = draw();
    const std::string first(RUN_MAX - 1, 'x'), second = kJapanese + "   ";
    if (Japanese())
        EXPECT_EQ(calls, (std::vector<Call>{A(0, 0, first), A((RUN_MAX - 1) * fw, 0, second)}));
    else
        EXPECT_EQ(calls, (std::vector<Call>{W(0, 0, std::wstring(first.begin(), first.end())),
                                            W((RUN_MAX - 1) * fw, 0, kJapaneseW + L"   ")}));
    replayAsBefore = true;
    const Image before = draw();
    replayAsBefore = false;
    Consout_Release(c);
    KeepOrCompare("console-long", now, before);
}

// ---------------------------------------------------------------------
// The list view.

// One parent for the whole program: under Xvfb without a window manager
// each top-level window takes seconds to take down.
HWND Parent() {
    static HWND parent = zubo_test::MakeTopLevelWindow(
        "ZuboCodePageParent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 200);
    return parent;
}

struct ListView {
    HWND parent = Parent(), view = nullptr;
    ListView() {
        view = CreateWindowA("ZUBOLIST", "", WS_CHILD | WS_VISIBLE, 0, 0, 640, 100, parent,
                             reinterpret_cast<HMENU>(7), nullptr, nullptr);
    }
    ~ListView() { DestroyWindow(view); }
    void Add(const std::string &name, const std::string &name2, int n1, int n2,
             const std::string &comment, uint32_t flags = 0) {
        std::string a = name, b = name2, c = comment;
        GdirlistEntry e = {&a[0], &b[0], n1, n2, &c[0], flags};
        Zubolist_Add(view, &e);
    }
    void Settle() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        UpdateWindow(view);
    }
    Image Capture() {
        InvalidateRect(view, nullptr, TRUE);
        Settle();
        RECT r;
        GetClientRect(view, &r);
        Canvas cv(r.right, r.bottom);
        HDC screen = GetDC(view);
        BitBlt(cv.dc, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
        ReleaseDC(view, screen);
        return cv.Take();
    }
    // Entries in order: name, num1, num2, name2, comment, bar-separated.
    std::string Entries() {
        std::string out;
        Zubolist_EnumAll(
            view,
            [](HWND, GdirlistEntry *e, void *p) {
                auto text = [](const char *t) { return std::string(t ? t : "(null)"); };
                *static_cast<std::string *>(p) += text(e->name) + "," +
                                                  std::to_string(e->num1) + "," +
                                                  std::to_string(e->num2) + "," + text(e->name2) +
                                                  "," + text(e->comment) + "|";
                return 1;
            },
            &out);
        return out;
    }
};

TEST(ListView, RowsReachGdiAsTheirBytesOrAsTheirUnicode) {
    Font font(DEFAULT_CHARSET);
    ListView lv;
    ASSERT_NE(lv.view, nullptr);
    Zubolist_SetFont(lv.view, font.font);
    lv.Add(kJapanese, kKana, 1, 2, kJapanese);
    lv.Settle();
    calls.clear();
    lv.Capture();
    // The row as the view lays it out: the name right-aligned in a column
    // that the window's width in cells widens.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.font);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    RECT r;
    GetClientRect(lv.view, &r);
    const int cols = r.right / (tm.tmMaxCharWidth / 2);
    const int nameWidth = cols > 49 ? (cols - 49) / 2 + 12 : 12;
    char row[1024];
    const int n = snprintf(row, sizeof row, "%*.*s/%-16.16s %9d %9d %s", nameWidth, nameWidth,
                           kJapanese.c_str(), kKana.c_str(), 1, 2, kJapanese.c_str());
    ASSERT_GT(n, 0);
    wchar_t wide[1024];
    const int w = MultiByteToWideChar(932, 0, row, n, wide, 1024);
    // The entry's row only; the end row is filled, not written.
    if (Japanese())
        EXPECT_EQ(calls, (std::vector<Call>{A(0, 0, std::string(row, n))}));
    else
        EXPECT_EQ(calls, (std::vector<Call>{W(0, 0, std::wstring(wide, w))}));
}

TEST(ListView, RowsLookAsUnderCodePage932) {
    Font font(DEFAULT_CHARSET);
    ListView lv;
    ASSERT_NE(lv.view, nullptr);
    Zubolist_SetFont(lv.view, font.font);
    // The cursor bar (white on black), a marked row (red) and a plain one.
    lv.Add(kJapanese, kKana + ".txt", 120, 32, kJapanese + " " + kKana);
    lv.Add("song", kJapanese, 98, 16, "\x81\x40" + kJapanese, GDIRLIST_MARK);
    lv.Add(kKana + kJapanese, "b.gp4", 7, 8, "abc");
    const Image now = lv.Capture();
    replayAsBefore = true;
    const Image before = lv.Capture();
    replayAsBefore = false;
    KeepOrCompare("listview", now, before);
}

// ---------------------------------------------------------------------
// The clipboard.

struct ClipboardTest : ::testing::Test {
    ListView lv;
    void SetUp() override { ASSERT_NE(lv.view, nullptr); }

    // Puts formats as a program would, in this order.
    void Put(std::initializer_list<std::pair<UINT, std::string>> formats) {
        ASSERT_TRUE(OpenClipboard(lv.parent));
        EmptyClipboard();
        for (const auto &f : formats) {
            HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, f.second.size() + 2);
            char *p = static_cast<char *>(GlobalLock(g));
            memcpy(p, f.second.data(), f.second.size());
            p[f.second.size()] = p[f.second.size() + 1] = 0;
            GlobalUnlock(g);
            SetClipboardData(f.first, g);
        }
        CloseClipboard();
    }
    static std::string Bytes(const std::wstring &w) {
        return std::string(reinterpret_cast<const char *>(w.data()), w.size() * sizeof(wchar_t));
    }
    std::string Text() { return zubo_test::ClipboardText(lv.parent); }
    std::wstring Unicode() { return zubo_test::ClipboardUnicode(lv.parent); }
    LCID Locale() {
        LCID lcid = 0;
        if (!OpenClipboard(lv.parent)) return 0;
        if (HANDLE h = GetClipboardData(CF_LOCALE)) {
            lcid = *static_cast<const LCID *>(GlobalLock(h));
            GlobalUnlock(h);
        }
        CloseClipboard();
        return lcid;
    }
    std::string Paste() {
        Zubolist_DeleteAll(lv.view);
        calls.clear();
        const int r = Zubolist_InsertFromClipboard(lv.view);
        return std::to_string(r) + ":" + lv.Entries();
    }
};

// The copied bytes are today's; the clipboard is told they are Japanese, so
// the Unicode text other programs read is right.
TEST_F(ClipboardTest, CopyKeepsTheBytesAndReadsBackAsUnicode) {
    lv.Add(kJapanese, kKana + ".txt", 120, -3, "x" + kJapanese, GDIRLIST_MARK);
    lv.Add("skip", "me", 0, 0, "");
    lv.Add("abc", "d", 1, 2, "e", GDIRLIST_MARK);
    calls.clear();
    EXPECT_EQ(Zubolist_MarkCopyClipboard(lv.view), 0);
    if (Japanese())
        EXPECT_EQ(calls, (std::vector<Call>{Set(CF_TEXT)}));  // as ever
    else
        EXPECT_EQ(calls, (std::vector<Call>{Set(CF_TEXT), Set(CF_LOCALE)}));
    EXPECT_EQ(Text(), kJapanese + "\t      120\t       -3\t" + kKana + ".txt\tx" + kJapanese +
                          "\r\nabc\t        1\t        2\td\te\r\n");
    EXPECT_EQ(Unicode(), kJapaneseW + L"\t      120\t       -3\t" + kKanaW + L".txt\tx" +
                             kJapaneseW + L"\r\nabc\t        1\t        2\td\te\r\n");
    if (!Japanese()) {
        EXPECT_EQ(Locale(), 0x0411u);
    }

    // Pasted back, the entries are the same bytes.
    Zubolist_MarkClearAll(lv.view);
    Zubolist_CursorEnd(lv.view);
    calls.clear();
    EXPECT_EQ(Zubolist_InsertFromClipboard(lv.view), 1);
    EXPECT_EQ(calls, (std::vector<Call>{Get(CF_TEXT)}));
    EXPECT_EQ(lv.Entries(), kJapanese + ",120,-3," + kKana + ".txt,x" + kJapanese +
                                "|skip,0,0,me,|abc,1,2,d,e|" + kJapanese + ",120,-3," + kKana +
                                ".txt,x" + kJapanese + "|abc,1,2,d,e|");
}

// Text that a Unicode program copied arrives as Shift_JIS; a character that
// Shift_JIS cannot hold becomes "?".
TEST_F(ClipboardTest, UnicodePasteArrivesAsShiftJis) {
    Put({{CF_UNICODETEXT, Bytes(kJapaneseW + L"\t5\t6\t\ud55c" + kKanaW + L"\tok\ud55c\uad6d\r\n")}});
    EXPECT_EQ(Paste(), "1:" + kJapanese + ",5,6,?" + kKana + ",ok??|");
    // Under 932 the system's CF_TEXT, made with the Japanese code page, is
    // taken as ever; elsewhere the library converts the Unicode itself.
    EXPECT_EQ(calls, (std::vector<Call>{Get(Japanese() ? CF_TEXT : CF_UNICODETEXT)}));
}

// Bytes put as CF_TEXT by a program are pasted as they are, even when the
// system also offers Unicode made of them with a western code page; with
// both formats put, the first one is the program's own.
TEST_F(ClipboardTest, TheFormatPutFirstIsTaken) {
    Put({{CF_TEXT, kJapanese + " 1 2\r\n"}});
    EXPECT_EQ(Paste(), "1:" + kJapanese + ",1,2,(none),|");
    EXPECT_EQ(calls, (std::vector<Call>{Get(CF_TEXT)}));
    Put({{CF_TEXT, "bytes 1 2"}, {CF_UNICODETEXT, Bytes(L"unicode 3 4")}});
    EXPECT_EQ(Paste(), "1:bytes,1,2,(none),|");
    Put({{CF_UNICODETEXT, Bytes(L"unicode 3 4")}, {CF_TEXT, "bytes 1 2"}});
    EXPECT_EQ(Paste(), Japanese() ? "1:bytes,1,2,(none),|" : "1:unicode,3,4,(none),|");
    Put({});
    EXPECT_EQ(Paste(), "0:");
}

// A Unicode paste is parsed and cut exactly as the same text in bytes:
// lines end at CR, a two-field line stops, lines are cut at 1023 bytes and
// texts at 255.
TEST_F(ClipboardTest, UnicodePasteIsParsedAsTheSameBytes) {
    std::wstring longW;
    std::string longA;
    for (int i = 0; i < 300; ++i) {
        longW += kJapaneseW.substr(i % 7, 1);
        longA += kJapanese.substr(2 * (i % 7), 2);
    }
    const std::wstring textW = L"a\t1\t2\t" + longW + L"\t" + longW + L"\r\n" + kJapaneseW +
                               L" 3 4 x\ny\r\n;skip\r\nbad 5\r\nlost 6 7\r\n";
    const std::string textA = "a\t1\t2\t" + longA + "\t" + longA + "\r\n" + kJapanese +
                              " 3 4 x\ny\r\n;skip\r\nbad 5\r\nlost 6 7\r\n";
    Put({{CF_UNICODETEXT, Bytes(textW)}});
    const std::string fromUnicode = Paste();
    Put({{CF_TEXT, textA}});
    const std::string fromBytes = Paste();
    EXPECT_EQ(fromUnicode, fromBytes);
    EXPECT_EQ(fromBytes.substr(0, 8), "1:a,1,2,");
    EXPECT_EQ(fromBytes.find("lost"), std::string::npos);
    Put({{CF_UNICODETEXT, ""}});
    EXPECT_EQ(Paste(), "1:");
}

}  // namespace
