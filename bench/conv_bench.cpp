// JIS <-> Shift_JIS conversion against glibc's iconv (ISO-2022-JP,
// SHIFT_JIS) in the same run, on the same 16 MiB of mixed text.
#include <benchmark/benchmark.h>
#include <iconv.h>

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

// Converts everything; false when iconv stopped early (an invalid input
// would make the comparison meaningless).
bool IconvAll(iconv_t cd, const std::string &in, std::vector<char> *out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char *src = const_cast<char *>(in.data());
    size_t left = in.size();
    char *dst = out->data();
    size_t room = out->size();
    iconv(cd, &src, &left, &dst, &room);
    iconv(cd, nullptr, nullptr, &dst, &room);
    return left == 0;
}

void BM_JisToSjis_Zubo(benchmark::State &state) {
    const std::string &in = JisText();
    std::vector<char> out(in.size() + 1);
    for (auto _ : state) benchmark::DoNotOptimize(ConvJisToSjis(out.data(), in.c_str()));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
void BM_JisToSjis_iconv(benchmark::State &state) {
    const std::string &in = JisText();
    std::vector<char> out(in.size() + 16);
    iconv_t cd = iconv_open("SHIFT_JIS", "ISO-2022-JP");
    for (auto _ : state)
        if (!IconvAll(cd, in, &out)) state.SkipWithError("iconv stopped early");
    iconv_close(cd);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
void BM_SjisToJis_Zubo(benchmark::State &state) {
    const std::string &in = SjisText();
    std::vector<char> out(3 * in.size() + 3);
    for (auto _ : state) benchmark::DoNotOptimize(ConvSjisToJis(out.data(), in.c_str()));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
void BM_SjisToJis_iconv(benchmark::State &state) {
    const std::string &in = SjisText();
    std::vector<char> out(3 * in.size() + 16);
    iconv_t cd = iconv_open("ISO-2022-JP", "SHIFT_JIS");
    for (auto _ : state)
        if (!IconvAll(cd, in, &out)) state.SkipWithError("iconv stopped early");
    iconv_close(cd);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
BENCHMARK(BM_JisToSjis_Zubo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToSjis_iconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToJis_Zubo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToJis_iconv)->Unit(benchmark::kMillisecond);

}  // namespace
