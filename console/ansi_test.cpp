// The ANSI escape procedure through the public interface: every row of its
// dispatch table and the colour-selection rules. Runs natively and through
// the DLL.
#include <gtest/gtest.h>

#include <string>

#include "zubo.h"

namespace {

struct Ansi : ::testing::Test {
    Consout *c = CreateConsout(80, 25, 100);
    ~Ansi() override { Consout_Release(c); }

    void Feed(const std::string &bytes) {
        for (unsigned char b : bytes) ASSERT_EQ(Consout_Putchar(c, b), b);
    }
    // Moves to (x, y), feeds the sequence, returns where the cursor went.
    std::pair<int, int> From(int x, int y, const std::string &seq) {
        Consout_MoveCur(c, x, y);
        Feed(seq);
        return {Consout_GetCurX(c), Consout_GetCurY(c)};
    }
    int32_t AttrAfter(int32_t attr, const std::string &seq) {
        Consout_SetAttr(c, attr);
        Feed(seq);
        return Consout_GetAttr(c);
    }
    // Sends bytes straight to the procedure, as the console would.
    int32_t Call(const std::string &bytes) {
        return Consout_ESCProc_ANSI(c, reinterpret_cast<const uint8_t *>(bytes.data()),
                                    static_cast<int32_t>(bytes.size()), 0);
    }
};

using P = std::pair<int, int>;

TEST_F(Ansi, CollectsUntilAFinalByte) {
    EXPECT_EQ(Call("\x1b["), 0);
    EXPECT_EQ(Call("\x1b(B"), 1);  // not "[": finished, nothing done
    EXPECT_EQ(Call("\x1b[5"), 0);
    EXPECT_EQ(Call("\x1b[5;"), 0);
    EXPECT_EQ(Call("\x1b[5;1"), 0);
    EXPECT_EQ(Call("\x1b[5;1H"), 1);
    EXPECT_EQ(Call("\x1b[5z"), 1);  // unknown final byte
    EXPECT_EQ(Call("\x1b[\xff"), 1);
    // A second byte other than "[" swallows two bytes after the ESC.
    Feed("\x1b=xy");
    EXPECT_EQ(Consout_GetCurX(c), 1);
}

TEST_F(Ansi, RelativeCursorMovement) {
    EXPECT_EQ(From(10, 5, "\x1b[A"), P(10, 5));  // N = 0
    EXPECT_EQ(From(10, 5, "\x1b[0A"), P(10, 5));
    EXPECT_EQ(From(10, 5, "\x1b[3A"), P(10, 2));
    EXPECT_EQ(From(10, 1, "\x1b[3A"), P(10, 1));  // off the screen: no move
    EXPECT_EQ(From(10, 5, "\x1b[1;2A"), P(10, 5));
    EXPECT_EQ(From(10, 5, "\x1b[4B"), P(10, 9));
    EXPECT_EQ(From(10, 22, "\x1b[4B"), P(10, 22));
    EXPECT_EQ(From(10, 5, "\x1b[7C"), P(17, 5));
    EXPECT_EQ(From(78, 5, "\x1b[7C"), P(78, 5));
    EXPECT_EQ(From(10, 5, "\x1b[7D"), P(3, 5));
    EXPECT_EQ(From(10, 5, "\x1b[11D"), P(10, 5));
    // Numbers wrap in 32 bits: 4294967297 is 1, 2147483648 is INT32_MIN.
    EXPECT_EQ(From(10, 5, "\x1b[4294967297C"), P(11, 5));
    EXPECT_EQ(From(10, 5, "\x1b[2147483648D"), P(10, 5));
    EXPECT_EQ(From(10, 5, "\x1b[99999999999999999999A"), P(10, 5));
}

TEST_F(Ansi, AbsoluteCursorMovement) {
    EXPECT_EQ(From(10, 5, "\x1b[H"), P(0, 0));
    EXPECT_EQ(From(0, 0, "\x1b[5;10H"), P(9, 4));
    EXPECT_EQ(From(0, 0, "\x1b[5;10f"), P(9, 4));
    for (const char *bad : {"\x1b[5H", "\x1b[;5H", "\x1b[5;H", "\x1b[0;0H", "\x1b[5;10;1H",
                            "\x1b[26;1H", "\x1b[f"})
        EXPECT_EQ(From(3, 3, bad), P(3, 3)) << bad + 1;
}

TEST_F(Ansi, EraseScreenOnlyWithTwo) {
    for (const char *none : {"\x1b[J", "\x1b[0J", "\x1b[1J", "\x1b[2;J"})
        EXPECT_EQ(From(4, 4, none), P(4, 4)) << none + 1;
    Consout_SetViewline(c, 0);
    EXPECT_EQ(From(4, 4, "\x1b[2J"), P(0, 0));
}

TEST_F(Ansi, PrivateAndOddParametersEndAtTheirFirstByte) {
    // "?" is the final byte: "25h" that follows is printed.
    EXPECT_EQ(From(0, 0, "\x1b[?25h"), P(3, 0));
    EXPECT_EQ(From(0, 0, "\x1b[3x1m"), P(2, 0));
}

TEST_F(Ansi, ColourSelection) {
    EXPECT_EQ(AttrAfter(0x1234, "\x1b[m"), 0x12F0);
    EXPECT_EQ(AttrAfter(0x51234, "\x1b[m"), 0x12F0);  // bits 16-31 cleared
    EXPECT_EQ(AttrAfter(0x1234, "\x1b[0m"), 0x12F0);
    EXPECT_EQ(AttrAfter(0x03, "\x1b[1;31m") >> 4 & 0xF, 9);
    EXPECT_EQ(AttrAfter(0x03, "\x1b[31;1m") >> 4 & 0xF, 1);
    // The bright state lives in the foreground's bit 3.
    EXPECT_EQ(AttrAfter(0xF0, "\x1b[31m") >> 4 & 0xF, 9);
    EXPECT_EQ(AttrAfter(0xF0, "\x1b[0;31m") >> 4 & 0xF, 1);
    EXPECT_EQ(AttrAfter(0xF0, "\x1b[1m"), 0x70);
    EXPECT_EQ(AttrAfter(0xF0, "\x1b[44m"), 0x7C);
    EXPECT_EQ(AttrAfter(0x2F, "\x1b[44m"), 0x24);
    EXPECT_EQ(AttrAfter(0x2F, "\x1b[32;45m"), 0x25);
    EXPECT_EQ(AttrAfter(0xAD, "\x1b[;31m"), 0x25);  // only the reduction
    EXPECT_EQ(AttrAfter(0x00, "\x1b[31;;32m"), 0x10);
    EXPECT_EQ(AttrAfter(0x00, "\x1b[31;m"), 0x10);
    EXPECT_EQ(AttrAfter(0x00, "\x1b[38;5;1m"), 0x00);  // unknown values ignored
    EXPECT_EQ(AttrAfter(0x00, "\x1b[4294967327m"), 0x10);  // wraps to 31
    // ATTR_TRANSPARENT and bits 9-15 survive every colour sequence.
    for (const char *seq : {"\x1b[m", "\x1b[0m", "\x1b[1;33;42m", "\x1b[;m"})
        EXPECT_EQ(AttrAfter(0xFE00 | ATTR_TRANSPARENT | 0x5A, seq) & 0xFF00,
                  0xFE00 | ATTR_TRANSPARENT)
            << seq + 1;
}

TEST_F(Ansi, AnotherProcedureReplacesTheDefault) {
    EXPECT_EQ(Consout_SetESCProc(
                  c,
                  [](Consout *con, const uint8_t *, int32_t, ZuboUserValue user) -> int32_t {
                      Consout_SetAttr(con, static_cast<int32_t>(user));
                      return 1;
                  },
                  0x42),
              1);
    Feed("\x1b[31m");
    EXPECT_EQ(Consout_GetAttr(c), 0x42);
    EXPECT_EQ(Consout_GetCurX(c), 3);  // "31m" printed after the 2-byte end
}

}  // namespace
