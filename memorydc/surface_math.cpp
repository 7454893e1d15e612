#include "memorydc/surface_math.h"

namespace zubo::memorydc {

namespace {
constexpr int64_t kMax31 = INT32_MAX;

PaletteSlot ToSlot(const ColorQuad &c) { return PaletteSlot{c.red, c.green, c.blue, 0}; }
}  // namespace

bool ComputeSurfaceGeometry(int32_t width, int32_t height, int32_t bitCount,
                            SurfaceGeometry *out) {
    if (width <= 0 || height <= 0 || bitCount <= 0 || bitCount > 32) return false;
    const int64_t w = width, b = bitCount;
    const int64_t padded = b == 24 ? (w + 3) & ~int64_t{3} : ((w * b + 31) & ~int64_t{31}) / b;
    const int64_t bytesPerLine = b * padded / 8;
    if (padded > kMax31 || bytesPerLine > kMax31 || bytesPerLine * height > kMax31) return false;
    out->width = static_cast<int32_t>(padded);
    out->height = height;
    out->bitCount = bitCount;
    out->bytesPerLine = static_cast<int32_t>(bytesPerLine);
    out->imageSize = static_cast<uint32_t>(bytesPerLine * height);
    return true;
}

bool ColorRangeAccepted(int32_t start, int32_t count) {
    return start >= 0 && start < kColorTableSize && count >= 0 &&
           int64_t{start} + count <= kColorTableSize;
}

int32_t GrownPaletteCount(int32_t current, int32_t start, int32_t count) {
    return start + count > current ? start + count : current;
}

uint8_t PaletteFlagsFor(int32_t index) {
    return index >= 10 && index < kColorTableSize - 10 ? kPcNoCollapse : 0;
}

void AssemblePalette(const ColorQuad *table, int32_t tableCount, int32_t start,
                     int32_t count, const ColorQuad *colors, int32_t entryCount,
                     PaletteSlot *entries) {
    for (int32_t i = 0; i < entryCount; ++i)
        entries[i] = i < tableCount ? ToSlot(table[i]) : PaletteSlot{0, 0, 0, 0};
    for (int32_t i = 0; i < count && start + i < entryCount; ++i)
        entries[start + i] = ToSlot(colors[i]);
    for (int32_t i = 0; i < entryCount; ++i) entries[i].flags = PaletteFlagsFor(i);
}

}  // namespace zubo::memorydc
