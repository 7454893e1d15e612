// Clipboard exchange of entries as CF_TEXT in the list line format.
//
// The text is Shift_JIS. On a system whose ANSI code page is a double-byte
// one (932, 936, 949, 950) the exchange is CF_TEXT alone, as ever. On any
// other system (single-byte code pages, UTF-8) the system would convert
// CF_TEXT to and from Unicode with its own code page and spoil Japanese
// text, so a copy adds CF_LOCALE (Japanese) beside the same CF_TEXT bytes,
// and a paste of text that a program put as CF_UNICODETEXT converts it to
// Shift_JIS itself instead of taking the system's CF_TEXT made of it.
#include "listview/clipboard_win32.h"

#include <string.h>

#include "library/alloc.h"
#include "library/codepage_win32.h"
#include "listview/entries.h"
#include "listview/update_win32.h"

namespace zubo::listview {
namespace {

// The copy hands the clipboard one block of at least this size, larger
// when the text needs more.
constexpr SIZE_T kClipboardBlock = 0x100000;

// Another program (a clipboard viewer, history or remote desktop) may hold
// the clipboard open for a moment after every change; opening is tried
// again for about half a second before the operation gives up.
constexpr int kOpenTries = 50;
constexpr DWORD kOpenRetryMs = 10;

bool OpenClipboardPatiently(HWND owner) {
    for (int tries = 1;; ++tries) {
        if (OpenClipboard(owner)) return true;
        if (tries == kOpenTries) return false;
        Sleep(kOpenRetryMs);
    }
}

// A heap copy of a CF_TEXT block's bytes, bounded by the block (text that
// is not terminated within the block is cut there); null when out of
// memory.
char *CopyBytes(HANDLE data) {
    const char *text = static_cast<const char *>(GlobalLock(data));
    if (!text) return nullptr;
    const SIZE_T limit = GlobalSize(data);
    SIZE_T len = 0;
    while (len < limit && text[len]) ++len;
    char *copy = static_cast<char *>(Allocate(len + 1));
    if (copy) {
        memcpy(copy, text, len);
        copy[len] = '\0';
    }
    GlobalUnlock(data);
    return copy;
}

// A heap copy of a CF_UNICODETEXT block in Shift_JIS, bounded like
// CopyBytes; a character that Shift_JIS cannot hold becomes "?", as the
// system's own conversion would make it. Null when out of memory; null with
// *converted false when the block cannot be read or the system cannot
// convert to code page 932.
char *CopyUnicodeAsShiftJis(HANDLE data, bool *converted) {
    *converted = false;
    const WCHAR *text = static_cast<const WCHAR *>(GlobalLock(data));
    if (!text) return nullptr;
    const SIZE_T limit = GlobalSize(data) / sizeof(WCHAR);
    SIZE_T len = 0;
    while (len < limit && text[len]) ++len;
    char *copy = nullptr;
    const int wideLen = len > 0x3FFFFFFF ? 0x3FFFFFFF : static_cast<int>(len);
    const int n = wideLen ? WideCharToMultiByte(kShiftJisCodePage, 0, text, wideLen, nullptr, 0,
                                                "?", nullptr)
                          : 0;
    if (!wideLen || n > 0) {
        *converted = true;
        if ((copy = static_cast<char *>(Allocate(static_cast<size_t>(n) + 1)))) {
            if (n) WideCharToMultiByte(kShiftJisCodePage, 0, text, wideLen, copy, n, "?", nullptr);
            copy[n] = '\0';
        }
    }
    GlobalUnlock(data);
    return copy;
}

// Whether the clipboard's text came as CF_UNICODETEXT. The clipboard lists
// a program's own formats in the order they were put, each followed by the
// ones the system makes of it, so the first of the two text formats listed
// is the one a program put. Text put as CF_TEXT (by this library beside a
// Japanese CF_LOCALE, or by another program that writes bytes) is taken
// as it is.
bool UnicodeIsTheOriginal() {
    UINT format = 0;
    while ((format = EnumClipboardFormats(format)) != 0)
        if (format == CF_TEXT || format == CF_UNICODETEXT) return format == CF_UNICODETEXT;
    return false;
}

// The clipboard's text as Shift_JIS bytes on the heap. Null when there is
// no text or no memory; the clipboard is closed again in every case, before
// any parsing.
char *TakeClipboardText(HWND owner) {
    if (!OpenClipboardPatiently(owner)) return nullptr;
    char *copy = nullptr;
    bool taken = false;
    if (!SystemCodePageIsDoubleByte() && UnicodeIsTheOriginal()) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
            copy = CopyUnicodeAsShiftJis(data, &taken);
    }
    if (!taken) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) copy = CopyBytes(data);
    }
    CloseClipboard();
    return copy;
}

// Tells the clipboard that its CF_TEXT is Japanese, so that the Unicode
// text the system makes of it for other programs is read with code page
// 932.
void PutJapaneseLocale() {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(LCID));
    if (!block) return;
    if (LCID *locale = static_cast<LCID *>(GlobalLock(block))) {
        *locale = kJapaneseLocale;
        GlobalUnlock(block);
        if (SetClipboardData(CF_LOCALE, block)) return;
    }
    GlobalFree(block);
}

}  // namespace

void CopyMarkedToClipboard(ListViewState *s) {
    const size_t length = MarkedTextLength(s->shownList);
    const SIZE_T size = length < kClipboardBlock ? kClipboardBlock : length + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return;
    char *text = static_cast<char *>(GlobalLock(block));
    if (!text) {
        GlobalFree(block);
        return;
    }
    WriteMarkedText(s->shownList, text, size);
    GlobalUnlock(block);
    if (!OpenClipboardPatiently(s->hwnd)) {
        GlobalFree(block);  // never handed over: still ours
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block))
        GlobalFree(block);
    else if (!SystemCodePageIsDoubleByte())
        PutJapaneseLocale();
    CloseClipboard();
}

bool InsertFromClipboard(ListViewState *s) {
    char *text = TakeClipboardText(s->hwnd);
    if (!text) return false;
    // Reading the clipboard may ask its owner to render the text, and that
    // owner may have destroyed the view.
    if (Destroyed(s)) {
        free(text);
        return false;
    }
    InsertListText(s->shownList, text);
    free(text);
    ApplyChange(s, EntriesInserted());
    return true;
}

}  // namespace zubo::listview
