// Differential test against glibc's iconv (ISO-2022-JP and SHIFT_JIS) on
// valid text: ASCII and every JIS X 0208 character iconv knows. Bytes 0x5C
// and 0x7E are left out: in SHIFT_JIS they are the yen sign and the
// overline, which iconv writes in JIS-Roman, not ASCII.
#include <gtest/gtest.h>
#include <iconv.h>

#include <random>
#include <string>
#include <vector>

#include "zubo.h"

namespace {

// Converts with iconv, flushing the shift state at the end; false on any
// conversion error.
bool Iconv(const char *to, const char *from, const std::string &in, std::string *out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::vector<char> buf(in.size() * 4 + 16);
    char *src = const_cast<char *>(in.data());
    size_t srcLeft = in.size();
    char *dst = buf.data();
    size_t dstLeft = buf.size();
    bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1) &&
              iconv(cd, nullptr, nullptr, &dst, &dstLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    out->assign(buf.data(), static_cast<size_t>(dst - buf.data()));
    return ok;
}

std::string Ours(char *(ZUBOAPI *conv)(char *, const char *), const std::string &in) {
    std::vector<char> out(3 * in.size() + 3);
    conv(out.data(), in.c_str());
    return out.data();
}

// Every Shift_JIS pair of JIS X 0208 that iconv converts both ways.
std::vector<std::string> KnownKanji() {
    std::vector<std::string> pairs;
    for (int r = 0x21; r <= 0x7E; ++r)
        for (int c = 0x21; c <= 0x7E; ++c) {
            std::string jis = std::string("\x1b$B") + char(r) + char(c) + "\x1b(B", sjis, back;
            if (Iconv("SHIFT_JIS", "ISO-2022-JP", jis, &sjis) && sjis.size() == 2 &&
                Iconv("ISO-2022-JP", "SHIFT_JIS", sjis, &back) && back == jis)
                pairs.push_back(sjis);
        }
    return pairs;
}

TEST(ConversionOracle, ByteIdenticalToIconvOnValidText) {
    const std::vector<std::string> kanji = KnownKanji();
    ASSERT_GT(kanji.size(), 6000u);  // JIS X 0208 has 6879 characters
    std::string ascii;
    for (int c = 0x20; c < 0x7F; ++c)
        if (c != 0x5C && c != 0x7E) ascii += char(c);
    ascii += "\t\n\r";

    std::mt19937 rng(4711);
    // Every kanji at least once, then random mixtures.
    std::string all;
    for (auto &k : kanji) all += k;
    std::vector<std::string> texts = {all, "", "abc", kanji[0]};
    for (int i = 0; i < 3000; ++i) {
        std::string s;
        const int len = static_cast<int>(rng() % 60);
        const unsigned kanjiShare = rng() % 100;
        for (int j = 0; j < len; ++j)
            s += rng() % 100 < kanjiShare ? kanji[rng() % kanji.size()]
                                          : std::string(1, ascii[rng() % ascii.size()]);
        texts.push_back(s);
    }
    for (const std::string &sjis : texts) {
        std::string jis, back;
        ASSERT_TRUE(Iconv("ISO-2022-JP", "SHIFT_JIS", sjis, &jis));
        ASSERT_EQ(Ours(ConvSjisToJis, sjis), jis);
        ASSERT_TRUE(Iconv("SHIFT_JIS", "ISO-2022-JP", jis, &back));
        ASSERT_EQ(Ours(ConvJisToSjis, jis), back);
        ASSERT_EQ(back, sjis);
    }
}

}  // namespace
