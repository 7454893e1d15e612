// The keyboard interface of the list view window.
#ifndef ZUBO_LISTVIEW_KEYMAP_WIN32_H
#define ZUBO_LISTVIEW_KEYMAP_WIN32_H

#include <windows.h>

#include "listview/state_win32.h"

namespace zubo::listview {

// WM_KEYDOWN: looks the key up in the key map, with Ctrl as the system
// sees it at this moment, and carries the command out.
void HandleKey(ListViewState *s, WPARAM key);

}  // namespace zubo::listview

#endif
