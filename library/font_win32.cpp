#include "library/font_win32.h"

namespace zubo {
namespace {

// The single-width advance, taken as the widest of the printable ASCII
// characters rather than one of them or tmAveCharWidth: for a fixed-pitch
// font all of them are the narrow advance, and for any other font no ASCII
// glyph is then wider than its cell. tmAveCharWidth is no measure of it:
// fonts report the average over glyphs of any width there. The characters
// are single bytes under every code page, and their advances are read
// from the font as text output uses them.
int32_t WidestAsciiAdvance(HDC dc) {
    INT widths[0x7E - 0x20 + 1];
    if (!GetCharWidth32A(dc, 0x20, 0x7E, widths)) return 0;
    int32_t widest = 0;
    for (INT w : widths)
        if (w > widest) widest = w;
    return widest;
}

}  // namespace

FontMeasure MeasureFontOnScreen(HFONT font) {
    FontMeasure m = {false, false, 0, 0, 0};
    HDC dc = GetDC(nullptr);
    if (!dc) return m;
    HGDIOBJ old = SelectObject(dc, font);
    m.selected = old && old != HGDI_ERROR;
    TEXTMETRICA tm;
    if (GetTextMetricsA(dc, &tm)) {
        m.measured = true;
        m.maxCharWidth = tm.tmMaxCharWidth;
        m.height = tm.tmHeight;
        m.narrowAdvance = WidestAsciiAdvance(dc);
    }
    if (m.selected) SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return m;
}

}  // namespace zubo
