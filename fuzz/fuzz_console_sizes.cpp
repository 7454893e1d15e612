// Console sizes up to the largest the library accepts, and beyond: every
// creation and resize is checked against the size rule of zubo.h (a size
// below 1 or beyond CONSOUT_MAX_WIDTH, CONSOUT_MAX_LINES, CONSOUT_MAX_CELLS
// for width x maxline, or CONSOUT_MAX_HEIGHT for the height cut to the
// ring is refused, with nothing changed), and the ring invariants must hold
// after every call, output and drawing included.
//
// Input: a creation (three sizes), then calls: resize, output bytes, line
// feeds, scrolling the view back, drawing. Each size is a choice byte and
// an offset byte: small, near a limit (below, at or above it), a width
// that fills CONSOUT_MAX_CELLS for the ring, or an absurd value.
#include <stdio.h>
#include <stdlib.h>

#include "console/consout.h"
#include "console/invariants.h"
#include "fuzz/fuzz_support.h"
#include "console/render.h"

namespace {

using zubo_fuzz::Input;
using zubo_fuzz::TouchingSink;

// One size: which kind, then an offset. maxline is the ring the size is
// for, 0 when the ring itself is chosen.
int32_t Size(Input &in, int32_t limit, int32_t maxline) {
    const uint8_t kind = in.Byte(), k = in.Byte();
    // Mostly small sizes, which keep the target fast (a ring at the limits
    // takes a good part of a second); each kind of large one is a choice of
    // its own.
    switch (kind % 64) {
    case 56: return limit - k % 4;      // at and just below the limit
    case 57: return limit + 1 + k % 4;  // just beyond it
    case 58:  // the cell limit: the width that fills it for the ring, or the
              // rings around the smallest one that the widest width fills
        return maxline > 0 ? CONSOUT_MAX_CELLS / maxline + k % 3 - 1
                           : CONSOUT_MAX_CELLS / CONSOUT_MAX_WIDTH + k % 8 - 4;
    case 59: return -(k % 3);                                   // 0 and below
    case 60: return k % 2 ? INT32_MAX - k % 8 : 50000000 + k;   // absurd
    case 61:
    case 62: return 1 + k * 16;                                 // medium
    default: return 1 + k % 64;                                 // small
    }
}

bool Accepted(int64_t w, int64_t h, int64_t m) {
    if (w < 1 || h < 1 || m < 1) return false;
    if (w > CONSOUT_MAX_WIDTH || m > CONSOUT_MAX_LINES || w * m > CONSOUT_MAX_CELLS) return false;
    return (h < m ? h : m) <= CONSOUT_MAX_HEIGHT;
}

void Check(bool ok, const char *what) {
    if (!ok) {
        fprintf(stderr, "console sizes: %s\n", what);
        abort();
    }
}

void CheckRing(const Consout *c, const char *where) {
    if (const char *broken = zubo::console::BrokenInvariant(c)) {
        fprintf(stderr, "invariant broken after %s: %s\n", where, broken);
        abort();
    }
}

// The work of one invariant check: every slot and every cell of the ring.
// Large rings are checked less often, so that the target stays fast.
bool LargeRing(const Consout *c) {
    return c->maxline + int64_t{c->linecnt} * c->consWidth > (1 << 18);
}

int32_t CheckOnScroll(Consout *c, ZuboUserValue) {
    if (!LargeRing(c)) CheckRing(c, "scroll notification");
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    Input in{data, size};
    const int32_t maxline = Size(in, CONSOUT_MAX_LINES, 0);
    const int32_t width = Size(in, CONSOUT_MAX_WIDTH, maxline);
    const int32_t height = Size(in, CONSOUT_MAX_HEIGHT, maxline);
    Consout *c = CreateConsout(width, height, maxline);
    Check((c != nullptr) == Accepted(width, height, maxline), "creation follows the size rule");
    if (!c) return 0;
    Check(c->consWidth == width && c->consHeight == (height < maxline ? height : maxline) &&
              c->maxline == maxline,
          "the sizes created");
    CheckRing(c, "creation");
    Consout_SetScrollNotifyProc(c, CheckOnScroll, 0);
    // Large rings get a few calls only, each checked as a whole.
    for (int calls = 0; !in.empty(); ++calls) {
        if (calls >= (LargeRing(c) ? 4 : 64)) break;
        switch (in.Byte() % 6) {
        case 0: {
            const int32_t w = Size(in, CONSOUT_MAX_WIDTH, c->maxline);
            const int32_t h = Size(in, CONSOUT_MAX_HEIGHT, c->maxline);
            const int32_t oldW = c->consWidth, oldH = c->consHeight, oldLines = c->linecnt;
            const int32_t result = Consout_SetConsSize(c, w, h);
            if (Accepted(w, h, c->maxline)) {
                const int32_t expect = h < c->maxline ? h : c->maxline;
                Check(result == expect && c->consHeight == expect && c->consWidth == w,
                      "an accepted resize takes the size");
            } else {
                Check(result == oldH && c->consHeight == oldH && c->consWidth == oldW &&
                          c->linecnt == oldLines,
                      "a refused resize changes nothing");
            }
            CheckRing(c, "a resize");
            break;
        }
        case 1: {  // a few output bytes
            for (int i = in.Byte() % 16; i > 0; --i) Consout_Putchar(c, in.Byte());
            CheckRing(c, "output");
            break;
        }
        case 2: {  // line feeds: scrolling the ring
            for (int i = in.Byte() % 32; i > 0; --i) Consout_Putchar(c, '\n');
            CheckRing(c, "line feeds");
            break;
        }
        case 3:
            Consout_MoveCur(c, c->consWidth - 1 - in.Byte() % 2, c->consHeight - 1);
            Consout_Putchar(c, 0x88);  // a double-width character at the right edge
            Consout_Putchar(c, 0x9F);
            CheckRing(c, "the right edge");
            break;
        case 4: {
            const int32_t v = static_cast<int32_t>(in.Byte()) << 8 | in.Byte();
            Consout_SetViewline(c, v % (c->linecnt - c->consHeight + 2));
            CheckRing(c, "the view");
            break;
        }
        default: {
            TouchingSink sink;
            const int64_t screenW = int64_t{c->consWidth} * c->fontWidth;
            const int32_t x = static_cast<int32_t>(screenW - in.Byte() * c->fontWidth);
            zubo::console::DrawView(c, sink, 0, 0, x, in.Byte() * c->baselineskip,
                                    in.Byte() * c->fontWidth, in.Byte() * c->baselineskip);
            // The whole dirty rectangle only while it is small enough to
            // keep the target fast (up to 2^20 cells).
            if (int64_t{c->dirtyRight - c->dirtyLeft} * (c->dirtyBottom - c->dirtyTop) <= 1 << 20)
                zubo::console::UpdateView(c, sink, 0, 0);
            else
                Consout_DirtyClean(c);
            CheckRing(c, "drawing");
            break;
        }
        }
    }
    Consout_Release(c);
    return 0;
}
