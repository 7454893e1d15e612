// The console's byte output: the byte machine, the cell writers and the two
// erase operations (also used by the escape procedure).
#ifndef ZUBO_CONSOLE_OUTPUT_H
#define ZUBO_CONSOLE_OUTPUT_H

#include <stdint.h>

#include "console/consout.h"
#include "console/screen.h"

namespace zubo::console {

inline void GrowDirty(Consout *c, int32_t left, int32_t right, int32_t row) {
    if (left < c->dirtyLeft) c->dirtyLeft = left;
    if (right > c->dirtyRight) c->dirtyRight = right;
    if (row < c->dirtyTop) c->dirtyTop = row;
    if (row + 1 > c->dirtyBottom) c->dirtyBottom = row + 1;
}

// The cell writer: one cell at the cursor in the current attribute, then
// the cursor advances, wrapping (and scrolling) after the last column.
// Inline, since it is the byte machine's common path.
inline void WriteCell(Consout *c, uint16_t code) {
    ConsoutLine *line = ScreenLine(c, c->curY);
    ConsoutCell *cells = Cells(line);
    const int32_t x = c->curX;
    // Overwriting half of a double-width character blanks the other half.
    // The neighbour tests keep inside the line even where such a half could
    // stand at an edge (a screen one column wide).
    const uint8_t high = HighByte(cells[x].code);
    if (high == WIDE_SECOND && x > 0) {
        cells[x - 1].code = CONSOUT_BLANK;
        if (x - 1 < c->dirtyLeft) c->dirtyLeft = x - 1;
    } else if (high == WIDE_FIRST && x + 1 < line->count) {
        cells[x + 1].code = CONSOUT_BLANK;
        if (x + 2 > c->dirtyRight) c->dirtyRight = x + 2;
    }
    cells[x].code = code;
    cells[x].attr = static_cast<uint16_t>(c->attr);
    GrowDirty(c, x, x + 1, c->curY);
    if (x + 1 < c->consWidth) {
        c->curX = x + 1;
    } else {
        c->curX = 0;
        LineFeed(c);
    }
}

// Every byte but the fast path's: through escBuf and the byte machine.
// Takes and returns the byte argument as PutByte does, so that PutByte can
// end in a jump here rather than a call.
int32_t PutSequenceByte(Consout *c, int32_t byte);

// Processes one output byte (the low 8 bits of byte) and returns byte: TAB,
// LF, CR and ESC act, every other byte is written as a cell; Shift_JIS, EUC
// and JIS pairs become double-width characters, and escape sequences are
// collected for the escape procedure. Inline, so that Consout_Putchar
// carries the fast path without a call.
inline int32_t PutByte(Consout *c, int32_t byte) {
    const uint8_t b = static_cast<uint8_t>(byte);
    // The common case first: a printable ASCII byte in ground is a cell in
    // every kanji code. Its trip through escBuf is skipped: it would leave
    // the buffer empty again at once.
    if (c->escState == kGround && b > 0x20 && b < 0x80 && c->charset == SHIFT_SINGLE) {
        WriteCell(c, b);
        c->escLen = 0;
        return byte;
    }
    return PutSequenceByte(c, byte);
}
// Drops a partial character or escape sequence: the byte machine is back in
// ground.
void EndSequence(Consout *c);

// WriteCell, out of line, for the rarer paths.
void PutCell(Consout *c, uint16_t code);
// Writes a double-width character (Shift_JIS lead and trail byte), wrapping
// first when only the last column is left.
void PutWideChar(Consout *c, uint8_t b1, uint8_t b2);

// Blanks the screen in the current attribute; cursor to 0, 0.
void ClearScreen(Consout *c);
// Blanks the cursor's line from the cursor (or the first half of a
// double-width character under it) to its end.
void EraseToLineEnd(Consout *c);

}  // namespace zubo::console

#endif
