// DOS wildcard matching: "*" any run of bytes, "?" one byte, anchored at
// both ends.
//
// The pattern is taken as head*seg1*seg2*...*tail. The head must match at
// the start of the text and the tail at its end; every middle segment is
// then matched at its leftmost place after the previous one. For patterns
// made of literals, "?" and "*" this leftmost choice finds a match whenever
// one exists, so the result equals that of trying every split of the text
// at every "*" (the backtracking definition), in time linear in the text
// for a given pattern and without recursion.
#include "util/wildcard.h"

#include <string.h>

namespace zubo::util {
namespace {

struct Matcher {
    bool ignoreCase;

    // Case folding of the C locale's toupper: only a-z; bytes >= 0x80 and
    // all others compare exactly.
    static unsigned char Upper(unsigned char c) {
        return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
    }
    bool Same(unsigned char p, unsigned char t) const {
        return p == '?' || p == t || (ignoreCase && Upper(p) == Upper(t));
    }
    // Pattern bytes [p, p + n) against text bytes at t (all present).
    bool Segment(const unsigned char *p, size_t n, const unsigned char *t) const {
        for (size_t i = 0; i < n; ++i)
            if (!Same(p[i], t[i])) return false;
        return true;
    }
};

}  // namespace

bool MatchWildcard(const char *pattern, const char *text, bool ignoreCase) {
    const Matcher m{ignoreCase};
    const unsigned char *p = reinterpret_cast<const unsigned char *>(pattern);
    const unsigned char *t = reinterpret_cast<const unsigned char *>(text);
    const size_t plen = strlen(pattern), tlen = strlen(text);

    const unsigned char *firstStar =
        static_cast<const unsigned char *>(memchr(p, '*', plen));
    if (!firstStar) return plen == tlen && m.Segment(p, plen, t);

    const unsigned char *lastStar = p + plen - 1;
    while (*lastStar != '*') --lastStar;
    const size_t headLen = static_cast<size_t>(firstStar - p);
    const size_t tailLen = static_cast<size_t>(p + plen - (lastStar + 1));
    if (headLen + tailLen > tlen) return false;
    if (!m.Segment(p, headLen, t)) return false;
    if (!m.Segment(lastStar + 1, tailLen, t + tlen - tailLen)) return false;

    // Middle segments, each at its leftmost place in what the head and
    // tail leave free.
    const unsigned char *cur = t + headLen;
    const unsigned char *const limit = t + tlen - tailLen;
    const unsigned char *seg = firstStar + 1;
    while (seg < lastStar) {
        const unsigned char *segEnd = seg;
        while (*segEnd != '*') ++segEnd;
        const size_t n = static_cast<size_t>(segEnd - seg);
        if (n > 0) {
            for (;;) {
                if (static_cast<size_t>(limit - cur) < n) return false;
                if (m.Segment(seg, n, cur)) break;
                ++cur;
            }
            cur += n;
        }
        seg = segEnd + 1;
    }
    return true;
}

}  // namespace zubo::util
