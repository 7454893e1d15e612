// Wildcard matching: the edge cases, and a differential test against a
// direct transcription of the backtracking definition.
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>

#include "zubo.h"

namespace {

// The definition, literally: recursion at every "*", toupper folding.
int Reference(const char *p, const char *t, int flag) {
    for (;;) {
        if (*p == '\0') return *t == '\0';
        const char c = *p++;
        if (c == '*') {
            for (;; ++t) {
                if (Reference(p, t, flag)) return 1;
                if (*t == '\0') return 0;
            }
        }
        if (c == '?') {
            if (*t == '\0') return 0;
            ++t;
            continue;
        }
        unsigned char a = static_cast<unsigned char>(c), b = static_cast<unsigned char>(*t);
        if (flag && a < 0x80 && b < 0x80) {
            a = static_cast<unsigned char>(toupper(a));
            b = static_cast<unsigned char>(toupper(b));
        }
        if (a != b) return 0;
        ++t;
    }
}

int M(const char *p, const char *t, int flag = 0) { return MatchDosWildcard(p, t, flag); }

TEST(Wildcard, EdgeCases) {
    EXPECT_EQ(M("", ""), 1);
    EXPECT_EQ(M("", "a"), 0);
    for (const char *t : {"", "a", "name.gp4", "*?"}) EXPECT_EQ(M("*", t), 1) << t;
    EXPECT_EQ(M("?", "a"), 1);
    EXPECT_EQ(M("?", ""), 0);
    EXPECT_EQ(M("?", "ab"), 0);
    EXPECT_EQ(M("*.*", "a.b"), 1);
    EXPECT_EQ(M("*.*", "."), 1);
    EXPECT_EQ(M("*.*", "readme"), 0);  // no special treatment of extensions
    EXPECT_EQ(M("abc*", "abcdef"), 1);
    EXPECT_EQ(M("abc*", "ab"), 0);
    EXPECT_EQ(M("abc", "abcd"), 0);
    EXPECT_EQ(M("abc?", "abc"), 0);
    EXPECT_EQ(M("ABC", "abc"), 0);
    EXPECT_EQ(M("ABC", "abc", 1), 1);
    EXPECT_EQ(M("*.GP4", "song.gp4", 1), 1);
    EXPECT_EQ(M("*.gp4", "SONG.GP4", 0), 0);
    // Double-byte text is matched byte by byte; bytes >= 0x80 never fold.
    EXPECT_EQ(M("??", "\x82\xa0"), 1);
    EXPECT_EQ(M("?", "\x82\xa0"), 0);
    EXPECT_EQ(M("\xe0", "\xc0", 1), 0);
    EXPECT_EQ(M("\x82*", "\x82\xa0", 1), 1);
    // Overlapping head and tail need enough text.
    EXPECT_EQ(M("ab*ba", "aba"), 0);
    EXPECT_EQ(M("ab*ba", "abba"), 1);
    EXPECT_EQ(M(nullptr, "a"), 0);
    EXPECT_EQ(M("a", nullptr), 0);
}

TEST(Wildcard, AgreesWithTheBacktrackingDefinition) {
    std::mt19937 rng(2026);
    const char patternBytes[] = {'a', 'b', 'A', '.', '?', '*', '*', '\xe1'};
    const char textBytes[] = {'a', 'b', 'A', 'B', '.', '\xe1', '\xc1'};
    for (int i = 0; i < 300000; ++i) {
        std::string p, t;
        for (int n = rng() % 9; n > 0; --n) p += patternBytes[rng() % sizeof patternBytes];
        for (int n = rng() % 11; n > 0; --n) t += textBytes[rng() % sizeof textBytes];
        const int flag = static_cast<int>(rng() % 2);
        ASSERT_EQ(M(p.c_str(), t.c_str(), flag), Reference(p.c_str(), t.c_str(), flag))
            << "pattern \"" << p << "\" text \"" << t << "\" flag " << flag;
    }
}

// Patterns that make backtracking exponential are answered at once.
TEST(Wildcard, AdversarialPatternsAreLinear) {
    const std::string as(60, 'a');
    EXPECT_EQ(M("*a*a*a*a*a*a*a*a*b", as.c_str()), 0);
    EXPECT_EQ(M("*a*a*a*a*a*a*a*a*a", as.c_str()), 1);
    const std::string longText = std::string(200000, 'a') + "b";
    EXPECT_EQ(M("*a*a*a*a*a*a*a*a*b", longText.c_str()), 1);
    EXPECT_EQ(M("*a*a*a*a*a*a*a*a*c*", longText.c_str()), 0);
    EXPECT_EQ(M("*?*?*?*?*?*?*?*?*?*?*c*", longText.c_str()), 0);
}

}  // namespace
