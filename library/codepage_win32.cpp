#include "library/codepage_win32.h"

namespace zubo {
namespace {

// The code page TextOutA reads the selected font's text in.
UINT FontCodePage(HDC dc) {
    const int charset = GetTextCharsetInfo(dc, nullptr, 0);
    CHARSETINFO csi;
    if (TranslateCharsetInfo(reinterpret_cast<DWORD *>(static_cast<UINT_PTR>(charset)), &csi,
                             TCI_SRCCHARSET))
        return csi.ciACP;
    return charset == OEM_CHARSET ? GetOEMCP() : GetACP();
}

}  // namespace

bool IsDoubleByteCodePage(UINT codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

bool SystemCodePageIsDoubleByte() { return IsDoubleByteCodePage(GetACP()); }

TextPath ChooseTextPath(HDC dc) {
    if (SystemCodePageIsDoubleByte()) return TextPath::kBytes;
    return IsDoubleByteCodePage(FontCodePage(dc)) ? TextPath::kBytes : TextPath::kShiftJisWide;
}

void PutText(HDC dc, TextPath path, int32_t x, int32_t y, const char *bytes, int32_t n) {
    if (path == TextPath::kShiftJisWide && n > 0 && n <= kTextOutMax) {
        // Shift_JIS never takes more UTF-16 units than bytes. Nothing is
        // allocated while drawing.
        WCHAR wide[kTextOutMax];
        const int w = MultiByteToWideChar(kShiftJisCodePage, 0, bytes, n, wide, kTextOutMax);
        if (w > 0) {
            TextOutW(dc, x, y, wide, w);
            return;
        }
        // No code page 932 on this system: the bytes as they are, as for a
        // text longer than any caller passes.
    }
    TextOutA(dc, x, y, bytes, n);
}

}  // namespace zubo
