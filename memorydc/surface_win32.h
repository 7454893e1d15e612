// The surface of a memory DC: building and tearing it down, copies in and
// out with its palette, and its colour table. Every function takes a
// surface that exists (hdc not null) unless it says otherwise; the checks
// of the operation table live in memorydc/exports_win32.cpp.
#ifndef ZUBO_MEMORYDC_SURFACE_WIN32_H
#define ZUBO_MEMORYDC_SURFACE_WIN32_H

#include <windows.h>

#include "zubo.h"

namespace zubo::memorydc {

// Builds a complete surface or nothing: on failure every handle made so far
// is deleted and s is left untouched.
bool BuildSurface(MemoryDCSurface &s, int32_t width, int32_t height, int32_t bitCount);
// Deletes what the surface holds (if anything) and clears it, so that a
// second teardown (Release after a failed Resize) touches nothing.
void TearDownSurface(MemoryDCSurface &s);

// Copies rectangle r of src into the surface at (x, y).
void CopyFrom(MemoryDCSurface &s, int32_t x, int32_t y, HDC src, const RECT &r);
// Stretches rectangle r of the surface into rectangle d of dst, with the
// surface's palette selected in dst meanwhile; dst keeps COLORONCOLOR.
void StretchTo(const MemoryDCSurface &s, HDC dst, const RECT &d, const RECT &r);
// Copies rectangle r of the surface to (x, y) of dst, with the palette.
void CopyTo(const MemoryDCSurface &s, HDC dst, int32_t x, int32_t y, const RECT &r);

// Sets colour-table entries start ... start + count - 1 (a range that
// ColorRangeAccepted accepts) and rebuilds the palette.
void SetColors(MemoryDCSurface &s, int32_t start, int32_t count, const RGBQUAD *colors);
// Reads colour-table entries; those the table does not have are not written.
void GetColors(const MemoryDCSurface &s, int32_t start, int32_t count, RGBQUAD *colors);

}  // namespace zubo::memorydc

#endif
