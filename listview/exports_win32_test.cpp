// The list view family's handle rule: a null window and a window of another
// class are refused by every function, which does nothing and returns 0
// (null for the entry pointer), except Zubolist_MarkSet, which returns its
// status argument.
#include <filesystem>
#include <string>

#include "listview/test_support_win32.h"

namespace fs = std::filesystem;

namespace zubo_test {
namespace {

int ZUBOAPI NeverWalked(HWND, GdirlistEntry *, void *) {
    ADD_FAILURE() << "walked a window that is no list view";
    return 1;
}

int32_t ZUBOAPI NeverCompared(const GdirlistEntry *, const GdirlistEntry *, ZuboUserValue) {
    ADD_FAILURE() << "sorted a window that is no list view";
    return 0;
}

using RefusalTest = ListViewTest;

TEST_F(RefusalTest, OtherWindowsAreRefusedByEveryFunction) {
    Fill(3);
    Mark({1}, 1);
    const fs::path file =
        fs::temp_directory_path() / ("zubo_refusal_" + std::to_string(GetCurrentProcessId()));
    fs::remove(file);
    ASSERT_TRUE(OpenClipboard(parent));
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, 16);
    strcpy(static_cast<char *>(GlobalLock(g)), "kept 1 2\r\n");
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
    GdirlistEntry e = {const_cast<char *>("x"), nullptr, 1, 2, nullptr, 0};
    const std::string path = file.string();

    for (HWND other : {static_cast<HWND>(nullptr), parent}) {
        int (ZUBOAPI *const ops[])(HWND) = {
            Zubolist_CursorUp,     Zubolist_CursorDown,         Zubolist_CursorPageUp,
            Zubolist_CursorPageDown, Zubolist_CursorEnd,        Zubolist_CursorTop,
            Zubolist_MarkAll,      Zubolist_MarkClearAll,       Zubolist_MarkInvertAll,
            Zubolist_MarkInvert,   Zubolist_MarkInvertAndDown,  Zubolist_GetListNum,
            Zubolist_RemoveData,   Zubolist_RestoreData,        Zubolist_DeleteAll,
            Zubolist_MarkDeleteAll, Zubolist_MarkCopyClipboard, Zubolist_InsertFromClipboard,
        };
        for (auto op : ops) EXPECT_EQ(op(other), 0);
        EXPECT_EQ(Zubolist_SetFont(other, static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT))), 0);
        EXPECT_EQ(Zubolist_MarkSet(other, 5), 5);
        EXPECT_EQ(Zubolist_MarkSet(other, 0), 0);
        EXPECT_EQ(Zubolist_EnumMark(other, NeverWalked, nullptr), 0);
        EXPECT_EQ(Zubolist_EnumAll(other, NeverWalked, nullptr), 0);
        EXPECT_EQ(Zubolist_MarkMatchWildcard(other, "*", 1), 0);
        EXPECT_EQ(Zubolist_GetDataPtr(other), nullptr);
        EXPECT_EQ(Zubolist_Add(other, &e), 0);
        EXPECT_EQ(Zubolist_Sort(other, NeverCompared, 0), 0);
        EXPECT_EQ(Zubolist_AddListFile(other, path.c_str()), 0);
        EXPECT_EQ(Zubolist_SaveListFile(other, path.c_str()), 0);
        EXPECT_EQ(Zubolist_MarkAllSaveListFile(other, path.c_str()), 0);
    }
    // The parent heard nothing, the view and the clipboard are as they were
    // and no file was written.
    EXPECT_EQ(Sent(), "");
    EXPECT_EQ(Update(), "");
    EXPECT_EQ(Names(), "e0 [e1*] e2");
    EXPECT_FALSE(fs::exists(file));
    std::string clip = "<none>";
    ASSERT_TRUE(OpenClipboard(parent));
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        clip = static_cast<const char *>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    EXPECT_EQ(clip, "kept 1 2\r\n");
}

}  // namespace
}  // namespace zubo_test
