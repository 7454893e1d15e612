// Valid Shift_JIS text survives Shift_JIS -> JIS -> Shift_JIS unchanged.
//
// The input bytes are read as a recipe for valid text, so that every input
// tests the property: each byte picks a single byte (printable ASCII or a
// control byte other than ESC, or single-byte katakana) or, with the next
// byte, a double-byte character of JIS X 0208 rows 0x21 to 0x7E.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "zubo.h"

namespace {

// Lead bytes 0x81-0x9F and 0xE0-0xEF cover JIS rows 0x21-0x7E; trail bytes
// 0x40-0x7E and 0x80-0xFC cover the cells 0x21-0x7E of both row parities.
uint8_t Lead(uint8_t k) { return static_cast<uint8_t>(k % 47 < 31 ? 0x81 + k % 47 : 0xE0 + k % 47 - 31); }
uint8_t Trail(uint8_t k) {
    const int t = k % 188;  // 63 + 125 trail bytes
    return static_cast<uint8_t>(t < 63 ? 0x40 + t : 0x80 + t - 63);
}

std::string ValidText(const uint8_t *data, size_t size) {
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t k = data[i];
        if (k < 0x60) {  // single byte: 0x01-0x7F without ESC
            uint8_t c = static_cast<uint8_t>(0x20 + k);
            if (k >= 0x5F) c = static_cast<uint8_t>(0x01 + (data[i] & 0x0F));
            if (c == 0x1B) c = '!';
            text += static_cast<char>(c);
        } else if (k < 0xA0) {  // single-byte katakana 0xA1-0xDF
            text += static_cast<char>(0xA1 + (k - 0x60) % 63);
        } else if (i + 1 < size) {  // a double-byte character
            text += static_cast<char>(Lead(k));
            text += static_cast<char>(Trail(data[++i]));
        }
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > 4096) return 0;
    const std::string sjis = ValidText(data, size);
    std::string jis(3 * sjis.size() + 3, '\xff');
    if (ConvSjisToJis(&jis[0], sjis.c_str()) != &jis[0]) abort();
    const size_t n = strlen(jis.c_str());
    // JIS is 7-bit: only the katakana (0xA1-0xDF) pass through with the high bit.
    for (size_t i = 0; i < n; ++i) {
        const uint8_t b = static_cast<uint8_t>(jis[i]);
        if (b >= 0x80 && (b < 0xA1 || b > 0xDF)) abort();
    }
    std::string back(n + 1, '\xff');
    if (ConvJisToSjis(&back[0], jis.c_str()) != &back[0]) abort();
    if (strcmp(back.c_str(), sjis.c_str()) != 0) abort();
    return 0;
}
