// Fonts in the native builds, which have no GDI: a font handle is a stand-in
// whose value carries its metrics, the maximum character width in bits
// 16-31, the height in bits 0-15 and, where a pointer has 64 bits, the
// single-width advance in bits 32-47 (else 0: unknown); 0 cannot be
// measured. The stock font measures 16 x 16 (cells 8 x 16).
#include <stdint.h>

#include "console/font.h"

namespace zubo::console {

void *StockFixedFont() { return reinterpret_cast<void *>(uintptr_t{16} << 16 | 16); }

bool MeasureFont(void *font, int32_t *maxCharWidth, int32_t *narrowAdvance, int32_t *height) {
    const uint64_t v = reinterpret_cast<uintptr_t>(font);
    if (v == 0) return false;
    *maxCharWidth = static_cast<int32_t>((v >> 16) & 0xFFFF);
    *narrowAdvance = static_cast<int32_t>((v >> 32) & 0xFFFF);
    *height = static_cast<int32_t>(v & 0xFFFF);
    return true;
}

}  // namespace zubo::console
