// Console output throughput: Consout_Putchar byte by byte, beside the naive
// limit for printable bytes and beside libvterm given the same text.
//
// Inputs (64 MiB each; ZUBO_BENCH_MIB=n makes them n MiB):
//   a   printable ASCII, an LF after every 79 characters
//   p   printable ASCII only, wrapping at the right edge
//   b   as a, with an SGR colour change before every 10 characters
//   c   Japanese text, 38 two-byte characters and 3 ASCII ones a line: the
//       console reads it in Shift_JIS, libvterm the same text in UTF-8
//       (more bytes for the same lines, so c compares lines per second)
//
// The naive limit (BM_Naive) is a plain loop over the same bytes that
// writes each printable byte as a 4-byte cell (code and attribute) into a
// ring of 80-cell lines, advances the column, and at an LF or after the
// last column starts the next line of the ring and blanks it. The console
// gives the same cells (checked once per run, BM_ConsoutOverNaive); what it
// does beyond the loop (one call per byte, the byte machine, double-width
// halves, the dirty rectangle, scroll notification) is the distance to the
// limit. BM_ConsoutOverNaive runs both in alternating rounds and reports the
// median ratio of their CPU times.
//
// libvterm keeps no scroll-back of its own: the lines that leave its screen
// are handed to the sb_pushline callback, for which libvterm first reads
// each of the line's cells (vterm_screen_get_cell) whatever the callback
// does with them. Its variants here:
//   cells   the callback copies the pushed row of 80 40-byte cells (text,
//           width, attributes and colours) into a ring with one memcpy, as
//           a host would that redraws its history. Being one bulk copy, it
//           is also the cheapest callback that keeps the lines;
//   text    the callback keeps the text only, one code point per cell, in
//           a ring a tenth the size; picking the code points out of the
//           cells takes more instructions than the bulk copy;
//   nosb    no callback: libvterm keeps no lines at all (not a peer of the
//           console, which always keeps its scroll-back).
// The console's ring keeps code and attribute of every cell, 4 bytes.
//
// LF returns to column 0 on every side (OUTMODE_NEWLINE_CR; libvterm's
// newline mode, ESC [ 20 h).
//
// `console_bench --feed=NAME` feeds one input once and exits, for counting
// instructions with callgrind (tools/callgrind-console.sh).
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <time.h>
#include <vterm.h>

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console/consout.h"
#include "kanji/kanji.h"
#include "zubo.h"

namespace {

constexpr int kCols = 80;

size_t InputBytes() {
    static const size_t bytes = [] {
        const char *mib = getenv("ZUBO_BENCH_MIB");
        const long n = mib ? atol(mib) : 0;
        return (n > 0 ? static_cast<size_t>(n) : size_t{64}) << 20;
    }();
    return bytes;
}

// Deterministic printable bytes 0x21 ... 0x7E.
struct Printable {
    uint32_t s = 12345;
    char Next() {
        s = s * 1103515245u + 12345u;
        return static_cast<char>(0x21 + (s >> 16) % 94);
    }
};

std::string MakeAscii(bool lineFeeds) {
    std::string out;
    out.reserve(InputBytes());
    Printable p;
    while (out.size() + 80 <= InputBytes()) {
        for (int i = 0; i < 79; ++i) out += p.Next();
        out += lineFeeds ? '\n' : p.Next();
    }
    return out;
}

std::string MakeColoured() {
    std::string out;
    out.reserve(InputBytes());
    Printable p;
    int colour = 0;
    while (out.size() + 128 <= InputBytes()) {
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
    out.reserve(InputBytes());
    Printable p;
    uint32_t k = 0;
    while (out.size() + 80 <= InputBytes()) {
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
    const size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1) || inLeft != 0) {
        fprintf(stderr, "console_bench: the Shift_JIS text does not convert to UTF-8\n");
        exit(1);
    }
    out.resize(out.size() - outLeft);
    return out;
}

enum Input { kA, kP, kB, kC, kCUtf8 };

const std::string &Bytes(Input which) {
    static std::string a, p, b, c, u;
    switch (which) {
    case kA:
        if (a.empty()) a = MakeAscii(true);
        return a;
    case kP:
        if (p.empty()) p = MakeAscii(false);
        return p;
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

// Lines of text in an input: one per LF, or one per 80 bytes without LFs.
int64_t Lines(Input which) {
    const std::string &in = Bytes(which);
    const int64_t lf = std::count(in.begin(), in.end(), '\n');
    return lf ? lf : static_cast<int64_t>(in.size() / kCols);
}

void Report(benchmark::State &state, Input which) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Bytes(which).size()));
    state.SetItemsProcessed(state.iterations() * Lines(which));  // lines of text
}

