// List line parsing and formatting.
//
// Parsing follows the scan "%s%ld%ld%s%n" of the C library: words are runs
// of characters other than white space (space, TAB, LF, VT, FF, CR), numbers
// are optionally signed decimal runs after skipped white space, and a number
// column that is not a number ends the scan.
#include "recordlist/listline.h"

#include <string.h>

namespace zubo::recordlist {
namespace {

inline bool IsSpace(unsigned char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

inline const char *SkipSpace(const char *p) {
    while (IsSpace(static_cast<unsigned char>(*p))) ++p;
    return p;
}

// Reads a word into out (cut to cap - 1 bytes); null at the end of input.
const char *ScanWord(const char *p, char *out, size_t cap) {
    p = SkipSpace(p);
    if (!*p) return nullptr;
    size_t n = 0;
    for (; *p && !IsSpace(static_cast<unsigned char>(*p)); ++p)
        if (n + 1 < cap) out[n++] = *p;
    out[n] = '\0';
    return p;
}

// Reads a signed decimal number; null when there is none. Values beyond the
// 32-bit range are held at its limits, as strtol holds its own.
const char *ScanNumber(const char *p, int32_t *value) {
    p = SkipSpace(p);
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (*p < '0' || *p > '9') return nullptr;
    int64_t v = 0;
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    for (; *p >= '0' && *p <= '9'; ++p) {
        v = v * 10 + (*p - '0');
        if (v > limit) v = limit;
    }
    *value = static_cast<int32_t>(negative ? -v : v);
    return p;
}

// The comment is the rest of the line with white space dropped until the
// first ";" has been copied; from there on everything is kept as it is.
// Returns whether the ";" was reached, after which a following line feed
// would be kept too.
bool FilterComment(const char *p, char *out, size_t cap) {
    size_t n = 0;
    bool verbatim = false;
    for (; *p && n + 1 < cap; ++p) {
        if (!verbatim && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')) continue;
        out[n++] = *p;
        if (*p == ';') verbatim = true;
    }
    out[n] = '\0';
    return verbatim;
}

void CopyCut(char *out, size_t cap, const char *text) {
    size_t len = strlen(text);
    if (len >= cap) len = cap - 1;
    memcpy(out, text, len);
    out[len] = '\0';
}

// Right-aligns a number in at least 9 characters, as "%9ld" does.
size_t FormatNumber9(int32_t v, char *out) {
    char digits[12];
    size_t n = 0;
    uint32_t u = v < 0 ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
    do {
        digits[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    if (v < 0) digits[n++] = '-';
    size_t len = 0;
    for (size_t pad = n; pad < 9; ++pad) out[len++] = ' ';
    while (n) out[len++] = digits[--n];
    return len;
}

const char *OrEmpty(const char *s) { return s ? s : ""; }

size_t NumberWidth(int32_t v) {
    char num[16];
    return FormatNumber9(v, num);
}

// Bytes that no name column may hold: white space and the end-of-text byte.
struct WordBreakers {
    bool table[256] = {};
    constexpr WordBreakers() {
        for (int c = '\t'; c <= '\r'; ++c) table[c] = true;
        table[static_cast<unsigned char>(' ')] = true;
        table[static_cast<unsigned char>(kEndOfText)] = true;
    }
};
constexpr WordBreakers kWordBreakers;

// A name or name2 that a list line gives back: a word of one or more
// bytes, none of them white space or the end-of-text byte. Returns its
// length, 0 when it is none.
size_t StorableWordLength(const char *s) {
    if (!s) return 0;
    const char *p = s;
    for (; *p; ++p)
        if (kWordBreakers.table[static_cast<unsigned char>(*p)]) return 0;
    return static_cast<size_t>(p - s);
}

// Whether read is text as the reader keeps it: cut to kListTextMax - 1.
bool SameAsCut(const char *read, const char *text) {
    size_t len = strlen(text);
    if (len > kListTextMax - 1) len = kListTextMax - 1;
    return strlen(read) == len && memcmp(read, text, len) == 0;
}

}  // namespace

int32_t SplitListLine(const char *line, char *name, size_t nameCap, char *name2,
                      size_t name2Cap, int32_t *num1, int32_t *num2, char *comment,
                      size_t commentCap) {
    if (line[0] == ';') return 0;
    if (!*SkipSpace(line)) return 0;
    const char *p = ScanWord(line, name, nameCap);
    if (!p || !(p = ScanNumber(p, num1)) || !(p = ScanNumber(p, num2))) return -1;
    p = ScanWord(p, name2, name2Cap);
    if (!p) {
        CopyCut(name2, name2Cap, "(none)");
        comment[0] = '\0';
        return 1;
    }
    FilterComment(p, comment, commentCap);
    return 1;
}

size_t ListLineLength(const GdirlistEntry *e, size_t lineEndLen) {
    // Each number takes at most 11 characters ("-2147483648"); a name
    // beginning with ";" takes one more.
    return 1 + strlen(OrEmpty(e->name)) + strlen(OrEmpty(e->name2)) +
           strlen(OrEmpty(e->comment)) + 4 + 2 * 11 + lineEndLen;
}

size_t FormatListLine(const GdirlistEntry *e, const char *lineEnd, char *out, size_t cap) {
    const size_t endLen = strlen(lineEnd);
    if (cap < endLen + 1) return 0;
    const size_t room = cap - 1 - endLen;  // bytes available before the line end
    size_t n = 0;
    auto put = [&](const char *s, size_t len) {
        if (len > room - n) len = room - n;
        memcpy(out + n, s, len);
        n += len;
    };
    char num[16];
    // A line whose first character is ";" is a comment line; a space in
    // front keeps the name, since the reader skips it.
    if (e->name && e->name[0] == ';') put(" ", 1);
    put(OrEmpty(e->name), strlen(OrEmpty(e->name)));
    put("\t", 1);
    put(num, FormatNumber9(e->num1, num));
    put("\t", 1);
    put(num, FormatNumber9(e->num2, num));
    put("\t", 1);
    put(OrEmpty(e->name2), strlen(OrEmpty(e->name2)));
    put("\t", 1);
    put(OrEmpty(e->comment), strlen(OrEmpty(e->comment)));
    memcpy(out + n, lineEnd, endLen);
    n += endLen;
    out[n] = '\0';
    return n;
}

bool ListLineReadsBack(const GdirlistEntry *e) {
    // The name columns are words: anything else shifts the columns or makes
    // a bad line, which ends the reading of the whole file.
    const size_t nameLen = StorableWordLength(e->name), name2Len = StorableWordLength(e->name2);
    if (nameLen == 0 || name2Len == 0) return false;
    const char *comment = OrEmpty(e->comment);
    const size_t commentLen = strlen(comment);
    if (memchr(comment, kEndOfText, commentLen)) return false;
    // A line feed ends the line: only the comment's last byte may be one
    // (the writer's own line feed then makes a blank line, which is
    // skipped). Anything after an earlier one would be read as lines of
    // its own, possibly entries.
    const char *lf = static_cast<const char *>(memchr(comment, '\n', commentLen));
    const bool endsInLf = lf != nullptr;
    if (lf && lf != comment + commentLen - 1) return false;

    // The reader takes the line up to its first line feed, included; each
    // number takes 9 to 11 characters.
    const size_t rest = (e->name[0] == ';') + nameLen + name2Len + 4 + commentLen +
                        (endsInLf ? 0 : 1);
    if (rest + 2 * 11 <= kListLineMax - 1 ||
        rest + NumberWidth(e->num1) + NumberWidth(e->num2) <= kListLineMax - 1)
        return true;  // read whole: the same entry

    // A longer line is read as its first kListLineMax - 1 characters: see
    // whether they still give the entry, the comment as its whole line
    // would give it (the line feed that closes it included).
    char line[kListLineMax], name[kListTextMax], name2[kListTextMax], back[kListTextMax],
        expected[kListTextMax];
    FormatListLine(e, "", line, sizeof line);
    int32_t num1 = 0, num2 = 0;
    if (SplitListLine(line, name, sizeof name, name2, sizeof name2, &num1, &num2, back,
                      sizeof back) != 1)
        return false;
    const bool verbatim = FilterComment(comment, expected, sizeof expected);
    size_t n = strlen(expected);
    if (verbatim && !endsInLf && n + 1 < sizeof expected) {
        expected[n++] = '\n';
        expected[n] = '\0';
    }
    return SameAsCut(name, e->name) && SameAsCut(name2, e->name2) && num1 == e->num1 &&
           num2 == e->num2 && strcmp(back, expected) == 0;
}

}  // namespace zubo::recordlist
