// The ring and cell invariants of a console, checked by the unit tests and
// the fuzz target after every operation.
#ifndef ZUBO_CONSOLE_INVARIANTS_H
#define ZUBO_CONSOLE_INVARIANTS_H

#include "console/consout.h"

namespace zubo::console {

// Halves of double-width characters come in neighbouring pairs, first half
// on the left, within the line.
inline bool PairsWellFormed(const ConsoutLine *line) {
    const ConsoutCell *cells = Cells(line);
    for (int32_t i = 0; i < line->count; ++i) {
        const uint8_t h = HighByte(cells[i].code);
        if (h == WIDE_FIRST && (i + 1 >= line->count || HighByte(cells[i + 1].code) != WIDE_SECOND))
            return false;
        if (h == WIDE_SECOND && (i == 0 || HighByte(cells[i - 1].code) != WIDE_FIRST))
            return false;
    }
    return true;
}

// Null when every invariant holds, else the first one broken.
inline const char *BrokenInvariant(const Consout *c) {
    const int32_t m = c->maxline;
    if (!(1 <= c->consHeight && c->consHeight <= c->linecnt && c->linecnt <= m))
        return "1 <= consHeight <= linecnt <= maxline";
    if (c->consWidth < 1) return "consWidth >= 1";
    if (c->firstLine < 0 || c->firstLine >= m || c->nextLine != (c->firstLine + c->linecnt) % m)
        return "nextLine = firstLine + linecnt";
    ConsoutLine *const *lines = Lines(c);
    for (int32_t k = 0; k < c->linecnt; ++k)
        if (!lines[(c->firstLine + k) % m]) return "every counted slot holds a line";
    if (c->linecnt < m) {
        if (c->firstLine != 0) return "firstLine is 0 while the ring fills";
        for (int32_t s = c->nextLine; s < m; ++s)
            if (lines[s]) return "slots past the newest line are empty while the ring fills";
    }
    if (c->screenTop != ((c->nextLine - c->consHeight) % m + m) % m)
        return "screenTop = nextLine - consHeight";
    const int32_t v = ((c->screenTop - c->viewTop) % m + m) % m;
    if (c->viewTop < 0 || c->viewTop >= m || v > c->linecnt - c->consHeight)
        return "view line within the scroll-back";
    for (int32_t y = 0; y < c->consHeight; ++y)
        if (lines[(c->screenTop + y) % m]->count < c->consWidth)
            return "screen lines hold consWidth cells";
    for (int32_t k = 0; k < c->linecnt; ++k)
        if (!PairsWellFormed(lines[(c->firstLine + k) % m])) return "double-width halves paired";
    if (c->curX < 0 || c->curX >= c->consWidth || c->curY < 0 || c->curY >= c->consHeight)
        return "cursor on the screen";
    if (c->escLen < 0 || c->escLen > CONSOUT_ESC_MAX || c->escState < 0 || c->escState > 4)
        return "byte machine state";
    if (c->fontWidth < 1 || c->baselineskip < 1) return "drawing pitch above 0";
    return nullptr;
}

}  // namespace zubo::console

#endif