double CpuSeconds() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// --- the console ---

Consout *NewConsole(int rows, int scrollback) {
    Consout *c = CreateConsout(kCols, rows, rows + scrollback);
    Consout_SetOutputMode(c, OUTMODE_ENABLE | OUTMODE_NEWLINE_CR | OUTMODE_EXPAND_TAB);
    return c;
}

__attribute__((noinline)) void FeedConsole(Consout *c, const std::string &in) {
    for (unsigned char b : in) Consout_Putchar(c, b);
}

void BM_Consout(benchmark::State &state, Input which, int rows, int scrollback) {
    const std::string &in = Bytes(which);
    Consout *c = NewConsole(rows, scrollback);
    for (auto _ : state) {
        FeedConsole(c, in);
        benchmark::DoNotOptimize(Consout_GetCurX(c));
    }
    Report(state, which);
    Consout_Release(c);
}

// --- the naive limit ---

class NaiveRing {
public:
    static constexpr uint32_t kBlank = uint32_t{ATTR_DEFAULT} << 16 | CONSOUT_BLANK;

    explicit NaiveRing(int lines)
        : lines_(lines), cells_(static_cast<size_t>(lines) * kCols, kBlank) {}

    __attribute__((noinline)) void Feed(const std::string &in) {
        uint32_t *row = row_;
        int x = x_;
        const uint32_t attr = uint32_t{ATTR_DEFAULT} << 16;
        for (unsigned char b : in) {
            if (b != '\n') {
                row[x] = attr | b;
                if (++x < kCols) continue;
            }
            x = 0;
            slot_ = slot_ + 1 == lines_ ? 0 : slot_ + 1;
            row = Row(slot_);
            std::fill(row, row + kCols, kBlank);
        }
        x_ = x;
        row_ = row;
    }
    // The loop's body as a function called once per byte, with the column
    // and the line kept in memory between calls as the console keeps its
    // cursor: the cheapest writer behind a one-byte-per-call interface.
    __attribute__((noinline)) int32_t Put(int32_t byte) {
        if (byte != '\n') {
            row_[x_] = uint32_t{ATTR_DEFAULT} << 16 | static_cast<uint8_t>(byte);
            if (++x_ < kCols) return byte;
        }
        x_ = 0;
        slot_ = slot_ + 1 == lines_ ? 0 : slot_ + 1;
        row_ = Row(slot_);
        std::fill(row_, row_ + kCols, kBlank);
        return byte;
    }
    // The line `back` lines above the newest one.
    const uint32_t *Line(int back) const {
        return &cells_[static_cast<size_t>((slot_ - back + lines_) % lines_) * kCols];
    }
    int x() const { return x_; }

private:
    uint32_t *Row(int slot) { return &cells_[static_cast<size_t>(slot) * kCols]; }
    int lines_;
    std::vector<uint32_t> cells_;
    int slot_ = 0;
    int x_ = 0;
    uint32_t *row_ = cells_.data();
};

__attribute__((noinline)) void FeedNaivePerCall(NaiveRing &ring, const std::string &in) {
    for (unsigned char b : in) ring.Put(b);
}

void BM_Naive(benchmark::State &state, Input which, int rows, int scrollback) {
    const std::string &in = Bytes(which);
    NaiveRing ring(rows + scrollback);
    for (auto _ : state) {
        ring.Feed(in);
        benchmark::DoNotOptimize(ring.x());
    }
    Report(state, which);
}

