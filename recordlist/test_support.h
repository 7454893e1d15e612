// What a list file promises to give back, written apart from the library's
// own parser and formatter, for the record list's tests and fuzz targets:
// a save either reads back as the same entries or is refused.
#ifndef ZUBO_RECORDLIST_TEST_SUPPORT_H
#define ZUBO_RECORDLIST_TEST_SUPPORT_H

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "zubo.h"

namespace zubo_test {

constexpr size_t kTextKept = 255;  // bytes of each text that reading keeps
constexpr size_t kLineKept = 1023; // characters of each line that reading keeps

inline std::string Text(const char *s) { return s ? s : ""; }

inline std::string Cut(const std::string &s, size_t n = kTextKept) {
    return s.size() > n ? s.substr(0, n) : s;
}

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The comment that reading gives back: the comment with the line feed that
// closes its line (the comment's own last byte, or the writer's), white
// space before the first ";" dropped, everything from the ";" on kept, cut.
inline std::string CommentReadBack(const char *comment) {
    std::string in = Text(comment);
    if (in.empty() || in.back() != '\n') in += '\n';
    std::string out;
    bool kept = false;
    for (char c : in) {
        if (!kept && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) continue;
        out += c;
        if (c == ';') kept = true;
    }
    return Cut(out);
}

// Whether two entries are the same as a list file carries them: texts cut,
// the comment as reading gives it back, the numbers, and no flags.
inline bool SameAsReadBack(const GdirlistEntry &original, const GdirlistEntry &back) {
    return Cut(Text(original.name)) == Text(back.name) &&
           Cut(Text(original.name2)) == Text(back.name2) && original.num1 == back.num1 &&
           original.num2 == back.num2 && CommentReadBack(original.comment) == Text(back.comment) &&
           back.flags == 0;
}

inline bool IsWord(const char *s) {
    if (!s || !*s) return false;
    for (; *s; ++s)
        if (IsBlank(*s) || *s == 0x1A) return false;
    return true;
}

// An entry whose line cannot read back: a name column that is no word, a
// line feed inside the comment, or byte 0x1A anywhere.
inline bool BreaksTheFormat(const GdirlistEntry &e) {
    if (!IsWord(e.name) || !IsWord(e.name2)) return true;
    const std::string c = Text(e.comment);
    const size_t lf = c.find('\n');
    return c.find('\x1A') != std::string::npos || (lf != std::string::npos && lf + 1 != c.size());
}

// The length of the line written for an entry up to the line feed that
// ends it, included (a name beginning with ";" gets a space in front).
inline size_t LineLength(const GdirlistEntry &e) {
    char num1[16], num2[16];
    snprintf(num1, sizeof num1, "%9ld", static_cast<long>(e.num1));
    snprintf(num2, sizeof num2, "%9ld", static_cast<long>(e.num2));
    const std::string c = Text(e.comment);
    return (Text(e.name).rfind(";", 0) == 0) + Text(e.name).size() + strlen(num1) + strlen(num2) +
           Text(e.name2).size() + 4 + c.size() + (!c.empty() && c.back() == '\n' ? 0 : 1);
}

// An entry that a save must take: it breaks nothing and its whole line is
// read.
inline bool MustSave(const GdirlistEntry &e) {
    return !BreaksTheFormat(e) && LineLength(e) <= kLineKept;
}

}  // namespace zubo_test

#endif
