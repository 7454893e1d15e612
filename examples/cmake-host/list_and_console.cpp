// A C++ host of the installed package, written from zubo.hpp and
// zubo_console_pane.hpp alone: a list view of 10,000 Japanese entries,
// sorted, without the digit keys, and a console pane of coloured program
// output, scrolled back. It checks what a user would see and prints
// "cxx host: all N checks passed" (exit status 0) or the failures.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "zubo.hpp"
#include "zubo_console_pane.hpp"

namespace {

int checks = 0, failures = 0;

void Check(bool ok, const char *what) {
    ++checks;
    if (!ok) {
        ++failures;
        std::printf("FAIL: %s\n", what);
    }
}

// Four katakana (Shift_JIS) from a number: 20 syllables, 20^4 names.
std::string JapaneseName(int n) {
    static const char kSyllables[] = "\x83\x41\x83\x43\x83\x45\x83\x47\x83\x49"   // a i u e o
                                     "\x83\x4a\x83\x4c\x83\x4e\x83\x50\x83\x52"   // ka ki ku ke ko
                                     "\x83\x54\x83\x56\x83\x58\x83\x5a\x83\x5c"   // sa shi su se so
                                     "\x83\x5e\x83\x60\x83\x63\x83\x65\x83\x67";  // ta chi tsu te to
    std::string name;
    for (int i = 0; i < 4; ++i, n /= 20) name.append(kSyllables + 2 * (n % 20), 2);
    return name;
}

HWND MakeListView(HWND parent, HFONT font, int count) {
    HWND list = CreateWindowA("ZUBOLIST", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ZLS_NODIGITKEYS,
                              0, 0, 640, 300, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)), nullptr,
                              nullptr);
    Zubolist_SetFont(list, font);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < count; ++i) {
        const int n = (i * 7919) % count;  // not in order
        const std::string name = JapaneseName(n), file = "song" + std::to_string(n) + ".gp4";
        Zubolist_Add(list, zubo::NewEntry(name, file, 120, n, "; a comment"));
    }
    zubo::Sort(list, [](const GdirlistEntry &a, const GdirlistEntry &b) {
        return zubo::View(a.name).compare(zubo::View(b.name));
    });
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    return list;
}

void ListChecks(HWND list, int count) {
    std::vector<std::string> names;
    zubo::EnumAll(list, [&names](GdirlistEntry &e) { names.emplace_back(e.name); });
    bool sorted = names.size() == static_cast<size_t>(count);
    for (size_t i = 1; sorted && i < names.size(); ++i) sorted = names[i - 1] <= names[i];
    Check(sorted, "the list view holds every entry, sorted");
    DeleteFileA("b.lst");
    SendMessageA(list, WM_KEYDOWN, '2', 1);
    SendMessageA(list, WM_KEYDOWN, '0', 1);
    Check(Zubolist_GetListNum(list) == count && GetFileAttributesA("b.lst") == INVALID_FILE_ATTRIBUTES,
          "with ZLS_NODIGITKEYS, 2 writes no file and 0 deletes nothing");
}

void ConsoleChecks(HWND main, HFONT font) {
    zubo::Console console(80, 25, 1000);
    Consout_SetOutputMode(console.get(), OUTMODE_ENABLE | OUTMODE_NEWLINE_CR | OUTMODE_EXPAND_TAB);
    Consout_SetFont(console.get(), font);
    zubo::ConsolePane pane;
    Check(pane.Create(main, 101, 0, 300, console.get()), "the console pane is created");
    std::string output;
    for (int i = 1; i <= 300; ++i)
        output += "\x1b[3" + std::to_string(1 + i % 7) + "mline\x1b[0m\t" + std::to_string(i) + "\n";
    pane.Write(output);
    Check(Consout_GetCurX(console.get()) == 0, "mode 7: each line starts at column 0");
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(pane.Window(), SB_VERT, &si);
    const int back = Consout_GetLinecnt(console.get()) - 25;
    Check(back == 276 && si.nMax == back + 24 && si.nPage == 25u && si.nPos == back,
          "after one write the bar spans the scroll-back and shows the screen");

    SendMessageA(pane.Window(), WM_VSCROLL, SB_PAGEUP, 0);
    GetScrollInfo(pane.Window(), SB_VERT, &si);
    Check(Consout_GetViewline(console.get()) == 25 && si.nPos == back - 25,
          "a page up on the bar scrolls the view 25 lines back");
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    SendMessageA(pane.Window(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    Check(Consout_GetViewline(console.get()) == 25 + static_cast<int>(lines),
          "a wheel notch scrolls further back");
    SendMessageA(pane.Window(), WM_VSCROLL, SB_TOP, 0);
    Check(Consout_GetViewline(console.get()) == back, "the bar reaches the oldest line");
    RedrawWindow(pane.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    pane.Write("\x1b[1;33mdone\x1b[0m\n");
    Check(Consout_GetViewline(console.get()) == 0, "new output returns the view to the screen");
}

}  // namespace

int main() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ListAndConsoleHost";
    RegisterClassA(&wc);
    Check(InitZubolist() != 0 && zubo::ConsolePane::Register(wc.hInstance),
          "the window classes are registered");
    HWND main = CreateWindowA("ListAndConsoleHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              900, 800, nullptr, nullptr, wc.hInstance, nullptr);
    // A Japanese fixed-pitch face: cells half its widest (full-width) glyph.
    HFONT font = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                             "VL Gothic");
    const int count = 10000;
    HWND list = MakeListView(main, font, count);
    ListChecks(list, count);
    ConsoleChecks(main, font);
    DestroyWindow(main);
    DeleteObject(font);
    if (failures) {
        std::printf("cxx host: %d of %d checks failed\n", failures, checks);
        return 1;
    }
    std::printf("cxx host: all %d checks passed\n", checks);
    return 0;
}
