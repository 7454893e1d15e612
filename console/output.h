// The console's byte output: the byte machine, the cell writers and the two
// erase operations (also used by the escape procedure).
#ifndef ZUBO_CONSOLE_OUTPUT_H
#define ZUBO_CONSOLE_OUTPUT_H

#include <stdint.h>

#include "console/consout.h"

namespace zubo::console {

// Processes one output byte: TAB, LF, CR and ESC act, every other byte is
// written as a cell; Shift_JIS, EUC and JIS pairs become double-width
// characters, and escape sequences are collected for the escape procedure.
void PutByte(Consout *c, uint8_t b);
// Drops a partial character or escape sequence: the byte machine is back in
// ground.
void EndSequence(Consout *c);

// Writes one cell at the cursor in the current attribute and advances,
// wrapping (and scrolling) after the last column.
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
