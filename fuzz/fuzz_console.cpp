// Random output bytes mixed with random calls on a small console; the ring
// invariants must hold after every call, and drawing must stay inside the
// ring and its lines. A twin console gets the same calls and every byte
// through the byte machine's general path (PutSequenceByte), bypassing
// Consout_Putchar's fast path: both must stay the same in every field and
// cell.
//
// Input: three bytes for width, height and ring size, then a stream in
// which 0xFF introduces a call (its number and argument bytes follow) and
// every other byte is output; 0xFF 0xFF outputs 0xFF.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "console/consout.h"
#include "console/invariants.h"
#include "fuzz/fuzz_support.h"
#include "console/output.h"
#include "console/render.h"
#include "console/screen.h"

namespace {

using zubo_fuzz::Input;
using zubo_fuzz::TouchingSink;

void Check(const Consout *c, const char *where) {
    if (const char *broken = zubo::console::BrokenInvariant(c)) {
        fprintf(stderr, "invariant broken after %s: %s\n", where, broken);
        abort();
    }
}

int32_t CheckOnScroll(Consout *c, ZuboUserValue) {
    Check(c, "scroll notification");
    return 0;
}

// The records and every line of the rings are the same, but for the
// collection buffer past its collected bytes.
bool SameConsoles(const Consout *a, const Consout *b) {
    if (memcmp(a->colors, b->colors, sizeof a->colors) != 0 || a->font != b->font) return false;
    const int32_t fa[] = {a->consWidth, a->consHeight, a->fontWidth, a->fontHeight, a->curX,
                          a->curY, a->attr, a->tabstop, a->baselineskip, a->charset,
                          a->kanjicode, a->outputMode, a->escLen, a->escState, a->dirtyLeft,
                          a->dirtyTop, a->dirtyRight, a->dirtyBottom, a->firstLine,
                          a->nextLine, a->linecnt, a->viewTop, a->screenTop, a->maxline};
    const int32_t fb[] = {b->consWidth, b->consHeight, b->fontWidth, b->fontHeight, b->curX,
                          b->curY, b->attr, b->tabstop, b->baselineskip, b->charset,
                          b->kanjicode, b->outputMode, b->escLen, b->escState, b->dirtyLeft,
                          b->dirtyTop, b->dirtyRight, b->dirtyBottom, b->firstLine,
                          b->nextLine, b->linecnt, b->viewTop, b->screenTop, b->maxline};
    if (memcmp(fa, fb, sizeof fa) != 0) return false;
    if (a->escLen > 0 && a->escLen <= CONSOUT_ESC_MAX &&
        memcmp(a->escBuf, b->escBuf, static_cast<size_t>(a->escLen)) != 0)
        return false;
    for (int32_t i = 0; i < a->maxline; ++i) {
        const ConsoutLine *la = zubo::console::Lines(a)[i], *lb = zubo::console::Lines(b)[i];
        if (!la || !lb) {
            if (la != lb) return false;
            continue;
        }
        if (la->count != lb->count ||
            memcmp(la->cells, lb->cells, static_cast<size_t>(la->count) * sizeof(ConsoutCell)) != 0)
            return false;
    }
    return true;
}

void Call(Consout *c, Input &in) {
    TouchingSink sink;
    switch (in.Byte() % 20) {
    case 0: Consout_Putchar(c, 0xFF); break;
    case 1: Consout_SetConsSize(c, in.Small() % 48, in.Small() % 24); break;
    case 2: Consout_SetViewline(c, in.Small()); break;
    case 3: Consout_SetAttr(c, in.Wide()); break;
    case 4: Consout_SetCharset(c, in.Byte() % 3); break;
    case 5: Consout_SetKanjicode(c, in.Byte() % 3); break;
    case 6: Consout_SetOutputMode(c, in.Byte() & 7); break;
    case 7: Consout_SetTabstop(c, in.Small() % 17); break;
    case 8: Consout_ClearScreen(c); break;
    case 9: Consout_DeleteLineFromCursor(c); break;
    case 10: Consout_MoveCur(c, in.Small(), in.Small()); break;
    case 11:
        switch (in.Byte() % 9) {
        case 0: Consout_MoveCurLeft(c); break;
        case 1: Consout_MoveCurRight(c); break;
        case 2: Consout_MoveCurUp(c); break;
        case 3: Consout_MoveCurDown(c); break;
        case 4: Consout_MoveCurLeftMost(c); break;
        case 5: Consout_MoveCurRightMost(c); break;
        case 6: Consout_MoveCurUpMost(c); break;
        default: Consout_MoveCurDownMost(c); break;
        }
        break;
    case 12: Consout_Reset(c); break;
    case 13: Consout_DirtyClean(c); break;
    case 14: Consout_SetESCProc(c, (in.Byte() & 1) ? Consout_ESCProc_ANSI : nullptr, 0); break;
    case 15: Consout_SetBaselineskip(c, in.Small()); break;
    case 16: {
        const int32_t x = in.Wide(), y = in.Wide(), w = in.Wide(), h = in.Wide();
        zubo::console::DrawView(c, sink, in.Small(), in.Small(), x, y, w, h);
        break;
    }
    case 17: zubo::console::UpdateView(c, sink, 0, 0); break;
    case 18: {
        // A native stand-in font: widest glyph and height, 0 ... 255 each.
        const uintptr_t maxWidth = in.Byte(), height = in.Byte();
        zubo::console::ApplyFont(c, reinterpret_cast<void *>(maxWidth << 16 | height));
        break;
    }
    default: {
        const ConsoutColor colors[CONSOUT_NCOLORS] = DEFAULT_COLORS;
        Consout_SetColors(c, colors);
        break;
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 3) return 0;
    Input in{data, size};
    const int32_t w = 1 + in.Byte() % 40, h = 1 + in.Byte() % 20, maxline = 1 + in.Byte() % 50;
    Consout *c = CreateConsout(w, h, maxline);
    if (!c) abort();
    Consout *twin = CreateConsout(w, h, maxline);
    if (!twin) abort();
    Consout_SetScrollNotifyProc(c, CheckOnScroll, 0);
    Consout_SetScrollNotifyProc(twin, CheckOnScroll, 0);
    Check(c, "creation");
    while (!in.empty()) {
        const uint8_t b = in.Byte();
        if (b == 0xFF) {
            Input again = in;
            Call(c, in);
            Call(twin, again);
            Check(c, "a call");
        } else {
            Consout_Putchar(c, b);
            zubo::console::PutSequenceByte(twin, b);
            Check(c, "a byte");
        }
        if (!SameConsoles(c, twin)) {
            fprintf(stderr, "the fast path and the general path differ\n");
            abort();
        }
    }
    Consout_Release(twin);
    Consout_Release(c);
    return 0;
}
