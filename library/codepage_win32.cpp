#include "library/codepage_win32.h"

namespace zubo {
namespace {

// The code page ExtTextOutA reads the selected font's text in.
UINT FontCodePage(HDC dc) {
    const int charset = GetTextCharsetInfo(dc, nullptr, 0);
    CHARSETINFO csi;
    if (TranslateCharsetInfo(reinterpret_cast<DWORD *>(static_cast<UINT_PTR>(charset)), &csi,
                             TCI_SRCCHARSET))
        return csi.ciACP;
    return charset == OEM_CHARSET ? GetOEMCP() : GetACP();
}

// Bytes of the Shift_JIS character at i: a lead byte and the byte after
// it, else one.
int32_t CharBytes(const CellRun &run, int32_t i) {
    return IsDBCSLeadByteEx(kShiftJisCodePage, static_cast<BYTE>(run.bytes[i])) && i + 1 < run.n
               ? 2
               : 1;
}

// The cells' bytes read as Shift_JIS into UTF-16 (at most kTextOutMax
// units: Shift_JIS never takes more units than bytes), with each unit's
// advance: as many cells as the bytes it came from. 0 when code page 932
// is missing.
int ShiftJisCells(const CellRun &run, WCHAR *wide, INT *advances) {
    // Text that converts without a fault gives one unit per character
    // (code page 932 lies in the basic plane); other text is converted a
    // character at a time, so that whatever a faulty one becomes keeps to
    // its own cells.
    int chars = 0;
    for (int32_t i = 0; i < run.n; i += CharBytes(run, i)) ++chars;
    const bool oneEach = MultiByteToWideChar(kShiftJisCodePage, MB_ERR_INVALID_CHARS, run.bytes,
                                             run.n, wide, kTextOutMax) == chars;
    int w = 0;
    for (int32_t i = 0, len; i < run.n; i += len) {
        len = CharBytes(run, i);
        int units = 1;
        if (!oneEach) {
            units = MultiByteToWideChar(kShiftJisCodePage, 0, run.bytes + i, len, wide + w,
                                        kTextOutMax - w);
            if (units <= 0) return 0;
        }
        // The character's cells go to its first unit, none to any further
        // ones (which only a faulty character makes).
        advances[w] = len * run.cellWidth;
        for (int k = 1; k < units; ++k) advances[w + k] = 0;
        w += units;
    }
    return w;
}

bool IsPrintableAscii(const CellRun &run) {
    for (int32_t i = 0; i < run.n; ++i) {
        const unsigned char b = static_cast<unsigned char>(run.bytes[i]);
        if (b < 0x20 || b > 0x7E) return false;
    }
    return true;
}

}  // namespace

bool IsDoubleByteCodePage(UINT codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

bool SystemCodePageIsDoubleByte() { return IsDoubleByteCodePage(GetACP()); }

int ShiftJisToWide(const char *bytes, int n, WCHAR *out, int cap) {
    if (n <= 0) return 0;
    const int w = MultiByteToWideChar(kShiftJisCodePage, 0, bytes, n, out, cap);
    if (w > 0 || GetLastError() == ERROR_INSUFFICIENT_BUFFER) return w;
    return MultiByteToWideChar(CP_ACP, 0, bytes, n, out, cap);
}

TextPath ChooseTextPath(HDC dc) {
    if (SystemCodePageIsDoubleByte()) return TextPath::kBytes;
    return IsDoubleByteCodePage(FontCodePage(dc)) ? TextPath::kBytes : TextPath::kShiftJisWide;
}

TextWay ChooseTextWay(HDC dc) {
    TextWay way = {ChooseTextPath(dc), 0};
    // The characters 0x20 to 0x7E are the same in Shift_JIS and UTF-16, and
    // single bytes in every code page: measured as the path draws them.
    INT widths[0x7E - 0x20 + 1];
    const BOOL measured = way.path == TextPath::kShiftJisWide
                              ? GetCharWidth32W(dc, 0x20, 0x7E, widths)
                              : GetCharWidth32A(dc, 0x20, 0x7E, widths);
    if (!measured) return way;
    for (INT w : widths)
        if (w != widths[0]) return way;
    way.asciiAdvance = widths[0];
    return way;
}

void PutCells(HDC dc, const TextWay &way, const CellRun &run) {
    if (run.n <= 0 || run.n > kTextOutMax) return;
    const RECT cells = {run.x, run.y, run.x + run.n * run.cellWidth, run.y + run.height};
    const UINT options = run.opaque ? ETO_OPAQUE : 0;
    // The font's own advances already put such a run on its cells. Some
    // GDIs draw far more slowly with an advance array (wine's 32-bit one
    // takes three times as long), and most text is such a run.
    const bool fontKeepsCells =
        way.asciiAdvance > 0 && way.asciiAdvance == run.cellWidth && IsPrintableAscii(run);
    // Nothing is allocated while drawing: the arrays live on the stack.
    WCHAR wide[kTextOutMax];
    if (fontKeepsCells) {
        if (way.path == TextPath::kShiftJisWide) {
            for (int32_t i = 0; i < run.n; ++i) wide[i] = static_cast<WCHAR>(run.bytes[i]);
            ExtTextOutW(dc, run.x, run.y, options, &cells, wide, static_cast<UINT>(run.n), nullptr);
        } else {
            ExtTextOutA(dc, run.x, run.y, options, &cells, run.bytes, static_cast<UINT>(run.n),
                        nullptr);
        }
        return;
    }
    INT advances[kTextOutMax];
    if (way.path == TextPath::kShiftJisWide) {
        const int w = ShiftJisCells(run, wide, advances);
        if (w > 0) {
            ExtTextOutW(dc, run.x, run.y, options, &cells, wide, static_cast<UINT>(w), advances);
            return;
        }
        // No code page 932 on this system: the bytes as they are.
    }
    // One advance per byte: GDI adds those of a double-byte character's two
    // bytes, whichever code page it reads them in.
    for (int32_t i = 0; i < run.n; ++i) advances[i] = run.cellWidth;
    ExtTextOutA(dc, run.x, run.y, options, &cells, run.bytes, static_cast<UINT>(run.n), advances);
}

}  // namespace zubo
