// The keyboard interface: WM_KEYDOWN codes, with Ctrl folded into bit 8.
#include <windows.h>

#include "listview/state.h"

namespace zubo {
namespace {

constexpr WPARAM kCtrl = 0x100;

bool CtrlIsDown() {
    return (static_cast<unsigned short>(GetAsyncKeyState(VK_CONTROL)) >> 8) != 0;
}

}  // namespace

void HandleKey(ListViewState *s, WPARAM key) {
    HWND h = s->hwnd;
    if (CtrlIsDown()) key |= kCtrl;
    switch (key) {
    case VK_RETURN:
        NotifyParent(s, ZLN_ACTIVATE);
        CursorDown(s);
        break;
    case VK_SPACE: Zubolist_MarkInvertAndDown(h); break;
    case VK_PRIOR:
    case VK_LEFT: Zubolist_CursorPageUp(h); break;
    case VK_NEXT:
    case VK_RIGHT: Zubolist_CursorPageDown(h); break;
    case VK_END: Zubolist_CursorEnd(h); break;
    case VK_HOME: Zubolist_CursorTop(h); break;
    case VK_UP: Zubolist_CursorUp(h); break;
    case VK_DOWN: CursorDown(s); break;
    case VK_INSERT: Zubolist_RestoreData(h); break;
    case VK_DELETE: Zubolist_RemoveData(h); break;
    // The digit keys work on fixed names in the current directory.
    case '0': Zubolist_DeleteAll(h); break;
    case '1': Zubolist_AddListFile(h, "a.lst"); break;
    case '2': Zubolist_SaveListFile(h, "b.lst"); break;
    case '3': Zubolist_MarkAllSaveListFile(h, "c.lst"); break;
    case '4': Zubolist_MarkMatchWildcard(h, "*.gp4", 0); break;
    case '5': Zubolist_MarkMatchWildcard(h, "*.gp4", 1); break;
    case kCtrl | 'A': Zubolist_MarkAll(h); break;
    case kCtrl | 'C': Zubolist_MarkCopyClipboard(h); break;
    case kCtrl | 'V': Zubolist_InsertFromClipboard(h); break;
    case kCtrl | 'X': Zubolist_MarkDeleteAll(h); break;
    default: break;
    }
}

}  // namespace zubo
