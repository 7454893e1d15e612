// The console family's handle rule: every function accepts a null console,
// does nothing and returns 0, except Consout_Putchar and the plain setters,
// which return their value argument. Runs natively and through the DLL.
#include <gtest/gtest.h>

#include "zubo.h"

namespace {

int32_t ZUBOAPI NeverCalled(Consout *, ZuboUserValue) {
    ADD_FAILURE() << "a null console notified";
    return 0;
}

TEST(ConsoleNullHandle, GettersGiveZero) {
    int32_t (ZUBOAPI *const getters[])(Consout *) = {
        Consout_GetConsWidth,  Consout_GetConsHeight, Consout_GetFontWidth,
        Consout_GetFontHeight, Consout_GetCurX,       Consout_GetCurY,
        Consout_GetAttr,       Consout_GetTabstop,    Consout_GetBaselineskip,
        Consout_GetCharset,    Consout_GetKanjicode,  Consout_GetMaxline,
        Consout_GetLinecnt,    Consout_GetOutputMode, Consout_GetViewline,
    };
    for (auto get : getters) EXPECT_EQ(get(nullptr), 0);
}

TEST(ConsoleNullHandle, OperationsDoNothingAndGiveZero) {
    int32_t (ZUBOAPI *const steps[])(Consout *) = {
        Consout_MoveCurLeft,     Consout_MoveCurRight,    Consout_MoveCurUp,
        Consout_MoveCurDown,     Consout_MoveCurLeftMost, Consout_MoveCurRightMost,
        Consout_MoveCurUpMost,   Consout_MoveCurDownMost, Consout_Reset,
        Consout_ClearScreen,     Consout_DeleteLineFromCursor, Consout_DirtyClean,
    };
    for (auto step : steps) EXPECT_EQ(step(nullptr), 0);
    const ConsoutColor colors[CONSOUT_NCOLORS] = DEFAULT_COLORS;
    const uint8_t sequence[] = {0x1B, '[', '2', 'J'};
    EXPECT_EQ(Consout_MoveCur(nullptr, 0, 0), 0);
    EXPECT_EQ(Consout_SetConsSize(nullptr, 80, 25), 0);
    EXPECT_EQ(Consout_SetBaselineskip(nullptr, 16), 0);
    EXPECT_EQ(Consout_SetColors(nullptr, colors), 0);
    EXPECT_EQ(Consout_SetViewline(nullptr, 0), 0);
    EXPECT_EQ(Consout_SetScrollNotifyProc(nullptr, NeverCalled, 1), 0);
    EXPECT_EQ(Consout_SetESCProc(nullptr, Consout_ESCProc_ANSI, 1), 0);
    EXPECT_EQ(Consout_ESCProc_ANSI(nullptr, sequence, 4, 0), 0);
    Consout_Release(nullptr);
}

TEST(ConsoleNullHandle, ValueArgumentsComeBack) {
    EXPECT_EQ(Consout_Putchar(nullptr, 'A'), 'A');
    EXPECT_EQ(Consout_Putchar(nullptr, 0x0A), 0x0A);
    EXPECT_EQ(Consout_SetAttr(nullptr, 0x1234), 0x1234);
    EXPECT_EQ(Consout_SetTabstop(nullptr, 4), 4);
    EXPECT_EQ(Consout_SetCharset(nullptr, SHIFT_DOUBLE), SHIFT_DOUBLE);
    EXPECT_EQ(Consout_SetKanjicode(nullptr, KANJICODE_EUC), KANJICODE_EUC);
    EXPECT_EQ(Consout_SetOutputMode(nullptr, 7), 7);
}

#ifdef _WIN32
TEST(ConsoleNullHandle, DrawingFunctionsGiveZero) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    RECT r = {1, 2, 3, 4};
    EXPECT_EQ(Consout_SetFont(nullptr, static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT))), 0);
    EXPECT_EQ(Consout_Draw(nullptr, dc, 0, 0, 0, 0, 100, 100), 0);
    EXPECT_EQ(Consout_Update(nullptr, dc, 0, 0), 0);
    EXPECT_EQ(Consout_GetDirtyRect(nullptr, &r), 0);
    EXPECT_EQ(r.left * 1000 + r.top * 100 + r.right * 10 + r.bottom, 1234);  // untouched
    DeleteDC(dc);
}
#endif

}  // namespace
