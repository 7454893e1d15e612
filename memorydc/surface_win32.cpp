// The memory DC's surface: a top-down DIB section selected into a memory
// DC, and a logical palette that follows the section's colour table.
#include "memorydc/surface_win32.h"

#include <stddef.h>

#include "memorydc/surface_math.h"

namespace zubo::memorydc {
namespace {

static_assert(sizeof(ColorQuad) == sizeof(RGBQUAD) && offsetof(RGBQUAD, rgbRed) == 2,
              "ColorQuad has the byte order of RGBQUAD");
static_assert(sizeof(PaletteSlot) == sizeof(PALETTEENTRY) &&
                  offsetof(PALETTEENTRY, peFlags) == 3,
              "PaletteSlot has the byte order of PALETTEENTRY");

// LOGPALETTE with room for n entries.
template <int N>
struct LogPalette {
    WORD version;
    WORD count;
    PALETTEENTRY entries[N];
};

HPALETTE CreatePaletteOf(const PALETTEENTRY *entries, int32_t count) {
    LogPalette<kColorTableSize> pal{};
    pal.version = 0x300;
    pal.count = static_cast<WORD>(count);
    for (int32_t i = 0; i < count; ++i) pal.entries[i] = entries[i];
    return CreatePalette(reinterpret_cast<LOGPALETTE *>(&pal));
}

// The DIB section's description. Depths up to 8 get a colour table of
// palette indices 0, 1, 2, ... so that the section starts with the colours
// of the palette selected in the DC (the system's default palette).
struct DibDescription {
    BITMAPINFOHEADER header;
    WORD indices[kColorTableSize];
};

void Describe(const SurfaceGeometry &g, DibDescription *d) {
    *d = DibDescription{};
    d->header.biSize = sizeof(BITMAPINFOHEADER);
    d->header.biWidth = g.width;
    d->header.biHeight = -g.height;  // top-down: row 0 first in memory
    d->header.biPlanes = 1;
    d->header.biBitCount = static_cast<WORD>(g.bitCount);
    d->header.biCompression = BI_RGB;
    d->header.biSizeImage = g.imageSize;
    if (g.bitCount <= 8)
        for (int32_t i = 0; i < (1 << g.bitCount); ++i) d->indices[i] = static_cast<WORD>(i);
}

// Selects the surface's palette into a destination DC for one copy and
// restores the palette it replaced.
class PaletteSelection {
public:
    PaletteSelection(HDC dst, HPALETTE pal) : dst_(dst) {
        if (!pal) return;
        old_ = SelectPalette(dst, pal, FALSE);
        RealizePalette(dst);
    }
    ~PaletteSelection() {
        if (old_) SelectPalette(dst_, old_, FALSE);
    }
    PaletteSelection(const PaletteSelection &) = delete;
    PaletteSelection &operator=(const PaletteSelection &) = delete;

private:
    HDC dst_;
    HPALETTE old_ = nullptr;
};

}  // namespace

bool BuildSurface(MemoryDCSurface &s, int32_t width, int32_t height, int32_t bitCount) {
    SurfaceGeometry g;
    if (!ComputeSurfaceGeometry(width, height, bitCount, &g)) return false;
    DibDescription dib;
    Describe(g, &dib);

    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return false;
    void *bits = nullptr;
    HBITMAP bm = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO *>(&dib), DIB_PAL_COLORS,
                                  &bits, nullptr, 0);
    HGDIOBJ old = bm ? SelectObject(dc, bm) : nullptr;
    if (!old) {
        if (bm) DeleteObject(bm);
        DeleteDC(dc);
        return false;
    }
    // One black entry: the palette grows with SetColorTable.
    const PALETTEENTRY black = {0, 0, 0, 0};

    s.width = g.width;
    s.height = g.height;
    s.bitCount = g.bitCount;
    s.bytesPerLine = g.bytesPerLine;
    s.hdc = dc;
    s.hpal = CreatePaletteOf(&black, 1);
    s.palEntries = 1;
    s.hbm = bm;
    s.hbmOld = static_cast<HBITMAP>(old);
    s.bits = bits;
    return true;
}

void TearDownSurface(MemoryDCSurface &s) {
    if (s.hdc && s.hbmOld) SelectObject(s.hdc, s.hbmOld);
    if (s.hbm) DeleteObject(s.hbm);
    if (s.hpal) DeleteObject(s.hpal);
    if (s.hdc) DeleteDC(s.hdc);
    s = MemoryDCSurface{};
}

void CopyFrom(MemoryDCSurface &s, int32_t x, int32_t y, HDC src, const RECT &r) {
    BitBlt(s.hdc, x, y, r.right - r.left, r.bottom - r.top, src, r.left, r.top, SRCCOPY);
}

void StretchTo(const MemoryDCSurface &s, HDC dst, const RECT &d, const RECT &r) {
    PaletteSelection palette(dst, s.hpal);
    SetStretchBltMode(dst, COLORONCOLOR);  // left set: hosts may rely on it
    StretchBlt(dst, d.left, d.top, d.right - d.left, d.bottom - d.top, s.hdc, r.left, r.top,
               r.right - r.left, r.bottom - r.top, SRCCOPY);
}

void CopyTo(const MemoryDCSurface &s, HDC dst, int32_t x, int32_t y, const RECT &r) {
    PaletteSelection palette(dst, s.hpal);
    BitBlt(dst, x, y, r.right - r.left, r.bottom - r.top, s.hdc, r.left, r.top, SRCCOPY);
}

void SetColors(MemoryDCSurface &s, int32_t start, int32_t count, const RGBQUAD *colors) {
    const int32_t entries = GrownPaletteCount(s.palEntries, start, count);

    RGBQUAD table[kColorTableSize];
    const UINT inTable = GetDIBColorTable(s.hdc, 0, static_cast<UINT>(entries), table);
    PALETTEENTRY slots[kColorTableSize];
    AssemblePalette(reinterpret_cast<const ColorQuad *>(table), static_cast<int32_t>(inTable),
                    start, count, reinterpret_cast<const ColorQuad *>(colors), entries,
                    reinterpret_cast<PaletteSlot *>(slots));

    if (s.hpal) DeleteObject(s.hpal);
    s.hpal = CreatePaletteOf(slots, entries);
    s.palEntries = entries;
    if (count > 0) SetDIBColorTable(s.hdc, static_cast<UINT>(start), static_cast<UINT>(count), colors);
}

void GetColors(const MemoryDCSurface &s, int32_t start, int32_t count, RGBQUAD *colors) {
    // The system stops at the end of the table; entries beyond stay as they were.
    GetDIBColorTable(s.hdc, static_cast<UINT>(start), static_cast<UINT>(count), colors);
}

}  // namespace zubo::memorydc
