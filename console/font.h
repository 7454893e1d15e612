// The console's platform fonts: font_win32.cpp on Windows, font_posix.cpp in
// the native builds (where a font handle is a stand-in carrying its
// metrics).
#ifndef ZUBO_CONSOLE_FONT_H
#define ZUBO_CONSOLE_FONT_H

#include <stdint.h>

namespace zubo::console {

// The font of a new console.
void *StockFixedFont();
// The widest character, the single-width advance (0 when unknown) and the
// height of a font; false when the font cannot be measured.
bool MeasureFont(void *font, int32_t *maxCharWidth, int32_t *narrowAdvance, int32_t *height);

}  // namespace zubo::console

#endif
