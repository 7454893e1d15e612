// The kanji knowledge shared by the string conversions (kanji/conv.cpp) and
// the console's byte output (console/output.cpp): the JIS shift sequences,
// the Shift_JIS lead-byte test and the JIS X 0208 <-> Shift_JIS pair
// arithmetic. Platform-independent.
#ifndef ZUBO_KANJI_KANJI_H
#define ZUBO_KANJI_KANJI_H

#include <stdint.h>

namespace zubo::kanji {

// One JIS shift sequence: the bytes after ESC and the mode it selects.
struct KanjiShift {
    const char *seq;
    int32_t mode;
};

// ESC ( B selects single-byte ASCII (SHIFT_SINGLE), ESC $ B two-byte JIS
// X 0208 (SHIFT_DOUBLE); the row with a null seq ends the table.
extern const KanjiShift kKanjiShiftTable[];

// The table row whose sequence starts the zero-terminated text after an
// ESC, or null.
const KanjiShift *MatchShiftSequence(const char *afterEsc);

// A byte that starts a Shift_JIS pair: 0x80 ... 0x9F and 0xE0 ... 0xFF.
constexpr bool IsSjisLead(uint8_t b) { return (b >= 0x80 && b <= 0x9F) || b >= 0xE0; }

// JIS row/cell bytes to a Shift_JIS pair. The comparisons take the bytes as
// signed 8-bit values and the results keep their low 8 bits, so bytes
// outside 0x21 ... 0x7E (which the console can feed) have a fixed result.
constexpr void JisPairToSjis(uint8_t j1, uint8_t j2, uint8_t *s1, uint8_t *s2) {
    const int r = static_cast<int8_t>(j1);
    const int c = static_cast<int8_t>(j2);
    // Floor division by 2 of the signed difference (an arithmetic shift).
    const int d = r - 0x21;
    const int half = d >= 0 ? d / 2 : -((1 - d) / 2);
    *s1 = static_cast<uint8_t>(half + (r <= 0x5E ? 0x81 : 0xC1));
    if (j1 & 1)
        *s2 = static_cast<uint8_t>(c + (c <= 0x5F ? 0x1F : 0x20));
    else
        *s2 = static_cast<uint8_t>(c + 0x7E);
}

// Shift_JIS lead/trail bytes to JIS row/cell bytes (unsigned arithmetic).
constexpr void SjisPairToJis(uint8_t s1, uint8_t s2, uint8_t *j1, uint8_t *j2) {
    const unsigned base = s1 <= 0x9F ? 0x81 : 0xC1;
    *j1 = static_cast<uint8_t>((s1 - base) * 2 + (s2 >= 0x9F ? 0x22 : 0x21));
    if (s2 <= 0x7E)
        *j2 = static_cast<uint8_t>(s2 - 0x1F);
    else if (s2 <= 0x9E)
        *j2 = static_cast<uint8_t>(s2 - 0x20);
    else
        *j2 = static_cast<uint8_t>(s2 - 0x7E);
}

}  // namespace zubo::kanji

#endif
