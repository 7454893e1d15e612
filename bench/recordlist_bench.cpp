// Record list: appending, visiting by index, sorting, list file I/O.
#include <benchmark/benchmark.h>

#include <stdio.h>
#include <unistd.h>

#include <random>
#include <string>

#include "zubo.h"

namespace {

GdirlistEntry Template(int32_t i) {
    static char name[] = "entry_name", name2[] = "file.gp4", comment[] = "a comment";
    return GdirlistEntry{name, name2, i, -i, comment, 0};
}

Gdirlist *MakeList(int64_t n, uint32_t seed = 1) {
    Gdirlist *list = CreateGdirlist();
    std::mt19937 rng(seed);
    for (int64_t i = 0; i < n; ++i) {
        GdirlistEntry e = Template(static_cast<int32_t>(rng()));
        Gdirlist_Add(list, &e);
    }
    return list;
}

void BM_Append(benchmark::State &state) {
    const int64_t n = state.range(0);
    for (auto _ : state) {
        Gdirlist *list = CreateGdirlist();
        for (int64_t i = 0; i < n; ++i) {
            GdirlistEntry e = Template(static_cast<int32_t>(i));
            benchmark::DoNotOptimize(Gdirlist_Add(list, &e));
        }
        state.PauseTiming();
        Gdirlist_Release(list);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_Append)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// Visiting every entry by increasing index: the cursor follows the index,
// so each lookup starts one node away. Time per entry must not grow with n.
void BM_VisitByIndex(benchmark::State &state) {
    const int64_t n = state.range(0);
    Gdirlist *list = MakeList(n);
    for (auto _ : state) {
        int64_t sum = 0;
        for (int32_t i = 0; i < n; ++i) {
            Gdirlist_SetCurPos(list, i);
            sum += Gdirlist_GetDataPtrCursor(list)->num1;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * n);
    Gdirlist_Release(list);
}
BENCHMARK(BM_VisitByIndex)->Arg(1000)->Arg(100000)->Arg(1 << 20);

int32_t ZUBOAPI CompareNum1(const GdirlistEntry *a, const GdirlistEntry *b,
                            ZuboUserValue user) {
    ++*reinterpret_cast<int64_t *>(user);
    return a->num1 < b->num1 ? -1 : a->num1 > b->num1;
}

void BM_Sort(benchmark::State &state) {
    const int64_t n = state.range(0);
    int64_t comparisons = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Gdirlist *list = MakeList(n, 42);
        comparisons = 0;
        state.ResumeTiming();
        Gdirlist_Sort(list, CompareNum1, reinterpret_cast<ZuboUserValue>(&comparisons));
        state.PauseTiming();
        Gdirlist_Release(list);
        state.ResumeTiming();
    }
    state.counters["comparisons"] = static_cast<double>(comparisons);
    state.counters["cmp_per_entry"] = static_cast<double>(comparisons) / static_cast<double>(n);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_Sort)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

std::string TempPath(const char *name) {
    return std::string("/tmp/zubo_bench_") + std::to_string(getpid()) + "_" + name;
}

long FileSize(const std::string &path) {
    FILE *f = fopen(path.c_str(), "rb");
    if (!f) return 0;
    fseek(f, 0, SEEK_END);
    long size = ftell(f);
    fclose(f);
    return size;
}

void BM_SaveListFile(benchmark::State &state) {
    Gdirlist *list = MakeList(state.range(0));
    const std::string path = TempPath("save.lst");
    for (auto _ : state) benchmark::DoNotOptimize(Gdirlist_SaveListFile(list, path.c_str()));
    state.SetBytesProcessed(state.iterations() * FileSize(path));
    remove(path.c_str());
    Gdirlist_Release(list);
}
BENCHMARK(BM_SaveListFile)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_AddListFile(benchmark::State &state) {
    Gdirlist *source = MakeList(state.range(0));
    const std::string path = TempPath("read.lst");
    Gdirlist_SaveListFile(source, path.c_str());
    Gdirlist_Release(source);
    for (auto _ : state) {
        Gdirlist *list = CreateGdirlist();
        benchmark::DoNotOptimize(Gdirlist_AddListFile(list, path.c_str()));
        state.PauseTiming();
        Gdirlist_Release(list);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
    remove(path.c_str());
}
BENCHMARK(BM_AddListFile)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
