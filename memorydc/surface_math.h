// The arithmetic of a memory DC's surface that does not need the system:
// row padding, the accepted colour ranges and the palette that follows the
// colour table. The records below have the byte order of RGBQUAD and
// PALETTEENTRY, so the Win32 side passes its arrays straight through.
#ifndef ZUBO_MEMORYDC_SURFACE_MATH_H
#define ZUBO_MEMORYDC_SURFACE_MATH_H

#include <stdint.h>

namespace zubo::memorydc {

struct SurfaceGeometry {
    int32_t width;         // padded row width in pixels
    int32_t height;
    int32_t bitCount;
    int32_t bytesPerLine;
    uint32_t imageSize;    // height * bytesPerLine
};

// Rows padded to whole 32-bit words: 24 bits round the width up to a
// multiple of 4 pixels, every other depth so that width * bitCount is a
// multiple of 32. False for a width, height or depth that is not positive,
// a depth above 32, or a row or image that does not fit in 31 bits.
bool ComputeSurfaceGeometry(int32_t width, int32_t height, int32_t bitCount,
                            SurfaceGeometry *out);

constexpr int32_t kColorTableSize = 256;
constexpr uint8_t kPcNoCollapse = 4;  // PC_NOCOLLAPSE

// A colour range that SetColorTable accepts: start 0 ... 255, count >= 0,
// start + count <= 256.
bool ColorRangeAccepted(int32_t start, int32_t count);

// Palette entries in use after setting start ... start + count - 1: the
// palette only grows.
int32_t GrownPaletteCount(int32_t current, int32_t start, int32_t count);

// The ten entries at either end of a 256-entry palette are the system's
// static colours and are left to collapse onto them; the others are kept
// as entries of their own (PC_NOCOLLAPSE).
uint8_t PaletteFlagsFor(int32_t index);

struct ColorQuad {     // RGBQUAD
    uint8_t blue, green, red, reserved;
};
struct PaletteSlot {   // PALETTEENTRY
    uint8_t red, green, blue, flags;
};

// Palette entries 0 ... entryCount - 1 (entryCount <= 256): the first
// tableCount come from the current colour table, the rest are black; then
// start ... start + count - 1 are replaced by colors, and every entry gets
// its flags.
void AssemblePalette(const ColorQuad *table, int32_t tableCount, int32_t start,
                     int32_t count, const ColorQuad *colors, int32_t entryCount,
                     PaletteSlot *entries);

}  // namespace zubo::memorydc

#endif
