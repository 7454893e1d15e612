// Both conversions on arbitrary strings, with destinations of exactly the
// documented size: the output must fit and end with its terminator.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "zubo.h"

namespace {

// Looks at all n bytes written: an invalid pair (trail byte 0x1F) converts
// to a zero byte inside the text, so the text cannot be read as a string.
bool EndsInSingleMode(const char *jis, size_t n) {
    long lastDouble = -1, lastSingle = -1;
    for (size_t i = 0; i + 3 <= n; ++i) {
        if (memcmp(jis + i, "\x1b$B", 3) == 0) lastDouble = static_cast<long>(i);
        if (memcmp(jis + i, "\x1b(B", 3) == 0) lastSingle = static_cast<long>(i);
    }
    return lastDouble < 0 || lastSingle > lastDouble;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    char *src = static_cast<char *>(malloc(size + 1));
    memcpy(src, data, size);
    src[size] = '\0';
    const size_t n = strlen(src);

    char *sjis = static_cast<char *>(malloc(n + 1));
    if (ConvJisToSjis(sjis, src) != sjis || strlen(sjis) > n) abort();

    // 0xFF is never written to JIS output, so the last byte that is not
    // 0xFF is the terminator.
    char *jis = static_cast<char *>(malloc(3 * n + 3));
    memset(jis, 0xFF, 3 * n + 3);
    if (ConvSjisToJis(jis, src) != jis) abort();
    size_t written = 3 * n + 3;
    while (written > 0 && jis[written - 1] == '\xff') --written;
    if (written == 0 || jis[written - 1] != '\0') abort();
    // JIS output ends in single-byte mode (when the source held no ESC of
    // its own, which would be copied like any other byte).
    if (!strchr(src, 0x1b) && !EndsInSingleMode(jis, written - 1)) abort();
    free(jis);
    free(sjis);
    free(src);
    return 0;
}
