// The list view's key map as data: which command a WM_KEYDOWN key code
// stands for, with or without Ctrl. Platform-independent; the window side
// (keymap_win32.cpp) reads Ctrl and carries the command out.
#ifndef ZUBO_LISTVIEW_KEYMAP_H
#define ZUBO_LISTVIEW_KEYMAP_H

#include <stdint.h>

namespace zubo::listview {

// The virtual-key codes of the map, as the system numbers them.
enum VirtualKey : uint32_t {
    kVkReturn = 0x0D,
    kVkSpace = 0x20,
    kVkPrior = 0x21,
    kVkNext = 0x22,
    kVkEnd = 0x23,
    kVkHome = 0x24,
    kVkLeft = 0x25,
    kVkUp = 0x26,
    kVkRight = 0x27,
    kVkDown = 0x28,
    kVkInsert = 0x2D,
    kVkDelete = 0x2E,
};

enum class KeyAction : uint8_t {
    kNone,
    kActivateAndDown,    // ZLN_ACTIVATE to the parent, then one row down
    kMarkInvertAndDown,
    kCursorPageUp,
    kCursorPageDown,
    kCursorEnd,
    kCursorTop,
    kCursorUp,
    kCursorDown,
    kRestore,            // the latest removed entry back
    kRemove,             // the cursor entry to the removed-entries stack
    kDeleteAll,
    kAddListFile,        // argument: the file name
    kSaveListFile,       // argument: the file name
    kSaveMarkedListFile, // argument: the file name
    kMarkWildcard,       // argument: the pattern; ignoreCase
    kMarkAll,
    kCopyMarked,
    kPaste,
    kDeleteMarked,       // nothing goes to the clipboard
};

struct KeyCommand {
    KeyAction action;
    const char *argument;  // a fixed file name or pattern, else null
    bool ignoreCase;       // kMarkWildcard only
};

// The command of a key: keyCode is WM_KEYDOWN's wParam, with bit 8 (0x100)
// ORed in while Ctrl is down; no other modifier counts. Keys that the map
// does not hold give kNone. The file names are relative to the process's
// current directory.
KeyCommand CommandForKey(uintptr_t keyCode, bool ctrl);

// The commands of the digit keys 0 to 5, which a window may switch off.
bool IsDigitKeyCommand(KeyAction action);

}  // namespace zubo::listview

#endif
