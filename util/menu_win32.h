// Menus built once from the host's static tables.
#ifndef ZUBO_UTIL_MENU_WIN32_H
#define ZUBO_UTIL_MENU_WIN32_H

#include <windows.h>

#include "zubo.h"

namespace zubo::util {

// The menu stored in a table's header (null before it is built).
HMENU StoredMenu(const ZuboMenuRow *table);
// Builds the table's menu once (a popup menu or a menu bar) and stores it in
// the header; later calls give the stored menu. Null when the guard is not 0.
HMENU BuildMenu(ZuboMenuRow *table, bool popup);

}  // namespace zubo::util

#endif
