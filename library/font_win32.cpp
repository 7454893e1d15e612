#include "library/font_win32.h"

namespace zubo {

FontMeasure MeasureFontOnScreen(HFONT font) {
    FontMeasure m = {false, false, 0, 0};
    HDC dc = GetDC(nullptr);
    if (!dc) return m;
    HGDIOBJ old = SelectObject(dc, font);
    m.selected = old && old != HGDI_ERROR;
    TEXTMETRICA tm;
    if (GetTextMetricsA(dc, &tm)) {
        m.measured = true;
        m.maxCharWidth = tm.tmMaxCharWidth;
        m.height = tm.tmHeight;
    }
    if (m.selected) SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return m;
}

}  // namespace zubo
