// zubo.hpp over the library: owners, lambdas through the user values,
// iteration and views, entry templates and menu rows. Built with every
// warning as an error, -Wwrite-strings included: no cast is needed.
#include "zubo.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> NamesOf(const zubo::RecordList &list) {
    std::vector<std::string> names;
    for (zubo::EntryView e : list.Views()) names.emplace_back(e.name);
    return names;
}

TEST(CxxHeader, RecordListOwnsAndIteratesInOrder) {
    zubo::RecordList list;
    ASSERT_TRUE(list);
    const std::string name2 = "b.gp4";
    EXPECT_NE(list.Add(zubo::NewEntry("b", name2, 2, 20, "; two")), nullptr);
    EXPECT_NE(list.Add(zubo::NewEntry("a", "a.txt", 1)), nullptr);
    EXPECT_NE(list.Insert(zubo::NewEntry("c", nullptr, 3, 30, nullptr, GDIRLIST_MARK), 0),
              nullptr);
    EXPECT_EQ(list.Size(), 3);
    EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"c", "b", "a"}));

    // Views: the record's values, null texts as empty views.
    std::vector<zubo::EntryView> views;
    for (zubo::EntryView e : list.Views()) views.push_back(e);
    ASSERT_EQ(views.size(), 3u);
    EXPECT_EQ(views[0].record, list.At(0));
    EXPECT_TRUE(views[0].Marked());
    EXPECT_TRUE(views[0].name2.empty());
    EXPECT_TRUE(views[0].comment.empty());
    EXPECT_EQ(views[1].name2, "b.gp4");
    EXPECT_EQ(views[1].comment, "; two");
    EXPECT_EQ(views[1].num1, 2);
    EXPECT_EQ(views[1].num2, 20);
    EXPECT_FALSE(views[2].Marked());

    // The entries themselves, writable in place.
    int visited = 0;
    for (GdirlistEntry &e : list) {
        EXPECT_EQ(&e, list.At(visited));
        e.num2 = 100 + visited++;
    }
    EXPECT_EQ(visited, 3);
    EXPECT_EQ(list.At(2)->num2, 102);
    ASSERT_TRUE(zubo::SetText(list.At(2)->comment, std::string("; replaced")));
    EXPECT_STREQ(list.At(2)->comment, "; replaced");
    ASSERT_TRUE(zubo::SetText(list.At(2)->comment, nullptr));
    EXPECT_EQ(list.At(2)->comment, nullptr);

    // Moving hands the list over; the moved-from owner holds nothing.
    Gdirlist *raw = list.get();
    zubo::RecordList other(std::move(list));
    EXPECT_FALSE(list);
    EXPECT_EQ(other.get(), raw);
    list = std::move(other);
    EXPECT_EQ(list.get(), raw);
    EXPECT_EQ(list.Size(), 3);
    zubo::RecordList adopted(list.release());
    EXPECT_EQ(adopted.get(), raw);
    EXPECT_EQ(list.Size(), 0);  // a null list, as the C functions treat it
}

TEST(CxxHeader, SortTakesALambdaWithItsCaptures) {
    zubo::RecordList list;
    for (const char *name : {"delta", "alpha", "charlie", "bravo", "echo"})
        list.Add(zubo::NewEntry(name, "x", static_cast<int32_t>(std::string(name).size())));
    int calls = 0;
    int direction = -1;
    list.Sort([&](const GdirlistEntry &placed, const GdirlistEntry &other) {
        ++calls;
        return direction * std::string(placed.name).compare(other.name);
    });
    EXPECT_GT(calls, 0);
    EXPECT_EQ(NamesOf(list),
              (std::vector<std::string>{"echo", "delta", "charlie", "bravo", "alpha"}));
    // A const callable, through the free function on any record list.
    const auto byLength = [](const GdirlistEntry &a, const GdirlistEntry &b) {
        return a.num1 - b.num1;
    };
    EXPECT_EQ(zubo::Sort(list.get(), byLength), list.get());
    for (int32_t i = 1; i < list.Size(); ++i) EXPECT_LE(list.At(i - 1)->num1, list.At(i)->num1);
}

// The list file's comment rule as zubo.h states it.
TEST(CxxHeader, ListFileCommentsAsDocumented) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "zubo_hpp_comments.lst";
    std::ofstream(path, std::ios::binary) << "; a comment line\n\n"
                                             "song1\t120\t32\tsong1.gp4\tlive take\n"
                                             "song2\t120\t32\tsong2.gp4\tsee ; notes\n";
    zubo::RecordList list;
    EXPECT_EQ(list.AddListFile(path.string()), 2);
    std::filesystem::remove(path);
    ASSERT_EQ(list.Size(), 2);
    EXPECT_EQ(zubo::EntryView(*list.At(0)).comment, "livetake");
    EXPECT_EQ(zubo::EntryView(*list.At(1)).comment, "see; notes\n");
}

