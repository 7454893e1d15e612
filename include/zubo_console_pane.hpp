/*
 * zubo_console_pane.hpp - a child window that shows a console, header-only.
 *
 * The pane draws the console straight into its window: Consout_Update after
 * output, Consout_Draw for WM_PAINT. Its vertical scroll bar and the mouse
 * wheel move the view over the scroll-back (Consout_SetViewline); a click
 * gives it the focus, so that the wheel reaches it. Output written through
 * Write updates the bar once however many lines it scrolls.
 *
 *     zubo::ConsolePane::Register(instance);           // once per process
 *     zubo::Console console(80, 25, 1000);
 *     Consout_SetOutputMode(console.get(), 7);          // LF = CR LF
 *     Consout_SetFont(console.get(), font);             // cell size from it
 *     zubo::ConsolePane pane;
 *     pane.Create(parent, id, x, y, console.get());     // sized to the screen
 *     pane.Write("\x1b[32mready\x1b[0m\n");
 *
 * The pane uses the console's scroll-notify procedure while it exists; the
 * console must outlive the pane (or the pane's window). A ConsolePane stays
 * where it was created: it is neither copied nor moved.
 */
#ifndef ZUBO_CONSOLE_PANE_HPP
#define ZUBO_CONSOLE_PANE_HPP

#include <windows.h>

#include <string_view>

#include "zubo.hpp"

namespace zubo {

class ConsolePane {
public:
    static constexpr const char *kClassName = "ZuboConsolePane";

    ConsolePane() noexcept = default;
    ConsolePane(const ConsolePane &) = delete;
    ConsolePane &operator=(const ConsolePane &) = delete;
    ~ConsolePane() {
        if (window_) DestroyWindow(window_);
    }

    /* Registers the window class for the process; true also when it was
     * registered before. */
    static bool Register(HINSTANCE instance) noexcept {
        ClassInstance() = instance;
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &Procedure;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }

    /* The window size that shows the whole screen of the console in its
     * font, with the scroll bar and the frame of the given styles. */
    static SIZE WindowSizeFor(Consout *console, DWORD style = WS_CHILD | WS_VSCROLL,
                              DWORD exStyle = WS_EX_CLIENTEDGE) noexcept {
        RECT r = {0, 0, Consout_GetConsWidth(console) * Consout_GetFontWidth(console),
                  Consout_GetConsHeight(console) * Consout_GetBaselineskip(console)};
        AdjustWindowRectEx(&r, style & ~WS_VSCROLL, FALSE, exStyle);
        if (style & WS_VSCROLL) r.right += GetSystemMetrics(SM_CXVSCROLL);
        return SIZE{r.right - r.left, r.bottom - r.top};
    }

    /* Creates the pane as a child window of parent at (x, y), sized by
     * WindowSizeFor. false when the window cannot be made. */
    bool Create(HWND parent, int id, int x, int y, Consout *console,
                DWORD exStyle = WS_EX_CLIENTEDGE) noexcept {
        if (window_) return false;
        console_ = console;
        const SIZE size = WindowSizeFor(console, kStyle, exStyle);
        window_ = CreateWindowExA(exStyle, kClassName, "", kStyle, x, y, size.cx, size.cy, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ClassInstance(), this);
        if (!window_) {
            console_ = nullptr;
            return false;
        }
        Consout_SetScrollNotifyProc(console_, &OnScroll, reinterpret_cast<ZuboUserValue>(this));
        SyncScrollBar();
        return true;
    }

    HWND Window() const noexcept { return window_; }
    Consout *GetConsole() const noexcept { return console_; }

    /* Feeds the bytes to the console, then sets the scroll bar once and
     * draws what changed. */
    void Write(std::string_view bytes) noexcept {
        writing_ = true;
        for (char b : bytes) Consout_Putchar(console_, static_cast<unsigned char>(b));
        writing_ = false;
        Refresh();
    }

    /* After changes made through the C functions: sets the scroll bar if
     * the console scrolled, and draws what changed. */
    void Refresh() noexcept {
        if (scrolled_) SyncScrollBar();
        HDC dc = GetDC(window_);
        Consout_Update(console_, dc, 0, 0);
        ReleaseDC(window_, dc);
    }

    /* Moves the view to a scroll bar position (0: the oldest line), clamped
     * to the scroll-back, and shows it. */
    void ScrollTo(int position) noexcept {
        const int back = ScrollBack();
        position = position < 0 ? 0 : position > back ? back : position;
        Consout_SetViewline(console_, back - position);
        scrolled_ = true;
        Refresh();
    }
    /* The bar position of the view: ScrollBack() is the screen. */
    int Position() const noexcept { return ScrollBack() - Consout_GetViewline(console_); }
    /* Lines the view can stand above the screen. */
    int ScrollBack() const noexcept {
        return Consout_GetLinecnt(console_) - Consout_GetConsHeight(console_);
    }

private:
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL;

