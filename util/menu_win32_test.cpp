// Menus built from tables, inspected through USER32.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "zubo.h"

namespace {

intptr_t T(const char *text) { return reinterpret_cast<intptr_t>(text); }
intptr_t Sub(ZuboMenuRow *table) { return reinterpret_cast<intptr_t>(table); }
const ZuboMenuRow kHeader = {ZUBOMENU_GUARD, 0, 0}, kEnd = {ZUBOMENU_END, 0, 0};

// Type flags, identifier, submenu and text of an item, as one string.
std::string Item(HMENU menu, int pos) {
    char text[64] = "";
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    mii.dwTypeData = text, mii.cch = sizeof text;
    if (!GetMenuItemInfoA(menu, pos, TRUE, &mii)) return "none";
    if (mii.fType & MFT_SEPARATOR) return "----";
    return std::string(mii.fType & MFT_RIGHTJUSTIFY ? ">" : "") + text + " " +
           (mii.hSubMenu ? "sub" : std::to_string(mii.wID));
}

TEST(Menu, TableIsBuiltOnceAndRefusedWithoutItsGuard) {
    ZuboMenuRow table[] = {kHeader, kEnd};
    EXPECT_EQ(ZuboMenu_GetMenuHandle(table), nullptr);
    HMENU menu = ZuboMenu_CreateMenu(table, 0);
    ASSERT_TRUE(IsMenu(menu));
    EXPECT_EQ(GetMenuItemCount(menu), 0);
    EXPECT_EQ(table[0].value, reinterpret_cast<intptr_t>(menu));
    EXPECT_EQ(ZuboMenu_GetMenuHandle(table), menu);
    EXPECT_EQ(ZuboMenu_CreateMenu(table, 1), menu);  // whatever the popup flag says now

    ZuboMenuRow guarded[] = {{1, 0, 0}, {ZUBOMENU_ITEM, 5, T("x")}, kEnd};
    EXPECT_EQ(ZuboMenu_CreateMenu(guarded, 0), nullptr);
    EXPECT_EQ(guarded[0].value, 0);
    EXPECT_EQ(ZuboMenu_CreateMenu(nullptr, 0), nullptr);
    EXPECT_EQ(ZuboMenu_GetMenuHandle(nullptr), nullptr);
}

// The same rows as a menu bar and as a popup: the break right-justifies
// everything after it, only the popup gets a separator, and other kinds
// are skipped without ending the table.
TEST(Menu, BreaksSeparatorsAndSkippedKinds) {
    ZuboMenuRow help[] = {kHeader, {ZUBOMENU_ITEM, 301, T("About")}, kEnd};
    for (int popup : {0, 1}) {
        help[0].value = 0;  // destroyed with the last round's menu: build it again
        ZuboMenuRow table[] = {kHeader, {ZUBOMENU_ITEM, 101, T("Open")}, {0, 9, T("kind 0")},
                               {5, 9, T("kind 5")}, {ZUBOMENU_ITEM, 102, T("Save")},
                               {ZUBOMENU_BREAK, 0, 0}, {ZUBOMENU_ITEM, 103, T("Right")},
                               {ZUBOMENU_SUBMENU, Sub(help), T("Help")}, kEnd,
                               {ZUBOMENU_ITEM, 104, T("after the end")}};
        HMENU menu = ZuboMenu_CreateMenu(table, popup);
        std::string items;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) items += Item(menu, i) + "|";
        EXPECT_EQ(items, popup ? "Open 101|Save 102|----|>Right 103|>Help sub|"
                               : "Open 101|Save 102|>Right 103|>Help sub|");
        EXPECT_EQ(GetSubMenu(menu, 3 + popup), ZuboMenu_GetMenuHandle(help));
        EXPECT_EQ(Item(GetSubMenu(menu, 3 + popup), 0), "About 301");
        DestroyMenu(menu);
    }
}

TEST(Menu, SubmenusAreBuiltOnceAndAttachedByTheirHandle) {
    ZuboMenuRow edit[] = {kHeader, {ZUBOMENU_ITEM, 11, T("Cut")}, {ZUBOMENU_ITEM, 12, T("Copy")}, kEnd};
    ZuboMenuRow view[] = {kHeader, {ZUBOMENU_ITEM, 21, T("Zoom")}, kEnd};
    HMENU editMenu = ZuboMenu_CreateMenu(edit, 1);  // built earlier on its own
    ZuboMenuRow bar[] = {kHeader, {ZUBOMENU_SUBMENU, Sub(edit), T("Edit")},
                         {ZUBOMENU_SUBMENU, Sub(view), T("View")},
                         {ZUBOMENU_SUBMENU, Sub(edit), T("Edit 2")},
                         {ZUBOMENU_SUBMENU, Sub(view), T("View 2")}, kEnd};
    HMENU menu = ZuboMenu_CreateMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    HMENU viewMenu = ZuboMenu_GetMenuHandle(view);
    ASSERT_NE(viewMenu, nullptr);
    EXPECT_EQ(GetSubMenu(menu, 0), editMenu);
    EXPECT_EQ(GetSubMenu(menu, 1), viewMenu);
    EXPECT_EQ(GetSubMenu(menu, 2), editMenu);
    EXPECT_EQ(GetSubMenu(menu, 3), viewMenu);
    EXPECT_EQ(GetMenuItemCount(editMenu), 2);  // not filled twice
    EXPECT_EQ(GetMenuItemCount(viewMenu), 1);
}

// A submenu row without a usable table is skipped, and so is one that
// leads back to a table being built (a menu would contain itself).
TEST(Menu, UnusableSubmenuRowsAreSkipped) {
    ZuboMenuRow guarded[] = {{7, 0, 0}, kEnd};
    ZuboMenuRow inner[] = {kHeader, {ZUBOMENU_SUBMENU, 0, T("back to outer")},
                           {ZUBOMENU_SUBMENU, 0, T("no table")},
                           {ZUBOMENU_SUBMENU, Sub(guarded), T("guarded")},
                           {ZUBOMENU_SUBMENU, Sub(inner), T("itself")}, {ZUBOMENU_ITEM, 2, T("b")}, kEnd};
    ZuboMenuRow outer[] = {kHeader, {ZUBOMENU_ITEM, 1, T("a")}, {ZUBOMENU_SUBMENU, Sub(inner), T("inner")}, kEnd};
    inner[1].value = Sub(outer);
    HMENU menu = ZuboMenu_CreateMenu(outer, 0);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    HMENU innerMenu = GetSubMenu(menu, 1);
    EXPECT_EQ(innerMenu, ZuboMenu_GetMenuHandle(inner));
    ASSERT_EQ(GetMenuItemCount(innerMenu), 1);
    EXPECT_EQ(Item(innerMenu, 0), "b 2");
    EXPECT_EQ(guarded[0].value, 0);
    DestroyMenu(menu);
}

}  // namespace