// True when the console's screen holds the naive ring's newest lines, cell
// for cell, with the cursor in the same column.
bool SameCells(Consout *c, const NaiveRing &ring) {
    const int rows = Consout_GetConsHeight(c);
    if (Consout_GetCurY(c) != rows - 1 || Consout_GetCurX(c) != ring.x()) return false;
    for (int y = 0; y < rows; ++y) {
        const ConsoutCell *cells = zubo::console::Cells(zubo::console::ScreenLine(c, y));
        const uint32_t *naive = ring.Line(rows - 1 - y);
        for (int x = 0; x < kCols; ++x)
            if ((uint32_t{cells[x].attr} << 16 | cells[x].code) != naive[x]) return false;
    }
    return true;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The naive loop, the same loop called once per byte, and the console over
// the same bytes in rounds (naive, per call, console, naive, ...), each
// timed in CPU time: the ratios are medians over the rounds.
// console_over_naive is the distance to the limit; per_call_over_naive is
// what the one-byte-per-call interface alone costs (the cursor kept in
// memory between calls), and console_over_per_call what the console adds.
void BM_ConsoutOverNaive(benchmark::State &state, Input which, int rows, int scrollback) {
    const std::string &in = Bytes(which);
    Consout *c = NewConsole(rows, scrollback);
    NaiveRing ring(rows + scrollback), perCall(rows + scrollback);
    std::vector<double> naive, call, console, overNaive, callOverNaive, overCall;
    for (auto _ : state) {
        const double t0 = CpuSeconds();
        ring.Feed(in);
        const double t1 = CpuSeconds();
        FeedNaivePerCall(perCall, in);
        const double t2 = CpuSeconds();
        FeedConsole(c, in);
        const double t3 = CpuSeconds();
        naive.push_back(t1 - t0);
        call.push_back(t2 - t1);
        console.push_back(t3 - t2);
        overNaive.push_back((t3 - t2) / (t1 - t0));
        callOverNaive.push_back((t2 - t1) / (t1 - t0));
        overCall.push_back((t3 - t2) / (t2 - t1));
    }
    if (!SameCells(c, ring) || !SameCells(c, perCall))
        state.SkipWithError("the console and the naive loop differ");
    const double bytes = static_cast<double>(in.size());
    state.counters["naive_ns_per_byte"] = Median(naive) * 1e9 / bytes;
    state.counters["per_call_ns_per_byte"] = Median(call) * 1e9 / bytes;
    state.counters["console_ns_per_byte"] = Median(console) * 1e9 / bytes;
    state.counters["console_over_naive"] = Median(overNaive);
    state.counters["per_call_over_naive"] = Median(callOverNaive);
    state.counters["console_over_per_call"] = Median(overCall);
    Consout_Release(c);
}

// --- libvterm ---

enum Keep { kNoScrollback, kKeepCells, kKeepText };

// libvterm's screen with a ring of kept lines behind sb_pushline.
class Vterm {
public:
    Vterm(int rows, int scrollback, Keep keep) : lines_(scrollback) {
        vt_ = vterm_new(rows, kCols);
        vterm_set_utf8(vt_, 1);
        screen_ = vterm_obtain_screen(vt_);
        if (keep != kNoScrollback && lines_ > 0) {
            if (keep == kKeepCells) {
                cells_.resize(static_cast<size_t>(lines_) * kCols);
                callbacks_.sb_pushline = PushCells;
            } else {
                text_.resize(static_cast<size_t>(lines_) * kCols);
                callbacks_.sb_pushline = PushText;
            }
            vterm_screen_set_callbacks(screen_, &callbacks_, this);
        }
        vterm_screen_reset(screen_, 1);
        vterm_input_write(vt_, "\x1b[20h", 5);
    }
    ~Vterm() { vterm_free(vt_); }
    void Write(const char *p, size_t n) { vterm_input_write(vt_, p, n); }
    int pushed() const { return pushed_; }

private:
    static int PushCells(int cols, const VTermScreenCell *cells, void *user) {
        Vterm *v = static_cast<Vterm *>(user);
        const int n = cols < kCols ? cols : kCols;
        memcpy(&v->cells_[static_cast<size_t>(v->next_) * kCols], cells,
               static_cast<size_t>(n) * sizeof(VTermScreenCell));
        v->Advance();
        return 1;
    }
    static int PushText(int cols, const VTermScreenCell *cells, void *user) {
        Vterm *v = static_cast<Vterm *>(user);
        const int n = cols < kCols ? cols : kCols;
        uint32_t *line = &v->text_[static_cast<size_t>(v->next_) * kCols];
        for (int i = 0; i < n; ++i) line[i] = cells[i].chars[0];
        v->Advance();
        return 1;
    }
    void Advance() {
        next_ = next_ + 1 == lines_ ? 0 : next_ + 1;
        ++pushed_;
    }
    VTerm *vt_;
    VTermScreen *screen_;
    VTermScreenCallbacks callbacks_ = {};
    std::vector<VTermScreenCell> cells_;
    std::vector<uint32_t> text_;
    int lines_;
    int next_ = 0;
    int pushed_ = 0;
};

__attribute__((noinline)) void FeedVterm(Vterm &vt, const std::string &in, size_t chunk) {
    for (size_t i = 0; i < in.size(); i += chunk)
        vt.Write(in.data() + i, in.size() - i < chunk ? in.size() - i : chunk);
}

void BM_Vterm(benchmark::State &state, Input which, int rows, int scrollback, Keep keep,
              size_t chunk) {
    const std::string &in = Bytes(which);
    Vterm vt(rows, scrollback, keep);
    for (auto _ : state) {
        FeedVterm(vt, in, chunk);
        benchmark::DoNotOptimize(vt.pushed());
    }
    Report(state, which);
}

constexpr size_t k4K = 4096;
constexpr size_t k1 = 1;

#define MS ->Unit(benchmark::kMillisecond)

// Case a: the console, its naive limit, the two side by side, libvterm.
BENCHMARK_CAPTURE(BM_Consout, a_80x25_sb1000, kA, 25, 1000) MS;
BENCHMARK_CAPTURE(BM_Naive, a_80x25_sb1000, kA, 25, 1000) MS;
BENCHMARK_CAPTURE(BM_ConsoutOverNaive, a_80x25_sb1000, kA, 25, 1000) MS->Iterations(5);
BENCHMARK_CAPTURE(BM_Vterm, a_80x25_sb1000_cells_4k, kA, 25, 1000, kKeepCells, k4K) MS;
BENCHMARK_CAPTURE(BM_Vterm, a_80x25_sb1000_text_4k, kA, 25, 1000, kKeepText, k4K) MS;
BENCHMARK_CAPTURE(BM_Vterm, a_80x25_sb1000_cells_1byte, kA, 25, 1000, kKeepCells, k1) MS;
BENCHMARK_CAPTURE(BM_Vterm, a_80x25_sb1000_text_1byte, kA, 25, 1000, kKeepText, k1) MS;
// libvterm alone, keeping no scroll-back.
BENCHMARK_CAPTURE(BM_Vterm, a_80x25_nosb_4k, kA, 25, 0, kNoScrollback, k4K) MS;

// Case p: printable bytes only, every line ended by the wrap.
BENCHMARK_CAPTURE(BM_Consout, p_80x25_sb1000, kP, 25, 1000) MS;
BENCHMARK_CAPTURE(BM_Naive, p_80x25_sb1000, kP, 25, 1000) MS;
BENCHMARK_CAPTURE(BM_ConsoutOverNaive, p_80x25_sb1000, kP, 25, 1000) MS->Iterations(5);

// Case b: colour changes.
BENCHMARK_CAPTURE(BM_Consout, b_80x25_sb1000, kB, 25, 1000) MS;
BENCHMARK_CAPTURE(BM_Vterm, b_80x25_sb1000_cells_4k, kB, 25, 1000, kKeepCells, k4K) MS;
BENCHMARK_CAPTURE(BM_Vterm, b_80x25_sb1000_text_4k, kB, 25, 1000, kKeepText, k4K) MS;
BENCHMARK_CAPTURE(BM_Vterm, b_80x25_sb1000_cells_1byte, kB, 25, 1000, kKeepCells, k1) MS;

// Case c: the same Japanese lines, Shift_JIS to the console, UTF-8 to
// libvterm; compare lines per second (items_per_second).
BENCHMARK_CAPTURE(BM_Consout, c_sjis_80x25_sb1000, kC, 25, 1000) MS;
BENCHMARK_CAPTURE(BM_Vterm, c_utf8_80x25_sb1000_cells_4k, kCUtf8, 25, 1000, kKeepCells, k4K) MS;
BENCHMARK_CAPTURE(BM_Vterm, c_utf8_80x25_sb1000_text_4k, kCUtf8, 25, 1000, kKeepText, k4K) MS;
BENCHMARK_CAPTURE(BM_Vterm, c_utf8_80x25_sb1000_cells_1byte, kCUtf8, 25, 1000, kKeepCells, k1)
    MS;
BENCHMARK_CAPTURE(BM_Vterm, c_utf8_80x25_nosb_4k, kCUtf8, 25, 0, kNoScrollback, k4K) MS;

// Other screen and ring sizes.
BENCHMARK_CAPTURE(BM_Consout, a_80x100_sb1000, kA, 100, 1000) MS;
BENCHMARK_CAPTURE(BM_Vterm, a_80x100_sb1000_cells_4k, kA, 100, 1000, kKeepCells, k4K) MS;
BENCHMARK_CAPTURE(BM_Consout, a_80x25_sb10000, kA, 25, 10000) MS;
BENCHMARK_CAPTURE(BM_Vterm, a_80x25_sb10000_cells_4k, kA, 25, 10000, kKeepCells, k4K) MS;

#undef MS

// --feed=NAME: one pass over one input, nothing else timed or printed.
int FeedOnce(const char *name) {
    struct Feed {
        const char *name;
        Input input;
        int kind;  // 0 console, 1 naive, 2 libvterm keeping cells, 3 keeping text,
                   // 4 naive per call, 5 libvterm keeping no lines
    } const feeds[] = {
        {"console_a", kA, 0},      {"naive_a", kA, 1},      {"per_call_a", kA, 4},
        {"console_p", kP, 0},      {"naive_p", kP, 1},      {"per_call_p", kP, 4},
        {"console_b", kB, 0},      {"console_c", kC, 0},    {"vterm_a_cells", kA, 2},
        {"vterm_a_text", kA, 3},   {"vterm_c_cells", kCUtf8, 2}, {"vterm_c_text", kCUtf8, 3},
        {"vterm_a_none", kA, 5},   {"vterm_c_none", kCUtf8, 5},
    };
    for (const Feed &f : feeds) {
        if (strcmp(f.name, name) != 0) continue;
        const std::string &in = Bytes(f.input);
        if (f.kind == 0) {
            Consout *c = NewConsole(25, 1000);
            FeedConsole(c, in);
            Consout_Release(c);
        } else if (f.kind == 1 || f.kind == 4) {
            NaiveRing ring(25 + 1000);
            if (f.kind == 1)
                ring.Feed(in);
            else
                FeedNaivePerCall(ring, in);
        } else {
            Vterm vt(25, 1000, f.kind == 2 ? kKeepCells : f.kind == 3 ? kKeepText : kNoScrollback);
            FeedVterm(vt, in, k4K);
        }
        printf("bytes=%zu lines=%lld\n", in.size(), static_cast<long long>(Lines(f.input)));
        return 0;
    }
    fprintf(stderr, "console_bench: no feed named %s\n", name);
    return 2;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc == 2 && strncmp(argv[1], "--feed=", 7) == 0) return FeedOnce(argv[1] + 7);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
