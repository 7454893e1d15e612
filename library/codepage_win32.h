// Drawing and exchanging the library's text, which is Shift_JIS at heart,
// on systems whose code page is not Japanese. Shared by the console and the
// list view.
#ifndef ZUBO_LIBRARY_CODEPAGE_WIN32_H
#define ZUBO_LIBRARY_CODEPAGE_WIN32_H

#include <windows.h>

#include <stdint.h>

namespace zubo {

constexpr UINT kShiftJisCodePage = 932;
constexpr LCID kJapaneseLocale = 0x0411;
// The most bytes one PutCells draws; the console's runs and the list view's
// rows stay within it.
constexpr int32_t kTextOutMax = 1024;

// 932, 936, 949 and 950: the code pages whose systems already take the
// library's bytes as they are.
bool IsDoubleByteCodePage(UINT codePage);
// Whether the system's ANSI code page is one of them: then nothing about
// the library's text changes, neither in drawing nor on the clipboard.
bool SystemCodePageIsDoubleByte();

// The library's text (Shift_JIS) as UTF-16, for what the system reads as
// text rather than draws: at most cap units, their count returned. Where
// the system lacks code page 932, the bytes are read in its ANSI code page.
int ShiftJisToWide(const char *bytes, int n, WCHAR *out, int cap);

// How a drawing hands its bytes to GDI.
enum class TextPath : uint8_t {
    kBytes,          // ExtTextOutA of the bytes, as on a Japanese system
    kShiftJisWide,   // the bytes read as Shift_JIS, drawn with ExtTextOutW
};

// The path for drawing into dc with the font it holds now.
//
// The rule: the bytes as they are (ExtTextOutA), when the system's ANSI
// code page is a double-byte code page (932, 936, 949, 950; no other call
// is made then), or when the code page that ExtTextOutA itself reads the
// selected font's text in is one: that of the font's character set
// (GetTextCharsetInfo, TranslateCharsetInfo), the OEM code page for an OEM
// font, the ANSI code page for a set without one. Otherwise, on
// single-byte code pages and UTF-8, the bytes are Shift_JIS: they are
// converted from code page 932 with MultiByteToWideChar and drawn with
// ExtTextOutW from the same point.
TextPath ChooseTextPath(HDC dc);

// One run of cells for PutCells: n bytes, each one cell of cellWidth
// pixels from (x, y) on; a double-width character is its two bytes and
// takes two cells.
struct CellRun {
    int32_t x, y;
    int32_t cellWidth;
    // The background's height, from y: the text's own height, so that
    // what lies between rows spread wider apart stays as it is.
    int32_t height;
    bool opaque;  // the cells get the background colour first
    const char *bytes;
    int32_t n;
};

// What a drawing knows of the font it holds, read once when it begins.
struct TextWay {
    TextPath path;
    // The advance that the font gives every printable ASCII character as
    // the path draws it; 0 when they differ.
    int32_t asciiAdvance;
};
// The path (ChooseTextPath) and the font's ASCII advance, for drawing into
// dc with the font it holds now.
TextWay ChooseTextWay(HDC dc);

// One text output (ExtTextOut) of a run in the way chosen, with an advance
// for every byte (every UTF-16 unit on the wide path: one cell, two for a
// double-width character), so that each character starts at its cell's
// left edge whatever the font's own advances. A run of printable ASCII
// whose font advance is the cell width goes without the advances: they
// would put every character where the font does anyway. An opaque run
// first fills its whole cell rectangle, n cells by height, with the
// background colour, so that nothing earlier shows between or beside
// narrower glyphs. At most kTextOutMax bytes.
void PutCells(HDC dc, const TextWay &way, const CellRun &run);

}  // namespace zubo

#endif
