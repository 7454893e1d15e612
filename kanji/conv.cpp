// Whole-string conversion between JIS (7-bit, with shift sequences) and
// Shift_JIS.
#include "kanji/conv.h"

#include <string.h>

#include "kanji/kanji.h"
#include "zubo.h"

namespace zubo::kanji {
namespace {

constexpr unsigned char kEsc = 0x1B;

// Byte tables for the pair arithmetic, so that the conversion loops do one
// lookup per byte instead of comparisons. They hold exactly the results of
// JisPairToSjis and SjisPairToJis.
struct PairTables {
    uint8_t jisLead[256];      // JIS row -> Shift_JIS lead
    uint8_t jisTrail[2][256];  // [row is odd][JIS cell] -> Shift_JIS trail
    uint8_t sjisRow[256];      // Shift_JIS lead -> JIS row for a trail < 0x9F
    uint8_t sjisRowStep[256];  // Shift_JIS trail -> 1 when the row is the next one
    uint8_t sjisCell[256];     // Shift_JIS trail -> JIS cell
    uint8_t sjisLead[256];     // 1 for a Shift_JIS lead byte
};

constexpr PairTables MakePairTables() {
    PairTables t{};
    for (int b = 0; b < 256; ++b) {
        const uint8_t u = static_cast<uint8_t>(b);
        uint8_t s1 = 0, s2 = 0, j1 = 0, j2 = 0;
        JisPairToSjis(u, 0x21, &s1, &s2);
        t.jisLead[b] = s1;
        JisPairToSjis(0x21, u, &s1, &s2);
        t.jisTrail[1][b] = s2;
        JisPairToSjis(0x22, u, &s1, &s2);
        t.jisTrail[0][b] = s2;
        SjisPairToJis(u, 0x40, &j1, &j2);
        t.sjisRow[b] = j1;
        SjisPairToJis(0x81, u, &j1, &j2);
        t.sjisRowStep[b] = static_cast<uint8_t>(j1 - 0x21);
        t.sjisCell[b] = j2;
        t.sjisLead[b] = IsSjisLead(u);
    }
    return t;
}

constexpr PairTables kPairs = MakePairTables();

// Writes the shift sequence for `wanted` when the mode differs.
inline unsigned char *EmitShift(unsigned char *out, int32_t *mode, int32_t wanted) {
    if (*mode == wanted) return out;
    for (const KanjiShift *row = kKanjiShiftTable; row->seq; ++row) {
        if (row->mode != wanted) continue;
        *out++ = kEsc;
        for (const char *s = row->seq; *s; ++s) *out++ = static_cast<unsigned char>(*s);
        break;
    }
    *mode = wanted;
    return out;
}

}  // namespace

char *JisToSjis(char *dst, const char *source) {
    unsigned char *out = reinterpret_cast<unsigned char *>(dst);
    const unsigned char *src = reinterpret_cast<const unsigned char *>(source);
    int32_t mode = SHIFT_SINGLE;
    for (;;) {
        if (mode == SHIFT_SINGLE) {
            // Single-byte text is copied as it is up to the next ESC.
            unsigned char c;
            while ((c = *src) != 0 && c != kEsc) {
                *out++ = c;
                ++src;
            }
        } else {
            // A run of pairs (rows 0x21 ... 0x7F).
            unsigned char c;
            while (static_cast<unsigned char>((c = *src) - 0x21) <= 0x7F - 0x21) {
                const unsigned char c2 = src[1];
                if (!c2) goto done;  // a pair cut off by the terminator is dropped
                out[0] = kPairs.jisLead[c];
                out[1] = kPairs.jisTrail[c & 1][c2];
                out += 2;
                src += 2;
            }
        }
        const unsigned char c = *src;
        if (!c) break;
        if (c == kEsc) {
            if (const KanjiShift *row =
                    MatchShiftSequence(reinterpret_cast<const char *>(src + 1))) {
                mode = row->mode;
                src += 1 + strlen(row->seq);
            } else {
                *out++ = *src++;
            }
            continue;
        }
        // Controls, space and bytes >= 0x80 pass unchanged in either mode.
        *out++ = c;
        ++src;
    }
done:
    *out = 0;
    return dst;
}

char *SjisToJis(char *dst, const char *source) {
    unsigned char *out = reinterpret_cast<unsigned char *>(dst);
    const unsigned char *src = reinterpret_cast<const unsigned char *>(source);
    int32_t mode = SHIFT_SINGLE;
    for (;;) {
        const unsigned char c = *src;
        if (!c) break;
        if (kPairs.sjisLead[c]) {
            if (!src[1]) break;  // a lead byte cut off by the terminator is dropped
            out = EmitShift(out, &mode, SHIFT_DOUBLE);
            // A run of pairs.
            unsigned char c1;
            while (kPairs.sjisLead[c1 = *src]) {
                const unsigned char c2 = src[1];
                if (!c2) goto done;
                out[0] = static_cast<unsigned char>(kPairs.sjisRow[c1] + kPairs.sjisRowStep[c2]);
                out[1] = kPairs.sjisCell[c2];
                out += 2;
                src += 2;
            }
        } else {
            out = EmitShift(out, &mode, SHIFT_SINGLE);
            // A run of single bytes is copied as it is.
            unsigned char b;
            while ((b = *src) != 0 && !kPairs.sjisLead[b]) {
                *out++ = b;
                ++src;
            }
        }
    }
done:
    out = EmitShift(out, &mode, SHIFT_SINGLE);
    *out = 0;
    return dst;
}

}  // namespace zubo::kanji
