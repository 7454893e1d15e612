// The matcher against the backtracking definition (memoised so that the
// reference itself stays fast on many stars).
#include <ctype.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "zubo.h"

namespace {

struct Reference {
    const std::string &p, &t;
    int flag;
    std::vector<signed char> memo;  // -1 unknown

    int Match(size_t pi, size_t ti) {
        signed char &m = memo[pi * (t.size() + 1) + ti];
        if (m < 0) m = static_cast<signed char>(Compute(pi, ti));
        return m;
    }
    int Compute(size_t pi, size_t ti) {
        if (pi == p.size()) return ti == t.size();
        const unsigned char c = static_cast<unsigned char>(p[pi]);
        if (c == '*') {
            for (size_t k = ti; k <= t.size(); ++k)
                if (Match(pi + 1, k)) return 1;
            return 0;
        }
        if (ti == t.size()) return 0;
        if (c == '?') return Match(pi + 1, ti + 1);
        unsigned char a = c, b = static_cast<unsigned char>(t[ti]);
        if (flag && a < 0x80 && b < 0x80) {
            a = static_cast<unsigned char>(toupper(a));
            b = static_cast<unsigned char>(toupper(b));
        }
        return a == b ? Match(pi + 1, ti + 1) : 0;
    }
};

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
    if (p.size() > 64 || t.size() > 256) return 0;
    Reference ref{p, t, flag, std::vector<signed char>((p.size() + 1) * (t.size() + 1), -1)};
    if (MatchDosWildcard(p.c_str(), t.c_str(), flag) != ref.Match(0, 0)) abort();
    return 0;
}
