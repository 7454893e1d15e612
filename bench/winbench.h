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
//   int main() { return winbench::RunAll(); }
#ifndef ZUBO_BENCH_WINBENCH_H
#define ZUBO_BENCH_WINBENCH_H

#include <windows.h>

#include <stdint.h>
#include <stdio.h>

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
        int operator*() const { return 0; }
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

struct Entry {
    std::string name;
    std::function<void(State &)> fn;
};
inline std::vector<Entry> &Registry() {
    static std::vector<Entry> r;
    return r;
}
struct Registrar {
    Registrar(const char *name, std::function<void(State &)> fn) {
        Registry().push_back({name, std::move(fn)});
    }
};

// Runs each benchmark with growing iteration counts until one run takes at
// least min_seconds, then prints time per iteration and the counters.
inline int RunAll(double min_seconds = 0.5) {
    printf("%-44s %14s %12s  %s\n", "Benchmark", "Time", "Iterations", "Counters");
    for (const Entry &e : Registry()) {
        int64_t n = 1;
        for (;;) {
            State s(n);
            e.fn(s);
            if (s.seconds() >= min_seconds || n >= (int64_t(1) << 30)) {
                const double per = s.seconds() / static_cast<double>(n);
                printf("%-44s %11.0f ns %12lld ", e.name.c_str(), per * 1e9,
                       static_cast<long long>(n));
                if (s.bytes())
                    printf(" bytes_per_second=%.1fM/s",
                           static_cast<double>(s.bytes()) / s.seconds() / 1048576.0);
                if (s.items())
                    printf(" items_per_second=%.3fk/s",
                           static_cast<double>(s.items()) / s.seconds() / 1000.0);
                for (auto &kv : s.counters) printf(" %s=%g", kv.first.c_str(), kv.second);
                printf("\n");
                fflush(stdout);
                break;
            }
            const double guess = s.seconds() > 0 ? min_seconds * 1.4 / s.seconds() : 10.0;
            int64_t next = static_cast<int64_t>(static_cast<double>(n) * (guess < 10 ? guess : 10));
            n = next > n ? next : n * 2;
        }
    }
    return 0;
}

}  // namespace winbench

#define WINBENCH_CAT2(a, b) a##b
#define WINBENCH_CAT(a, b) WINBENCH_CAT2(a, b)
#define WINBENCH(fn) \
    static winbench::Registrar WINBENCH_CAT(winbench_reg_, __LINE__)(#fn, fn)

#endif
