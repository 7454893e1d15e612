// Fonts on Windows: the stock fixed font of new consoles, measuring a font
// on the desktop's device context, and Consout_SetFont.
#include <windows.h>

#include "console/consout.h"

namespace zubo {

void *StockFixedFont() { return GetStockObject(SYSTEM_FIXED_FONT); }

bool MeasureFont(void *font, int32_t *maxCharWidth, int32_t *height) {
    if (!font) return false;
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    if (!dc) return false;
    bool measured = false;
    // A handle that cannot be selected is not measured: the metrics would be
    // those of whatever font the context already holds.
    HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(font));
    if (old && old != HGDI_ERROR) {
        TEXTMETRICA tm;
        if (GetTextMetricsA(dc, &tm)) {
            *maxCharWidth = tm.tmMaxCharWidth;
            *height = tm.tmHeight;
            measured = true;
        }
        SelectObject(dc, old);
    }
    ReleaseDC(desktop, dc);
    return measured;
}

}  // namespace zubo

extern "C" int32_t ZUBOAPI Consout_SetFont(Consout *c, HFONT font) {
    return zubo::ApplyFont(c, font) ? 1 : 0;
}
