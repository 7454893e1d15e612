// Internal layout of the console and the routines shared by its parts:
// ring and cursor (screen.cpp), byte output (output.cpp), the ANSI escape
// procedure (ansi.cpp) and drawing (render.cpp).
#ifndef ZUBO_CONSOLE_CONSOUT_H
#define ZUBO_CONSOLE_CONSOUT_H

#include <stddef.h>
#include <stdint.h>

#include "zubo.h"

// The console record: one heap block holding these fields in this order,
// followed by the ring of maxline line pointers (see Lines()).
struct Consout {
    ConsoutColor colors[CONSOUT_NCOLORS];
    void *font;  // the host's font handle, never owned
    int32_t consWidth;
    int32_t consHeight;
    int32_t fontWidth;
    int32_t fontHeight;
    int32_t curX;
    int32_t curY;
    int32_t attr;
    int32_t tabstop;
    int32_t baselineskip;
    int32_t charset;
    int32_t kanjicode;
    int32_t outputMode;
    int32_t escLen;
    uint8_t escBuf[CONSOUT_ESC_MAX];
    int32_t escState;
    ConsoutScrollNotifyProc scrollNotifyProc;
    ZuboUserValue scrollNotifyData;
    ConsoutEscProc escProc;
    ZuboUserValue escProcData;
    int32_t dirtyLeft;
    int32_t dirtyTop;
    int32_t dirtyRight;
    int32_t dirtyBottom;
    int32_t firstLine;
    int32_t nextLine;
    int32_t linecnt;
    int32_t viewTop;
    int32_t screenTop;
    int32_t maxline;
};

namespace zubo {

// Byte machine states.
enum EscState : int32_t {
    kGround = 0,
    kSjisSecond = 1,
    kEucSecond = 2,
    kJisSecond = 3,
    kEscCollect = 4,
};

// The ring of line pointers stored right after the record.
inline ConsoutLine **Lines(Consout *c) {
    return reinterpret_cast<ConsoutLine **>(reinterpret_cast<char *>(c) + sizeof(Consout));
}
inline ConsoutLine *const *Lines(const Consout *c) {
    return reinterpret_cast<ConsoutLine *const *>(reinterpret_cast<const char *>(c) +
                                                  sizeof(Consout));
}

// A line's cells as a plain pointer (the array member is only a placeholder
// for `count` cells).
inline ConsoutCell *Cells(ConsoutLine *line) { return &line->cells[0]; }
inline const ConsoutCell *Cells(const ConsoutLine *line) { return &line->cells[0]; }

// (a + b) modulo m for a in 0 ... m-1 and b in 0 ... m.
inline int32_t SlotAdd(int32_t a, int32_t b, int32_t m) {
    int32_t s = a + b;
    return s >= m ? s - m : s;
}
// (a - b) modulo m for a in 0 ... m-1 and b in 0 ... m.
inline int32_t SlotSub(int32_t a, int32_t b, int32_t m) {
    int32_t s = a - b;
    return s < 0 ? s + m : s;
}

// The screen line of row y (0 ... consHeight-1).
inline ConsoutLine *ScreenLine(Consout *c, int32_t y) {
    return Lines(c)[SlotAdd(c->screenTop, y, c->maxline)];
}

inline uint8_t HighByte(uint16_t code) { return static_cast<uint8_t>(code >> 8); }

// screen.cpp
void ClearLine(const Consout *c, ConsoutLine *line);
void MarkAllDirty(Consout *c);
void MarkClean(Consout *c);
void NotifyScroll(Consout *c);
// Stores a font and derives the cell size from its metrics; false (sizes
// unchanged) when they cannot be read.
bool ApplyFont(Consout *c, void *font);

// output.cpp
void PutCell(Consout *c, uint16_t code);
void PutWideChar(Consout *c, uint8_t b1, uint8_t b2);

// Platform font primitives (font_win32.cpp, font_posix.cpp).
void *StockFixedFont();
bool MeasureFont(void *font, int32_t *maxCharWidth, int32_t *height);

}  // namespace zubo

#endif
