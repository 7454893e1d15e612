// Host procedures called by the library, each with all its arguments checked
// and called many times in a row. On 32-bit Windows the caller and the
// procedure must agree on __cdecl: a mismatch leaves the stack pointer off
// by the size of the arguments on every call, which shows up as wrong
// arguments, wrong results or a crash long before a few hundred calls end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "zubo.h"

namespace {

// A user value that is neither small nor aligned like a pointer to the
// stack, so that a shifted argument cannot pass for it.
constexpr uintptr_t kMagic = 0x5A17C0DEu;

struct SortContext {
    uintptr_t magic = kMagic;
    int calls = 0;
    bool argumentsRight = true;
};

int32_t ZUBOAPI ByNum1(const GdirlistEntry *placed, const GdirlistEntry *other,
                       ZuboUserValue user) {
    auto *ctx = reinterpret_cast<SortContext *>(user);
    ++ctx->calls;
    if (ctx->magic != kMagic || placed == nullptr || other == nullptr || placed == other ||
        std::strcmp(placed->name, "n") != 0 || std::strcmp(other->name, "n") != 0)
        ctx->argumentsRight = false;
    return placed->num1 < other->num1 ? -1 : placed->num1 > other->num1 ? 1 : 0;
}

TEST(HostProcedures, SortComparisonGetsBothEntriesAndTheUserValue) {
    Gdirlist *list = CreateGdirlist();
    std::mt19937 rng(7);
    std::vector<int32_t> keys;
    for (int i = 0; i < 600; ++i) {
        keys.push_back(static_cast<int32_t>(rng() % 100000) - 50000);
        GdirlistEntry e = {const_cast<char *>("n"), const_cast<char *>("x"), keys.back(), i,
                           const_cast<char *>(""), 0};
        ASSERT_NE(Gdirlist_Add(list, &e), nullptr);
    }
    SortContext ctx;
    EXPECT_EQ(Gdirlist_Sort(list, ByNum1, reinterpret_cast<ZuboUserValue>(&ctx)), list);
    EXPECT_TRUE(ctx.argumentsRight);
    EXPECT_GT(ctx.calls, 600 * 5);  // a binary insertion sort of 600 random keys
    std::sort(keys.begin(), keys.end());
    for (int32_t i = 0; i < 600; ++i) ASSERT_EQ(Gdirlist_GetDataPtr(list, i)->num1, keys[i]) << i;
    Gdirlist_Release(list);
}

struct EscContext {
    uintptr_t magic = kMagic;
    Consout *console = nullptr;
    std::string seen;  // each call's bytes, separated by '|'
    bool argumentsRight = true;
};

// Collects until the final letter, then hands the whole sequence to the
// library's own ANSI procedure, as a host that extends it would.
int32_t ZUBOAPI ChainToAnsi(Consout *con, const uint8_t *bytes, int32_t count,
                            ZuboUserValue user) {
    auto *ctx = reinterpret_cast<EscContext *>(user);
    if (ctx->magic != kMagic || con != ctx->console || bytes == nullptr || count < 2 ||
        bytes[0] != 0x1B)
        ctx->argumentsRight = false;
    ctx->seen.append(reinterpret_cast<const char *>(bytes), static_cast<size_t>(count));
    ctx->seen += '|';
    const uint8_t last = bytes[count - 1];
    if (count > 2 && ((last >= 'A' && last <= 'Z') || (last >= 'a' && last <= 'z')))
        return Consout_ESCProc_ANSI(con, bytes, count, 0);
    return 0;
}

TEST(HostProcedures, EscapeProcedureSeesEveryPrefixAndCanChainToAnsi) {
    Consout *c = CreateConsout(80, 25, 40);
    ASSERT_NE(c, nullptr);
    EscContext ctx;
    ctx.console = c;
    EXPECT_EQ(Consout_SetESCProc(c, ChainToAnsi, reinterpret_cast<ZuboUserValue>(&ctx)), 1);
    for (int round = 0; round < 200; ++round) {
        ctx.seen.clear();
        const std::string seq = "\x1b[" + std::to_string(round % 20 + 1) + ";" +
                                std::to_string(round % 70 + 1) + "H";
        for (char ch : seq) Consout_Putchar(c, static_cast<uint8_t>(ch));
        std::string expected;
        for (size_t n = 2; n <= seq.size(); ++n) expected += seq.substr(0, n) + "|";
        ASSERT_EQ(ctx.seen, expected) << round;
        ASSERT_EQ(Consout_GetCurY(c), round % 20) << round;
        ASSERT_EQ(Consout_GetCurX(c), round % 70) << round;
    }
    EXPECT_TRUE(ctx.argumentsRight);
    Consout_Release(c);
}

struct ScrollContext {
    uintptr_t magic = kMagic;
    Consout *console = nullptr;
    int calls = 0;
    bool argumentsRight = true;
};

int32_t ZUBOAPI CountScrolls(Consout *con, ZuboUserValue user) {
    auto *ctx = reinterpret_cast<ScrollContext *>(user);
    if (ctx->magic != kMagic || con != ctx->console) ctx->argumentsRight = false;
    ++ctx->calls;
    return 12345;  // ignored by the library
}

TEST(HostProcedures, ScrollNotifyGetsTheConsoleAndTheUserValue) {
    Consout *c = CreateConsout(10, 3, 8);
    ASSERT_NE(c, nullptr);
    ScrollContext ctx;
    ctx.console = c;
    EXPECT_EQ(Consout_SetScrollNotifyProc(c, CountScrolls, reinterpret_cast<ZuboUserValue>(&ctx)),
              1);
    for (int i = 0; i < 500; ++i) Consout_Putchar(c, '\n');
    EXPECT_EQ(ctx.calls, 500 - 2);  // the first two line feeds only move down
    EXPECT_EQ(Consout_SetConsSize(c, 12, 4), 4);
    EXPECT_EQ(ctx.calls, 499);  // a resize notifies too
    EXPECT_TRUE(ctx.argumentsRight);
    Consout_Release(c);
}

#ifdef _WIN32
struct WalkContext {
    uintptr_t magic = kMagic;
    HWND view = nullptr;
    std::string names;
    bool argumentsRight = true;
};

int ZUBOAPI CollectUntilStop(HWND window, GdirlistEntry *entry, void *user) {
    auto *ctx = static_cast<WalkContext *>(user);
    if (ctx->magic != kMagic || window != ctx->view || entry == nullptr)
        ctx->argumentsRight = false;
    ctx->names += entry->name;
    ctx->names += ' ';
    return std::strcmp(entry->name, "stop") != 0;
}

TEST(HostProcedures, WalkRoutineGetsTheWindowTheEntryAndTheUserValue) {
    ASSERT_NE(InitZubolist(), 0);
    HWND view = CreateWindowA("ZUBOLIST", "", WS_OVERLAPPED | WS_VSCROLL, 0, 0, 300, 200,
                              nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(view, nullptr);
    std::string expected;
    for (int i = 0; i < 300; ++i) {
        std::string name = i == 251 ? "stop" : "e" + std::to_string(i);
        GdirlistEntry e = {const_cast<char *>(name.c_str()), const_cast<char *>("x"), i, 0,
                           const_cast<char *>(""), i % 3 == 1 ? GDIRLIST_MARK : 0u};
        Zubolist_Add(view, &e);
        if (i <= 251) expected += name + " ";
    }
    WalkContext ctx;
    ctx.view = view;
    EXPECT_EQ(Zubolist_EnumAll(view, CollectUntilStop, &ctx), 252);  // "stop" counts
    EXPECT_EQ(ctx.names, expected);
    ctx.names.clear();
    EXPECT_EQ(Zubolist_EnumMark(view, CollectUntilStop, &ctx), 100);  // "stop" is not marked
    EXPECT_EQ(ctx.names.substr(0, 9), "e1 e4 e7 ");
    EXPECT_TRUE(ctx.argumentsRight);
    DestroyWindow(view);
}
#endif

}  // namespace
