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
// The most bytes one PutText draws; the console's runs and the list view's
// rows stay within it.
constexpr int32_t kTextOutMax = 1024;

// 932, 936, 949 and 950: the code pages whose systems already take the
// library's bytes as they are.
bool IsDoubleByteCodePage(UINT codePage);
// Whether the system's ANSI code page is one of them: then nothing about
// the library's text changes, neither in drawing nor on the clipboard.
bool SystemCodePageIsDoubleByte();

// How a drawing hands its bytes to GDI.
enum class TextPath : uint8_t {
    kBytes,          // TextOutA of the bytes, as on a Japanese system
    kShiftJisWide,   // the bytes read as Shift_JIS, drawn with TextOutW
};

// The path for drawing into dc with the font it holds now.
//
// The rule: TextOutA of the bytes, exactly as ever, when the system's ANSI
// code page is a double-byte code page (932, 936, 949, 950; no other call
// is made then), or when the code page that TextOutA itself reads the
// selected font's text in is one: that of the font's character set
// (GetTextCharsetInfo, TranslateCharsetInfo), the OEM code page for an OEM
// font, the ANSI code page for a set without one. Otherwise, on
// single-byte code pages and UTF-8, the bytes are Shift_JIS: they are
// converted from code page 932 with MultiByteToWideChar and drawn with
// TextOutW from the same point.
TextPath ChooseTextPath(HDC dc);

// One text output of n bytes (at most kTextOutMax on the wide path) from
// (x, y) on the path; a double-width pair still covers its two cells, since
// the wide text advances by the same glyphs that TextOutA picks under 932.
void PutText(HDC dc, TextPath path, int32_t x, int32_t y, const char *bytes, int32_t n);

}  // namespace zubo

#endif
