// The console's byte output: the byte machine, the cell writers and the two
// erase operations (also used by the escape procedure).
#ifndef ZUBO_CONSOLE_OUTPUT_H
#define ZUBO_CONSOLE_OUTPUT_H

#include <stdint.h>

#include "console/consout.h"

namespace zubo::console {

// Every byte but the fast path's: through escBuf and the byte machine.
// Takes and returns the byte argument as PutByte does, so that PutByte can
// end in a jump here rather than a call.
int32_t PutSequenceByte(Consout *c, int32_t byte);
// A printable byte in ground that the fast path left to the cell writer:
// a half of a double-width character under the cursor, a cell outside the
// dirty rectangle, the last column or a screen line past the ring's end.
int32_t PutPrintable(Consout *c, int32_t byte);

// Processes one output byte (the low 8 bits of byte) and returns byte: TAB,
// LF, CR and ESC act, every other byte is written as a cell; Shift_JIS, EUC
// and JIS pairs become double-width characters, and escape sequences are
// collected for the escape procedure. Inline, so that Consout_Putchar
// carries the fast path without a call.
inline int32_t PutByte(Consout *c, int32_t byte) {
    // The common case first: printable ASCII (byte exactly 0x21 ... 0x7F, so
    // it is its own code word) in ground is a cell in every kanji code. Its
    // trip through escBuf is skipped: it would leave the buffer empty again
    // at once. The state and the shift mode are tested together, both 0.
    if (static_cast<uint32_t>(byte) - 0x21u > 0x7Fu - 0x21u || (c->escState | c->charset) != 0)
        return PutSequenceByte(c, byte);
    // What the cell writer does for a cell that holds no half of a
    // double-width character, lies inside the dirty rectangle and is not in
    // the last column: store the cell, advance. The screen line's slot is
    // taken without the wrap at the ring's end, which the cell writer does.
    // Cursor and slots are 0 or more, so unsigned indexes need no sign
    // extension.
    const int32_t x = c->curX, y = c->curY;
    const uint32_t slot = static_cast<uint32_t>(c->screenTop) + static_cast<uint32_t>(y);
    if (slot >= static_cast<uint32_t>(c->maxline)) return PutPrintable(c, byte);
    ConsoutCell *cell = Cells(Lines(c)[slot]) + static_cast<uint32_t>(x);
    if (cell->code >= WIDE_FIRST << 8 || x + 1 >= c->consWidth || x < c->dirtyLeft ||
        x >= c->dirtyRight || y < c->dirtyTop || y >= c->dirtyBottom)
        return PutPrintable(c, byte);
    cell->code = static_cast<uint16_t>(byte);
    cell->attr = static_cast<uint16_t>(c->attr);
    c->curX = x + 1;
    c->escLen = 0;
    return byte;
}
// Drops a partial character or escape sequence: the byte machine is back in
// ground.
void EndSequence(Consout *c);

// The cell writer: one cell at the cursor in the current attribute, then
// the cursor advances, wrapping (and scrolling) after the last column.
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
