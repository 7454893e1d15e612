// The demo host: one main window with a menu bar, a "ZUBOLIST" list view
// and a console pane, sharing one Japanese fixed-pitch font.
#ifndef ZUBO_EXAMPLES_DEMO_H
#define ZUBO_EXAMPLES_DEMO_H

#include <windows.h>

#include <string>

#include "zubo.h"
#include "zubo_console_pane.hpp"

enum : int {
    kListId = 100,
    kPaneId = 101,
    // Menu commands.
    kCmdOpen = 1001,
    kCmdSave,
    kCmdFolder,
    kCmdExit,
    kCmdMarkAll,
    kCmdClearMarks,
    kCmdMarkGp4,
    kCmdClearConsole,
    kCmdAbout,
};

struct Demo {
    HINSTANCE instance = nullptr;
    HWND main = nullptr, list = nullptr, pane = nullptr;
    HFONT font = nullptr;
    Consout *console = nullptr;
    zubo::ConsolePane consolePane;  // shows the console; pane is its window
    std::string dataDir;  // sample files, with a trailing backslash
    bool interactive = false;
    int activations = 0;  // ZLN_ACTIVATE notifications received
};

// Keeps the demo pointer passed to CreateWindowExA in window long 0, on
// WM_NCCREATE; both window classes of the demo reserve it.
inline void StoreDemoPointer(HWND window, LPARAM createParams) {
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(
                                     reinterpret_cast<CREATESTRUCTA *>(createParams)->lpCreateParams));
}
inline Demo *DemoOf(HWND window) { return reinterpret_cast<Demo *>(GetWindowLongPtrA(window, 0)); }

// Console pane (console_pane.cpp), on zubo::ConsolePane.
bool RegisterConsolePane(HINSTANCE instance);
bool CreateConsolePane(Demo *demo, int x, int y);
void ConsolePrint(Demo *demo, const std::string &bytes);
void ConsoleFlush(Demo *demo);  // shows what changed through the C functions

// Screenshots (capture.cpp): the window with its frame, or the rows top to
// bottom of it (window coordinates) when bottom > top.
bool CaptureWindowPng(HWND window, const std::string &path, int top = 0, int bottom = 0);
// The same without repainting first: what the window's own updates left on
// the screen.
bool CaptureWindowAsShownPng(HWND window, const std::string &path, int top = 0, int bottom = 0);

// The scripted run (script.cpp): returns the number of failed checks.
int RunScript(Demo *demo, const std::string &outDir);

// Helpers shared with the script (main.cpp). CompareJapaneseText orders
// two Shift_JIS texts (null counts as empty) as on a Japanese system, under
// any code page: < 0, 0 or > 0.
void PrintEntry(Demo *demo, const GdirlistEntry *entry);
std::string ReadFileBytes(const std::string &path);
int CompareJapaneseText(const char *a, const char *b);

#endif
