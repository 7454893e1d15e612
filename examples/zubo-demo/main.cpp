// zubo-demo: a Windows program built on ZUBO.dll.
//
//   zubo-demo [--interactive] [--out DIR] [--font FACE]
//
// By default it runs a scripted session (see script.cpp), writes three
// screenshots to DIR (default "out") and exits with the number of failed
// checks. With --interactive it stays open for a person to use. --font
// draws the list view and the console with another fixed-pitch font
// (default: the hosts' Japanese font).
#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "demo.h"
#include "examples/common/font.h"

namespace {

const char kMainClass[] = "ZuboDemoMain";

// Menus from static tables, built once by the library.
using namespace zubo::menu;
ZuboMenuRow fileMenu[] = {
    Header(),
    Item("&Open list...", kCmdOpen),
    Item("&Save list", kCmdSave),
    Item("Choose &folder...", kCmdFolder),
    Break(),  // a separator in a popup
    Item("E&xit", kCmdExit),
    End(),
};
ZuboMenuRow viewMenu[] = {
    Header(),
    Item("Mark &all\tCtrl+A", kCmdMarkAll),
    Item("&Clear marks", kCmdClearMarks),
    Item("Mark *.&gp4 files", kCmdMarkGp4),
    Break(),
    Item("Clear c&onsole", kCmdClearConsole),
    End(),
};
ZuboMenuRow helpMenu[] = {
    Header(),
    Item("&About ZUBO demo", kCmdAbout),
    End(),
};
ZuboMenuRow menuBar[] = {
    Header(),
    Submenu("&File", fileMenu),
    Submenu("&View", viewMenu),
    Break(),  // Help goes to the right end of the bar
    Submenu("&Help", helpMenu),
    End(),
};

int32_t ZUBOAPI CompareNames(const GdirlistEntry *a, const GdirlistEntry *b, ZuboUserValue) {
    return CompareJapaneseText(a->name, b->name);
}

std::string Trimmed(const char *text) {
    std::string s = text ? text : "";
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

void LoadList(Demo *demo, const std::string &path) {
    Zubolist_DeleteAll(demo->list);
    const int n = Zubolist_AddListFile(demo->list, path.c_str());
    Zubolist_Sort(demo->list, CompareNames, 0);
    ConsolePrint(demo, "\x1b[0;32mloaded\x1b[0m " + std::to_string(n) + " entries from " +
                           path + ", sorted by name\n");
}

void OnCommand(Demo *demo, int id) {
    char path[MAX_PATH] = "";
    switch (id) {
    case kCmdOpen: {
        OPENFILENAMEA ofn = {};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = demo->main;
        ofn.lpstrFilter = "List files (*.lst)\0*.lst\0All files\0*.*\0";
        ofn.lpstrFile = path;
        ofn.nMaxFile = sizeof path;
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
        if (GetOpenFileNameA(&ofn)) LoadList(demo, path);
        break;
    }
    case kCmdSave: {
        const int n = Zubolist_SaveListFile(demo->list, "saved.lst");
        ConsolePrint(demo, "saved " + std::to_string(n) + " entries to saved.lst\n");
        break;
    }
    case kCmdFolder:
        if (ZuboSelectDirectory(demo->main, "Choose a folder", path))
            ConsolePrint(demo, std::string("folder: \x1b[1;36m") + path + "\x1b[0m\n");
        else
            ConsolePrint(demo, "no folder chosen\n");
        break;
    case kCmdExit: DestroyWindow(demo->main); break;
    case kCmdMarkAll: Zubolist_MarkAll(demo->list); break;
    case kCmdClearMarks: Zubolist_MarkClearAll(demo->list); break;
    case kCmdMarkGp4: Zubolist_MarkMatchWildcard(demo->list, "*.gp4", 1); break;
    case kCmdClearConsole:
        Consout_ClearScreen(demo->console);
        ConsoleFlush(demo);
        break;
    case kCmdAbout:
        ConsolePrint(demo, "\x1b[1;37;44m ZUBO demo \x1b[0m record list, list view, console, "
                           "kanji conversion, memory DC, menus\n");
        break;
    }
}

LRESULT CALLBACK MainProc(HWND main, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCCREATE:
        StoreDemoPointer(main, lp);
        break;
    case WM_COMMAND: {
        Demo *demo = DemoOf(main);
        if (LOWORD(wp) == kListId) {
            if (HIWORD(wp) == ZLN_ACTIVATE) {
                ++demo->activations;
                PrintEntry(demo, Zubolist_GetDataPtr(demo->list));
            }
            return 0;
        }
        OnCommand(demo, LOWORD(wp));
        return 0;
    }
    case WM_SETFOCUS:
        if (DemoOf(main)->list) SetFocus(DemoOf(main)->list);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(main, msg, wp, lp);
}

// The program output shown at start: a long listing (which becomes the
// scroll-back), Japanese text in EUC, and the colour and layout sample.
void FeedSampleOutput(Demo *demo) {
    std::string listing;
    for (int i = 0; i < Zubolist_GetListNum(demo->list); ++i) {
        char line[160];
        snprintf(line, sizeof line, "%4d  entry of the list\n", i + 1);
        listing += line;
    }
    ConsolePrint(demo, listing);
    // "EUC-JP: 日本語の表示" in EUC.
    ConsolePrint(demo, "EUC-JP:    ");
    Consout_SetKanjicode(demo->console, KANJICODE_EUC);
    ConsolePrint(demo, "\xc6\xfc\xcb\xdc\xb8\xec\xa4\xce\xc9\xbd\xbc\xa8\n");
    Consout_SetKanjicode(demo->console, KANJICODE_SJIS);
    ConsolePrint(demo, ReadFileBytes(demo->dataDir + "console-sample.txt"));
}

bool CreateMainWindow(Demo *demo) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = demo->instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainClass;
    if (!RegisterClassA(&wc) || !RegisterConsolePane(demo->instance) || !InitZubolist())
        return false;

    demo->console = CreateConsout(80, 25, 1000);
    if (!demo->console) return false;
    Consout_SetOutputMode(demo->console, OUTMODE_ENABLE | OUTMODE_NEWLINE_CR | OUTMODE_EXPAND_TAB);
    Consout_SetFont(demo->console, demo->font);
    const int paneWidth = 80 * Consout_GetFontWidth(demo->console) + GetSystemMetrics(SM_CXVSCROLL) + 4;
    const int listHeight = 18 * Consout_GetBaselineskip(demo->console) + 4;
    const int paneHeight = 25 * Consout_GetBaselineskip(demo->console) + 4;

    RECT r = {0, 0, paneWidth, listHeight + paneHeight};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, TRUE, 0);
    demo->main = CreateWindowExA(0, kMainClass, "ZUBO demo", WS_OVERLAPPEDWINDOW, 0, 0,
                                 r.right - r.left, r.bottom - r.top, nullptr,
                                 ZuboMenu_CreateMenu(menuBar, 0), demo->instance, demo);
    if (!demo->main) return false;
    demo->list = CreateWindowExA(WS_EX_CLIENTEDGE, "ZUBOLIST", "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, paneWidth, listHeight,
                                 demo->main,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
                                 demo->instance, nullptr);
    if (!demo->list || !CreateConsolePane(demo, 0, listHeight)) return false;
    Zubolist_SetFont(demo->list, demo->font);
    return true;
}


}  // namespace

