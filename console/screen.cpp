// The console's screen buffer: creation, the ring of lines, resizing, the
// cursor, the line feed that scrolls, the scroll-back view, the dirty
// rectangle, the font's cell size and the colours.
#include "console/screen.h"

#include <stdlib.h>
#include <string.h>

#include "console/ansi.h"
#include "console/font.h"
#include "library/alloc.h"
#include "library/cell_width.h"

namespace zubo::console {
namespace {

// Whether a width and a ring size keep the console within its limits: the
// ring can then never hold more than CONSOUT_MAX_CELLS cells, whatever
// widths it had before, since every line is at most as wide as the widest
// width accepted. Slot sums and cell indexes stay far from the int32_t
// limit.
bool WithinLimits(int32_t width, int32_t maxline) {
    return width <= CONSOUT_MAX_WIDTH && maxline <= CONSOUT_MAX_LINES &&
           int64_t{width} * maxline <= CONSOUT_MAX_CELLS;
}

// Used when even the stock font cannot be measured (no desktop), so that
// drawing still has a pitch.
constexpr int32_t kFallbackFontWidth = 8;
constexpr int32_t kFallbackFontHeight = 16;

const ConsoutColor kDefaultColors[CONSOUT_NCOLORS] = DEFAULT_COLORS;

ConsoutLine *AllocLine(const Consout *c, int32_t n) {
    if (static_cast<uint64_t>(n) > (SIZE_MAX - offsetof(ConsoutLine, cells)) / sizeof(ConsoutCell))
        return nullptr;
    const size_t bytes = offsetof(ConsoutLine, cells) + static_cast<size_t>(n) * sizeof(ConsoutCell);
    ConsoutLine *line = static_cast<ConsoutLine *>(Allocate(bytes));
    if (!line) return nullptr;
    line->count = n;
    ClearLine(c, line);
    return line;
}

// A copy of line with n (> count) cells; the cells beyond are blank.
ConsoutLine *WidenLine(const Consout *c, const ConsoutLine *line, int32_t n) {
    ConsoutLine *wide = AllocLine(c, n);
    if (wide) memcpy(Cells(wide), Cells(line), static_cast<size_t>(line->count) * sizeof(ConsoutCell));
    return wide;
}

// Adds a blank line below the newest one, reusing the oldest when the ring
// is full. False, with nothing changed, when no line could be had.
bool AppendRingLine(Consout *c) {
    ConsoutLine **lines = Lines(c);
    if (c->linecnt == c->maxline) {
        // Full: firstLine == nextLine, so the oldest slot becomes the newest.
        ConsoutLine *&oldest = lines[c->firstLine];
        if (oldest->count == c->consWidth) {
            ClearLine(c, oldest);
        } else {
            ConsoutLine *fresh = AllocLine(c, c->consWidth);
            if (fresh) {
                free(oldest);
                oldest = fresh;
            } else if (oldest->count > c->consWidth) {
                ClearLine(c, oldest);  // too long is still usable
            } else {
                return false;
            }
        }
        c->firstLine = SlotAdd(c->firstLine, 1, c->maxline);
    } else {
        ConsoutLine *fresh = AllocLine(c, c->consWidth);
        if (!fresh) return false;
        lines[c->nextLine] = fresh;
        ++c->linecnt;
    }
    c->nextLine = SlotAdd(c->nextLine, 1, c->maxline);
    return true;
}

// Scrolls the screen rows up by one within their own slots, the top row's
// text being lost instead of going into the scroll-back. Used only when no
// line can be allocated for a scroll, so that output goes on.
void RotateScreenUp(Consout *c) {
    ConsoutLine **lines = Lines(c);
    int32_t slot = c->screenTop;
    ConsoutLine *top = lines[slot];
    for (int32_t y = 1; y < c->consHeight; ++y) {
        const int32_t next = SlotAdd(slot, 1, c->maxline);
        lines[slot] = lines[next];
        slot = next;
    }
    lines[slot] = top;
    ClearLine(c, top);
}

// Slot of the screen's first line when the screen shows the newest
// consHeight lines.
int32_t NewestScreenTop(const Consout *c) {
    return c->linecnt < c->consHeight ? 0 : SlotSub(c->nextLine, c->consHeight, c->maxline);
}

void FollowOutput(Consout *c) { c->viewTop = NewestScreenTop(c); }

// Settles screenTop after a resize; the cursor keeps its line while that
// line is still on the screen, else it goes to row 0.
void RelocateScreen(Consout *c, int32_t oldScreenTop) {
    const int32_t cursorLine = SlotAdd(oldScreenTop, c->curY, c->maxline);
    c->screenTop = NewestScreenTop(c);
    auto distance = [c](int32_t slot) {
        const int32_t d = SlotSub(c->nextLine, slot, c->maxline);
        return d == 0 ? c->maxline : d;
    };
    if (distance(cursorLine) <= distance(c->screenTop))
        c->curY = SlotSub(cursorLine, c->screenTop, c->maxline);
    else
        c->curY = 0;
}

void SetDefaults(Consout *c) {
    memcpy(c->colors, kDefaultColors, sizeof c->colors);
    c->fontWidth = kFallbackFontWidth;
    c->fontHeight = kFallbackFontHeight;
    c->baselineskip = kFallbackFontHeight;
    ApplyFont(c, StockFixedFont());
    c->curX = c->curY = 0;
    c->attr = ATTR_DEFAULT;
    c->tabstop = 8;
    c->charset = SHIFT_SINGLE;
    c->kanjicode = KANJICODE_SJIS;
    c->outputMode = OUTMODE_ENABLE | OUTMODE_EXPAND_TAB;
    c->escLen = 0;
    c->escState = kGround;
    c->scrollNotifyProc = nullptr;
    c->scrollNotifyData = 0;
    c->escProc = AnsiEscapeProc;
    c->escProcData = 0;
    MarkAllDirty(c);
}

void FreeLines(Consout *c) {
    ConsoutLine **lines = Lines(c);
    for (int32_t i = 0; i < c->maxline; ++i) free(lines[i]);
}

// Widens every line among the newest `count` whose cells are fewer than
// width. All copies are made before any line is replaced: false, with the
// lines as they were and every copy freed, when one cannot be made.
bool WidenNewest(Consout *c, int32_t count, int32_t width) {
    ConsoutLine **lines = Lines(c);
    int32_t narrow = 0;
    for (int32_t k = 0, slot = c->nextLine; k < count; ++k) {
        slot = SlotSub(slot, 1, c->maxline);
        narrow += lines[slot]->count < width;
    }
    if (narrow == 0) return true;
    ConsoutLine **wide =
        static_cast<ConsoutLine **>(Allocate(static_cast<size_t>(narrow) * sizeof *wide));
    if (!wide) return false;
    int32_t made = 0;
    for (int32_t k = 0, slot = c->nextLine; k < count && made < narrow; ++k) {
        slot = SlotSub(slot, 1, c->maxline);
        if (lines[slot]->count >= width) continue;
        if (!(wide[made] = WidenLine(c, lines[slot], width))) {
            while (made > 0) free(wide[--made]);
            free(wide);
            return false;
        }
        ++made;
    }
    made = 0;
    for (int32_t k = 0, slot = c->nextLine; k < count && made < narrow; ++k) {
        slot = SlotSub(slot, 1, c->maxline);
        if (lines[slot]->count >= width) continue;
        free(lines[slot]);
        lines[slot] = wide[made++];
    }
    free(wide);
    return true;
}

// Frees the first `count` lines placed past the newest one and not yet
// counted in the ring.
void FreeUnlinked(Consout *c, int32_t count) {
    ConsoutLine **lines = Lines(c);
    for (int32_t k = 0; k < count; ++k) {
        const int32_t slot = SlotAdd(c->nextLine, k, c->maxline);
        free(lines[slot]);
        lines[slot] = nullptr;
    }
}

// Puts `count` blank lines of `width` cells into the free slots past the
// newest line without counting them yet; false, with nothing left
// allocated, when memory runs out.
bool PrepareUnlinked(Consout *c, int32_t count, int32_t width) {
    for (int32_t k = 0; k < count; ++k) {
        ConsoutLine *fresh = AllocLine(c, width);
        if (!fresh) {
            FreeUnlinked(c, k);
            return false;
        }
        Lines(c)[SlotAdd(c->nextLine, k, c->maxline)] = fresh;
    }
    return true;
}

}  // namespace

void ClearLine(const Consout *c, ConsoutLine *line) {
    const ConsoutCell blank = {CONSOUT_BLANK, static_cast<uint16_t>(c->attr)};
    ConsoutCell *cells = Cells(line);
    for (int32_t i = 0; i < line->count; ++i) cells[i] = blank;
}

void MarkAllDirty(Consout *c) {
    // Rows above the screen (below 0) are the scroll-back lines in view:
    // the view scrolled back v lines shows screen rows -v ... consHeight-v,
    // and those are what has to be drawn again. On the screen (v = 0) this
    // is the whole screen.
    const int32_t v = Viewline(c);
    c->dirtyLeft = 0;
    c->dirtyTop = -v;
    c->dirtyRight = c->consWidth;
    c->dirtyBottom = c->consHeight - v;
}

void MarkClean(Consout *c) {
    c->dirtyLeft = c->dirtyTop = DIRTY_CLEAN;
    c->dirtyRight = c->dirtyBottom = 0;
}

void NotifyScroll(Consout *c) {
    if (c->scrollNotifyProc) c->scrollNotifyProc(c, c->scrollNotifyData);
}

bool ApplyFont(Consout *c, void *font) {
    c->font = font;
    int32_t maxWidth = 0, narrow = 0, height = 0;
    const bool measured = MeasureFont(font, &maxWidth, &narrow, &height);
    if (measured) {
        c->fontWidth = CellWidthFor(maxWidth, narrow);
        c->fontHeight = height;
        SetBaselineskip(c, height);
    }
    MarkAllDirty(c);
    return measured;
}

Consout *NewConsole(int32_t width, int32_t height, int32_t maxline) {
    // Sizes below 1 would break the ring arithmetic and the cell writer.
    if (width < 1 || height < 1 || maxline < 1) return nullptr;
    // Absurd sizes are refused before anything is allocated.
    if (!WithinLimits(width, maxline)) return nullptr;
    if ((height < maxline ? height : maxline) > CONSOUT_MAX_HEIGHT) return nullptr;
    const size_t bytes = sizeof(Consout) + static_cast<size_t>(maxline) * sizeof(ConsoutLine *);
    Consout *c = static_cast<Consout *>(Allocate(bytes));
    if (!c) return nullptr;
    memset(c, 0, bytes);
    c->consWidth = width;
    c->consHeight = height < maxline ? height : maxline;
    c->maxline = maxline;
    SetDefaults(c);
    c->firstLine = c->nextLine = c->linecnt = c->viewTop = c->screenTop = 0;
    for (int32_t y = 0; y < c->consHeight; ++y) {
        if (!AppendRingLine(c)) {
            // A console without all its screen lines is unusable.
            FreeConsole(c);
            return nullptr;
        }
    }
    return c;
}

void FreeConsole(Consout *c) {
    FreeLines(c);
    free(c);
}

int32_t Resize(Consout *c, int32_t width, int32_t height) {
    // Refused sizes and lack of memory leave the console as it was; absurd
    // sizes are refused before anything is allocated.
    if (width < 1 || height < 1 || !WithinLimits(width, c->maxline)) return c->consHeight;
    if (height > c->maxline) height = c->maxline;
    if (height > CONSOUT_MAX_HEIGHT) return c->consHeight;

    // New lines for the rows that the ring cannot supply, made up front so
    // that a failure changes nothing. Their slots are free: the ring is not
    // full when it holds fewer lines than the new height.
    const int32_t added = height > c->linecnt ? height - c->linecnt : 0;
    if (!PrepareUnlinked(c, added, width)) return c->consHeight;
    // Every line that is on the old screen or will be on the new one must
    // hold the new width: the old screen lines and those that the new
    // screen takes from the scroll-back.
    const int32_t fromRing = height < c->linecnt ? height : c->linecnt;
    const int32_t keep = c->consHeight > fromRing ? c->consHeight : fromRing;
    if (!WidenNewest(c, keep, width)) {
        FreeUnlinked(c, added);
        return c->consHeight;
    }

    const int32_t oldScreenTop = c->screenTop;
    c->consWidth = width;
    c->consHeight = height;
    if (c->curX > width - 1) c->curX = width - 1;
    c->linecnt += added;
    c->nextLine = SlotAdd(c->nextLine, added, c->maxline);
    FollowOutput(c);
    RelocateScreen(c, oldScreenTop);
    MarkAllDirty(c);
    NotifyScroll(c);
    return height;
}

int32_t SetBaselineskip(Consout *c, int32_t baselineskip) {
    // Drawing divides by the row pitch: below 1 is stored as 1.
    c->baselineskip = baselineskip < 1 ? 1 : baselineskip;
    MarkAllDirty(c);
    return c->baselineskip;
}

void SetColors(Consout *c, const ConsoutColor *colors) {
    if (colors) memcpy(c->colors, colors, sizeof c->colors);
    MarkAllDirty(c);
}

int32_t Viewline(const Consout *c) { return SlotSub(c->screenTop, c->viewTop, c->maxline); }

bool SetViewline(Consout *c, int32_t v) {
    if (v < 0 || v > c->linecnt - c->consHeight) return false;
    c->viewTop = SlotSub(c->screenTop, v, c->maxline);
    MarkAllDirty(c);
    return true;
}

bool MoveCursorTo(Consout *c, int64_t x, int64_t y) {
    if (x < 0 || x >= c->consWidth || y < 0 || y >= c->consHeight) return false;
    c->curX = static_cast<int32_t>(x);
    c->curY = static_cast<int32_t>(y);
    return true;
}

bool LineFeed(Consout *c) {
    if (c->curY + 1 < c->consHeight) return MoveCursorTo(c, c->curX, int64_t{c->curY} + 1);
    // Last row: the screen moves down one line of the ring. Cells are never
    // moved, only slot indexes.
    if (AppendRingLine(c))
        c->screenTop = SlotAdd(c->screenTop, 1, c->maxline);
    else
        RotateScreenUp(c);
    FollowOutput(c);
    MarkAllDirty(c);
    NotifyScroll(c);
    return true;
}

}  // namespace zubo::console
