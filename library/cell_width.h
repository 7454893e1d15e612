// The width of a character cell, shared by the console and the list view.
#ifndef ZUBO_LIBRARY_CELL_WIDTH_H
#define ZUBO_LIBRARY_CELL_WIDTH_H

#include <stdint.h>

namespace zubo {

// Half the font's widest character, which is one single-byte character of
// a Japanese font (its widest are the double-width ones), but never less
// than the single-width advance: with a Western fixed-pitch font the widest
// character is the narrow one, and half of it would put two glyphs on every
// cell. Where half the widest is at least the advance it stays the cell, so
// that fonts made for that rule keep their cells exactly. An advance of 0
// (not measured) leaves the rule at half the widest; the result is never
// below 1, since rows and columns are found by dividing by it.
inline int32_t CellWidthFor(int32_t maxCharWidth, int32_t narrowAdvance) {
    const int32_t half = maxCharWidth / 2;
    const int32_t width = half >= narrowAdvance ? half : narrowAdvance;
    return width > 0 ? width : 1;
}

}  // namespace zubo

#endif
