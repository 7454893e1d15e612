// Whole-string conversion between JIS (7-bit, with shift sequences) and
// Shift_JIS.
#include <string.h>

#include "kanji/kanji.h"
#include "zubo.h"

namespace zubo {

const KanjiShift kKanjiShiftTable[] = {
    {"(B", SHIFT_SINGLE},
    {"$B", SHIFT_DOUBLE},
    {nullptr, -1},
};

namespace {

constexpr unsigned char kEsc = 0x1B;

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

// The table row whose sequence follows the ESC at src, or null.
inline const KanjiShift *MatchShift(const unsigned char *afterEsc) {
    for (const KanjiShift *row = kKanjiShiftTable; row->seq; ++row)
        if (strncmp(reinterpret_cast<const char *>(afterEsc), row->seq, strlen(row->seq)) == 0)
            return row;
    return nullptr;
}

inline bool IsSjisLead(unsigned char c) { return (c >= 0x80 && c <= 0x9F) || c >= 0xE0; }

}  // namespace
}  // namespace zubo

using namespace zubo;

extern "C" char *ZUBOAPI ConvJisToSjis(char *dst, const char *source) {
    if (!dst) return dst;
    unsigned char *out = reinterpret_cast<unsigned char *>(dst);
    const unsigned char *src = reinterpret_cast<const unsigned char *>(source ? source : "");
    int32_t mode = SHIFT_SINGLE;
    for (;;) {
        if (mode == SHIFT_SINGLE) {
            // Single-byte text is copied as it is up to the next ESC.
            unsigned char c;
            while ((c = *src) != 0 && c != kEsc) {
                *out++ = c;
                ++src;
            }
        }
        const unsigned char c = *src;
        if (!c) break;
        if (c == kEsc) {
            if (const KanjiShift *row = MatchShift(src + 1)) {
                mode = row->mode;
                src += 1 + strlen(row->seq);
            } else {
                *out++ = *src++;
            }
            continue;
        }
        ++src;
        if (c >= 0x21 && c <= 0x7F) {  // two-byte mode: a pair
            const unsigned char c2 = *src;
            if (!c2) break;  // a pair cut off by the terminator is dropped
            ++src;
            JisPairToSjis(c, c2, out, out + 1);
            out += 2;
        } else {
            *out++ = c;  // controls, space and bytes >= 0x80 pass unchanged
        }
    }
    *out = 0;
    return dst;
}

extern "C" char *ZUBOAPI ConvSjisToJis(char *dst, const char *source) {
    if (!dst) return dst;
    unsigned char *out = reinterpret_cast<unsigned char *>(dst);
    const unsigned char *src = reinterpret_cast<const unsigned char *>(source ? source : "");
    int32_t mode = SHIFT_SINGLE;
    for (;;) {
        const unsigned char c = *src;
        if (!c) break;
        if (IsSjisLead(c)) {
            const unsigned char c2 = src[1];
            if (!c2) break;  // a lead byte cut off by the terminator is dropped
            src += 2;
            out = EmitShift(out, &mode, SHIFT_DOUBLE);
            SjisPairToJis(c, c2, out, out + 1);
            out += 2;
        } else {
            out = EmitShift(out, &mode, SHIFT_SINGLE);
            // A run of single bytes is copied as it is.
            unsigned char b;
            while ((b = *src) != 0 && !IsSjisLead(b)) {
                *out++ = b;
                ++src;
            }
        }
    }
    out = EmitShift(out, &mode, SHIFT_SINGLE);
    *out = 0;
    return dst;
}
