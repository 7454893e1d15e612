// The default escape procedure: a small subset of ANSI control sequences
// (cursor movement, erase, colours).
#include "console/ansi.h"

#include "console/output.h"
#include "console/screen.h"

namespace zubo::console {
namespace {

inline bool IsDigit(uint8_t b) { return b >= '0' && b <= '9'; }

// Reads the run of decimal digits at the start of p[0 .. n-1]. The value
// wraps in 32 bits (unsigned arithmetic, then read as signed); `digits` is
// the number of bytes read, 0 when there is no digit.
int32_t ParseEscNumber(const uint8_t *p, int32_t n, int32_t *digits) {
    uint32_t value = 0;
    int32_t i = 0;
    while (i < n && IsDigit(p[i])) value = value * 10u + static_cast<uint32_t>(p[i++] - '0');
    *digits = i;
    return static_cast<int32_t>(value);
}

// Reads "R;C"; returns the bytes read, 0 when the text is not of that form.
int32_t ParseEscNumberPair(const uint8_t *p, int32_t n, int32_t *r, int32_t *col) {
    int32_t d1, d2;
    *r = ParseEscNumber(p, n, &d1);
    if (d1 == 0 || n - d1 < 2 || p[d1] != ';') return 0;
    *col = ParseEscNumber(p + d1 + 1, n - d1 - 1, &d2);
    if (d2 == 0) return 0;
    return d1 + 1 + d2;
}

// A parameter made of digits only (possibly none, giving 0): true when
// nothing else stands before the final byte.
bool DigitsOnly(const uint8_t *params, int32_t n, int32_t *value) {
    int32_t digits;
    *value = ParseEscNumber(params, n, &digits);
    return digits == n;
}

void SelectColors(Consout *c, const uint8_t *params, int32_t n) {
    if (n == 0) {
        c->attr = (c->attr & 0xFF00) | ATTR_DEFAULT;
        return;
    }
    int32_t fg = (c->attr >> 4) & 7;
    int32_t bg = c->attr & 7;
    int32_t bright = (c->attr & 0x80) ? 8 : 0;
    const int32_t high = c->attr & 0xFF00;
    // params[n] is the final byte; a parameter ends at ";" or at it.
    int32_t pos = 0;
    for (;;) {
        int32_t digits;
        const int32_t value = ParseEscNumber(params + pos, n - pos, &digits);
        if (digits == 0) break;
        pos += digits;
        if (pos < n && params[pos] != ';') break;
        ++pos;
        if (value == 0) {
            fg = 15;
            bg = 0;
            bright = 0;
        } else if (value == 1) {
            bright = 8;
        } else if (value >= 30 && value <= 37) {
            fg = bright + value - 30;
        } else if (value >= 40 && value <= 47) {
            bg = bright + value - 40;
        }
        if (pos > n) break;
    }
    c->attr = high | (bg & 0xF) | ((fg & 0xF) << 4);
}

void Dispatch(Consout *c, uint8_t final, const uint8_t *params, int32_t n) {
    int32_t v, r, col;
    switch (final) {
    case 'A':
        if (DigitsOnly(params, n, &v)) MoveCursorTo(c, c->curX, int64_t{c->curY} - v);
        break;
    case 'B':
        if (DigitsOnly(params, n, &v)) MoveCursorTo(c, c->curX, int64_t{c->curY} + v);
        break;
    case 'C':
        if (DigitsOnly(params, n, &v)) MoveCursorTo(c, int64_t{c->curX} + v, c->curY);
        break;
    case 'D':
        if (DigitsOnly(params, n, &v)) MoveCursorTo(c, int64_t{c->curX} - v, c->curY);
        break;
    case 'H':
        if (n == 0) {
            MoveCursorTo(c, 0, 0);
            break;
        }
        [[fallthrough]];  // "R;C H" is read like "R;C f"
    case 'f':
        // Without parameters "f" is finished and leaves the cursor alone.
        if (n > 0 && ParseEscNumberPair(params, n, &r, &col) == n)
            MoveCursorTo(c, int64_t{col} - 1, int64_t{r} - 1);
        break;
    case 'J':
        if (DigitsOnly(params, n, &v) && v == 2) ClearScreen(c);
        break;
    case 'K':
        if (n == 0) EraseToLineEnd(c);
        break;
    case 'm':
        SelectColors(c, params, n);
        break;
    default:
        break;
    }
}

}  // namespace

int32_t ZUBOAPI AnsiEscapeProc(Consout *c, const uint8_t *bytes, int32_t count, ZuboUserValue) {
    if (count < 3) return 0;
    if (!bytes || bytes[0] != kEsc || bytes[1] != '[') return 1;
    const uint8_t final = bytes[count - 1];
    if (IsDigit(final) || final == ';') return 0;
    Dispatch(c, final, bytes + 2, count - 3);
    return 1;
}

}  // namespace zubo::console
