// Record list: appending, visiting every entry by index against visiting it
// by moving the cursor, random index lookups against the lookup rule without
// the finger, sorting, list file I/O. Appending, saving and reading have a
// plain C peer that does the same work (a doubly linked list of malloc'ed
// nodes with strdup'ed texts, fprintf, fgets and sscanf). Every benchmark
// checks its result: visits sum the entries' num1 against the keys the
// list was built with, peers against the library's result.
#include <benchmark/benchmark.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
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

// The plain C peer's list: the same node layout, texts copied with strdup.
struct PlainNode {
    PlainNode *next, *prev;
    GdirlistEntry data;
};
struct PlainList {
    PlainNode head{nullptr, nullptr, {}}, tail{nullptr, nullptr, {}};
    int64_t size = 0;
    PlainList() {
        head.next = &tail;
        tail.prev = &head;
    }
    ~PlainList() {
        for (PlainNode *n = head.next; n != &tail;) {
            PlainNode *next = n->next;
            free(n->data.name);
            free(n->data.name2);
            free(n->data.comment);
            free(n);
            n = next;
        }
    }
    PlainNode *Add(const GdirlistEntry &e) {
        PlainNode *n = static_cast<PlainNode *>(malloc(sizeof(PlainNode)));
        n->data = e;
        n->data.name = strdup(e.name);
        n->data.name2 = strdup(e.name2);
        n->data.comment = strdup(e.comment);
        n->prev = tail.prev;
        n->next = &tail;
        tail.prev->next = n;
        tail.prev = n;
        ++size;
        return n;
    }
    int64_t KeySum() const {
        int64_t sum = 0;
        for (const PlainNode *n = head.next; n != &tail; n = n->next) sum += n->data.num1;
        return sum;
    }
};

int64_t KeySum(Gdirlist *list) {
    int64_t sum = 0;
    for (Gdirlist_SetCurPos(list, 0); const GdirlistEntry *e = Gdirlist_GetDataPtrCursor(list);
         Gdirlist_CursorDown(list))
        sum += e->num1;
    return sum;
}

