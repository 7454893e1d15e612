// The console's exported functions that draw or take a GDI font. The same
// handle policy as exports.cpp: a null console does nothing and gives 0.
#include <windows.h>

#include "console/consout.h"
#include "console/render.h"
#include "console/render_win32.h"
#include "console/screen.h"

using namespace zubo::console;

extern "C" {

int32_t ZUBOAPI Consout_SetFont(Consout *c, HFONT font) {
    return c && ApplyFont(c, font) ? 1 : 0;
}

int32_t ZUBOAPI Consout_Draw(Consout *c, HDC dc, int32_t originX, int32_t originY, int32_t x,
                             int32_t y, int32_t width, int32_t height) {
    return c ? DrawOnDc(c, dc, originX, originY, x, y, width, height) : 0;
}

int32_t ZUBOAPI Consout_GetDirtyRect(Consout *c, RECT *rect) {
    if (!c) return 0;
    int32_t r[4];
    DirtyRectPixels(c, r);
    if (rect) SetRect(rect, r[0], r[1], r[2], r[3]);
    return 1;
}

int32_t ZUBOAPI Consout_Update(Consout *c, HDC dc, int32_t originX, int32_t originY) {
    if (!c) return 0;
    UpdateOnDc(c, dc, originX, originY);
    return 1;
}

}  // extern "C"
