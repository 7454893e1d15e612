// Carrying out the key map's commands on a list view window.
#include "listview/keymap_win32.h"

#include "listview/clipboard_win32.h"
#include "listview/editing_win32.h"
#include "listview/keymap.h"
#include "listview/marks_win32.h"
#include "listview/navigation_win32.h"

namespace zubo::listview {
namespace {

bool CtrlIsDown() {
    return (static_cast<unsigned short>(GetAsyncKeyState(VK_CONTROL)) >> 8) != 0;
}

// Read at each key, so that a style changed after creation takes effect.
bool DigitKeysOff(const ListViewState *s) {
    return (GetWindowLongA(s->hwnd, GWL_STYLE) & ZLS_NODIGITKEYS) != 0;
}

}  // namespace

void HandleKey(ListViewState *s, WPARAM key) {
    const KeyCommand command = CommandForKey(key, CtrlIsDown());
    if (IsDigitKeyCommand(command.action) && DigitKeysOff(s)) return;
    switch (command.action) {
    case KeyAction::kNone: break;
    case KeyAction::kActivateAndDown: ActivateAndStepDown(s); break;
    case KeyAction::kMarkInvertAndDown: MarkInvertAndDown(s); break;
    case KeyAction::kCursorPageUp: CursorPageUp(s); break;
    case KeyAction::kCursorPageDown: CursorPageDown(s); break;
    case KeyAction::kCursorEnd: CursorEnd(s); break;
    case KeyAction::kCursorTop: CursorTop(s); break;
    case KeyAction::kCursorUp: CursorUp(s); break;
    case KeyAction::kCursorDown: CursorDown(s); break;
    case KeyAction::kRestore: RestoreEntry(s); break;
    case KeyAction::kRemove: RemoveEntry(s); break;
    case KeyAction::kDeleteAll: DeleteAll(s); break;
    case KeyAction::kAddListFile: AddListFile(s, command.argument); break;
    case KeyAction::kSaveListFile: SaveListFile(s, command.argument); break;
    case KeyAction::kSaveMarkedListFile: SaveMarkedListFile(s, command.argument); break;
    case KeyAction::kMarkWildcard:
        MarkMatchWildcard(s, command.argument, command.ignoreCase);
        break;
    case KeyAction::kMarkAll: MarkAll(s); break;
    case KeyAction::kCopyMarked: CopyMarkedToClipboard(s); break;
    case KeyAction::kPaste: InsertFromClipboard(s); break;
    case KeyAction::kDeleteMarked: DeleteMarked(s); break;
    }
}

}  // namespace zubo::listview
