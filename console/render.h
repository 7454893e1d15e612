// Drawing the console, apart from the platform: the mapping of view pixels
// to ring lines and columns, runs of equal attribute and the dirty
// rectangle in pixels. A RunSink turns the runs into text outputs
// (render_win32.cpp does it with GDI).
#ifndef ZUBO_CONSOLE_RENDER_H
#define ZUBO_CONSOLE_RENDER_H

#include <stdint.h>

#include "console/consout.h"

namespace zubo::console {

class RunSink {
public:
    // Called once before the first run of a drawing and once after the last.
    virtual void Begin() = 0;
    virtual void End() = 0;
    // One text output: n bytes, drawn from device position (x, y) with the
    // colours and background mode of attr.
    virtual void Run(int32_t x, int32_t y, uint16_t attr, const char *bytes, int32_t n) = 0;

protected:
    ~RunSink() = default;
};

// Draws every cell that the view rectangle touches; 0 (the sink untouched)
// when the rectangle starts right of or below the screen, else 1.
int32_t DrawView(const Consout *c, RunSink &sink, int32_t originX, int32_t originY, int32_t x,
                 int32_t y, int32_t width, int32_t height);
// Draws the dirty rectangle if there is one and marks the console clean.
void UpdateView(Consout *c, RunSink &sink, int32_t originX, int32_t originY);
// The dirty rectangle in view pixels: left, top, right, bottom.
void DirtyRectPixels(const Consout *c, int32_t rect[4]);

// Gathers the run of equal attribute starting at *from (before to) into
// buf, at most cap bytes, and advances *from past it. Returns the bytes
// taken (at least 1).
int32_t CollectRun(char *buf, int32_t cap, const ConsoutLine *line, int32_t *from, int32_t to);

}  // namespace zubo::console

#endif