TEST(CxxHeader, ConsoleCallbacksAreLambdasThatMoveWithIt) {
    zubo::Console console(10, 3, 20);
    ASSERT_TRUE(console);
    int scrolls = 0;
    std::vector<std::string> sequences;
    console.OnScroll([&scrolls](Consout *) { ++scrolls; });
    console.OnEscape([&sequences](Consout *, const uint8_t *bytes, int32_t count) {
        if (count < 2 || bytes[count - 1] < 0x40 || bytes[count - 1] == '[') return 0;
        sequences.emplace_back(reinterpret_cast<const char *>(bytes), count);
        return 1;
    });
    console.Write("a\nb\nc\nd\x1b[1m\n");
    EXPECT_EQ(scrolls, 2);  // the third and the fourth line feed
    EXPECT_EQ(sequences, std::vector<std::string>{"\x1b[1m"});

    // Moved, the console keeps calling the same callables.
    zubo::Console moved(std::move(console));
    EXPECT_FALSE(console);
    moved.Write("e\n");
    EXPECT_EQ(scrolls, 3);
    // Replaced: the new one is called, the old one no more.
    int replaced = 0;
    moved.OnScroll([&replaced](Consout *) { ++replaced; });
    moved.Write("f\ng\n");
    EXPECT_EQ(scrolls, 3);
    EXPECT_EQ(replaced, 2);
    EXPECT_EQ(Consout_GetLinecnt(moved.get()), 3 + 5);
}

// The output mode: the default returns to column 0 only with CR; 7 also
// at a line feed, as program output needs.
TEST(CxxHeader, OutputModeSevenForProgramOutput) {
    zubo::Console byDefault(20, 5, 5), forPrograms(20, 5, 5);
    EXPECT_EQ(Consout_GetOutputMode(byDefault.get()), 5);
    Consout_SetOutputMode(forPrograms.get(),
                          OUTMODE_ENABLE | OUTMODE_NEWLINE_CR | OUTMODE_EXPAND_TAB);
    for (zubo::Console *c : {&byDefault, &forPrograms}) c->Write("abc\nde");
    EXPECT_EQ(Consout_GetCurX(byDefault.get()), 5);
    EXPECT_EQ(Consout_GetCurX(forPrograms.get()), 2);
}

ZuboMenuRow helpRows[] = {zubo::menu::Header(), zubo::menu::Item("&About", 9),
                          zubo::menu::End()};
ZuboMenuRow barRows[] = {
    zubo::menu::Header(), zubo::menu::Item("&Run", 7), zubo::menu::Break(),
    zubo::menu::Submenu("&Help", helpRows), zubo::menu::End(),
};

TEST(CxxHeader, MenuRowsFromLiterals) {
    EXPECT_EQ(barRows[0].kind, ZUBOMENU_GUARD);
    EXPECT_EQ(barRows[1].kind, ZUBOMENU_ITEM);
    EXPECT_EQ(barRows[1].value, 7);
    EXPECT_STREQ(reinterpret_cast<const char *>(barRows[1].text), "&Run");
    EXPECT_EQ(barRows[2].kind, ZUBOMENU_BREAK);
    EXPECT_EQ(barRows[3].kind, ZUBOMENU_SUBMENU);
    EXPECT_EQ(barRows[3].value, reinterpret_cast<intptr_t>(helpRows));
    EXPECT_STREQ(reinterpret_cast<const char *>(barRows[3].text), "&Help");
    EXPECT_EQ(barRows[4].kind, ZUBOMENU_END);
#ifdef _WIN32
    HMENU bar = ZuboMenu_CreateMenu(barRows, 0);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(GetMenuItemID(bar, 0), 7u);
    char text[16] = "";
    GetMenuStringA(ZuboMenu_GetMenuHandle(helpRows), 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About");
    DestroyMenu(bar);
#endif
}

#ifdef _WIN32
TEST(CxxHeader, ListViewWalksAndSortTakeLambdas) {
    ASSERT_NE(InitZubolist(), 0);
    HWND view = CreateWindowA("ZUBOLIST", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(view, nullptr);
    for (const char *name : {"b", "d", "a", "c"}) Zubolist_Add(view, zubo::NewEntry(name, "x"));
    std::string order;
    EXPECT_EQ(zubo::Sort(view, [](const GdirlistEntry &a, const GdirlistEntry &b) {
                  return std::string(a.name).compare(b.name);
              }),
              1);
    EXPECT_EQ(zubo::EnumAll(view, [&order](GdirlistEntry &e) { order += e.name; }), 4);
    EXPECT_EQ(order, "abcd");
    // A walk that marks, then one over the marked entries that stops.
    zubo::EnumAll(view, [](GdirlistEntry &e) {
        if (e.name[0] != 'b') e.flags |= GDIRLIST_MARK;
    });
    order.clear();
    EXPECT_EQ(zubo::EnumMark(view, [&order](GdirlistEntry &e) {
                  order += e.name;
                  return e.name[0] != 'c';
              }),
              2);
    EXPECT_EQ(order, "ac");
    DestroyWindow(view);
}

TEST(CxxHeader, MemoryDcOwner) {
    zubo::MemoryDc dc(16, 8, 32);
    ASSERT_TRUE(dc);
    EXPECT_NE(dc.Hdc(), nullptr);
    MemoryDCInfo info = {};
    EXPECT_EQ(dc->GetInfo(dc.get(), &info), 1);
    EXPECT_EQ(info.width, 16);
    zubo::MemoryDc moved(std::move(dc));
    EXPECT_FALSE(dc);
    EXPECT_EQ(moved.get()->surface.height, 8);
    moved = zubo::MemoryDc(4, 4, 8);
    EXPECT_EQ(moved.get()->surface.bitCount, 8);
}
#endif

}  // namespace
