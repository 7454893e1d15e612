// Marks, walks, editing, the removed-entries stack, the clipboard and list
// files.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "library/clipboard_test_support_win32.h"
#include "listview/test_support_win32.h"

namespace fs = std::filesystem;

namespace zubo_test {
namespace {

std::string ReadFile(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return in ? ss.str() : "<none>";
}

// The clipboard's CF_TEXT bytes up to the terminator.
std::string ClipboardText() { return zubo_test::ClipboardText(Parent()); }

void SetClipboardText(const char *bytes) {  // null: a clipboard without text
    ASSERT_TRUE(OpenClipboard(Parent()));
    EmptyClipboard();
    if (bytes) {
        HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, strlen(bytes) + 1);
        strcpy(static_cast<char *>(GlobalLock(g)), bytes);
        GlobalUnlock(g);
        SetClipboardData(CF_TEXT, g);
    }
    CloseClipboard();
}

using EditingTest = ListViewTest;

TEST_F(EditingTest, MarksOnTheCursorEntryAndOnAll) {
    Fill(3);
    EXPECT_EQ(Zubolist_MarkSet(view, 5), 5);
    EXPECT_EQ(Update(), "rows 0-0");
    EXPECT_EQ(Zubolist_MarkInvert(view), 0);
    EXPECT_EQ(Zubolist_MarkInvertAndDown(view), 1);
    EXPECT_EQ(Update() + Sent(), "rows 0-1C1");
    EXPECT_EQ(Names(), "e0* [e1] e2");
    EXPECT_EQ(Zubolist_MarkInvertAll(view), 3);
    EXPECT_EQ(Update(), "all");
    EXPECT_EQ(Names(), "e0 [e1*] e2*");
    Zubolist_GetDataPtr(view)->flags = 0x30;  // other bits stay as they are
    EXPECT_EQ(Zubolist_MarkAll(view), 3);
    EXPECT_EQ(Zubolist_GetDataPtr(view)->flags, 0x31u);
    Zubolist_CursorEnd(view);
    Sent();
    EXPECT_EQ(Zubolist_MarkInvertAndDown(view) + Zubolist_MarkInvert(view), 0);  // end row
    EXPECT_EQ(Zubolist_MarkSet(view, 0), 0);
    EXPECT_EQ(Names() + Sent(), "e0* e1* e2* []");
    MakeView(10);
    Fill(100);
    for (int i = 0; i < 80; ++i) Zubolist_CursorDown(view);
    Zubolist_MarkAll(view);
    EXPECT_EQ(Zubolist_MarkClearAll(view), 100);  // back to row 0; the cursor stays
    EXPECT_EQ(Top() * 1000 + Cursor() + Zubolist_EnumMark(view, nullptr, nullptr), 80);
}

TEST_F(EditingTest, WalksAndWildcards) {
    Fill(6);
    Mark({1, 3, 4}, 2);
    struct Seen {
        HWND hwnd;
        std::string rows;
    } seen{};
    auto stopAtSecond = [](HWND h, GdirlistEntry *e, void *user) {
        Seen *s = static_cast<Seen *>(user);
        s->hwnd = h;
        s->rows += e->name;
        return s->rows.size() < 4 ? 1 : 0;
    };
    EXPECT_EQ(Zubolist_EnumMark(view, stopAtSecond, &seen), 2);  // the stopping one counts
    EXPECT_EQ(seen.rows, "e1e3");
    EXPECT_EQ(seen.hwnd, view);
    EXPECT_EQ(Update(), "all");
    EXPECT_EQ(Zubolist_EnumAll(view, nullptr, nullptr), 6);
    for (int row : {0, 1}) {
        Mark({}, row);
        GdirlistEntry *p = Zubolist_GetDataPtr(view);
        Gdirlist_StrFree(p->name2);
        p->name2 = Gdirlist_StrDup(row ? "B.GP4" : "a.gp4");
    }
    Zubolist_MarkClearAll(view);
    Mark({5}, 2);
    EXPECT_EQ(Zubolist_MarkMatchWildcard(view, "*.gp4", 0), 6);
    EXPECT_EQ(Names(), "e0* e1 [e2] e3 e4 e5*");  // marked stays marked
    Zubolist_MarkMatchWildcard(view, "*.gp4", 1);
    EXPECT_EQ(Names() + Sent(), "e0* e1* [e2] e3 e4 e5*");
    MakeView(10);
    EXPECT_EQ(Zubolist_EnumAll(view, stopAtSecond, &seen), 0);
    EXPECT_EQ(seen.rows, "e1e3");
}

TEST_F(EditingTest, AddSortRemoveRestoreAndDelete) {
    Fill(1);
    Zubolist_CursorEnd(view);
    Forget();
    GdirlistEntry e = {const_cast<char *>("x"), nullptr, 50, 0, nullptr, 0};
    EXPECT_EQ(Zubolist_Add(view, &e), 2);  // the cursor was on the end row: now on x
    EXPECT_EQ(Update(), "all");
    EXPECT_EQ(Names(), "e0 [x]");
    Fill(8, 2);
    EXPECT_EQ(Zubolist_Add(view, &e), 11);  // below the page: no repaint
    EXPECT_EQ(Update() + Sent(), "");
    EXPECT_EQ(Bar().nMax, 11);
    auto descending = [](const GdirlistEntry *a, const GdirlistEntry *b, ZuboUserValue u) {
        return static_cast<int32_t>(u) * (b->num1 - a->num1);
    };
    Fill(40, 11);
    for (int i = 0; i < 45; ++i) Zubolist_CursorDown(view);
    const int top = Top();
    Forget();
    EXPECT_EQ(Zubolist_Sort(view, descending, 1), 1);
    EXPECT_EQ(Zubolist_Sort(view, nullptr, 1), 0);
    EXPECT_EQ(Cursor() * 100 + Top(), 5000 + top);  // row 0 now; the view stays
    EXPECT_EQ(Update() + Sent(), "all");
    MakeView(10);
    Fill(4);
    Mark({}, 2);
    EXPECT_EQ(Zubolist_RemoveData(view), 3);
    EXPECT_EQ(Update(), "rows 2-3");
    EXPECT_EQ(Zubolist_RemoveData(view) + Zubolist_RemoveData(view), 4);  // then the end row
    EXPECT_EQ(Zubolist_RestoreData(view), 3);
    EXPECT_EQ(Update(), "rows 1-3");
    EXPECT_EQ(Zubolist_RestoreData(view) + Zubolist_RestoreData(view), 8);  // then empty
    EXPECT_EQ(Names(), "e0 e1 [e2] e3");
    Mark({}, 0);
    Zubolist_RemoveData(view);
    Zubolist_RestoreData(view);
    EXPECT_EQ(Update() + Sent(), "all");  // restored on row 0: from row -1 on
    Mark({1, 2}, 2);
    EXPECT_EQ(Zubolist_MarkDeleteAll(view), 0);
    EXPECT_EQ(Update() + Sent(), "allC1");
    EXPECT_EQ(Names(), "[e0] e3");
    Zubolist_RemoveData(view);
    EXPECT_EQ(Zubolist_DeleteAll(view), 0);
    EXPECT_EQ(Update() + Sent(), "allC1");
    EXPECT_EQ(Zubolist_RestoreData(view), 1);  // the stack was left alone
}

TEST_F(EditingTest, CopyAndPaste) {
    Fill(3);
    std::string comment(2000, 'x');
    GdirlistEntry e = {const_cast<char *>("long"), const_cast<char *>("n2"), -7, 123456789,
                       &comment[0], 0};
    Zubolist_Add(view, &e);
    Mark({0, 2, 3}, 1);
    EXPECT_EQ(Zubolist_MarkCopyClipboard(view), 0);
    const std::string longLine = "long\t       -7\t123456789\tn2\t";
    EXPECT_EQ(ClipboardText(),  // cut inside the comment, but one whole line
              "e0\t        0\t        0\tf0.txt\tc\r\n"
              "e2\t        2\t       -2\tf2.txt\tc\r\n" +
                  longLine + std::string(1021 - longLine.size(), 'x') + "\r\n");
    EXPECT_EQ(Update() + Sent(), "");
    Zubolist_CursorEnd(view);
    EXPECT_EQ(Zubolist_InsertFromClipboard(view), 1);  // on the end row: appended, unmarked
    EXPECT_EQ(Names(), "e0* e1 e2* long* e0 e2 long []");
    Zubolist_MarkClearAll(view);
    Zubolist_MarkCopyClipboard(view);
    EXPECT_EQ(ClipboardText(), "");
    SetClipboardText("kept");  // a copy while another window holds the clipboard
    Zubolist_MarkAll(view);
    ASSERT_TRUE(OpenClipboard(parent));
    EXPECT_EQ(Zubolist_MarkCopyClipboard(view), 0);
    CloseClipboard();
    EXPECT_EQ(ClipboardText(), "kept");
    MakeView(10);
    Fill(2);
    Mark({}, 1);
    SetClipboardText("s 1 2\r\nt\t3\t4\tu\t;v w\r\nbad 5\r\nx 6 7\r\n");
    EXPECT_EQ(Zubolist_InsertFromClipboard(view), 1);  // stops at the two-field line
    EXPECT_EQ(Update(), "all");
    EXPECT_EQ(Names(), "e0 s t [e1]");
    SetClipboardText("a 1 2 b\nc 3 4 d\n");  // LF alone ends no line: one entry
    Zubolist_InsertFromClipboard(view);
    Mark({}, 3);
    EXPECT_STREQ(Zubolist_GetDataPtr(view)->comment, "c34d");
    SetClipboardText("");
    EXPECT_EQ(Zubolist_InsertFromClipboard(view), 1);
    SetClipboardText(nullptr);
    EXPECT_EQ(Zubolist_InsertFromClipboard(view), 0);
    EXPECT_EQ(Names() + Sent(), "e0 s t [a] e1");
    std::string many;
    for (int i = 0; i < 30; ++i) many += "p 1 2\r\n";
    SetClipboardText(many.c_str());
    Mark({}, 1);
    Zubolist_InsertFromClipboard(view);
    EXPECT_EQ(Top(), 31 - 10 + 2);  // the cursor row kept visible
}

// A copy larger than the clipboard block's smallest size is copied whole.
TEST_F(EditingTest, CopyOfAnySizeRoundTrips) {
    constexpr int kEntries = 20000;
    std::string comment(200, 'c');
    for (int i = 0; i < kEntries; ++i) {
        std::string name = "n" + std::to_string(i), name2 = std::string(40, 'f') + name;
        comment[0] = static_cast<char>('a' + i % 26);
        GdirlistEntry e = {&name[0], &name2[0], i, -i, &comment[0], GDIRLIST_MARK};
        Zubolist_Add(view, &e);
    }
    Zubolist_MarkCopyClipboard(view);
    const std::string text = ClipboardText();
    EXPECT_GT(text.size(), 5u << 20);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), kEntries);
    MakeView(10);
    EXPECT_EQ(Zubolist_InsertFromClipboard(view), 1);
    ASSERT_EQ(Zubolist_GetListNum(view), kEntries);
    struct Check {
        int next;
        std::string wrong;
    } check{0, ""};
    Zubolist_EnumAll(view, [](HWND, GdirlistEntry *e, void *p) {
        Check *c = static_cast<Check *>(p);
        const int i = c->next++;
        const std::string name = "n" + std::to_string(i);
        if (name != e->name || std::string(40, 'f') + name != e->name2 || e->num1 != i ||
            e->num2 != -i || strlen(e->comment) != 200 || e->comment[0] != 'a' + i % 26)
            c->wrong += name + " ";
        return 1;
    }, &check);
    EXPECT_EQ(check.wrong, "");
}

