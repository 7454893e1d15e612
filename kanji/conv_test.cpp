// JIS <-> Shift_JIS conversion and the pair arithmetic.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "kanji/kanji.h"
#include "zubo.h"

namespace {

const std::string ESC_D = "\x1b$B", ESC_S = "\x1b(B";

std::string ToJis(const std::string &sjis) {
    std::vector<char> out(3 * sjis.size() + 3, '\xcc');
    ConvSjisToJis(out.data(), sjis.c_str());
    return out.data();
}

std::string ToSjis(const std::string &jis) {
    std::vector<char> out(jis.size() + 1, '\xcc');
    ConvJisToSjis(out.data(), jis.c_str());
    return out.data();
}

TEST(PairArithmetic, KnownPairsAndRoundTripOverJisX0208) {
    uint8_t a, b;
    zubo::kanji::JisPairToSjis(0x24, 0x22, &a, &b);
    EXPECT_EQ(a, 0x82);
    EXPECT_EQ(b, 0xA0);
    zubo::kanji::JisPairToSjis(0x30, 0x21, &a, &b);
    EXPECT_EQ((a << 8) | b, 0x889F);
    zubo::kanji::JisPairToSjis(0x21, 0x60, &a, &b);
    EXPECT_EQ((a << 8) | b, 0x8180);
    zubo::kanji::JisPairToSjis(0x5F, 0x21, &a, &b);
    EXPECT_EQ((a << 8) | b, 0xE040);
    for (int r = 0x21; r <= 0x7E; ++r)
        for (int c = 0x21; c <= 0x7E; ++c) {
            uint8_t s1, s2, j1, j2;
            zubo::kanji::JisPairToSjis(static_cast<uint8_t>(r), static_cast<uint8_t>(c), &s1,
                                       &s2);
            zubo::kanji::SjisPairToJis(s1, s2, &j1, &j2);
            ASSERT_EQ(j1, r);
            ASSERT_EQ(j2, c);
        }
}

// Bytes outside 0x21 ... 0x7E (fed by the console) follow the signed rules.
TEST(PairArithmetic, BytesAboveTheJisRangeCompareAsNegative) {
    uint8_t a, b;
    // j1 = 0xA4 (signed -92): (-92 - 33) >> 1 = -63, + 0x81 = 0x42.
    zubo::kanji::JisPairToSjis(0xA4, 0xA2, &a, &b);
    EXPECT_EQ(a, 0x42);
    EXPECT_EQ(b, static_cast<uint8_t>(0xA2 + 0x7E));
    zubo::kanji::JisPairToSjis(0xA5, 0xE0, &a, &b);  // odd row, cell "below 0x5F"
    EXPECT_EQ(a, 0x43);  // (-91 - 33) >> 1 = -62, + 0x81
    EXPECT_EQ(b, 0xFF);  // cell -32 <= 0x5F: -32 + 0x1F
}

TEST(Conversion, EmptyAndWorkedExamples) {
    EXPECT_EQ(ToJis(""), "");
    EXPECT_EQ(ToSjis(""), "");
    EXPECT_EQ(ToJis("\x82\xa0"), ESC_D + "\x24\x22" + ESC_S);
    EXPECT_EQ(ToJis("\x82\xa0").size() + 1, 9u);
    EXPECT_EQ(ToSjis(ESC_D + "\x24\x22" + ESC_S), "\x82\xa0");
    EXPECT_EQ(ToJis("A\x88\x9f" "B"), "A" + ESC_D + "\x30\x21" + ESC_S + "B");
    EXPECT_EQ(ToJis("\x88\x9f\x82\xa0"), ESC_D + "\x30\x21\x24\x22" + ESC_S);
}

TEST(Conversion, SingleBytesAndControlsPassThrough) {
    EXPECT_EQ(ToJis("\xb1\xb2 x"), "\xb1\xb2 x");  // half-width katakana
    EXPECT_EQ(ToSjis("\x80\xff" + ESC_D + "\x90\xa0"), "\x80\xff\x90\xa0");
    // In two-byte mode a space or control is copied and the mode stays.
    EXPECT_EQ(ToSjis(ESC_D + "\x24\x22 \n\x24\x22"), "\x82\xa0 \n\x82\xa0");
    // An unknown sequence is copied; in two-byte mode "(J" is then a pair.
    EXPECT_EQ(ToSjis("\x1b(Jx"), "\x1b(Jx");
    uint8_t a, b;
    zubo::kanji::JisPairToSjis('(', 'J', &a, &b);
    EXPECT_EQ(ToSjis(ESC_D + "\x1b(J"), std::string("\x1b") + char(a) + char(b));
    // No closing ESC ( B is needed.
    EXPECT_EQ(ToSjis(ESC_D + "\x30\x21"), "\x88\x9f");
}

TEST(Conversion, CharactersCutByTheTerminatorAreDropped) {
    EXPECT_EQ(ToJis("A\x88"), "A");
    EXPECT_EQ(ToJis("\x88"), "");
    EXPECT_EQ(ToSjis(ESC_D + "\x30\x21\x30"), "\x88\x9f");
    EXPECT_EQ(ToSjis("\x1b"), "\x1b");
    EXPECT_EQ(ToSjis("\x1b$"), "\x1b$");
}

// The documented destination sizes hold for any input.
TEST(Conversion, OutputNeverExceedsTheDocumentedSize) {
    std::mt19937 rng(99);
    for (int i = 0; i < 20000; ++i) {
        std::string src;
        for (int n = rng() % 40; n > 0; --n) {
            char c = static_cast<char>(rng() % 255 + 1);
            if (rng() % 8 == 0) src += ESC_D;
            src += c;
        }
        std::vector<char> out(3 * src.size() + 3 + 16, '\xcc');
        ConvSjisToJis(out.data(), src.c_str());
        ASSERT_LE(strlen(out.data()) + 1, 3 * src.size() + 3);
        ASSERT_EQ(out[3 * src.size() + 3], '\xcc');
        ConvJisToSjis(out.data(), src.c_str());
        ASSERT_LE(strlen(out.data()), src.size());
    }
}

// The rules of JIS -> Shift_JIS one byte at a time, as plainly as they go.
std::string ReferenceJisToSjis(const std::string &jis) {
    std::string out;
    bool twoByte = false;
    for (size_t i = 0; i < jis.size();) {
        const unsigned char c = static_cast<unsigned char>(jis[i]);
        if (c == 0x1B && jis.compare(i + 1, 2, "$B") == 0) {
            twoByte = true;
            i += 3;
        } else if (c == 0x1B && jis.compare(i + 1, 2, "(B") == 0) {
            twoByte = false;
            i += 3;
        } else if (twoByte && c >= 0x21 && c <= 0x7F) {
            if (i + 1 >= jis.size()) break;  // cut off by the terminator
            uint8_t s1, s2;
            zubo::kanji::JisPairToSjis(c, static_cast<uint8_t>(jis[i + 1]), &s1, &s2);
            out += static_cast<char>(s1);
            out += static_cast<char>(s2);
            i += 2;
        } else {
            out += static_cast<char>(c);
            ++i;
        }
    }
    return out;
}

// Random JIS-like text: runs of ASCII, pairs, controls and high bytes,
// shift sequences, stray and cut ESCs, of every length around the word
// size, converted into a destination of exactly strlen + 1 bytes (so that
// the sanitizer sees any write past it), and in place.
TEST(Conversion, JisToSjisFollowsTheRulesInEveryLayout) {
    std::mt19937 rng(31337);
    const std::string pieces[] = {ESC_D, ESC_S, "\x1b", "\x1b(", "\x1b$", "\x1b(J", "\n", " "};
    for (int round = 0; round < 30000; ++round) {
        std::string jis;
        const int parts = static_cast<int>(rng() % 12);
        for (int p = 0; p < parts; ++p) {
            switch (rng() % 4) {
            case 0:
                jis += pieces[rng() % 8];
                break;
            case 1:
                for (int n = rng() % 20; n > 0; --n) jis += static_cast<char>(0x20 + rng() % 0x5F);
                break;
            case 2:
                for (int n = rng() % 20; n > 0; --n) jis += static_cast<char>(0x21 + rng() % 0x5E);
                break;
            default:
                for (int n = rng() % 4; n > 0; --n) jis += static_cast<char>(1 + rng() % 255);
                break;
            }
        }
        // An invalid pair can give a zero byte inside the output: compare
        // every byte written, terminator included.
        const std::string expected = ReferenceJisToSjis(jis) + '\0';
        std::vector<char> exact(jis.size() + 1);
        ASSERT_EQ(ConvJisToSjis(exact.data(), jis.c_str()), exact.data());
        ASSERT_EQ(std::string(exact.data(), expected.size()), expected) << "round " << round;
        std::vector<char> inPlace(jis.c_str(), jis.c_str() + jis.size() + 1);
        ConvJisToSjis(inPlace.data(), inPlace.data());
        ASSERT_EQ(std::string(inPlace.data(), expected.size()), expected) << "in place, " << round;
    }
}

TEST(Conversion, NullArguments) {
    char buf[4] = "xx";
    EXPECT_EQ(ConvJisToSjis(nullptr, "a"), nullptr);
    EXPECT_EQ(ConvSjisToJis(buf, nullptr), buf);
    EXPECT_STREQ(buf, "");
}

}  // namespace
