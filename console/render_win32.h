// Drawing the console into a device context with GDI.
#ifndef ZUBO_CONSOLE_RENDER_WIN32_H
#define ZUBO_CONSOLE_RENDER_WIN32_H

#include <windows.h>

#include <stdint.h>

#include "console/consout.h"

namespace zubo::console {

// DrawView and UpdateView (render.h) with each run drawn by one text output
// (PutCells: the bytes, or their conversion from Shift_JIS where the system
// and the font would misread them) in the console's font and the run's
// colours and background mode, every character on its cells. The device
// context's text and background colours, background mode and text
// alignment are set back as they were, and its font.
int32_t DrawOnDc(const Consout *c, HDC dc, int32_t originX, int32_t originY, int32_t x,
                 int32_t y, int32_t width, int32_t height);
void UpdateOnDc(Consout *c, HDC dc, int32_t originX, int32_t originY);

}  // namespace zubo::console

#endif