// Another program holding the clipboard for a moment (as clipboard viewers
// do after every change) delays a copy or a paste; it does not make it
// fail.
TEST_F(EditingTest, CopyAndPasteWaitForABusyClipboard) {
    Fill(2);
    Mark({1}, 0);
    auto holdFor100ms = [](HANDLE opened) {
        return std::thread([opened] {
            if (OpenClipboard(nullptr)) {
                SetEvent(opened);
                Sleep(100);
                CloseClipboard();
            }
        });
    };
    HANDLE opened = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::thread holder = holdFor100ms(opened);
    ASSERT_EQ(WaitForSingleObject(opened, 5000), WAIT_OBJECT_0);
    Zubolist_MarkCopyClipboard(view);
    holder.join();
    EXPECT_EQ(ClipboardText(), "e1\t        1\t       -1\tf1.txt\tc\r\n");
    holder = holdFor100ms(opened);
    ASSERT_EQ(WaitForSingleObject(opened, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(Zubolist_InsertFromClipboard(view), 1);
    holder.join();
    CloseHandle(opened);
    EXPECT_EQ(Names(), "e1 [e0] e1*");
}

// Byte 0x1A ends pasted text as it ends a list file, so what is pasted can
// be saved; a marked entry that a list file cannot carry makes the marked
// save write nothing and report 0.
TEST_F(EditingTest, PasteEndsAtByte1AAndMarkedSavesReadBack) {
    const fs::path dir =
        fs::temp_directory_path() / ("zubo_lv1a_" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string target = (dir / "marked.lst").string();
    Fill(1);
    Zubolist_CursorEnd(view);
    SetClipboardText("g 1 2 h\r\nk 3 4 m\x1an\r\np 5 6\r\n");
    EXPECT_EQ(Zubolist_InsertFromClipboard(view), 1);
    EXPECT_EQ(Names(), "e0 g k []");
    Zubolist_CursorUp(view);
    EXPECT_STREQ(Zubolist_GetDataPtr(view)->name2, "m");
    Zubolist_MarkAll(view);
    EXPECT_EQ(Zubolist_MarkAllSaveListFile(view, target.c_str()), 1);
    const std::string saved = ReadFile(target);
    EXPECT_EQ(saved, "e0\t        0\t        0\tf0.txt\tc\r\n"
                     "g\t        1\t        2\th\t\r\n"
                     "k\t        3\t        4\tm\t\r\n");

    // A marked entry with a blank in its name: refused, the file kept, no
    // repaint. Unmarked, it is not written and does not count.
    GdirlistEntry bad = {const_cast<char *>("two words"), const_cast<char *>("x"), 7, 8,
                         const_cast<char *>(""), 1};
    Zubolist_Add(view, &bad);
    Forget();
    EXPECT_EQ(Zubolist_MarkAllSaveListFile(view, target.c_str()), 0);
    EXPECT_EQ(Zubolist_SaveListFile(view, target.c_str()), 0);
    EXPECT_EQ(Update() + Sent(), "");
    EXPECT_EQ(ReadFile(target), saved);
    Zubolist_CursorEnd(view);
    Zubolist_CursorUp(view);
    Zubolist_MarkSet(view, 0);
    EXPECT_EQ(Zubolist_MarkAllSaveListFile(view, target.c_str()), 1);
    EXPECT_EQ(ReadFile(target), saved);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
    fs::remove_all(dir);
}

TEST_F(EditingTest, ListFiles) {
    const fs::path dir = fs::temp_directory_path() / ("zubo_lv_" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(dir);
    fs::create_directories(dir / "folder.lst");
    auto path = [&](const char *name) { return (dir / name).string(); };
    Fill(2);
    Mark({1}, 0);
    std::ofstream(path("in.lst")) << "x 1 2 a.gp4 c\n;skip\ny 3 4\n";
    EXPECT_EQ(Zubolist_AddListFile(view, path("in.lst").c_str()), 2);
    EXPECT_EQ(Update(), "rows 2-4");
    EXPECT_EQ(Zubolist_AddListFile(view, path("none.lst").c_str()), 0);
    EXPECT_EQ(Zubolist_SaveListFile(view, path("all.lst").c_str()), 4);
    const std::string first = "e0\t        0\t        0\tf0.txt\tc\r\n";
    EXPECT_EQ(ReadFile(path("all.lst")).substr(0, first.size()), first);
    EXPECT_EQ(Zubolist_MarkAllSaveListFile(view, path("marked.lst").c_str()), 1);
    EXPECT_EQ(ReadFile(path("marked.lst")), "e1\t        1\t       -1\tf1.txt\tc\r\n");
    EXPECT_EQ(Update() + Sent(), "all");
    // A failed save keeps the old file and leaves no temporary file.
    HANDLE h = CreateFileA(path("marked.lst").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           0, nullptr);
    Zubolist_MarkAll(view);
    EXPECT_EQ(Zubolist_MarkAllSaveListFile(view, path("marked.lst").c_str()), 0);
    CloseHandle(h);
    EXPECT_EQ(Zubolist_MarkAllSaveListFile(view, path("folder.lst").c_str()), 0);
    EXPECT_EQ(Zubolist_MarkAllSaveListFile(view, path("no/x.lst").c_str()), 0);
    EXPECT_EQ(ReadFile(path("marked.lst")), "e1\t        1\t       -1\tf1.txt\tc\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 4);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace zubo_test
