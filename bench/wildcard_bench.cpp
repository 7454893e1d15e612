// MatchDosWildcard against glibc's fnmatch (flags 0), in the same run.
#include <benchmark/benchmark.h>
#include <fnmatch.h>

#include <random>
#include <string>
#include <vector>

#include "zubo.h"

namespace {

// 1024 plausible file names, a quarter of them ending in ".gp4".
const std::vector<std::string> &Names() {
    static const std::vector<std::string> names = [] {
        const char *stems[] = {"song", "Track", "riff_", "solo", "backing-", "Intro", "lesson",
                               "exercise", "chords", "tab"};
        const char *exts[] = {".gp4", ".gp5", ".mid", ".txt", ".GP4", ".wav", ".gp4.bak", ""};
        std::mt19937 rng(5);
        std::vector<std::string> v;
        for (int i = 0; i < 1024; ++i) {
            std::string n = stems[rng() % 10];
            n += std::to_string(rng() % 1000);
            n += rng() % 4 == 0 ? ".gp4" : exts[rng() % 8];
            v.push_back(n);
        }
        return v;
    }();
    return names;
}

template <typename Match>
void RunNames(benchmark::State &state, Match match) {
    const auto &names = Names();
    for (auto _ : state) {
        int hits = 0;
        for (const auto &n : names) hits += match("*.gp4", n.c_str());
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.size()));
}

void BM_Names_Zubo(benchmark::State &state) {
    RunNames(state, [](const char *p, const char *t) { return MatchDosWildcard(p, t, 0); });
}
void BM_Names_fnmatch(benchmark::State &state) {
    RunNames(state, [](const char *p, const char *t) { return fnmatch(p, t, 0) == 0 ? 1 : 0; });
}
BENCHMARK(BM_Names_Zubo);
BENCHMARK(BM_Names_fnmatch);

const char kAdversarial[] = "*a*a*a*a*a*a*a*b";

void BM_Adversarial_Zubo(benchmark::State &state) {
    const std::string text(static_cast<size_t>(state.range(0)), 'a');
    for (auto _ : state) benchmark::DoNotOptimize(MatchDosWildcard(kAdversarial, text.c_str(), 0));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
void BM_Adversarial_fnmatch(benchmark::State &state) {
    const std::string text(static_cast<size_t>(state.range(0)), 'a');
    for (auto _ : state) benchmark::DoNotOptimize(fnmatch(kAdversarial, text.c_str(), 0));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Adversarial_Zubo)->Arg(40)->Arg(1000)->Arg(10000);
BENCHMARK(BM_Adversarial_fnmatch)->Arg(40)->Arg(1000)->Arg(10000);

}  // namespace