// Appending 2^20 copies of an entry, against the plain list.
void BM_Append(benchmark::State &state, bool plain) {
    const int64_t n = state.range(0);
    const int64_t expected = n * (n - 1) / 2;
    for (auto _ : state) {
        if (plain) {
            PlainList *list = new PlainList;
            for (int64_t i = 0; i < n; ++i) benchmark::DoNotOptimize(list->Add(Template(int32_t(i))));
            state.PauseTiming();
            if (list->size != n || list->KeySum() != expected) state.SkipWithError("lost entries");
            delete list;
            state.ResumeTiming();
        } else {
            Gdirlist *list = CreateGdirlist();
            for (int64_t i = 0; i < n; ++i) {
                GdirlistEntry e = Template(static_cast<int32_t>(i));
                benchmark::DoNotOptimize(Gdirlist_Add(list, &e));
            }
            state.PauseTiming();
            if (Gdirlist_GetSize(list) != n || KeySum(list) != expected)
                state.SkipWithError("lost entries");
            Gdirlist_Release(list);
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK_CAPTURE(BM_Append, Gdirlist, false)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Append, Plain, true)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

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

std::string FileText(const std::string &path) {
    std::string text;
    if (FILE *f = fopen(path.c_str(), "rb")) {
        char buf[65536];
        for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
        fclose(f);
    }
    return text;
}

// Saving 100 000 entries, against fprintf of the same lines into a plain
// fopen'ed file (the library writes a temporary file beside the target and
// renames it over the target). Both files must hold the same bytes.
void BM_SaveListFile(benchmark::State &state, bool plain) {
    Gdirlist *list = MakeList(state.range(0));
    const std::string path = TempPath(plain ? "save_plain.lst" : "save.lst");
    const std::string reference = TempPath("save_reference.lst");
    Gdirlist_SaveListFile(list, reference.c_str());
    for (auto _ : state) {
        if (plain) {
            FILE *f = fopen(path.c_str(), "w");
            int32_t lines = 0;
            for (Gdirlist_SetCurPos(list, 0); const GdirlistEntry *e = Gdirlist_GetDataPtrCursor(list);
                 Gdirlist_CursorDown(list), ++lines)
                fprintf(f, "%s\t%9ld\t%9ld\t%s\t%s\n", e->name, static_cast<long>(e->num1),
                        static_cast<long>(e->num2), e->name2, e->comment);
            fclose(f);
            benchmark::DoNotOptimize(lines);
        } else {
            benchmark::DoNotOptimize(Gdirlist_SaveListFile(list, path.c_str()));
        }
    }
    if (FileText(path) != FileText(reference) || FileText(path).empty())
        state.SkipWithError("the files differ");
    state.SetBytesProcessed(state.iterations() * FileSize(path));
    remove(path.c_str());
    remove(reference.c_str());
    Gdirlist_Release(list);
}
BENCHMARK_CAPTURE(BM_SaveListFile, Gdirlist, false)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveListFile, Plain, true)->Arg(100000)->Unit(benchmark::kMillisecond);

// The plain peer's reading of a list file of well-formed entry lines: fgets,
// sscanf with the list line's format, the comment's rule (white space
// dropped until a ';'), and a copy into the plain list.
int64_t PlainRead(const char *path, PlainList *list) {
    FILE *f = fopen(path, "r");
    if (!f) return 0;
    char line[1024], name[256], name2[256], comment[256];
    long num1, num2;
    int used;
    while (fgets(line, sizeof line, f)) {
        if (line[0] == ';') continue;
        const int fields = sscanf(line, "%255s%ld%ld%255s%n", name, &num1, &num2, name2, &used);
        if (fields < 3) break;
        if (fields == 3) {
            strcpy(name2, "(none)");
            comment[0] = '\0';
        } else {
            bool kept = false;
            size_t n = 0;
            for (const char *c = line + used; *c && n + 1 < sizeof comment; ++c) {
                if (!kept && (*c == ' ' || *c == '\t' || *c == '\r' || *c == '\n')) continue;
                kept = kept || *c == ';';
                comment[n++] = *c;
            }
            comment[n] = '\0';
        }
        list->Add(GdirlistEntry{name, name2, static_cast<int32_t>(num1), static_cast<int32_t>(num2),
                                comment, 0});
    }
    fclose(f);
    return list->size;
}

// Reading 100 000 entries from a list file, against the plain peer: the
// same number of entries with the same sum of num1.
void BM_AddListFile(benchmark::State &state, bool plain) {
    int64_t keySum = 0;
    Gdirlist *source = MakeList(state.range(0), 1, &keySum);
    const std::string path = TempPath(plain ? "read_plain.lst" : "read.lst");
    Gdirlist_SaveListFile(source, path.c_str());
    Gdirlist_Release(source);
    for (auto _ : state) {
        if (plain) {
            PlainList *list = new PlainList;
            benchmark::DoNotOptimize(PlainRead(path.c_str(), list));
            state.PauseTiming();
            if (list->size != state.range(0) || list->KeySum() != keySum)
                state.SkipWithError("read other entries");
            delete list;
            state.ResumeTiming();
        } else {
            Gdirlist *list = CreateGdirlist();
            benchmark::DoNotOptimize(Gdirlist_AddListFile(list, path.c_str()));
            state.PauseTiming();
            if (Gdirlist_GetSize(list) != state.range(0) || KeySum(list) != keySum)
                state.SkipWithError("read other entries");
            Gdirlist_Release(list);
            state.ResumeTiming();
        }
    }
    state.SetBytesProcessed(state.iterations() * FileSize(path));
    remove(path.c_str());
}
BENCHMARK_CAPTURE(BM_AddListFile, Gdirlist, false)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AddListFile, Plain, true)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
