#include "listview/keymap.h"

namespace zubo::listview {
namespace {

constexpr uintptr_t kCtrl = 0x100;

struct Binding {
    uintptr_t key;  // with kCtrl for Ctrl+key
    KeyCommand command;
};

// With Ctrl only A, C, V and X act; Ctrl with any other key does nothing.
constexpr Binding kBindings[] = {
    {kVkReturn, {KeyAction::kActivateAndDown, nullptr, false}},
    {kVkSpace, {KeyAction::kMarkInvertAndDown, nullptr, false}},
    {kVkPrior, {KeyAction::kCursorPageUp, nullptr, false}},
    {kVkNext, {KeyAction::kCursorPageDown, nullptr, false}},
    {kVkEnd, {KeyAction::kCursorEnd, nullptr, false}},
    {kVkHome, {KeyAction::kCursorTop, nullptr, false}},
    {kVkLeft, {KeyAction::kCursorPageUp, nullptr, false}},
    {kVkUp, {KeyAction::kCursorUp, nullptr, false}},
    {kVkRight, {KeyAction::kCursorPageDown, nullptr, false}},
    {kVkDown, {KeyAction::kCursorDown, nullptr, false}},
    {kVkInsert, {KeyAction::kRestore, nullptr, false}},
    {kVkDelete, {KeyAction::kRemove, nullptr, false}},
    // The digit keys work on fixed names in the current directory.
    {'0', {KeyAction::kDeleteAll, nullptr, false}},
    {'1', {KeyAction::kAddListFile, "a.lst", false}},
    {'2', {KeyAction::kSaveListFile, "b.lst", false}},
    {'3', {KeyAction::kSaveMarkedListFile, "c.lst", false}},
    {'4', {KeyAction::kMarkWildcard, "*.gp4", false}},
    {'5', {KeyAction::kMarkWildcard, "*.gp4", true}},
    {kCtrl | 'A', {KeyAction::kMarkAll, nullptr, false}},
    {kCtrl | 'C', {KeyAction::kCopyMarked, nullptr, false}},
    {kCtrl | 'V', {KeyAction::kPaste, nullptr, false}},
    {kCtrl | 'X', {KeyAction::kDeleteMarked, nullptr, false}},
};

}  // namespace

KeyCommand CommandForKey(uintptr_t keyCode, bool ctrl) {
    const uintptr_t key = ctrl ? keyCode | kCtrl : keyCode;
    for (const Binding &b : kBindings)
        if (b.key == key) return b.command;
    return KeyCommand{KeyAction::kNone, nullptr, false};
}

bool IsDigitKeyCommand(KeyAction action) {
    switch (action) {
    case KeyAction::kDeleteAll:
    case KeyAction::kAddListFile:
    case KeyAction::kSaveListFile:
    case KeyAction::kSaveMarkedListFile:
    case KeyAction::kMarkWildcard: return true;
    default: return false;
    }
}

}  // namespace zubo::listview
