// Reading the clipboard in tests, as another program would: each call opens
// and closes it. "<none>" when the format is missing, "<busy>" when another
// window holds the clipboard open.
#ifndef ZUBO_LIBRARY_CLIPBOARD_TEST_SUPPORT_WIN32_H
#define ZUBO_LIBRARY_CLIPBOARD_TEST_SUPPORT_WIN32_H

#include <windows.h>

#include <string.h>
#include <wchar.h>

#include <string>

namespace zubo_test {

// The CF_TEXT bytes up to the terminator.
inline std::string ClipboardText(HWND owner) {
    std::string text = "<none>";
    if (!OpenClipboard(owner)) return "<busy>";
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        const char *p = static_cast<const char *>(GlobalLock(h));
        text.assign(p, strnlen(p, GlobalSize(h)));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return text;
}

// The CF_UNICODETEXT characters up to the terminator.
inline std::wstring ClipboardUnicode(HWND owner) {
    std::wstring text = L"<none>";
    if (!OpenClipboard(owner)) return L"<busy>";
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        const wchar_t *p = static_cast<const wchar_t *>(GlobalLock(h));
        text.assign(p, wcsnlen(p, GlobalSize(h) / sizeof(wchar_t)));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return text;
}

}  // namespace zubo_test

#endif
