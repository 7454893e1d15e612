// The exported functions of the Win32 utilities: the menu builder and the
// folder chooser. A null table or path buffer gives null.
#include <windows.h>

#include "util/folder_win32.h"
#include "util/menu_win32.h"
#include "zubo.h"

using namespace zubo::util;

extern "C" HMENU ZUBOAPI ZuboMenu_GetMenuHandle(const ZuboMenuRow *table) {
    return table ? StoredMenu(table) : nullptr;
}

extern "C" HMENU ZUBOAPI ZuboMenu_CreateMenu(ZuboMenuRow *table, int32_t popup) {
    return table ? BuildMenu(table, popup != 0) : nullptr;
}

extern "C" char *ZUBOAPI ZuboSelectDirectory(HWND owner, const char *title, char *path) {
    return path ? ChooseFolder(owner, title, path) : nullptr;
}
