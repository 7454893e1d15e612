// The console record and the small helpers that every part of the console
// shares: the ring layout, cell access and the byte machine's states. The
// parts themselves are declared in screen.h (ring, cursor, sizes), output.h
// (byte output, erase), ansi.h (the default escape procedure), render.h
// (drawing) and font.h (platform fonts). All of them take a console that
// exists; the null policy of the exported functions lives in
// console/exports.cpp and console/exports_win32.cpp.
#ifndef ZUBO_CONSOLE_CONSOUT_H
#define ZUBO_CONSOLE_CONSOUT_H

#include <stddef.h>
#include <stdint.h>

#include "zubo.h"

// The console record: one heap block holding these fields in this order,
// followed by the ring of maxline line pointers (see Lines()). Layout frozen
// (checked in layout.cpp): the 32-bit DLL keeps this field order so that a
// console reads the same in a debugger or a dump.
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

namespace zubo::console {

// Control bytes with a meaning of their own.
constexpr uint8_t kTab = 0x09, kLf = 0x0A, kCr = 0x0D, kEsc = 0x1B;

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

}  // namespace zubo::console

#endif
