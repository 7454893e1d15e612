// Clipboard exchange of entries as CF_TEXT in the list line format.
#include "listview/clipboard_win32.h"

#include <string.h>

#include "library/alloc.h"
#include "listview/entries.h"
#include "listview/update_win32.h"

namespace zubo::listview {
namespace {

// The copy always hands the clipboard one block of this size.
constexpr SIZE_T kClipboardBlock = 0x100000;

// A heap copy of the clipboard's text, bounded by its block (text that is
// not terminated within the block is cut there). Null when there is no text
// or no memory; the clipboard is closed again in every case, before any
// parsing.
char *TakeClipboardText(HWND owner) {
    if (!OpenClipboard(owner)) return nullptr;
    char *copy = nullptr;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char *text = static_cast<const char *>(GlobalLock(data))) {
            const SIZE_T limit = GlobalSize(data);
            SIZE_T len = 0;
            while (len < limit && text[len]) ++len;
            copy = static_cast<char *>(Allocate(len + 1));
            if (copy) {
                memcpy(copy, text, len);
                copy[len] = '\0';
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return copy;
}

}  // namespace

void CopyMarkedToClipboard(ListViewState *s) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, kClipboardBlock);
    if (!block) return;
    char *text = static_cast<char *>(GlobalLock(block));
    if (!text || !OpenClipboard(s->hwnd)) {
        if (text) GlobalUnlock(block);
        GlobalFree(block);  // never handed over: still ours
        return;
    }
    EmptyClipboard();
    WriteMarkedText(s->shownList, text, kClipboardBlock);
    GlobalUnlock(block);
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    CloseClipboard();
}

bool InsertFromClipboard(ListViewState *s) {
    char *text = TakeClipboardText(s->hwnd);
    if (!text) return false;
    InsertListText(s->shownList, text);
    free(text);
    ApplyChange(s, EntriesInserted());
    return true;
}

}  // namespace zubo::listview
