// A small benchmark harness for the Windows-side benchmarks that run under
// wine (Google Benchmark is not available for mingw here). It keeps Google
// Benchmark's shape: a State whose loop is timed, counters per benchmark,
// and one report line per benchmark in the same column layout.
//
//   static void BM_Paint(winbench::State &state) {
//       for (auto _ : state) { ... }
//       state.counters["rows"] = 100000;
//   }
//   WINBENCH(BM_Paint);
//   WINBENCH_VERSUS(BM_Ours, BM_Theirs);  // a comparison, see below
//   int main() { return winbench::RunAll(); }
//
// Every benchmark is timed in rounds (WINBENCH_ROUNDS, 5 unless set) and
// reported by the median round, so that a round slowed down by other work
// on the machine does not decide the figure. The two sides of a comparison
// run in alternating rounds (A B A B ...), each round of A next to a round
// of B under the same load; the comparison's line gives the median of the
// rounds' ratios A/B.
#ifndef ZUBO_BENCH_WINBENCH_H
#define ZUBO_BENCH_WINBENCH_H

#include <windows.h>

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace winbench {

inline double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

class State {
public:
    explicit State(int64_t iterations) : iterations_(iterations) {}

    struct Iterator {
        State *s;
        int64_t left;
        bool operator!=(const Iterator &) const {
            if (left > 0) return true;
            s->Stop();
            return false;
        }
        void operator++() { --left; }
        // What `for (auto _ : state)` names: nothing to use, and a type
        // that says so, as Google Benchmark's does.
        struct __attribute__((unused)) Value {};
        Value operator*() const { return {}; }
    };
    Iterator begin() {
        start_ = Now();
        return Iterator{this, iterations_};
    }
    Iterator end() { return Iterator{this, 0}; }

    // Excludes set-up work inside the loop from the time.
    void PauseTiming() { paused_at_ = Now(); }
    void ResumeTiming() { paused_ += Now() - paused_at_; }

    int64_t iterations() const { return iterations_; }
    double seconds() const { return elapsed_; }
    std::map<std::string, double> counters;
    void SetBytesProcessed(int64_t b) { bytes_ = b; }
    void SetItemsProcessed(int64_t n) { items_ = n; }
    int64_t bytes() const { return bytes_; }
    int64_t items() const { return items_; }

private:
    void Stop() { elapsed_ = Now() - start_ - paused_; }
    int64_t iterations_;
    double start_ = 0, elapsed_ = 0, paused_ = 0, paused_at_ = 0;
    int64_t bytes_ = 0, items_ = 0;
};

using Function = std::function<void(State &)>;

struct Entry {
    std::string name;
    Function fn;
    std::string versusName;  // a comparison's second side, else empty
    Function versus;
};
inline std::vector<Entry> &Registry() {
    static std::vector<Entry> r;
    return r;
}
struct Registrar {
    Registrar(const char *name, Function fn) { Registry().push_back({name, std::move(fn), "", {}}); }
    Registrar(const char *a, Function fa, const char *b, Function fb) {
        Registry().push_back({a, std::move(fa), b, std::move(fb)});
    }
};

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline int Rounds() {
    const char *s = getenv("WINBENCH_ROUNDS");
    const int n = s ? atoi(s) : 0;
    return n > 0 ? n : 5;
}

// The iteration count for which one run takes at least min_seconds.
inline int64_t Calibrate(const Function &fn, double min_seconds) {
    int64_t n = 1;
    for (;;) {
        State s(n);
        fn(s);
        if (s.seconds() >= min_seconds || n >= (int64_t(1) << 30)) return n;
        const double guess = s.seconds() > 0 ? min_seconds * 1.4 / s.seconds() : 10.0;
        const int64_t next = static_cast<int64_t>(static_cast<double>(n) * (guess < 10 ? guess : 10));
        n = next > n ? next : n * 2;
    }
}

// One side's rounds: seconds per iteration, and the last round's state for
// its counters and rates.
struct Side {
    std::string name;
    int64_t iterations = 0;
    std::vector<double> perIteration;
    State last{0};
    void Run(const Function &fn) {
        State s(iterations);
        fn(s);
        perIteration.push_back(s.seconds() / static_cast<double>(iterations));
        last = s;
    }
    void Print() const {
        const double per = Median(perIteration);
        printf("%-44s %11.0f ns %12lld ", name.c_str(), per * 1e9,
               static_cast<long long>(iterations));
        const double perRun = per * static_cast<double>(iterations);
        if (last.bytes())
            printf(" bytes_per_second=%.1fM/s", static_cast<double>(last.bytes()) / perRun / 1048576.0);
        if (last.items())
            printf(" items_per_second=%.3fk/s", static_cast<double>(last.items()) / perRun / 1000.0);
        for (auto &kv : last.counters) printf(" %s=%g", kv.first.c_str(), kv.second);
        printf(" rounds=%zu\n", perIteration.size());
        fflush(stdout);
    }
};

// Runs each benchmark (each comparison's two sides alternating) in rounds
// of an iteration count that makes one run last at least min_seconds, then
// prints the median time per iteration and the counters.
inline int RunAll(double min_seconds = 0.5) {
    const int rounds = Rounds();
    printf("%-44s %14s %12s  %s\n", "Benchmark", "Time", "Iterations",
           "Counters (medians of rounds)");
    // WINBENCH_FILTER=TEXT runs only the benchmarks whose name contains it.
    const char *filter = getenv("WINBENCH_FILTER");
    for (const Entry &e : Registry()) {
        if (filter && e.name.find(filter) == std::string::npos &&
            e.versusName.find(filter) == std::string::npos)
            continue;
        Side a, b;
        a.name = e.name;
        a.iterations = Calibrate(e.fn, min_seconds);
        if (!e.versus) {
            for (int r = 0; r < rounds; ++r) a.Run(e.fn);
            a.Print();
            continue;
        }
        b.name = e.versusName;
        b.iterations = Calibrate(e.versus, min_seconds);
        std::vector<double> ratio;
        for (int r = 0; r < rounds; ++r) {
            a.Run(e.fn);
            b.Run(e.versus);
            ratio.push_back(a.perIteration.back() / b.perIteration.back());
        }
        a.Print();
        b.Print();
        printf("%-44s %14s %12s  ratio=%.3f (median of %d rounds A B A B ...)\n",
               (e.name + "/" + e.versusName).c_str(), "", "", Median(ratio), rounds);
        fflush(stdout);
    }
    return 0;
}

}  // namespace winbench

#define WINBENCH_CAT2(a, b) a##b
#define WINBENCH_CAT(a, b) WINBENCH_CAT2(a, b)
#define WINBENCH(fn) \
    static winbench::Registrar WINBENCH_CAT(winbench_reg_, __LINE__)(#fn, fn)
// A comparison: fa and fb in alternating rounds, with the median ratio of
// their times per iteration.
#define WINBENCH_VERSUS(fa, fb) \
    static winbench::Registrar WINBENCH_CAT(winbench_reg_, __LINE__)(#fa, fa, #fb, fb)

#endif
