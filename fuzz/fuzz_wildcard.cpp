// The matcher against the definition by backtracking, computed here as a
// table over (pattern position, text position), one row per pattern byte,
// so that patterns and texts of 4 KiB stay cheap to check.
#include <ctype.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "zubo.h"

namespace {

bool SameByte(unsigned char a, unsigned char b, int flag) {
    if (flag && a < 0x80 && b < 0x80) {
        a = static_cast<unsigned char>(toupper(a));
        b = static_cast<unsigned char>(toupper(b));
    }
    return a == b;
}

// row[k]: the pattern's tail from position i matches the text's tail from
// position k. Built from the end of the pattern towards its start.
int ReferenceMatch(const std::string &p, const std::string &t, int flag) {
    const size_t n = t.size();
    std::vector<char> row(n + 1, 0), next(n + 1, 0);
    row[n] = 1;  // the empty pattern matches only the empty text
    for (size_t i = p.size(); i-- > 0;) {
        next.swap(row);
        const unsigned char c = static_cast<unsigned char>(p[i]);
        if (c == '*') {
            char any = 0;  // a star takes any number of bytes
            for (size_t k = n + 1; k-- > 0;) row[k] = any = static_cast<char>(any | next[k]);
        } else {
            row[n] = 0;
            for (size_t k = 0; k < n; ++k)
                row[k] = next[k + 1] &&
                         (c == '?' || SameByte(c, static_cast<unsigned char>(t[k]), flag));
        }
    }
    return row[0];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) return 0;
    const int flag = data[0] & 1;
    const std::string rest(reinterpret_cast<const char *>(data + 1), size - 1);
    // Pattern and text are separated by the first NUL; both end at the next.
    const size_t cut = rest.find('\0');
    if (cut == std::string::npos) return 0;
    const std::string p = rest.substr(0, cut);
    std::string t = rest.substr(cut + 1);
    t = t.substr(0, t.find('\0'));
    if (p.size() > 4096 || t.size() > 4096) return 0;
    if (MatchDosWildcard(p.c_str(), t.c_str(), flag) != ReferenceMatch(p, t, flag)) abort();
    return 0;
}
