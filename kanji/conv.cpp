// Whole-string conversion between JIS (7-bit, with shift sequences) and
// Shift_JIS.
#include "kanji/conv.h"

#include <stddef.h>
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

// Bytes a word at a time (the machine word: 4 bytes in the 32-bit build),
// first byte in the lowest bits.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "words are read little-endian");
using Word = uintptr_t;
constexpr Word Repeat(unsigned char b) { return ~Word{0} / 0xFF * b; }
// The high bit of the first zero byte of w (in memory order) is set, and
// maybe of later bytes; no bit before it.
constexpr Word ZeroBytes(Word w) { return (w - Repeat(0x01)) & ~w & Repeat(0x80); }
// The number of bytes before the first marked one (little-endian).
inline size_t FirstMarked(Word marks) { return static_cast<size_t>(__builtin_ctzll(marks)) / 8; }

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
    const size_t len = strlen(source);
    const unsigned char *const end = src + len;
    // Single-byte text is copied a word at a time. A word is stored whole,
    // even when the text's run ends inside it: the bytes after the run are
    // overwritten by what follows. That needs the word to be read within
    // the source and written within the destination (which never runs
    // ahead of the source: output is never longer than the input read),
    // and a destination apart from the source.
    const uintptr_t d = reinterpret_cast<uintptr_t>(dst), s = reinterpret_cast<uintptr_t>(source);
    const bool apart = d + len + 1 <= s || s + len + 1 <= d;
    // A word may be read at src while src + sizeof(Word) <= wordStop.
    const unsigned char *const wordStop = apart ? end + 1 : src;
    for (;;) {
        // Single-byte mode: bytes are copied as they are up to an ESC.
        unsigned char c;
        for (;;) {
            if (wordStop - src >= static_cast<ptrdiff_t>(sizeof(Word))) {
                Word w;
                memcpy(&w, src, sizeof w);
                memcpy(out, &w, sizeof w);
                const Word stop = ZeroBytes(w) | ZeroBytes(w ^ Repeat(kEsc));
                if (!stop) {
                    src += sizeof w;
                    out += sizeof w;
                    continue;
                }
                const size_t n = FirstMarked(stop);
                src += n;
                out += n;
                c = *src;
                break;
            }
            c = *src;
            if (c == 0 || c == kEsc) break;
            *out++ = c;
            ++src;
        }
        if (!c) break;
        // An ESC: the two shift sequences are matched byte by byte (ESC ( B
        // stays in this mode); any other ESC is copied.
        if (src[1] == '$' && src[2] == 'B') {
            src += 3;
        } else {
            if (src[1] == '(' && src[2] == 'B') {
                src += 3;
            } else {
                *out++ = kEsc;
                ++src;
            }
            continue;
        }
        // Two-byte mode: runs of pairs (rows 0x21 ... 0x7F); controls,
        // space and bytes >= 0x80 pass unchanged; ESC ( B leaves.
        for (;;) {
            while (static_cast<unsigned char>((c = *src) - 0x21) <= 0x7F - 0x21) {
                const unsigned char c2 = src[1];
                if (!c2) goto done;  // a pair cut off by the terminator is dropped
                out[0] = kPairs.jisLead[c];
                out[1] = kPairs.jisTrail[c & 1][c2];
                out += 2;
                src += 2;
            }
            if (!c) goto done;
            if (c == kEsc) {
                if (src[1] == '(' && src[2] == 'B') {
                    src += 3;
                    break;
                }
                if (src[1] == '$' && src[2] == 'B') {
                    src += 3;
                    continue;
                }
            }
            *out++ = c;
            ++src;
        }
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
