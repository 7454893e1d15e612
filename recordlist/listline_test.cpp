// The list line parser and formatter.
#include <gtest/gtest.h>

#include <string>

#include "zubo.h"

namespace {

struct Parsed {
    int32_t result;
    std::string name, name2, comment;
    int32_t num1 = -99, num2 = -99;
};

Parsed Split(const std::string &line) {
    std::string name(line.size() + 8, '#'), name2 = name, comment = name;
    name[0] = name2[0] = comment[0] = '#';
    Parsed p;
    p.result = SplitGdirlistLine(line.c_str(), &name[0], &name2[0], &p.num1, &p.num2,
                                 &comment[0]);
    p.name = name.c_str();
    p.name2 = name2.c_str();
    p.comment = comment.c_str();
    return p;
}

TEST(SplitLine, CommentAndBlankLinesTouchNothing) {
    for (const char *line : {";comment 1 2 x", "", "   \t\r\n", "\n", ";"}) {
        Parsed p = Split(line);
        EXPECT_EQ(p.result, 0) << line;
        EXPECT_EQ(p.name, std::string(p.name.size(), '#')) << line;
        EXPECT_EQ(p.num1, -99);
    }
    // Only a semicolon in the very first column makes a comment line.
    Parsed p = Split(" ;x 1 2");
    EXPECT_EQ(p.result, 1);
    EXPECT_EQ(p.name, ";x");
}

TEST(SplitLine, ThreeFourAndFiveColumns) {
    Parsed p = Split("a\t1\t2\n");
    EXPECT_EQ(p.result, 1);
    EXPECT_EQ(p.name, "a");
    EXPECT_EQ(p.num1, 1);
    EXPECT_EQ(p.num2, 2);
    EXPECT_EQ(p.name2, "(none)");
    EXPECT_EQ(p.comment, "");

    p = Split("a 1 2 b\n");  // spaces separate as well as TABs
    EXPECT_EQ(p.result, 1);
    EXPECT_EQ(p.name2, "b");
    EXPECT_EQ(p.comment, "");

    p = Split("name\t       -5\t+17\tsecond\tsee ;first entry\n");
    EXPECT_EQ(p.result, 1);
    EXPECT_EQ(p.num1, -5);
    EXPECT_EQ(p.num2, 17);
    EXPECT_EQ(p.name2, "second");
    EXPECT_EQ(p.comment, "see;first entry\n");  // verbatim after the ";"

    p = Split("n 1 2 m\ta b c\n");
    EXPECT_EQ(p.comment, "abc");  // white space dropped without a ";"

    p = Split("n 1 2 m x\vy;\tz");  // VT is not dropped before the ";"
    EXPECT_EQ(p.comment, "x\vy;\tz");
}

TEST(SplitLine, BadLines) {
    EXPECT_EQ(Split("a\tword\t2").result, -1);
    EXPECT_EQ(Split("a 1").result, -1);
    EXPECT_EQ(Split("a").result, -1);
    EXPECT_EQ(Split("a 1 -").result, -1);
    EXPECT_EQ(Split("a 1 - 2").result, -1);
    // A number ends where its digits end; the rest is the next column.
    Parsed p = Split("a 12x 3");
    EXPECT_EQ(p.result, -1);
    p = Split("a 1 2x");
    EXPECT_EQ(p.result, 1);
    EXPECT_EQ(p.num2, 2);
    EXPECT_EQ(p.name2, "x");
}

TEST(SplitLine, NumbersBeyond32BitsAreHeldAtTheLimits) {
    Parsed p = Split("a 99999999999 -99999999999 b");
    EXPECT_EQ(p.num1, INT32_MAX);
    EXPECT_EQ(p.num2, INT32_MIN);
    p = Split("a 2147483647 -2147483648 b");
    EXPECT_EQ(p.num1, INT32_MAX);
    EXPECT_EQ(p.num2, INT32_MIN);
}

TEST(SplitLine, NullArgumentsAreABadLine) {
    char b[64];
    int32_t n;
    EXPECT_EQ(SplitGdirlistLine(nullptr, b, b, &n, &n, b), -1);
    EXPECT_EQ(SplitGdirlistLine("a 1 2", b, nullptr, &n, &n, b), -1);
}

}  // namespace