    // The module the class was registered for (one per program).
    static HINSTANCE &ClassInstance() noexcept {
        static HINSTANCE instance = nullptr;
        return instance;
    }

    static int32_t ZUBOAPI OnScroll(Consout *, ZuboUserValue user) noexcept {
        ConsolePane *pane = reinterpret_cast<ConsolePane *>(user);
        pane->scrolled_ = true;
        // Once per line: during Write the bar waits for the end.
        if (!pane->writing_) pane->SyncScrollBar();
        return 0;
    }

    void SyncScrollBar() noexcept {
        scrolled_ = false;
        const int page = Consout_GetConsHeight(console_);
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        si.nMax = ScrollBack() + page - 1;
        si.nPage = static_cast<UINT>(page);
        si.nPos = Position();
        SetScrollInfo(window_, SB_VERT, &si, TRUE);
    }

    void OnVScroll(int code) noexcept {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(window_, SB_VERT, &si);
        const int page = Consout_GetConsHeight(console_);
        switch (code) {
        case SB_LINEUP: ScrollTo(si.nPos - 1); break;
        case SB_LINEDOWN: ScrollTo(si.nPos + 1); break;
        case SB_PAGEUP: ScrollTo(si.nPos - page); break;
        case SB_PAGEDOWN: ScrollTo(si.nPos + page); break;
        case SB_THUMBTRACK: ScrollTo(si.nTrackPos); break;
        case SB_TOP: ScrollTo(0); break;
        case SB_BOTTOM: ScrollTo(ScrollBack()); break;
        default: break;
        }
    }

    // Whole notches scroll the system's wheel lines; a remainder waits.
    void OnWheel(int delta) noexcept {
        UINT lines = 3;
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        if (lines == WHEEL_PAGESCROLL) lines = static_cast<UINT>(Consout_GetConsHeight(console_));
        wheel_ += delta;
        const int notches = wheel_ / WHEEL_DELTA;
        wheel_ -= notches * WHEEL_DELTA;
        if (notches) ScrollTo(Position() - notches * static_cast<int>(lines));
    }

    void OnPaint() noexcept {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window_, &ps);
        const RECT &r = ps.rcPaint;
        Consout_Draw(console_, dc, 0, 0, r.left, r.top, r.right - r.left, r.bottom - r.top);
        // Beyond the screen's cells: the background.
        RECT client;
        GetClientRect(window_, &client);
        const int right = Consout_GetConsWidth(console_) * Consout_GetFontWidth(console_);
        const int bottom = Consout_GetConsHeight(console_) * Consout_GetBaselineskip(console_);
        const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        const RECT side = {right, 0, client.right, client.bottom};
        const RECT below = {0, bottom, right, client.bottom};
        FillRect(dc, &side, black);
        FillRect(dc, &below, black);
        EndPaint(window_, &ps);
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE) {
            const auto *create = reinterpret_cast<const CREATESTRUCTA *>(lp);
            SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            static_cast<ConsolePane *>(create->lpCreateParams)->window_ = window;
        }
        ConsolePane *pane = reinterpret_cast<ConsolePane *>(GetWindowLongPtrA(window, 0));
        if (!pane || !pane->console_) return DefWindowProcA(window, msg, wp, lp);
        switch (msg) {
        case WM_PAINT: pane->OnPaint(); return 0;
        case WM_ERASEBKGND: return 1;  // painting covers the whole client area
        case WM_VSCROLL: pane->OnVScroll(LOWORD(wp)); return 0;
        case WM_MOUSEWHEEL: pane->OnWheel(GET_WHEEL_DELTA_WPARAM(wp)); return 0;
        case WM_LBUTTONDOWN: SetFocus(window); return 0;
        case WM_NCDESTROY:
            Consout_SetScrollNotifyProc(pane->console_, nullptr, 0);
            SetWindowLongPtrA(window, 0, 0);
            pane->window_ = nullptr;
            pane->console_ = nullptr;
            break;
        }
        return DefWindowProcA(window, msg, wp, lp);
    }

    HWND window_ = nullptr;
    Consout *console_ = nullptr;
    bool writing_ = false;   // inside Write: the bar waits
    bool scrolled_ = false;  // the bar is behind the console
    int wheel_ = 0;          // wheel movement short of a notch
};

}  // namespace zubo

#endif /* ZUBO_CONSOLE_PANE_HPP */
