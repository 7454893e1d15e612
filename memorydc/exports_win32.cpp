// The memory DC's doors: the exported CreateMemoryDC and the operations of
// the object's table, which hosts call as dc->ops.X(dc, ...). This file owns
// their argument policy (null records and rectangles, a released surface)
// and the table's contents; the surface work is in surface_win32.cpp.
#include <windows.h>

#include "memorydc/object_win32.h"
#include "memorydc/surface_math.h"
#include "memorydc/surface_win32.h"
#include "zubo.h"

namespace zubo::memorydc {
namespace {

bool HasSurface(const MemoryDC *dc) { return dc->surface.hdc != nullptr; }

int32_t ZUBOAPI Release(MemoryDC *dc) {
    TearDownSurface(dc->surface);
    FreeObject(dc);
    return 1;
}

int32_t ZUBOAPI GetInfo(MemoryDC *dc, MemoryDCInfo *info) {
    if (!info) return 0;
    const MemoryDCSurface &s = dc->surface;
    info->mask = MEMORYDC_INFO_ALL;
    info->width = s.width;
    info->height = s.height;
    info->bitCount = s.bitCount;
    info->bytesPerLine = s.bytesPerLine;
    info->bits = s.bits;
    return 1;
}

int32_t ZUBOAPI BltFrom(MemoryDC *dc, int32_t x, int32_t y, HDC src, const RECT *r) {
    if (!r || !HasSurface(dc)) return 0;
    CopyFrom(dc->surface, x, y, src, *r);
    return 1;
}

int32_t ZUBOAPI StretchBltTo(MemoryDC *dc, HDC dst, const RECT *d, const RECT *r) {
    if (!d || !r || !HasSurface(dc)) return 0;
    StretchTo(dc->surface, dst, *d, *r);
    return 1;
}

int32_t ZUBOAPI BltTo(MemoryDC *dc, HDC dst, int32_t x, int32_t y, const RECT *r) {
    if (!r || !HasSurface(dc)) return 0;
    CopyTo(dc->surface, dst, x, y, *r);
    return 1;
}

int32_t ZUBOAPI SetColorTable(MemoryDC *dc, int32_t start, int32_t count, const RGBQUAD *colors) {
    if (!ColorRangeAccepted(start, count) || (count > 0 && !colors) || !HasSurface(dc)) return 0;
    SetColors(dc->surface, start, count, colors);
    return 1;
}

int32_t ZUBOAPI GetColorTable(MemoryDC *dc, int32_t start, int32_t count, RGBQUAD *colors) {
    // A negative count or a null array could only mean writing outside the
    // caller's array; a start outside the table reads nothing and, as for
    // every range, the platform's answer is not passed on.
    if (count < 0 || (count > 0 && !colors) || !HasSurface(dc)) return 0;
    if (start >= 0) GetColors(dc->surface, start, count, colors);
    return 1;
}

HDC ZUBOAPI GetHDC(MemoryDC *dc) { return dc->surface.hdc; }

int32_t ZUBOAPI Resize(MemoryDC *dc, const MemoryDCSize *size) {
    if (!size) return 0;
    const int32_t bitCount = size->bitCount ? size->bitCount : dc->surface.bitCount;
    // The old surface goes first, so that both never hold memory at once; a
    // failure leaves the object without a surface but releasable.
    TearDownSurface(dc->surface);
    return BuildSurface(dc->surface, size->width, size->height, bitCount) ? 1 : 0;
}

}  // namespace
}  // namespace zubo::memorydc

extern "C" MemoryDC *ZUBOAPI CreateMemoryDC(int32_t width, int32_t height, int32_t bitCount) {
    using namespace zubo::memorydc;
    MemoryDC *dc = NewObject(MEMORYDC_TYPE, sizeof(MemoryDC));
    if (!dc) return nullptr;
    if (!BuildSurface(dc->surface, width, height, bitCount)) {
        FreeObject(dc);
        return nullptr;
    }
    MemoryDCOperations &ops = dc->ops;
    ops.Release = &Release;
    ops.GetInfo = &GetInfo;
    ops.BltFrom = &BltFrom;
    ops.StretchBltTo = &StretchBltTo;
    ops.BltTo = &BltTo;
    ops.SetColorTable = &SetColorTable;
    ops.GetColorTable = &GetColorTable;
    ops.GetHDC = &GetHDC;
    ops.GetInfo2 = &GetInfo;
    ops.Resize = &Resize;
    return dc;
}
