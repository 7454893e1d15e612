// The folder chooser without a person: the browser is modal, so a thread
// timer, dispatched by the browser's own message loop, finds its dialog
// and plays the user one step per tick. A step returns false to be tried
// again on the next tick (waiting for the dialog).
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <stdio.h>
#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "zubo.h"

namespace {

using Step = std::function<bool(HWND dialog)>;
struct Robot {
    std::vector<Step> steps;
    size_t next = 0;
    int ticks = 0, dialogsSeen = 0;
    HWND dialog = nullptr;
};
Robot *g_robot = nullptr;  // the timer procedure's only way in

BOOL CALLBACK FindBrowser(HWND w, LPARAM found) {
    char cls[32];
    GetClassNameA(w, cls, sizeof cls);
    if (strcmp(cls, "#32770") != 0 || !IsWindowVisible(w)) return TRUE;
    *reinterpret_cast<HWND *>(found) = w;
    return FALSE;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    Robot &r = *g_robot;
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBrowser, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    if (dialog != r.dialog) ++r.dialogsSeen, r.dialog = dialog;
    if (++r.ticks > 600)  // 90 s: cancel rather than hang the test
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    else if (r.next < r.steps.size() && r.steps[r.next](dialog))
        ++r.next;
}

char *ChooseWith(Robot &robot, HWND owner, const char *title, char *path) {
    g_robot = &robot;
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, OnTick);
    char *result = ZuboSelectDirectory(owner, title, path);
    KillTimer(nullptr, timer);
    return result;
}

std::string TextOf(HWND w) {
    char text[MAX_PATH + 1] = "";
    GetWindowTextA(w, text, sizeof text);
    return text;
}

// The dialog's static control that shows this text (the title or status).
HWND StaticShowing(HWND dialog, const std::string &text) {
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32];
        GetClassNameA(c, cls, sizeof cls);
        if (_stricmp(cls, "Static") == 0 && _stricmp(TextOf(c).c_str(), text.c_str()) == 0) return c;
    }
    return nullptr;
}

Step Press(int button) {
    return [button](HWND d) { return SendMessageA(GetDlgItem(d, button), BM_CLICK, 0, 0), true; };
}
// Selects a folder until the status line shows its path: a selection sent
// while the dialog is still filling its tree can be lost, so it is sent
// again on every tick until it took effect.
Step SelectUntilShown(const std::string &folder, HWND *status = nullptr) {
    return [=](HWND d) {
        if (HWND shown = StaticShowing(d, folder)) {
            if (status) *status = shown;
            return true;
        }
        SendMessageA(d, BFFM_SETSELECTIONA, TRUE, LPARAM(folder.c_str()));
        return false;
    };
}

class FolderChooser : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        char temp[MAX_PATH], dir[MAX_PATH], full[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        snprintf(dir, sizeof dir, "%szubo folder %lu", temp, GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(dir, nullptr));
        ASSERT_GT(GetLongPathNameA(dir, full, sizeof full), 0u);
        known_ = full;
    }
    void TearDown() override {
        RemoveDirectoryA(known_.c_str());
        CoUninitialize();
    }
    std::string known_;
};

TEST_F(FolderChooser, CancelGivesNull) {
    HWND owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 99, 99, nullptr,
                               nullptr, nullptr, nullptr);
    HWND ownerSeen = nullptr, title = nullptr;
    Robot robot;
    robot.steps = {[&](HWND d) {
                       title = StaticShowing(d, "Pick a test folder");
                       return (ownerSeen = GetWindow(d, GW_OWNER)), true;
                   },
                   Press(IDCANCEL)};
    char path[MAX_PATH] = "";
    EXPECT_EQ(ChooseWith(robot, owner, "Pick a test folder", path), nullptr);
    EXPECT_EQ(robot.next, robot.steps.size());
    EXPECT_EQ(robot.dialogsSeen, 1);
    EXPECT_NE(title, nullptr);
    EXPECT_EQ(ownerSeen, owner);
    DestroyWindow(owner);
    // Without a buffer there is nothing to show.
    Robot idle;
    EXPECT_EQ(ChooseWith(idle, nullptr, "Pick", nullptr), nullptr);
    EXPECT_EQ(idle.dialogsSeen, 0);
}

TEST_F(FolderChooser, OkGivesThePathShownAsStatus) {
    Robot robot;
    robot.steps = {SelectUntilShown(known_), Press(IDOK)};
    char path[MAX_PATH] = "";
    EXPECT_EQ(ChooseWith(robot, nullptr, "Pick", path), path);
    EXPECT_EQ(_stricmp(path, known_.c_str()), 0) << path << " / " << known_;
    EXPECT_EQ(robot.next, robot.steps.size()) << "the status text never showed the path";
}

// An item without a file-system path: the status text is emptied, and
// should it be accepted anyway, the result is null rather than its name.
TEST_F(FolderChooser, VirtualFolderHasNoPath) {
    LPITEMIDLIST computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    HWND status = nullptr;
    Robot robot;
    robot.steps = {SelectUntilShown(known_, &status),
                   [&](HWND d) {
                       if (TextOf(status).empty()) return true;
                       SendMessageA(d, BFFM_SETSELECTIONA, FALSE, LPARAM(computer));
                       return false;
                   },
                   [](HWND d) { return SendMessageA(d, WM_COMMAND, IDOK, 0), true; }};
    char path[MAX_PATH] = "";
    EXPECT_EQ(ChooseWith(robot, nullptr, "Pick", path), nullptr);
    EXPECT_EQ(robot.next, robot.steps.size()) << "stopped at step " << robot.next;
    ILFree(computer);
}

}  // namespace
