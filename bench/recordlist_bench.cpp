// Record list: appending, visiting every entry by index against visiting it
// by moving the cursor, random index lookups against the lookup rule without
// the finger, sorting, list file I/O. Every visit sums the entries' num1 and
// is checked against the sum of the keys the list was built with.
#include <benchmark/benchmark.h>

#include <math.h>
#include <stdio.h>
#include <time.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "recordlist/gdirlist.h"
#include "zubo.h"

namespace {

GdirlistEntry Template(int32_t i) {
    static char name[] = "entry_name", name2[] = "file.gp4", comment[] = "a comment";
    return GdirlistEntry{name, name2, i, -i, comment, 0};
}

// A list of n entries with random num1 keys; *keySum gets their sum.
Gdirlist *MakeList(int64_t n, uint32_t seed = 1, int64_t *keySum = nullptr) {
    Gdirlist *list = CreateGdirlist();
    std::mt19937 rng(seed);
    int64_t sum = 0;
    for (int64_t i = 0; i < n; ++i) {
        GdirlistEntry e = Template(static_cast<int32_t>(rng()));
        sum += e.num1;
        Gdirlist_Add(list, &e);
    }
    if (keySum) *keySum = sum;
    return list;
}

double CpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + 1e-9 * static_cast<double>(ts.tv_nsec);
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

// Visiting all entries of a list of 2^20, in four ways that must give the
// same sum: by index with Gdirlist_GetDataPtr (the cursor stays on index
// 0, where a sort leaves it), increasing and decreasing, against moving the
// cursor one step at a time with Gdirlist_CursorDown / Gdirlist_CursorUp.
// Also by Gdirlist_SetCurPos(i) with the cursor entry.
enum Visit { kIndexUp, kCursorUp, kIndexDown, kCursorDown, kSetCursorUp };

void BM_Visit(benchmark::State &state, Visit how) {
    const int32_t n = static_cast<int32_t>(state.range(0));
    int64_t expected = 0;
    Gdirlist *list = MakeList(n, 1, &expected);
    for (auto _ : state) {
        int64_t sum = 0;
        switch (how) {
        case kIndexUp:
            for (int32_t i = 0; i < n; ++i) sum += Gdirlist_GetDataPtr(list, i)->num1;
            break;
        case kIndexDown:
            for (int32_t i = n - 1; i >= 0; --i) sum += Gdirlist_GetDataPtr(list, i)->num1;
            break;
        case kCursorUp:
            Gdirlist_SetCurPos(list, 0);
            for (int32_t i = 0; i < n; ++i, Gdirlist_CursorDown(list))
                sum += Gdirlist_GetDataPtrCursor(list)->num1;
            break;
        case kCursorDown:
            Gdirlist_SetCurPos(list, n - 1);
            for (int32_t i = 0; i < n; ++i, Gdirlist_CursorUp(list))
                sum += Gdirlist_GetDataPtrCursor(list)->num1;
            break;
        case kSetCursorUp:
            for (int32_t i = 0; i < n; ++i) {
                Gdirlist_SetCurPos(list, i);
                sum += Gdirlist_GetDataPtrCursor(list)->num1;
            }
            break;
        }
        Gdirlist_SetCurPos(list, 0);
        if (sum != expected) state.SkipWithError("the visit missed entries");
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * n);
    Gdirlist_Release(list);
}
BENCHMARK_CAPTURE(BM_Visit, IndexUp, kIndexUp)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Visit, CursorUp, kCursorUp)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Visit, IndexDown, kIndexDown)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Visit, CursorDown, kCursorDown)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Visit, SetCurPosUp, kSetCursorUp)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

