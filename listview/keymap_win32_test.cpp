// Every key of the key map, with and without Ctrl (held through SendInput,
// so that the control sees it through GetAsyncKeyState). A key must leave
// the view, the parent, the clipboard and the files exactly as its
// operation does, and change nothing where Ctrl does not belong.
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "listview/test_support_win32.h"

namespace fs = std::filesystem;

namespace zubo_test {
namespace {

std::string FileOrNone(const char *name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return in ? ss.str() : "<none>";
}

struct KeymapTest : ListViewTest {
    fs::path previous = fs::current_path();
    fs::path dir =
        fs::temp_directory_path() / ("zubo_keys_" + std::to_string(GetCurrentProcessId()));
    void SetUp() override {
        ListViewTest::SetUp();
        fs::create_directories(dir);
        fs::current_path(dir);
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(dir);
        ListViewTest::TearDown();
    }

    // A fresh view of e0 ... e19 with e2 and e3 marked, name2 x.gp4 on e1 and
    // Y.GP4 on e4, e5 removed (the cursor on e6, row 5), a.lst and a text on
    // the clipboard; then the key or the operation, and what came of it.
    std::string After(const std::function<void()> &action, DWORD style = 0) {
        MakeView(10, 400, style);
        Fill(20);
        Mark({2, 3}, 1);
        for (const char *name2 : {"x.gp4", "", "", "Y.GP4"}) {
            GdirlistEntry *e = Zubolist_GetDataPtr(view);
            if (*name2) {
                Gdirlist_StrFree(e->name2);
                e->name2 = Gdirlist_StrDup(name2);
            }
            Zubolist_CursorDown(view);
        }
        Zubolist_RemoveData(view);
        std::ofstream("a.lst") << "fromfile 1 2\n";
        fs::remove("b.lst");
        fs::remove("c.lst");
        OpenClipboard(parent);
        EmptyClipboard();
        HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, 16);
        strcpy(static_cast<char *>(GlobalLock(g)), "pasted 1 2\r\n");
        GlobalUnlock(g);
        SetClipboardData(CF_TEXT, g);
        CloseClipboard();
        Settle();
        action();
        std::string clip = "<none>";
        OpenClipboard(parent);
        if (HANDLE h = GetClipboardData(CF_TEXT)) clip = static_cast<const char *>(GlobalLock(h));
        CloseClipboard();
        return Sent() + " | " + Names() + " | top " + std::to_string(Top()) + " | " + clip +
               " | " + FileOrNone("a.lst") + FileOrNone("b.lst") + FileOrNone("c.lst");
    }
};

TEST_F(KeymapTest, KeysDoWhatTheirOperationsDo) {
    const struct {
        WPARAM vk;
        bool ctrl;
        void (*op)(HWND);
    } bindings[] = {
        {VK_RETURN, false, [](HWND h) {  // the parent hears of it first
             SendMessageA(GetParent(h), WM_COMMAND, MAKEWPARAM(kChildId, ZLN_ACTIVATE), (LPARAM)h);
             Zubolist_CursorDown(h);
         }},
        {VK_SPACE, false, [](HWND h) { Zubolist_MarkInvertAndDown(h); }},
        {VK_PRIOR, false, [](HWND h) { Zubolist_CursorPageUp(h); }},
        {VK_NEXT, false, [](HWND h) { Zubolist_CursorPageDown(h); }},
        {VK_END, false, [](HWND h) { Zubolist_CursorEnd(h); }},
        {VK_HOME, false, [](HWND h) { Zubolist_CursorTop(h); }},
        {VK_LEFT, false, [](HWND h) { Zubolist_CursorPageUp(h); }},
        {VK_UP, false, [](HWND h) { Zubolist_CursorUp(h); }},
        {VK_RIGHT, false, [](HWND h) { Zubolist_CursorPageDown(h); }},
        {VK_DOWN, false, [](HWND h) { Zubolist_CursorDown(h); }},
        {VK_INSERT, false, [](HWND h) { Zubolist_RestoreData(h); }},
        {VK_DELETE, false, [](HWND h) { Zubolist_RemoveData(h); }},
        {'0', false, [](HWND h) { Zubolist_DeleteAll(h); }},
        {'1', false, [](HWND h) { Zubolist_AddListFile(h, "a.lst"); }},
        {'2', false, [](HWND h) { Zubolist_SaveListFile(h, "b.lst"); }},
        {'3', false, [](HWND h) { Zubolist_MarkAllSaveListFile(h, "c.lst"); }},
        {'4', false, [](HWND h) { Zubolist_MarkMatchWildcard(h, "*.gp4", 0); }},
        {'5', false, [](HWND h) { Zubolist_MarkMatchWildcard(h, "*.gp4", 1); }},
        {'A', true, [](HWND h) { Zubolist_MarkAll(h); }},
        {'C', true, [](HWND h) { Zubolist_MarkCopyClipboard(h); }},
        {'V', true, [](HWND h) { Zubolist_InsertFromClipboard(h); }},
        {'X', true, [](HWND h) { Zubolist_MarkDeleteAll(h); }},  // the clipboard stays
    };
    const std::string untouched = After([] {});
    for (const auto &b : bindings) {
        const std::string expected = After([&] { b.op(view); });
        EXPECT_NE(expected, untouched) << b.vk;  // the case shows a change
        EXPECT_EQ(After([&] { Key(b.vk, b.ctrl); }), expected) << b.vk;
        EXPECT_EQ(After([&] { Key(b.vk, !b.ctrl); }), untouched) << b.vk << " Ctrl " << !b.ctrl;
    }
    EXPECT_EQ(After([&] { Key('Z', true); }), untouched);
    EXPECT_EQ(After([&] { fs::remove("a.lst"), Key('1'); }),  // no a.lst: nothing added
              After([&] { fs::remove("a.lst"); }));
}

// ZLS_NODIGITKEYS: the digit keys do nothing (no entry deleted, no file
// read or written, nothing marked), every other key still works, and the
// bit is read at each key press.
TEST_F(KeymapTest, DigitKeysOffWithTheStyleBit) {
    const std::string untouched = After([] {}, ZLS_NODIGITKEYS);
    for (WPARAM vk = '0'; vk <= '5'; ++vk)
        EXPECT_EQ(After([&] { Key(vk); }, ZLS_NODIGITKEYS), untouched) << vk;
    EXPECT_NE(After([&] { Key(VK_SPACE); }, ZLS_NODIGITKEYS), untouched);
    EXPECT_EQ(After([&] { Key('A', true); }, ZLS_NODIGITKEYS),
              After([&] { Zubolist_MarkAll(view); }, ZLS_NODIGITKEYS));

    const std::string deleted = After([&] { Key('0'); });
    EXPECT_NE(deleted, untouched);
    const auto setStyle = [&](bool on) {
        const LONG style = GetWindowLongA(view, GWL_STYLE);
        SetWindowLongA(view, GWL_STYLE, on ? style | ZLS_NODIGITKEYS : style & ~ZLS_NODIGITKEYS);
    };
    EXPECT_EQ(After([&] { setStyle(true), Key('0'); }), untouched);
    EXPECT_EQ(After([&] { setStyle(false), Key('0'); }, ZLS_NODIGITKEYS), deleted);
}

TEST_F(KeymapTest, EnterOnTheEndRowAndRepeatedDown) {
    After([] {});
    Zubolist_CursorEnd(view);
    Sent();
    Key(VK_RETURN);
    EXPECT_EQ(Sent(), "C2");  // no step from the end row
    Zubolist_CursorTop(view);
    Sent();
    for (int i = 0; i < 30; ++i) Key(VK_DOWN);
    EXPECT_EQ(Cursor(), 19);  // the end row
    EXPECT_EQ(Sent().size(), 19 * 3 - 1u);
}

}  // namespace
}  // namespace zubo_test
