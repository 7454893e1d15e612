// The key map as a table: every key code from 0 to 0x1FF, with and without
// Ctrl, against the list of bindings written out here.
#include <gtest/gtest.h>

#include <string.h>

#include <map>
#include <string>

#include "listview/keymap.h"

namespace zubo::listview {
namespace {

// What a key must do, spelled out: action name, then its argument.
std::string Describe(const KeyCommand &c) {
    static const char *const kNames[] = {
        "none",       "activate+down", "mark-invert+down", "page-up",     "page-down",
        "end",        "top",           "up",               "down",        "restore",
        "remove",     "delete-all",    "add-file",         "save-file",   "save-marked",
        "wildcard",   "mark-all",      "copy",             "paste",       "delete-marked",
    };
    std::string s = kNames[static_cast<int>(c.action)];
    if (c.argument) s += std::string(" ") + c.argument;
    if (c.ignoreCase) s += " nocase";
    return s;
}

// The bindings by the key code with Ctrl in bit 8.
const std::map<unsigned, std::string> &Expected() {
    static const std::map<unsigned, std::string> bindings = {
        {0x0D, "activate+down"},   // Enter
        {0x20, "mark-invert+down"},  // Space
        {0x21, "page-up"},         // Page Up
        {0x22, "page-down"},       // Page Down
        {0x23, "end"},             // End
        {0x24, "top"},             // Home
        {0x25, "page-up"},         // Left arrow
        {0x26, "up"},              // Up arrow
        {0x27, "page-down"},       // Right arrow
        {0x28, "down"},            // Down arrow
        {0x2D, "restore"},         // Insert
        {0x2E, "remove"},          // Delete
        {0x30, "delete-all"},
        {0x31, "add-file a.lst"},
        {0x32, "save-file b.lst"},
        {0x33, "save-marked c.lst"},
        {0x34, "wildcard *.gp4"},
        {0x35, "wildcard *.gp4 nocase"},
        {0x141, "mark-all"},       // Ctrl+A
        {0x143, "copy"},           // Ctrl+C
        {0x156, "paste"},          // Ctrl+V
        {0x158, "delete-marked"},  // Ctrl+X
    };
    return bindings;
}

TEST(KeyMap, EveryKeyWithAndWithoutCtrl) {
    int bound = 0;
    for (unsigned vk = 0; vk < 0x100; ++vk) {
        for (bool ctrl : {false, true}) {
            const unsigned k = vk | (ctrl ? 0x100u : 0u);
            const auto it = Expected().find(k);
            const std::string want = it == Expected().end() ? "none" : it->second;
            EXPECT_EQ(Describe(CommandForKey(vk, ctrl)), want)
                << "key 0x" << std::hex << vk << (ctrl ? " with Ctrl" : "");
            bound += want != "none";
        }
    }
    EXPECT_EQ(bound, 22);  // every binding was reached once
}

// Bit 8 is ORed in: a code that already has it reads as the Ctrl key, with
// or without Ctrl; codes beyond the map's range are nothing.
TEST(KeyMap, CodesWithBitEightAndBeyond) {
    EXPECT_EQ(Describe(CommandForKey(0x141, false)), "mark-all");
    EXPECT_EQ(Describe(CommandForKey(0x141, true)), "mark-all");
    EXPECT_EQ(Describe(CommandForKey(0x10D, false)), "none");
    EXPECT_EQ(Describe(CommandForKey(0x20D, false)), "none");
    EXPECT_EQ(Describe(CommandForKey(0x100 | 'a', false)), "none");  // a lower-case code
    EXPECT_EQ(CommandForKey(kVkReturn, false).action, KeyAction::kActivateAndDown);
    EXPECT_EQ(CommandForKey(kVkDown, false).action, KeyAction::kCursorDown);
}

// The commands that ZLS_NODIGITKEYS switches off are those of the digit
// keys 0 to 5, and no others.
TEST(KeyMap, DigitKeyCommandsAreThoseOfTheDigitKeys) {
    for (unsigned vk = 0; vk < 0x100; ++vk)
        for (bool ctrl : {false, true})
            EXPECT_EQ(IsDigitKeyCommand(CommandForKey(vk, ctrl).action),
                      !ctrl && vk >= '0' && vk <= '5')
                << "key 0x" << std::hex << vk << (ctrl ? " with Ctrl" : "");
}

}  // namespace
}  // namespace zubo::listview
