// The kanji knowledge that the conversions and the console share: the shift
// sequences and the Shift_JIS lead-byte test.
#include <gtest/gtest.h>

#include "kanji/kanji.h"
#include "zubo.h"

namespace zubo::kanji {
namespace {

int32_t ModeAfter(const char *afterEsc) {
    const KanjiShift *row = MatchShiftSequence(afterEsc);
    return row ? row->mode : -1;
}

TEST(ShiftSequences, TheTwoSequencesAndNothingElse) {
    EXPECT_EQ(ModeAfter("(B"), SHIFT_SINGLE);
    EXPECT_EQ(ModeAfter("$B"), SHIFT_DOUBLE);
    EXPECT_EQ(ModeAfter("$B\x30\x21"), SHIFT_DOUBLE);  // the text that follows does not matter
    for (const char *other : {"(", "$", "", "(J", "$@", "B(", "[2J", "(b"})
        EXPECT_EQ(ModeAfter(other), -1) << other;
    int rows = 0;
    for (const KanjiShift *row = kKanjiShiftTable; row->seq; ++row) ++rows;
    EXPECT_EQ(rows, 2);
}

TEST(LeadBytes, Boundaries) {
    int leads = 0;
    for (int b = 0; b < 256; ++b) leads += IsSjisLead(static_cast<uint8_t>(b));
    EXPECT_EQ(leads, 0x20 + 0x20);  // 0x80 ... 0x9F and 0xE0 ... 0xFF
    for (int b : {0x00, 0x20, 0x7F, 0xA0, 0xDF})
        EXPECT_FALSE(IsSjisLead(static_cast<uint8_t>(b))) << b;
    for (int b : {0x80, 0x81, 0x9F, 0xE0, 0xFC, 0xFF})
        EXPECT_TRUE(IsSjisLead(static_cast<uint8_t>(b))) << b;
}

}  // namespace
}  // namespace zubo::kanji
