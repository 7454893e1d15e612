// Fonts on Windows: the stock fixed font of new consoles and measuring a
// font on the screen.
#include <windows.h>

#include "console/font.h"
#include "library/font_win32.h"

namespace zubo::console {

void *StockFixedFont() { return GetStockObject(SYSTEM_FIXED_FONT); }

bool MeasureFont(void *font, int32_t *maxCharWidth, int32_t *narrowAdvance, int32_t *height) {
    if (!font) return false;
    // A handle that cannot be selected is not measured: the metrics would be
    // those of whatever font the context already holds.
    const FontMeasure m = MeasureFontOnScreen(static_cast<HFONT>(font));
    if (!m.selected || !m.measured) return false;
    *maxCharWidth = m.maxCharWidth;
    *narrowAdvance = m.narrowAdvance;
    *height = m.height;
    return true;
}

}  // namespace zubo::console
