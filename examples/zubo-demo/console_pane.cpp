// The console pane: zubo::ConsolePane (zubo_console_pane.hpp) over the
// demo's console, with a scroll bar over the scroll-back.
#include "demo.h"

bool RegisterConsolePane(HINSTANCE instance) { return zubo::ConsolePane::Register(instance); }

bool CreateConsolePane(Demo *demo, int x, int y) {
    Consout_SetFont(demo->console, demo->font);
    if (!demo->consolePane.Create(demo->main, kPaneId, x, y, demo->console)) return false;
    demo->pane = demo->consolePane.Window();
    return true;
}

void ConsoleFlush(Demo *demo) { demo->consolePane.Refresh(); }

void ConsolePrint(Demo *demo, const std::string &bytes) { demo->consolePane.Write(bytes); }
