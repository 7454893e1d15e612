// Clipboard exchange of entries as CF_TEXT in the list line format (with
// CF_LOCALE and CF_UNICODETEXT where the system code page is not Japanese).
#ifndef ZUBO_LISTVIEW_CLIPBOARD_WIN32_H
#define ZUBO_LISTVIEW_CLIPBOARD_WIN32_H

#include "listview/state_win32.h"

namespace zubo::listview {

// Puts the marked entries on the clipboard, one list line ending in CR LF
// each; the clipboard is untouched when it cannot be opened.
void CopyMarkedToClipboard(ListViewState *s);
// Inserts the entries of the clipboard's text above the cursor row; false
// when the clipboard holds no text.
bool InsertFromClipboard(ListViewState *s);

}  // namespace zubo::listview

#endif
