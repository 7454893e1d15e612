// Byte output: the five-state byte machine behind Consout_Putchar, the cell
// writer, double-width characters, the JIS shift sequences, escape
// collection and the two erase operations.
#include "console/output.h"

#include "console/screen.h"
#include "kanji/kanji.h"

namespace zubo::console {
namespace {

using kanji::IsSjisLead;
using kanji::KanjiShift;

inline void GrowDirty(Consout *c, int32_t left, int32_t right, int32_t row) {
    if (left < c->dirtyLeft) c->dirtyLeft = left;
    if (right > c->dirtyRight) c->dirtyRight = right;
    if (row < c->dirtyTop) c->dirtyTop = row;
    if (row + 1 > c->dirtyBottom) c->dirtyBottom = row + 1;
}

// The cell writer (PutCell), inline for PutCell and PutPrintable.
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

inline bool HasModes(const Consout *c, int32_t flags) {
    return (c->outputMode & (OUTMODE_ENABLE | flags)) == (OUTMODE_ENABLE | flags);
}

void PutTab(Consout *c) {
    if (!HasModes(c, OUTMODE_EXPAND_TAB) || c->tabstop < 1) return;
    int32_t n = c->tabstop - c->curX % c->tabstop;
    if (n > c->consWidth - c->curX) n = c->consWidth - c->curX;
    for (int32_t i = 0; i < n; ++i) PutCell(c, CONSOUT_BLANK);
}

// The handlers below end the byte that PutSequenceByte hands them and
// return its argument, so that the dispatch ends in a jump to them rather
// than a call; the larger ones stay out of line, so that the dispatch's
// short paths (a lead byte, a pair written in place) stay short.

[[gnu::noinline]] int32_t GroundControl(Consout *c, int32_t byte) {
    switch (static_cast<uint8_t>(byte)) {
    case kTab:
        PutTab(c);
        break;
    case kLf:
        if (HasModes(c, OUTMODE_NEWLINE_CR)) MoveCursorTo(c, 0, c->curY);
        LineFeed(c);
        break;
    case kCr:
        MoveCursorTo(c, 0, c->curY);
        break;
    case kEsc:
        c->escState = kEscCollect;  // the ESC stays as escBuf[0]
        return byte;
    default:
        PutCell(c, static_cast<uint8_t>(byte));  // no other control byte has a meaning
        break;
    }
    c->escLen = 0;
    return byte;
}

// What PutWideChar comes to when both halves land before the last column
// on cells that hold no half of another character: the two cells, one
// line lookup and one growth of the dirty rectangle. False, with nothing
// done, in every other case.
inline bool PutPairInPlace(Consout *c, uint8_t b1, uint8_t b2) {
    const int32_t x = c->curX, y = c->curY;
    if (x + 2 >= c->consWidth) return false;
    ConsoutCell *cells = Cells(ScreenLine(c, y)) + x;
    if (cells[0].code >= WIDE_FIRST << 8 || cells[1].code >= WIDE_FIRST << 8) return false;
    const uint16_t attr = static_cast<uint16_t>(c->attr);
    cells[0].code = static_cast<uint16_t>(WIDE_FIRST << 8 | b1);
    cells[0].attr = attr;
    cells[1].code = static_cast<uint16_t>(WIDE_SECOND << 8 | b2);
    cells[1].attr = attr;
    GrowDirty(c, x, x + 2, y);
    c->curX = x + 2;
    return true;
}

// A double-width character that ends a sequence byte.
[[gnu::noinline]] int32_t PutPairThroughCells(Consout *c, uint8_t b1, uint8_t b2, int32_t byte) {
    PutWideChar(c, b1, b2);
    EndSequence(c);
    return byte;
}

inline int32_t PutPair(Consout *c, uint8_t b1, uint8_t b2, int32_t byte) {
    if (!PutPairInPlace(c, b1, b2)) return PutPairThroughCells(c, b1, b2, byte);
    EndSequence(c);
    return byte;
}

inline int32_t PutJisPair(Consout *c, uint8_t row, uint8_t cell, int32_t byte) {
    uint8_t s1, s2;
    kanji::JisPairToSjis(row, cell, &s1, &s2);
    return PutPair(c, s1, s2, byte);
}

// True when the collected bytes after ESC are a whole shift sequence, which
// then takes effect.
bool TakeShiftSequence(Consout *c) {
    if (c->escLen != 2 && c->escLen != 3) return false;
    c->escBuf[c->escLen] = 0;  // escLen <= 3 leaves room
    // The text after ESC is one or two bytes: a sequence that starts it is
    // all of it.
    const KanjiShift *row =
        kanji::MatchShiftSequence(reinterpret_cast<const char *>(c->escBuf + 1));
    if (!row) return false;
    c->charset = row->mode;
    return true;
}

[[gnu::noinline]] int32_t CollectEscape(Consout *c, int32_t byte) {
    if (TakeShiftSequence(c)) {
        EndSequence(c);
        return byte;
    }
    if (c->escProc && c->escProc(c, c->escBuf, c->escLen, c->escProcData) == 0) return byte;
    EndSequence(c);
    return byte;
}

}  // namespace

void PutCell(Consout *c, uint16_t code) { WriteCell(c, code); }

[[gnu::noinline]] int32_t PutPrintable(Consout *c, int32_t byte) {
    WriteCell(c, static_cast<uint8_t>(byte));
    c->escLen = 0;
    return byte;
}

void PutWideChar(Consout *c, uint8_t b1, uint8_t b2) {
    if (c->consWidth >= 2 && c->curX == c->consWidth - 1) PutCell(c, CONSOUT_BLANK);
    // A screen one column wide cannot hold both halves (also when the
    // scroll-notify procedure of that wrap has just narrowed it): a blank
    // stands in for the character.
    if (c->consWidth < 2) {
        PutCell(c, CONSOUT_BLANK);
        return;
    }
    PutCell(c, static_cast<uint16_t>(WIDE_FIRST << 8 | b1));
    PutCell(c, static_cast<uint16_t>(WIDE_SECOND << 8 | b2));
}

int32_t PutSequenceByte(Consout *c, int32_t byte) {
    const uint8_t b = static_cast<uint8_t>(byte);
    if (static_cast<uint32_t>(c->escLen) >= CONSOUT_ESC_MAX) EndSequence(c);
    c->escBuf[c->escLen++] = b;
    switch (c->escState) {
    case kGround:
        if (b <= 0x20) return GroundControl(c, byte);
        // A byte above 0x20: a lead byte waits in escBuf for its second
        // byte; charset values other than SHIFT_DOUBLE are read as
        // single-byte mode.
        if (c->charset == SHIFT_DOUBLE) {
            c->escState = kJisSecond;
            return byte;
        }
        if (c->kanjicode == KANJICODE_SJIS && IsSjisLead(b)) {
            c->escState = kSjisSecond;
            return byte;
        }
        if (c->kanjicode == KANJICODE_EUC && b >= 0x80) {
            c->escState = kEucSecond;
            return byte;
        }
        return PutPrintable(c, byte);
    case kSjisSecond:
        return PutPair(c, c->escBuf[0], b, byte);
    case kEucSecond:
        return PutJisPair(c, static_cast<uint8_t>(c->escBuf[0] - 0x80),
                          static_cast<uint8_t>(b - 0x80), byte);
    case kJisSecond:
        return PutJisPair(c, c->escBuf[0], b, byte);
    case kEscCollect:
        return CollectEscape(c, byte);
    default:
        EndSequence(c);  // not a state: start afresh
        return byte;
    }
}

void EndSequence(Consout *c) {
    c->escState = kGround;
    c->escLen = 0;
}

void ClearScreen(Consout *c) {
    for (int32_t y = 0; y < c->consHeight; ++y) ClearLine(c, ScreenLine(c, y));
    c->curX = c->curY = 0;
    MarkAllDirty(c);
}

void EraseToLineEnd(Consout *c) {
    ConsoutLine *line = ScreenLine(c, c->curY);
    ConsoutCell *cells = Cells(line);
    int32_t from = c->curX;
    if (from > 0 && HighByte(cells[from].code) == WIDE_SECOND) --from;
    const ConsoutCell blank = {CONSOUT_BLANK, static_cast<uint16_t>(c->attr)};
    for (int32_t x = from; x < line->count; ++x) cells[x] = blank;
    GrowDirty(c, from, line->count, c->curY);
}

}  // namespace zubo::console
