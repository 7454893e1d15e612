// The console's screen buffer: the record's life, the ring of lines,
// resizing, the cursor and the line feed, the scroll-back view, the dirty
// rectangle, the font's cell size and the colours.
#ifndef ZUBO_CONSOLE_SCREEN_H
#define ZUBO_CONSOLE_SCREEN_H

#include <stdint.h>

#include "console/consout.h"

namespace zubo::console {

// A console of width x min(height, maxline) blank cells with a ring of
// maxline lines and every default; null when a size is below 1 or too
// large, or when memory runs out.
Consout *NewConsole(int32_t width, int32_t height, int32_t maxline);
// Frees every line of the ring, then the record.
void FreeConsole(Consout *c);
// Resizes the screen (height clamped to maxline); returns the height in
// effect, the old one when a size is refused or memory runs out (then
// nothing changed).
int32_t Resize(Consout *c, int32_t width, int32_t height);

// Blanks a line in the current attribute.
void ClearLine(const Consout *c, ConsoutLine *line);
// Marks everything the view shows dirty: the whole screen when the view is
// on it; scrolled back v lines, screen rows -v ... consHeight-v, the rows
// above the screen being the scroll-back lines in view.
void MarkAllDirty(Consout *c);
void MarkClean(Consout *c);
// Calls the host's scroll-notify procedure, if any.
void NotifyScroll(Consout *c);

// Stores a font and derives the cell size from its metrics; false (sizes
// unchanged) when they cannot be read. The whole screen becomes dirty.
bool ApplyFont(Consout *c, void *font);
// Sets the row pitch (at least 1) and returns it; the whole screen becomes
// dirty.
int32_t SetBaselineskip(Consout *c, int32_t baselineskip);
// Copies 16 colours (null keeps the table); the whole screen becomes dirty.
void SetColors(Consout *c, const ConsoutColor *colors);

// Lines between the view and the screen, and scrolling the view back.
int32_t Viewline(const Consout *c);
bool SetViewline(Consout *c, int32_t v);

// Moves the cursor to a target on the screen; false, with the cursor
// unchanged, for any other target. Taken in 64 bits so that steps and
// escape parameters cannot overflow on the way.
bool MoveCursorTo(Consout *c, int64_t x, int64_t y);
// One row down; on the last row the screen scrolls one line of the ring
// instead (the cursor stays on the last row). True, since the cursor is
// always on the screen and so is the row below it or the scroll.
bool LineFeed(Consout *c);

}  // namespace zubo::console

#endif
