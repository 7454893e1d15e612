// Console output throughput, side by side with libvterm on the same bytes:
// Consout_Putchar byte by byte against vterm_input_write in 4 KiB writes
// and one byte per call. Both keep the same scroll-back: the console in
// its ring, libvterm through its sb_pushline callback into a ring of saved
// rows (libvterm keeps no history of its own).
//
//   a   64 MiB of printable ASCII, an LF after every 79 characters
//   b   as a, with an SGR colour change before every 10 characters
//   c   Shift_JIS text, 38 two-byte characters and 3 ASCII ones a line;
//       libvterm is also given the same text in UTF-8 (c_utf8)
//
// LF returns to column 0 on both sides (OUTMODE_NEWLINE_CR; libvterm's
// newline mode, ESC [ 20 h).
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <vterm.h>

#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

#include "kanji/kanji.h"
#include "zubo.h"

namespace {

constexpr size_t kInputBytes = size_t{64} << 20;
constexpr int kCols = 80;

// Deterministic printable bytes 0x21 ... 0x7E.
struct Printable {
    uint32_t s = 12345;
    char Next() {
        s = s * 1103515245u + 12345u;
        return static_cast<char>(0x21 + (s >> 16) % 94);
    }
};

std::string MakeAscii() {
    std::string out;
    out.reserve(kInputBytes);
    Printable p;
    while (out.size() + 80 <= kInputBytes) {
        for (int i = 0; i < 79; ++i) out += p.Next();
        out += '\n';
    }
    return out;
}

std::string MakeColoured() {
    std::string out;
    out.reserve(kInputBytes);
    Printable p;
    int colour = 0;
    while (out.size() + 128 <= kInputBytes) {
        for (int i = 0; i < 79; ++i) {
            if (i % 10 == 0) {
                out += "\x1b[3";
                out += static_cast<char>('1' + colour++ % 7);
                out += 'm';
            }
            out += p.Next();
        }
        out += '\n';
    }
    return out;
}

std::string MakeShiftJis() {
    std::string out;
    out.reserve(kInputBytes);
    Printable p;
    uint32_t k = 0;
    while (out.size() + 80 <= kInputBytes) {
        for (int i = 0; i < 38; ++i, ++k) {
            uint8_t s1, s2;  // JIS X 0208 level 1 kanji, rows 0x30 ... 0x4E
            zubo::kanji::JisPairToSjis(static_cast<uint8_t>(0x30 + k / 94 % 31),
                                       static_cast<uint8_t>(0x21 + k % 94), &s1, &s2);
            out += static_cast<char>(s1);
            out += static_cast<char>(s2);
        }
        for (int i = 0; i < 3; ++i) out += p.Next();
        out += '\n';
    }
    return out;
}

std::string ToUtf8(const std::string &sjis) {
    iconv_t cd = iconv_open("UTF-8", "SHIFT_JIS");
    std::string out(sjis.size() * 2, '\0');
    char *in = const_cast<char *>(sjis.data());
    size_t inLeft = sjis.size(), outLeft = out.size();
    char *o = &out[0];
    iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

enum Input { kA, kB, kC, kCUtf8 };

const std::string &Bytes(Input which) {
    static std::string a, b, c, u;
    switch (which) {
    case kA:
        if (a.empty()) a = MakeAscii();
        return a;
    case kB:
        if (b.empty()) b = MakeColoured();
        return b;
    case kC:
        if (c.empty()) c = MakeShiftJis();
        return c;
    default:
        if (u.empty()) u = ToUtf8(Bytes(kC));
        return u;
    }
}

void Report(benchmark::State &state, size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_Consout(benchmark::State &state, Input which, int rows, int scrollback) {
    const std::string &in = Bytes(which);
    Consout *c = CreateConsout(kCols, rows, rows + scrollback);
    Consout_SetOutputMode(c, OUTMODE_ENABLE | OUTMODE_NEWLINE_CR | OUTMODE_EXPAND_TAB);
    for (auto _ : state) {
        for (unsigned char b : in) Consout_Putchar(c, b);
        benchmark::DoNotOptimize(Consout_GetCurX(c));
    }
    Report(state, in.size());
    Consout_Release(c);
}

// libvterm's screen with a ring of saved rows behind sb_pushline.
class Vterm {
public:
    Vterm(int rows, int scrollback) : keep_(scrollback) {
        vt_ = vterm_new(rows, kCols);
        vterm_set_utf8(vt_, 1);
        screen_ = vterm_obtain_screen(vt_);
        if (keep_ > 0) {
            saved_.resize(static_cast<size_t>(keep_) * kCols);
            callbacks_.sb_pushline = PushLine;
            vterm_screen_set_callbacks(screen_, &callbacks_, this);
        }
        vterm_screen_reset(screen_, 1);
        vterm_input_write(vt_, "\x1b[20h", 5);
    }
    ~Vterm() { vterm_free(vt_); }
    void Write(const char *p, size_t n) { vterm_input_write(vt_, p, n); }
    int pushed() const { return pushed_; }

private:
    static int PushLine(int cols, const VTermScreenCell *cells, void *user) {
        Vterm *v = static_cast<Vterm *>(user);
        const int n = cols < kCols ? cols : kCols;
        memcpy(&v->saved_[static_cast<size_t>(v->next_) * kCols], cells,
               static_cast<size_t>(n) * sizeof(VTermScreenCell));
        v->next_ = (v->next_ + 1) % v->keep_;
        ++v->pushed_;
        return 1;
    }
    VTerm *vt_;
    VTermScreen *screen_;
    VTermScreenCallbacks callbacks_ = {};
    std::vector<VTermScreenCell> saved_;
    int keep_;
    int next_ = 0;
    int pushed_ = 0;
};

void BM_Vterm(benchmark::State &state, Input which, int rows, int scrollback, size_t chunk) {
    const std::string &in = Bytes(which);
    Vterm vt(rows, scrollback);
    for (auto _ : state) {
        for (size_t i = 0; i < in.size(); i += chunk)
            vt.Write(in.data() + i, in.size() - i < chunk ? in.size() - i : chunk);
        benchmark::DoNotOptimize(vt.pushed());
    }
    Report(state, in.size());
}

constexpr size_t k4K = 4096;

#define CONSOLE_CASE(name, input, rows, scrollback)                                         \
    BENCHMARK_CAPTURE(BM_Consout, name, input, rows, scrollback)                            \
        ->Unit(benchmark::kMillisecond);                                                   \
    BENCHMARK_CAPTURE(BM_Vterm, name##_4k, input, rows, scrollback, k4K)                    \
        ->Unit(benchmark::kMillisecond);                                                   \
    BENCHMARK_CAPTURE(BM_Vterm, name##_1byte, input, rows, scrollback, size_t{1})           \
        ->Unit(benchmark::kMillisecond)

CONSOLE_CASE(a_80x25_sb1000, kA, 25, 1000);
CONSOLE_CASE(b_80x25_sb1000, kB, 25, 1000);
CONSOLE_CASE(c_80x25_sb1000, kC, 25, 1000);
BENCHMARK_CAPTURE(BM_Vterm, c_utf8_80x25_sb1000_4k, kCUtf8, 25, 1000, k4K)
    ->Unit(benchmark::kMillisecond);
CONSOLE_CASE(a_80x100_sb1000, kA, 100, 1000);
CONSOLE_CASE(a_80x25_sb10000, kA, 25, 10000);
// libvterm alone, without keeping any scroll-back.
BENCHMARK_CAPTURE(BM_Vterm, a_80x25_nosb_4k, kA, 25, 0, k4K)->Unit(benchmark::kMillisecond);

}  // namespace