int CompareJapaneseText(const char *a, const char *b) {
    // The names are Shift_JIS whatever the system's code page: read them as
    // such and compare them by the Japanese locale's rules, which is what
    // lstrcmpiA does on a Japanese system.
    auto wide = [](const char *text, std::wstring *out) {
        const int n = text ? MultiByteToWideChar(932, 0, text, -1, nullptr, 0) : 0;
        out->assign(n > 0 ? n : 1, L'\0');
        if (n > 0) MultiByteToWideChar(932, 0, text, -1, &(*out)[0], n);
    };
    std::wstring wa, wb;
    wide(a, &wa);
    wide(b, &wb);
    const LCID japanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SORT_DEFAULT);
    return CompareStringW(japanese, NORM_IGNORECASE, wa.c_str(), -1, wb.c_str(), -1) - CSTR_EQUAL;
}

std::string ReadFileBytes(const std::string &path) {
    std::string bytes;
    if (FILE *f = fopen(path.c_str(), "rb")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
        fclose(f);
    }
    return bytes;
}

void PrintEntry(Demo *demo, const GdirlistEntry *e) {
    if (!e) {
        ConsolePrint(demo, "(end of the list)\n");
        return;
    }
    char numbers[64];
    snprintf(numbers, sizeof numbers, "tempo %d, %d bars", static_cast<int>(e->num1),
             static_cast<int>(e->num2));
    ConsolePrint(demo, std::string("\x1b[0;1;33m") + (e->name ? e->name : "") + "\x1b[0m  " +
                           (e->name2 ? e->name2 : "") + "  " + numbers + "  \x1b[0;36m" +
                           Trimmed(e->comment) + "\x1b[0m\n");
}

int main(int argc, char **argv) {
    Demo demo;
    std::string outDir = "out";
    const char *face = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--interactive")) demo.interactive = true;
        else if (!strcmp(argv[i], "--out") && i + 1 < argc) outDir = argv[++i];
        else if (!strcmp(argv[i], "--font") && i + 1 < argc) face = argv[++i];
        else {
            fprintf(stderr, "usage: zubo-demo [--interactive] [--out DIR] [--font FACE]\n");
            return 2;
        }
    }
    demo.instance = GetModuleHandleA(nullptr);
    demo.dataDir = ProgramFolder();
    // A Japanese fixed-pitch font (or the one asked for); Shift_JIS text
    // is drawn through it.
    demo.font = CreateJapaneseFont(16, face);
    if (!CreateMainWindow(&demo)) {
        fprintf(stderr, "zubo-demo: cannot create the windows\n");
        return 1;
    }
    LoadList(&demo, demo.dataDir + "songs.lst");
    FeedSampleOutput(&demo);
    ShowWindow(demo.main, SW_SHOW);
    UpdateWindow(demo.main);
    SetFocus(demo.list);

    int status = 0;
    if (demo.interactive) {
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } else {
        status = RunScript(&demo, outDir);
        DestroyWindow(demo.main);
    }
    Consout_Release(demo.console);
    DeleteObject(demo.font);
    return status;
}
