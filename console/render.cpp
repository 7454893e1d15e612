// Drawing the console through a RunSink: which lines and columns a view
// rectangle touches, runs of equal attribute, and the dirty rectangle.
#include "console/render.h"

#include "console/screen.h"

namespace zubo::console {
namespace {

// Pixel arithmetic is done in 64 bits; positions handed to the sink are
// kept inside int32_t.
inline int32_t Clamp32(int64_t v) {
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// The part of the view to draw: whole columns [firstColumn, endColumn) and
// rows from pixel y on, `height` pixels.
struct DrawArea {
    int32_t firstColumn;
    int32_t endColumn;
    int64_t x;
    int64_t y;
    int64_t height;
};

bool PlanDraw(const Consout *c, int64_t x, int64_t y, int64_t width, int64_t height,
              DrawArea *area) {
    const int64_t fw = c->fontWidth, bs = c->baselineskip;
    const int64_t screenW = int64_t{c->consWidth} * fw;
    const int64_t screenH = int64_t{c->consHeight} * bs;
    if (x > screenW || y > screenH) return false;
    // A rectangle reaching left of or above the view is cut at its edge, so
    // that no row or column before the first is looked at.
    if (x < 0) {
        width += x;
        x = 0;
    }
    if (y < 0) {
        height += y;
        y = 0;
    }
    if (x + width > screenW) width = screenW - x;
    if (y + height > screenH) height = screenH - y;
    // Every column and row that the rectangle touches is drawn whole: the
    // offset into the first cell (row) is added to the width (height) as
    // it is, also to one below 0, which then draws nothing unless the
    // offset lifts it above 0.
    const int64_t rx = x % fw;
    x -= rx;
    width += rx;
    area->firstColumn = static_cast<int32_t>(x / fw);
    // An end column at or below 0 draws nothing, as any below it would.
    const int64_t end = x / fw + width / fw + (width % fw > 0 ? 1 : 0);
    area->endColumn = static_cast<int32_t>(end < 0 ? 0 : end);
    const int64_t ry = y % bs;
    area->x = x;
    area->y = y - ry;
    area->height = height + ry;
    return true;
}

void DrawLine(const Consout *c, RunSink &sink, int64_t dx, int64_t dy, const ConsoutLine *line,
              int32_t from, int32_t to) {
    const ConsoutCell *cells = Cells(line);
    const int32_t count = line->count;
    if (from >= count) return;
    // Double-width characters cut by either edge are drawn whole.
    if (from > 0 && HighByte(cells[from].code) == WIDE_SECOND) {
        --from;
        dx -= c->fontWidth;
    }
    if (count < to)
        to = count;
    else if (to > 0 && to < count && HighByte(cells[to - 1].code) == WIDE_FIRST)
        ++to;
    char buf[RUN_MAX];
    while (from < to) {
        const uint16_t attr = cells[from].attr;
        const int32_t n = CollectRun(buf, RUN_MAX, line, &from, to);
        sink.Run(Clamp32(dx), Clamp32(dy), attr, buf, n);
        dx += int64_t{n} * c->fontWidth;
    }
}

void DrawRows(const Consout *c, RunSink &sink, const DrawArea &a, int32_t originX,
              int32_t originY) {
    ConsoutLine *const *lines = Lines(c);
    const int64_t bs = c->baselineskip;
    int32_t i = static_cast<int32_t>((a.y / bs + c->viewTop + c->maxline) % c->maxline);
    int64_t dy = a.y - originY;
    const int64_t dx = a.x - originX;
    for (int64_t left = a.height; left > 0; left -= bs) {
        if (!lines[i]) break;
        DrawLine(c, sink, dx, dy, lines[i], a.firstColumn, a.endColumn);
        i = SlotAdd(i, 1, c->maxline);
        if (i == c->nextLine) break;  // nothing after the newest line
        dy += bs;
    }
}

}  // namespace

int32_t CollectRun(char *buf, int32_t cap, const ConsoutLine *line, int32_t *from, int32_t to) {
    const ConsoutCell *cells = Cells(line);
    int32_t i = *from;
    const uint16_t attr = cells[i].attr;
    int32_t n = 0;
    do {
        buf[n++] = static_cast<char>(cells[i++].code & 0xFF);
    } while (i < to && n < cap && cells[i].attr == attr);
    // A run that the buffer's end would cut between the halves of a
    // double-width character ends before it, so that one text output
    // renders the character.
    if (n == cap && n > 1 && HighByte(cells[i - 1].code) == WIDE_FIRST) {
        --n;
        --i;
    }
    *from = i;
    return n;
}

int32_t DrawView(const Consout *c, RunSink &sink, int32_t originX, int32_t originY, int32_t x,
                 int32_t y, int32_t width, int32_t height) {
    DrawArea area;
    if (!PlanDraw(c, x, y, width, height, &area)) return 0;
    sink.Begin();
    DrawRows(c, sink, area, originX, originY);
    sink.End();
    return 1;
}

void DirtyRectPixels(const Consout *c, int32_t rect[4]) {
    const int64_t d = SlotSub(c->screenTop, c->viewTop, c->maxline);
    rect[0] = Clamp32(int64_t{c->dirtyLeft} * c->fontWidth);
    rect[1] = Clamp32((c->dirtyTop + d) * c->baselineskip);
    rect[2] = Clamp32(int64_t{c->dirtyRight} * c->fontWidth);
    rect[3] = Clamp32((c->dirtyBottom + d) * c->baselineskip);
}

void UpdateView(Consout *c, RunSink &sink, int32_t originX, int32_t originY) {
    if (c->dirtyLeft < DIRTY_CLEAN) {
        int32_t r[4];
        DirtyRectPixels(c, r);
        DrawView(c, sink, originX, originY, r[0], r[1], Clamp32(int64_t{r[2]} - r[0]),
                 Clamp32(int64_t{r[3]} - r[1]));
    }
    MarkClean(c);
}

}  // namespace zubo::console
