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

inline bool HasModes(const Consout *c, int32_t flags) {
    return (c->outputMode & (OUTMODE_ENABLE | flags)) == (OUTMODE_ENABLE | flags);
}

void PutTab(Consout *c) {
    if (!HasModes(c, OUTMODE_EXPAND_TAB) || c->tabstop < 1) return;
    int32_t n = c->tabstop - c->curX % c->tabstop;
    if (n > c->consWidth - c->curX) n = c->consWidth - c->curX;
    for (int32_t i = 0; i < n; ++i) PutCell(c, CONSOUT_BLANK);
}

void PutJisPair(Consout *c, uint8_t row, uint8_t cell) {
    uint8_t s1, s2;
    kanji::JisPairToSjis(row, cell, &s1, &s2);
    PutWideChar(c, s1, s2);
}

void GroundControl(Consout *c, uint8_t b) {
    switch (b) {
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
        return;
    default:
        PutCell(c, b);  // no other control byte has a meaning
        break;
    }
    c->escLen = 0;
}

// A byte above 0x20 in ground. Charset values other than SHIFT_DOUBLE are
// read as single-byte mode.
void GroundByte(Consout *c, uint8_t b) {
    if (c->charset == SHIFT_DOUBLE) {
        c->escState = kJisSecond;
        return;
    }
    if (c->kanjicode == KANJICODE_SJIS && IsSjisLead(b)) {
        c->escState = kSjisSecond;
        return;
    }
    if (c->kanjicode == KANJICODE_EUC && b >= 0x80) {
        c->escState = kEucSecond;
        return;
    }
    PutCell(c, b);
    c->escLen = 0;
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

void CollectEscape(Consout *c) {
    if (TakeShiftSequence(c)) {
        EndSequence(c);
        return;
    }
    if (c->escProc && c->escProc(c, c->escBuf, c->escLen, c->escProcData) == 0) return;
    EndSequence(c);
}

}  // namespace

void PutCell(Consout *c, uint16_t code) { WriteCell(c, code); }

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
    if (c->escLen >= CONSOUT_ESC_MAX || c->escLen < 0) EndSequence(c);
    c->escBuf[c->escLen++] = b;
    switch (c->escState) {
    case kGround:
        if (b <= 0x20)
            GroundControl(c, b);
        else
            GroundByte(c, b);
        break;
    case kSjisSecond:
        PutWideChar(c, c->escBuf[0], b);
        EndSequence(c);
        break;
    case kEucSecond:
        PutJisPair(c, static_cast<uint8_t>(c->escBuf[0] - 0x80), static_cast<uint8_t>(b - 0x80));
        EndSequence(c);
        break;
    case kJisSecond:
        PutJisPair(c, c->escBuf[0], b);
        EndSequence(c);
        break;
    case kEscCollect:
        CollectEscape(c);
        break;
    default:
        EndSequence(c);  // not a state: start afresh
        break;
    }
    return byte;
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
