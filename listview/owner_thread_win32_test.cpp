// Calls on a list view from a thread that does not own it, and from a
// process that does not own it.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

#include "listview/test_support_win32.h"
#include "zubo.h"

namespace zubo_test {
namespace {

GdirlistEntry Entry(std::string &name, int i) {
    name = "w" + std::to_string(i);
    return GdirlistEntry{&name[0], const_cast<char *>("w.txt"), i, 0, const_cast<char *>(""), 0};
}

// The owner thread's side while a worker calls: it keeps painting the view
// and handling messages until the worker is done.
void PaintUntil(HWND view, const std::atomic<bool> &done) {
    while (!done) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        InvalidateRect(view, nullptr, TRUE);
        UpdateWindow(view);
    }
}

using OwnerThreadTest = ListViewTest;

// Many short rounds: painting walks the list's cursor and reads its nodes,
// which a worker's adds, moves and deletions would change under it.
TEST_F(OwnerThreadTest, AWorkerFillsAndEmptiesWhileTheOwnerPaints) {
    constexpr int kRounds = 60, kAdds = 10;
    std::atomic<bool> done{false};
    std::string failures;
    std::thread worker([&] {
        for (int round = 0; round < kRounds; ++round) {
            for (int i = 0; i < kAdds; ++i) {
                std::string name;
                GdirlistEntry e = Entry(name, i);
                if (Zubolist_Add(view, &e) != i + 1) failures += "add ";
            }
            if (Zubolist_GetListNum(view) != kAdds) failures += "count ";
            if (Zubolist_CursorEnd(view) != kAdds) failures += "end ";
            if (Zubolist_CursorUp(view) != kAdds - 1) failures += "up ";
            const GdirlistEntry *e = Zubolist_GetDataPtr(view);
            if (!e || e->num1 != kAdds - 1) failures += "entry ";
            Zubolist_DeleteAll(view);
            if (Zubolist_GetListNum(view) != 0) failures += "deleted ";
        }
        done = true;
    });
    PaintUntil(view, done);
    worker.join();
    EXPECT_EQ(failures, "");
    // Every cursor move (end, up, deleting) was reported to the parent.
    EXPECT_EQ(std::count(Received().begin(), Received().end(), 'C'), 3 * kRounds);
    EXPECT_EQ(Sent().find_first_not_of("C1 "), std::string::npos);
}

TEST_F(OwnerThreadTest, RoutinesAndNotificationsRunOnTheOwnerThread) {
    Fill(5);
    const DWORD owner = GetCurrentThreadId();
    std::atomic<bool> done{false};
    int visited = 0, onOwner = 0;
    std::thread worker([&] {
        struct Count {
            int *visited, *onOwner;
            DWORD owner;
        } count{&visited, &onOwner, owner};
        visited = Zubolist_EnumAll(view, [](HWND, GdirlistEntry *, void *p) {
            Count *c = static_cast<Count *>(p);
            *c->onOwner += GetCurrentThreadId() == c->owner;
            return 1;
        }, &count);
        Zubolist_CursorDown(view);
        done = true;
    });
    PaintUntil(view, done);
    worker.join();
    EXPECT_EQ(visited, 5);
    EXPECT_EQ(onOwner, 5);
    EXPECT_EQ(Sent(), "C1");
    EXPECT_EQ(Cursor(), 1);
}

TEST_F(OwnerThreadTest, AWorkerCallingADestroyedViewIsRefused) {
    Fill(3);
    DestroyWindow(view);
    int results = -1;
    std::thread worker([&] {
        results = Zubolist_GetListNum(view) + Zubolist_CursorDown(view) +
                  Zubolist_MarkSet(view, 0) + (Zubolist_GetDataPtr(view) != nullptr);
    });
    worker.join();
    EXPECT_EQ(results, 0);
    view = nullptr;
}

// A message of the private number that did not come from a waiting caller
// (as another process could send it) is not followed.
TEST_F(OwnerThreadTest, AStrayForwardedCallIsIgnored) {
    Fill(2);
    for (UINT msg = WM_USER; msg < 0x8000; ++msg) SendMessageA(view, msg, 0x1234, 0);
    EXPECT_EQ(Zubolist_GetListNum(view), 2);
}

// Runs the other-process host and reads the handle of its view.
struct OtherProcess {
    PROCESS_INFORMATION pi = {};
    HANDLE done = nullptr;
    HWND view = nullptr;

    bool Start() {
        const std::string event = "zubo-test-done-" + std::to_string(GetCurrentProcessId());
        done = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
        SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
        HANDLE readEnd, writeEnd;
        if (!done || !CreatePipe(&readEnd, &writeEnd, &sa, 0)) return false;
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA si = {sizeof si};
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = writeEnd;
        si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        std::string cmd = "other_process_host.exe " + event;
        const BOOL started = CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr,
                                            nullptr, &si, &pi);
        CloseHandle(writeEnd);
        char line[64] = {};
        DWORD got = 0;
        if (started) ReadFile(readEnd, line, sizeof line - 1, &got, nullptr);
        CloseHandle(readEnd);
        view = reinterpret_cast<HWND>(static_cast<UINT_PTR>(strtoull(line, nullptr, 10)));
        return started && view;
    }
    // Lets it go; its exit code says whether its view kept its entry.
    DWORD Finish() {
        SetEvent(done);
        DWORD code = 99;
        if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        CloseHandle(done);
        return code;
    }
};

TEST(OtherProcessTest, AViewOfAnotherProcessIsRefused) {
    OtherProcess other;
    ASSERT_TRUE(other.Start());
    HWND v = other.view;
    char name[16] = {};
    GetClassNameA(v, name, sizeof name);
    EXPECT_STREQ(name, "ZUBOLIST");  // it passes the class check
    GdirlistEntry e = {const_cast<char *>("x"), const_cast<char *>("x"), 0, 0,
                       const_cast<char *>(""), 0};
    EXPECT_EQ(Zubolist_GetListNum(v), 0);
    EXPECT_EQ(Zubolist_GetDataPtr(v), nullptr);
    EXPECT_EQ(Zubolist_Add(v, &e), 0);
    EXPECT_EQ(Zubolist_CursorEnd(v), 0);
    EXPECT_EQ(Zubolist_MarkAll(v), 0);
    EXPECT_EQ(Zubolist_MarkSet(v, 7), 7);
    EXPECT_EQ(Zubolist_SetFont(v, nullptr), 0);
    EXPECT_EQ(Zubolist_DeleteAll(v), 0);
    EXPECT_EQ(Zubolist_RemoveData(v), 0);
    EXPECT_EQ(other.Finish(), 0u);  // its view was not touched
}

}  // namespace
}  // namespace zubo_test
