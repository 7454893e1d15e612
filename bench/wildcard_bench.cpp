// MatchDosWildcard against glibc's fnmatch (flags 0), in the same run, on
// the same patterns and texts (none holds '[', '\\' or '/', where the two
// differ). Every benchmark checks its results against the other side's.
//
//   Names           "*.gp4" over 1024 plausible file names
//   EndLiteral      "*a*a*a*a*a*a*a*b" against n a's: the pattern ends in a
//                   literal that is checked against the end of the text
//                   first, so both reject it at once
//   NoEndLiteral    "*a*a*a*a*a*a*a*b*" against n a's: no such shortcut,
//                   every star's segment has to be looked for
//   Wildcards       "*?a?a?a?b*x" against n a's and an "x": the end check
//                   passes, and the middle segment of wildcards and
//                   literals has to be looked for at every place
#include <benchmark/benchmark.h>
#include <fnmatch.h>

#include <random>
#include <string>
#include <vector>

#include "zubo.h"

namespace {

int Zubo(const char *pattern, const char *text) { return MatchDosWildcard(pattern, text, 0); }
int Fnmatch(const char *pattern, const char *text) {
    return fnmatch(pattern, text, 0) == 0 ? 1 : 0;
}

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
    int expected = 0;
    for (const auto &n : names) {
        const int z = Zubo("*.gp4", n.c_str());
        if (z != Fnmatch("*.gp4", n.c_str())) state.SkipWithError("the matchers disagree");
        expected += z;
    }
    for (auto _ : state) {
        int hits = 0;
        for (const auto &n : names) hits += match("*.gp4", n.c_str());
        benchmark::DoNotOptimize(hits);
        if (hits != expected) state.SkipWithError("wrong number of matches");
    }
    state.counters["matches"] = expected;
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.size()));
}

void BM_Names_Zubo(benchmark::State &state) { RunNames(state, Zubo); }
void BM_Names_fnmatch(benchmark::State &state) { RunNames(state, Fnmatch); }
BENCHMARK(BM_Names_Zubo);
BENCHMARK(BM_Names_fnmatch);

// One pattern against n a's followed by a suffix.
template <typename Match>
void RunLong(benchmark::State &state, Match match, const char *pattern, const char *suffix) {
    const std::string text = std::string(static_cast<size_t>(state.range(0)), 'a') + suffix;
    const int expected = Zubo(pattern, text.c_str());
    if (expected != Fnmatch(pattern, text.c_str())) state.SkipWithError("the matchers disagree");
    for (auto _ : state) {
        const int r = match(pattern, text.c_str());
        benchmark::DoNotOptimize(r);
        if (r != expected) state.SkipWithError("wrong result");
    }
    state.counters["match"] = expected;
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

const char kEndLiteral[] = "*a*a*a*a*a*a*a*b";
const char kNoEndLiteral[] = "*a*a*a*a*a*a*a*b*";
const char kWildcards[] = "*?a?a?a?b*x";

void BM_EndLiteral_Zubo(benchmark::State &state) { RunLong(state, Zubo, kEndLiteral, ""); }
void BM_EndLiteral_fnmatch(benchmark::State &state) { RunLong(state, Fnmatch, kEndLiteral, ""); }
void BM_NoEndLiteral_Zubo(benchmark::State &state) { RunLong(state, Zubo, kNoEndLiteral, ""); }
void BM_NoEndLiteral_fnmatch(benchmark::State &state) {
    RunLong(state, Fnmatch, kNoEndLiteral, "");
}
void BM_Wildcards_Zubo(benchmark::State &state) { RunLong(state, Zubo, kWildcards, "x"); }
void BM_Wildcards_fnmatch(benchmark::State &state) { RunLong(state, Fnmatch, kWildcards, "x"); }
BENCHMARK(BM_EndLiteral_Zubo)->Arg(40)->Arg(1000)->Arg(10000);
BENCHMARK(BM_EndLiteral_fnmatch)->Arg(40)->Arg(1000)->Arg(10000);
BENCHMARK(BM_NoEndLiteral_Zubo)->Arg(40)->Arg(1000)->Arg(10000);
BENCHMARK(BM_NoEndLiteral_fnmatch)->Arg(40)->Arg(1000)->Arg(10000);
BENCHMARK(BM_Wildcards_Zubo)->Arg(40)->Arg(1000)->Arg(10000);
BENCHMARK(BM_Wildcards_fnmatch)->Arg(40)->Arg(1000)->Arg(10000);

}  // namespace
