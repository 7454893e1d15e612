// The exported functions of the console (Consout_*, CreateConsout) that need
// no platform; the drawing ones are in exports_win32.cpp. This file owns
// their handle policy: a null console is accepted by every function, which
// then does nothing and returns 0, except that Consout_Putchar and the plain
// setters return their value argument as always. Everything behind it takes
// a console that exists.
#include "console/ansi.h"
#include "console/consout.h"
#include "console/output.h"
#include "console/screen.h"

using namespace zubo::console;

extern "C" {

Consout *ZUBOAPI CreateConsout(int32_t width, int32_t height, int32_t maxline) {
    return NewConsole(width, height, maxline);
}

void ZUBOAPI Consout_Release(Consout *c) {
    if (c) FreeConsole(c);
}

int32_t ZUBOAPI Consout_SetConsSize(Consout *c, int32_t width, int32_t height) {
    return c ? Resize(c, width, height) : 0;
}

int32_t ZUBOAPI Consout_GetConsWidth(Consout *c) { return c ? c->consWidth : 0; }
int32_t ZUBOAPI Consout_GetConsHeight(Consout *c) { return c ? c->consHeight : 0; }
int32_t ZUBOAPI Consout_GetFontWidth(Consout *c) { return c ? c->fontWidth : 0; }
int32_t ZUBOAPI Consout_GetFontHeight(Consout *c) { return c ? c->fontHeight : 0; }
int32_t ZUBOAPI Consout_GetCurX(Consout *c) { return c ? c->curX : 0; }
int32_t ZUBOAPI Consout_GetCurY(Consout *c) { return c ? c->curY : 0; }
int32_t ZUBOAPI Consout_GetAttr(Consout *c) { return c ? c->attr : 0; }
int32_t ZUBOAPI Consout_GetTabstop(Consout *c) { return c ? c->tabstop : 0; }
int32_t ZUBOAPI Consout_GetBaselineskip(Consout *c) { return c ? c->baselineskip : 0; }
int32_t ZUBOAPI Consout_GetCharset(Consout *c) { return c ? c->charset : 0; }
int32_t ZUBOAPI Consout_GetKanjicode(Consout *c) { return c ? c->kanjicode : 0; }
int32_t ZUBOAPI Consout_GetMaxline(Consout *c) { return c ? c->maxline : 0; }
int32_t ZUBOAPI Consout_GetLinecnt(Consout *c) { return c ? c->linecnt : 0; }
int32_t ZUBOAPI Consout_GetOutputMode(Consout *c) { return c ? c->outputMode : 0; }

// The plain setters store the value unchecked.
int32_t ZUBOAPI Consout_SetAttr(Consout *c, int32_t attr) {
    if (c) c->attr = attr;
    return attr;
}
int32_t ZUBOAPI Consout_SetTabstop(Consout *c, int32_t tabstop) {
    if (c) c->tabstop = tabstop;
    return tabstop;
}
int32_t ZUBOAPI Consout_SetCharset(Consout *c, int32_t charset) {
    if (c) c->charset = charset;
    return charset;
}
int32_t ZUBOAPI Consout_SetKanjicode(Consout *c, int32_t kanjicode) {
    if (c) c->kanjicode = kanjicode;
    return kanjicode;
}
int32_t ZUBOAPI Consout_SetOutputMode(Consout *c, int32_t flags) {
    if (c) c->outputMode = flags;
    return flags;
}

int32_t ZUBOAPI Consout_SetBaselineskip(Consout *c, int32_t baselineskip) {
    return c ? SetBaselineskip(c, baselineskip) : 0;
}

int32_t ZUBOAPI Consout_SetColors(Consout *c, const ConsoutColor *colors) {
    if (!c) return 0;
    SetColors(c, colors);
    return 1;
}

int32_t ZUBOAPI Consout_GetViewline(Consout *c) { return c ? Viewline(c) : 0; }

int32_t ZUBOAPI Consout_SetViewline(Consout *c, int32_t v) {
    return c && SetViewline(c, v) ? 1 : 0;
}

int32_t ZUBOAPI Consout_SetScrollNotifyProc(Consout *c, ConsoutScrollNotifyProc proc,
                                            ZuboUserValue user) {
    if (!c) return 0;
    c->scrollNotifyProc = proc;
    c->scrollNotifyData = user;
    return 1;
}

int32_t ZUBOAPI Consout_SetESCProc(Consout *c, ConsoutEscProc proc, ZuboUserValue user) {
    if (!c) return 0;
    c->escProc = proc;
    c->escProcData = user;
    return 1;
}

int32_t ZUBOAPI Consout_ESCProc_ANSI(Consout *c, const uint8_t *bytes, int32_t count,
                                     ZuboUserValue user) {
    return c ? AnsiEscapeProc(c, bytes, count, user) : 0;
}

// The single steps are computed in 64 bits so that no cursor value can
// overflow; an off-screen target is refused.
int32_t ZUBOAPI Consout_MoveCur(Consout *c, int32_t x, int32_t y) {
    return c && MoveCursorTo(c, x, y) ? 1 : 0;
}
int32_t ZUBOAPI Consout_MoveCurLeft(Consout *c) {
    return c && MoveCursorTo(c, int64_t{c->curX} - 1, c->curY) ? 1 : 0;
}
int32_t ZUBOAPI Consout_MoveCurRight(Consout *c) {
    return c && MoveCursorTo(c, int64_t{c->curX} + 1, c->curY) ? 1 : 0;
}
int32_t ZUBOAPI Consout_MoveCurUp(Consout *c) {
    return c && MoveCursorTo(c, c->curX, int64_t{c->curY} - 1) ? 1 : 0;
}
int32_t ZUBOAPI Consout_MoveCurDown(Consout *c) { return c && LineFeed(c) ? 1 : 0; }
int32_t ZUBOAPI Consout_MoveCurLeftMost(Consout *c) {
    return c && MoveCursorTo(c, 0, c->curY) ? 1 : 0;
}
int32_t ZUBOAPI Consout_MoveCurRightMost(Consout *c) {
    return c && MoveCursorTo(c, c->consWidth - 1, c->curY) ? 1 : 0;
}
int32_t ZUBOAPI Consout_MoveCurUpMost(Consout *c) {
    return c && MoveCursorTo(c, c->curX, 0) ? 1 : 0;
}
int32_t ZUBOAPI Consout_MoveCurDownMost(Consout *c) {
    return c && MoveCursorTo(c, c->curX, c->consHeight - 1) ? 1 : 0;
}

int32_t ZUBOAPI Consout_Putchar(Consout *c, int32_t byte) {
    return c ? PutByte(c, byte) : byte;
}

int32_t ZUBOAPI Consout_Reset(Consout *c) {
    if (c) EndSequence(c);
    return 0;
}

int32_t ZUBOAPI Consout_ClearScreen(Consout *c) {
    if (!c) return 0;
    ClearScreen(c);
    return 1;
}

int32_t ZUBOAPI Consout_DeleteLineFromCursor(Consout *c) {
    if (!c) return 0;
    EraseToLineEnd(c);
    return 1;
}

int32_t ZUBOAPI Consout_DirtyClean(Consout *c) {
    if (!c) return 0;
    MarkClean(c);
    return 1;
}

}  // extern "C"
