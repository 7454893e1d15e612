// Menus built from static tables. A table is built once: its header keeps
// the menu handle, and a table referenced from several rows (or built
// earlier on its own) is attached by that stored handle.
#include "util/menu_win32.h"

#include <stddef.h>

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ZuboMenuRow) == 12, "menu row: three 32-bit words");
#endif
static_assert(sizeof(ZuboMenuRow) == 3 * sizeof(void *), "menu row: three pointer-sized words");
static_assert(offsetof(ZuboMenuRow, value) == sizeof(void *) &&
                  offsetof(ZuboMenuRow, text) == 2 * sizeof(void *),
              "menu row layout");

namespace zubo::util {
namespace {

// The tables being built on the way down from the outermost call. A table
// that refers to one of them would make a menu contain itself, which the
// system may follow forever; such a row is skipped.
struct BuildChain {
    const ZuboMenuRow *table;
    const BuildChain *outer;

    bool Holds(const ZuboMenuRow *t) const {
        for (const BuildChain *c = this; c; c = c->outer)
            if (c->table == t) return true;
        return false;
    }
};

const char *TextOf(const ZuboMenuRow &row) { return reinterpret_cast<const char *>(row.text); }

HMENU Build(ZuboMenuRow *table, bool popup, const BuildChain *outer);

void AppendSubmenu(HMENU menu, UINT flags, const ZuboMenuRow &row, const BuildChain &chain) {
    ZuboMenuRow *sub = reinterpret_cast<ZuboMenuRow *>(row.value);
    if (!sub || chain.Holds(sub)) return;
    HMENU subMenu = Build(sub, true, &chain);
    if (!subMenu) return;
    AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(subMenu), TextOf(row));
}

HMENU Build(ZuboMenuRow *table, bool popup, const BuildChain *outer) {
    if (table[0].kind != ZUBOMENU_GUARD) return nullptr;
    if (HMENU built = StoredMenu(table)) return built;
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    // Stored at once: a submenu row that comes back to this table finds it.
    table[0].value = reinterpret_cast<intptr_t>(menu);
    if (!menu) return nullptr;

    const BuildChain chain{table, outer};
    UINT flags = MF_STRING;
    for (const ZuboMenuRow *row = table + 1; row->kind != ZUBOMENU_END; ++row) {
        switch (row->kind) {
        case ZUBOMENU_ITEM:
            AppendMenuA(menu, flags, static_cast<UINT_PTR>(row->value), TextOf(*row));
            break;
        case ZUBOMENU_SUBMENU:
            AppendSubmenu(menu, flags, *row, chain);
            break;
        case ZUBOMENU_BREAK:
            flags |= MF_HELP;
            if (popup) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            break;
        default:
            break;
        }
    }
    return menu;
}

}  // namespace

HMENU StoredMenu(const ZuboMenuRow *table) { return reinterpret_cast<HMENU>(table[0].value); }

HMENU BuildMenu(ZuboMenuRow *table, bool popup) { return Build(table, popup, nullptr); }

}  // namespace zubo::util