// The index lookup as it was before lookups remembered their node: a walk
// from the nearest of the first node, the cursor and the last node.
const GdirlistNode *LookupFromEndsAndCursor(const Gdirlist &list, int32_t k) {
    const int32_t n = list.size, cursor = list.curPos;
    const GdirlistNode *node;
    if ((static_cast<int64_t>(cursor) + n) / 2 < k) {
        node = list.tail.prev;
        for (int32_t i = n - 1; i > k; --i) node = node->prev;
    } else if (cursor < k) {
        node = list.curNode;
        for (int32_t i = cursor; i < k; ++i) node = node->next;
    } else if (cursor / 2 < k) {
        node = list.curNode;
        for (int32_t i = cursor; i > k; --i) node = node->prev;
    } else {
        node = list.head.next;
        for (int32_t i = 0; i < k; ++i) node = node->next;
    }
    return node;
}

// 1000 lookups at random indexes of a list of 100 000 (cursor on index 0):
// Gdirlist_GetDataPtr against the lookup rule without the finger, on the
// same list and indexes; both must find the same entries.
void BM_RandomLookup(benchmark::State &state, bool withFinger) {
    const int32_t n = 100000;
    Gdirlist *list = MakeList(n);
    std::mt19937 rng(3);
    std::vector<int32_t> at(1000);
    for (auto &k : at) k = static_cast<int32_t>(rng() % n);
    std::vector<const GdirlistEntry *> reference;
    for (int32_t k : at) reference.push_back(&LookupFromEndsAndCursor(*list, k)->data);
    std::vector<const GdirlistEntry *> found(at.size());
    for (auto _ : state) {
        if (withFinger) {
            for (size_t j = 0; j < at.size(); ++j) found[j] = Gdirlist_GetDataPtr(list, at[j]);
        } else {
            for (size_t j = 0; j < at.size(); ++j)
                found[j] = &LookupFromEndsAndCursor(*list, at[j])->data;
        }
        benchmark::DoNotOptimize(found.data());
        if (found != reference) state.SkipWithError("a lookup found another entry");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(at.size()));
    Gdirlist_Release(list);
}
BENCHMARK_CAPTURE(BM_RandomLookup, GetDataPtr, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RandomLookup, WithoutFinger, false)->Unit(benchmark::kMicrosecond);

int32_t ZUBOAPI CompareNum1(const GdirlistEntry *a, const GdirlistEntry *b,
                            ZuboUserValue user) {
    ++*reinterpret_cast<int64_t *>(user);
    return a->num1 < b->num1 ? -1 : a->num1 > b->num1;
}

// Sorting random keys. ns_per_nlog2n is the sort's own thread CPU time per
// n * log2(n), for comparing sizes; the list is built and checked (in key
// order, every entry there) outside the timing.
void BM_Sort(benchmark::State &state) {
    const int64_t n = state.range(0);
    int64_t comparisons = 0;
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        int64_t keySum = 0;
        Gdirlist *list = MakeList(n, 42, &keySum);
        comparisons = 0;
        state.ResumeTiming();
        const double start = CpuSeconds();
        Gdirlist_Sort(list, CompareNum1, reinterpret_cast<ZuboUserValue>(&comparisons));
        cpu += CpuSeconds() - start;
        state.PauseTiming();
        int64_t sum = 0, count = 0;
        bool ordered = true;
        const GdirlistEntry *previous = nullptr;
        for (Gdirlist_SetCurPos(list, 0); const GdirlistEntry *e = Gdirlist_GetDataPtrCursor(list);
             Gdirlist_CursorDown(list)) {
            ordered = ordered && (!previous || previous->num1 <= e->num1);
            previous = e;
            sum += e->num1;
            ++count;
        }
        if (!ordered || count != n || sum != keySum) state.SkipWithError("not sorted");
        Gdirlist_Release(list);
        state.ResumeTiming();
    }
    const double nlog2n = static_cast<double>(n) * log2(static_cast<double>(n));
    state.counters["ns_per_nlog2n"] = 1e9 * cpu / static_cast<double>(state.iterations()) / nlog2n;
    state.counters["cmp_per_entry"] = static_cast<double>(comparisons) / static_cast<double>(n);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_Sort)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

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
