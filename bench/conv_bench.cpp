// JIS <-> Shift_JIS conversion against glibc's iconv (ISO-2022-JP,
// SHIFT_JIS) in the same run, on the same 16 MiB of mixed text. Every
// benchmark checks its output: both sides of a direction must write the
// same bytes, which are the other direction's input (the JIS text is the
// library's conversion of the Shift_JIS text, checked against iconv's).
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <string.h>

#include <random>
#include <string>
#include <vector>

#include "zubo.h"

namespace {

constexpr size_t kSize = 16u << 20;

// Shift_JIS text: runs of ASCII words and runs of JIS X 0208 characters
// (kana and kanji rows), like Japanese prose with Latin words and numbers.
const std::string &SjisText() {
    static const std::string text = [] {
        std::mt19937 rng(11);
        std::string s;
        s.reserve(kSize + 64);
        while (s.size() < kSize) {
            for (int n = 1 + rng() % 12; n > 0; --n) {
                const char c = static_cast<char>(0x20 + rng() % 0x5F);
                s += (c == '\\' || c == '~' || c == 0x7F) ? ' ' : c;
            }
            for (int n = 1 + rng() % 16; n > 0; --n) {
                // Rows 0x24/0x25 (kana) and 0x30-0x4E (level-1 kanji, all
                // assigned).
                const int r = rng() % 3 ? 0x30 + rng() % 0x1F : 0x24 + rng() % 2;
                const int c = 0x21 + rng() % (r < 0x30 ? 0x53 : 0x5E);
                const int s1 = ((r - 0x21) >> 1) + (r <= 0x5E ? 0x81 : 0xC1);
                const int s2 = (r & 1) ? c + (c <= 0x5F ? 0x1F : 0x20) : c + 0x7E;
                s += static_cast<char>(s1);
                s += static_cast<char>(s2);
            }
            if (rng() % 8 == 0) s += '\n';
        }
        return s;
    }();
    return text;
}

const std::string &JisText() {
    static const std::string text = [] {
        const std::string &src = SjisText();
        std::vector<char> out(3 * src.size() + 3);
        ConvSjisToJis(out.data(), src.c_str());
        return std::string(out.data());
    }();
    return text;
}

// iconv's own JIS form of the Shift_JIS text.
const std::string &IconvJisText() {
    static const std::string text = [] {
        const std::string &src = SjisText();
        std::vector<char> out(3 * src.size() + 16);
        iconv_t cd = iconv_open("ISO-2022-JP", "SHIFT_JIS");
        char *in = const_cast<char *>(src.data());
        size_t left = src.size(), room = out.size() - 1;
        char *dst = out.data();
        iconv(cd, &in, &left, &dst, &room);
        iconv(cd, nullptr, nullptr, &dst, &room);
        iconv_close(cd);
        return left == 0 ? std::string(out.data(), dst) : std::string("iconv failed");
    }();
    return text;
}

// True when out holds exactly the text, terminator included (the zero is
// not written by iconv: the caller adds it).
bool Holds(const std::vector<char> &out, const std::string &text) {
    return out.size() > text.size() && memcmp(out.data(), text.data(), text.size()) == 0 &&
           out[text.size()] == '\0';
}

// Converts with iconv into out and terminates it; false when iconv did not
// convert everything.
bool IconvText(iconv_t cd, const std::string &in, std::vector<char> *out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char *src = const_cast<char *>(in.data());
    size_t left = in.size();
    char *dst = out->data();
    size_t room = out->size() - 1;
    iconv(cd, &src, &left, &dst, &room);
    iconv(cd, nullptr, nullptr, &dst, &room);
    *dst = '\0';
    return left == 0;
}

void BM_JisToSjis_Zubo(benchmark::State &state) {
    const std::string &in = JisText();
    std::vector<char> out(in.size() + 1);
    for (auto _ : state) benchmark::DoNotOptimize(ConvJisToSjis(out.data(), in.c_str()));
    if (!Holds(out, SjisText())) state.SkipWithError("output differs from iconv's");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
void BM_JisToSjis_iconv(benchmark::State &state) {
    const std::string &in = JisText();
    std::vector<char> out(in.size() + 16);
    iconv_t cd = iconv_open("SHIFT_JIS", "ISO-2022-JP");
    for (auto _ : state)
        if (!IconvText(cd, in, &out)) state.SkipWithError("iconv stopped early");
    iconv_close(cd);
    if (!Holds(out, SjisText())) state.SkipWithError("output differs from the library's");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
void BM_SjisToJis_Zubo(benchmark::State &state) {
    const std::string &in = SjisText();
    std::vector<char> out(3 * in.size() + 3);
    for (auto _ : state) benchmark::DoNotOptimize(ConvSjisToJis(out.data(), in.c_str()));
    if (!Holds(out, JisText()) || !Holds(out, IconvJisText()))
        state.SkipWithError("output differs from iconv's");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
void BM_SjisToJis_iconv(benchmark::State &state) {
    const std::string &in = SjisText();
    std::vector<char> out(3 * in.size() + 16);
    iconv_t cd = iconv_open("ISO-2022-JP", "SHIFT_JIS");
    for (auto _ : state)
        if (!IconvText(cd, in, &out)) state.SkipWithError("iconv stopped early");
    iconv_close(cd);
    if (!Holds(out, JisText())) state.SkipWithError("output differs from the library's");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
BENCHMARK(BM_JisToSjis_Zubo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToSjis_iconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToJis_Zubo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToJis_iconv)->Unit(benchmark::kMillisecond);

}  // namespace
