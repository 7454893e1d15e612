// The list view as accessibility clients see it: through its accessible
// object in the process (whose threads with windows wine puts in a COM
// apartment), from other threads, and from a client process of its own
// (accessible_client_win32_test.cpp), with the WinEvents that tell them of
// changes. The views sit beside the shared test parent, never over it.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <stdio.h>
#include <string.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "listview/accessible_test_support_win32.h"
#include "listview/test_support_win32.h"
#include "zubo.h"

namespace zubo_test {
namespace {

// Japanese texts in Shift_JIS and what a client reads of them in UTF-8.
const char kSjisName[] = "\x93\xfa\x96\x7b";                 // 日本
const char kSjisName2[] = "\x83\x65\x83\x58\x83\x67.txt";     // テスト.txt
const char kSjisComment[] = "\x82\xa0";                      // あ
const char kUtf8Name[] = "\xe6\x97\xa5\xe6\x9c\xac";
const char kUtf8Name2[] = "\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88.txt";
const char kUtf8Comment[] = "\xe3\x81\x82";

constexpr HRESULT kDisconnected = RPC_E_DISCONNECTED;

// The parent of the views here: records notifications as the shared parent
// does, and marks those that arrive on another thread than its own.
std::function<void(int)> &OnNotification() {
    static std::function<void(int)> f;
    return f;
}

LRESULT CALLBACK AccessibleParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && reinterpret_cast<HWND>(lParam) == CurrentView()) {
        std::string &r = Received();
        r += (r.empty() ? "C" : " C") + std::to_string(HIWORD(wParam));
        if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) r += "@other";
        if (OnNotification()) OnNotification()(HIWORD(wParam));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND AccessibleParent() {
    static HWND parent = [] {
        InitZubolist();  // once for the process; later calls fail harmlessly
        WNDCLASSA wc = {};
        wc.lpfnWndProc = AccessibleParentProc;
        wc.lpszClassName = "ZuboAccessibleParent";
        RegisterClassA(&wc);
        return CreateWindowA("ZuboAccessibleParent", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 920,
                             420, 340, 400, nullptr, nullptr, nullptr, nullptr);
    }();
    return parent;
}

// The row text of entry e<i> (as ListViewTest::Fill makes it: name2
// f<i>.txt, num1 i, num2 -i, comment "c") with the default column widths.
std::string RowText(int i) {
    char row[128];
    const std::string name = "e" + std::to_string(i), name2 = "f" + std::to_string(i) + ".txt";
    snprintf(row, sizeof row, "%12.12s/%-16.16s %9d %9d %s", name.c_str(), name2.c_str(), i, -i,
             "c");
    return row;
}

void PumpUntil(const std::atomic<bool> &done) {
    while (!done) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Pump();
    }
}

Ref<IAccessible> ObjectOf(HWND view) {
    Ref<IAccessible> acc;
    AccessibleObjectFromWindow(view, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                               reinterpret_cast<void **>(acc.Out()));
    return acc;
}

// Views of 10 rows named "Songs" in a parent of their own, narrow enough
// for the default column widths.
struct AccessibleTest : ListViewTest {
    AccessibleTest() : ListViewTest(AccessibleParent()) {}

    void SetUp() override {
        ListViewTest::SetUp();
        SetWindowTextA(view, "Songs");
    }
    void TearDown() override {
        OnNotification() = nullptr;
        ListViewTest::TearDown();
        SetFocus(nullptr);
        Pump();
    }
    void AddJapanese() {
        GdirlistEntry e = {const_cast<char *>(kSjisName), const_cast<char *>(kSjisName2), 7, 8,
                           const_cast<char *>(kSjisComment), 0};
        Zubolist_Add(view, &e);
        Settle();
    }
    void GiveFocus() {
        SetForegroundWindow(parent);
        SetFocus(view);
        ASSERT_EQ(GetFocus(), view);
    }
    // Marks the entries with these rows (the cursor does not move).
    void MarkRows(std::initializer_list<int> rows) {
        std::vector<int> r(rows);
        Zubolist_EnumAll(view, [](HWND, GdirlistEntry *e, void *p) {
            for (int row : *static_cast<std::vector<int> *>(p))
                if (e->num1 == row) e->flags |= GDIRLIST_MARK;
            return 1;
        }, &r);
        Settle();
    }
    RECT ClientOnScreen() {
        RECT r;
        GetClientRect(view, &r);
        MapWindowPoints(view, nullptr, reinterpret_cast<POINT *>(&r), 2);
        return r;
    }
};

TEST_F(AccessibleTest, TheListAndItsRows) {
    Fill(3);
    AddJapanese();
    Ref<IAccessible> acc = ObjectOf(view);
    ASSERT_TRUE(acc) << "the view gave no accessible object";
    EXPECT_EQ(Role(acc.get(), CHILDID_SELF), Hex(ROLE_SYSTEM_LIST));
    EXPECT_EQ(Role(acc.get(), 1), Hex(ROLE_SYSTEM_LISTITEM));
    long count = 0;
    EXPECT_EQ(acc->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 4);  // the entries; the end row is not a child
    EXPECT_EQ(Name(acc.get(), CHILDID_SELF), "Songs");
    EXPECT_EQ(Name(acc.get(), 1), RowText(0));
    EXPECT_EQ(Name(acc.get(), 3), RowText(2));
    // Shift_JIS texts read as Japanese, the name right-aligned in 12 bytes.
    EXPECT_EQ(Name(acc.get(), 4), std::string(8, ' ') + kUtf8Name + "/" + kUtf8Name2 +
                                      std::string(6, ' ') + "         7         8 " +
                                      kUtf8Comment);
    // Children outside the entries are refused.
    EXPECT_EQ(Name(acc.get(), 5), "error " + Hex(E_INVALIDARG));
    EXPECT_EQ(Role(acc.get(), -1), "error " + Hex(E_INVALIDARG));
    VARIANT text;
    text.vt = VT_BSTR;
    text.bstrVal = nullptr;
    BSTR name = nullptr;
    EXPECT_EQ(acc->get_accName(text, &name), E_INVALIDARG);
    // The entries are simple elements: no object of their own.
    IDispatch *child = reinterpret_cast<IDispatch *>(1);
    EXPECT_EQ(acc->get_accChild(Child(2), &child), S_FALSE);
    EXPECT_EQ(child, nullptr);
    EXPECT_EQ(acc->get_accChild(Child(CHILDID_SELF), &child), E_INVALIDARG);
    // Its parent is the window's own object; its window is the view.
    Ref<IDispatch> up;
    ASSERT_EQ(acc->get_accParent(up.Out()), S_OK);
    Ref<IAccessible> window;
    ASSERT_EQ(up->QueryInterface(kIidAccessible, reinterpret_cast<void **>(window.Out())), S_OK);
    HWND found = nullptr;
    EXPECT_EQ(WindowFromAccessibleObject(window.get(), &found), S_OK);
    EXPECT_EQ(found, view);
    found = nullptr;
    EXPECT_EQ(WindowFromAccessibleObject(acc.get(), &found), S_OK);
    EXPECT_EQ(found, view);
    // One object per view.
    EXPECT_EQ(ObjectOf(view).get(), acc.get());
    EXPECT_EQ(Sent(), "");
}

TEST_F(AccessibleTest, StatesFollowMarksCursorFocusAndScrolling) {
    Fill(30);
    MarkRows({2, 5});
    Ref<IAccessible> acc = ObjectOf(view);
    ASSERT_TRUE(acc);
    const long row = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    const long list = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_MULTISELECTABLE;
    EXPECT_EQ(State(acc.get(), CHILDID_SELF), Hex(list));
    EXPECT_EQ(State(acc.get(), 1), Hex(row));  // the cursor row, but the view has no focus
    EXPECT_EQ(State(acc.get(), 3), Hex(row | STATE_SYSTEM_SELECTED));
    EXPECT_EQ(State(acc.get(), 6), Hex(row | STATE_SYSTEM_SELECTED));
    EXPECT_EQ(State(acc.get(), 10), Hex(row));
    EXPECT_EQ(State(acc.get(), 11), Hex(row | STATE_SYSTEM_OFFSCREEN));
    GiveFocus();
    EXPECT_EQ(State(acc.get(), CHILDID_SELF), Hex(list | STATE_SYSTEM_FOCUSED));
    EXPECT_EQ(State(acc.get(), 1), Hex(row | STATE_SYSTEM_FOCUSED));
    Zubolist_CursorEnd(view);  // the end row: rows 21 ... 29 and the end row show
    EXPECT_EQ(State(acc.get(), 1), Hex(row | STATE_SYSTEM_OFFSCREEN));
    EXPECT_EQ(State(acc.get(), 21), Hex(row | STATE_SYSTEM_OFFSCREEN));
    EXPECT_EQ(State(acc.get(), 22), Hex(row));
    EXPECT_EQ(State(acc.get(), 30), Hex(row));
    SetFocus(parent);
    EXPECT_EQ(State(acc.get(), CHILDID_SELF), Hex(list));
    ShowWindow(view, SW_HIDE);
    EXPECT_EQ(State(acc.get(), CHILDID_SELF), Hex(list | STATE_SYSTEM_INVISIBLE));
}

TEST_F(AccessibleTest, LocationsAndHitTests) {
    Fill(30);
    Ref<IAccessible> acc = ObjectOf(view);
    ASSERT_TRUE(acc);
    const RECT client = ClientOnScreen();
    RECT r = Location(acc.get(), CHILDID_SELF);
    EXPECT_TRUE(EqualRect(&r, &client));
    r = Location(acc.get(), 3);
    const RECT third = {client.left, client.top + 2 * lineHeight, client.right,
                        client.top + 3 * lineHeight};
    EXPECT_TRUE(EqualRect(&r, &third)) << r.left << "," << r.top << "," << r.right << ","
                                        << r.bottom;
    const int x = client.left + 5, mid = lineHeight / 2;
    EXPECT_EQ(HitTest(acc.get(), x, client.top + 2 * lineHeight + mid), "3");
    EXPECT_EQ(HitTest(acc.get(), x, client.top + 9 * lineHeight + mid), "10");
    EXPECT_EQ(HitTest(acc.get(), client.left - 3, client.top + mid), "none");
    EXPECT_EQ(HitTest(acc.get(), x, client.bottom + 3), "none");
    Zubolist_CursorEnd(view);  // row 21 at the top, the end row at the bottom
    EXPECT_EQ(HitTest(acc.get(), x, client.top + mid), "22");
    EXPECT_EQ(HitTest(acc.get(), x, client.top + 9 * lineHeight + mid), "0");
    r = Location(acc.get(), 22);
    EXPECT_EQ(r.top, client.top);
    r = Location(acc.get(), 1);  // above the view
    EXPECT_EQ(r.top, client.top - 21 * lineHeight);
    Zubolist_DeleteAll(view);  // below the end row lies the list itself
    EXPECT_EQ(HitTest(acc.get(), x, client.top + 5 * lineHeight + mid), "0");
}

TEST_F(AccessibleTest, Navigation) {
    Ref<IAccessible> acc = ObjectOf(view);
    ASSERT_TRUE(acc);
    EXPECT_EQ(Navigate(acc.get(), NAVDIR_FIRSTCHILD, CHILDID_SELF), "none");  // no entries
    Fill(3);
    EXPECT_EQ(Navigate(acc.get(), NAVDIR_FIRSTCHILD, CHILDID_SELF), "1");
    EXPECT_EQ(Navigate(acc.get(), NAVDIR_LASTCHILD, CHILDID_SELF), "3");
    EXPECT_EQ(Navigate(acc.get(), NAVDIR_NEXT, 1), "2");
    EXPECT_EQ(Navigate(acc.get(), NAVDIR_DOWN, 2), "3");
    EXPECT_EQ(Navigate(acc.get(), NAVDIR_NEXT, 3), "none");
    EXPECT_EQ(Navigate(acc.get(), NAVDIR_PREVIOUS, 3), "2");
    EXPECT_EQ(Navigate(acc.get(), NAVDIR_UP, 1), "none");
    EXPECT_EQ(Navigate(acc.get(), NAVDIR_LEFT, 2), "none");
    EXPECT_EQ(Navigate(acc.get(), NAVDIR_RIGHT, 2), "none");
    EXPECT_EQ(Navigate(acc.get(), NAVDIR_FIRSTCHILD, 2), "error " + Hex(E_INVALIDARG));
    EXPECT_EQ(Navigate(acc.get(), NAVDIR_NEXT, 4), "error " + Hex(E_INVALIDARG));
    EXPECT_EQ(Navigate(acc.get(), 99, 1), "error " + Hex(E_INVALIDARG));
}

TEST_F(AccessibleTest, FocusIsTheCursorAndSelectionTheMarks) {
    Fill(5);
    Ref<IAccessible> acc = ObjectOf(view);
    ASSERT_TRUE(acc);
    EXPECT_EQ(Focus(acc.get()), "none");  // the view has no focus
    GiveFocus();
    EXPECT_EQ(Focus(acc.get()), "1");
    Zubolist_CursorDown(view);
    Zubolist_CursorDown(view);
    EXPECT_EQ(Focus(acc.get()), "3");
    Zubolist_CursorEnd(view);
    EXPECT_EQ(Focus(acc.get()), "0");  // the end row: the list itself
    EXPECT_EQ(Selection(acc.get()), "none");
    MarkRows({1});
    EXPECT_EQ(Selection(acc.get()), "2");
    MarkRows({3, 4});
    EXPECT_EQ(Selection(acc.get()), "2,4,5");
    // The enumeration is a copy that steps, skips, starts again and clones.
    VARIANT v;
    ASSERT_EQ(acc->get_accSelection(&v), S_OK);
    ASSERT_EQ(v.vt, VT_UNKNOWN);
    Ref<IEnumVARIANT> e;
    ASSERT_EQ(v.punkVal->QueryInterface(kIidEnumVariant, reinterpret_cast<void **>(e.Out())),
              S_OK);
    v.punkVal->Release();
    Zubolist_MarkClearAll(view);
    VARIANT items[3];
    ULONG fetched = 0;
    EXPECT_EQ(e->Next(2, items, &fetched), S_OK);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(items[0].lVal * 10 + items[1].lVal, 24);
    EXPECT_EQ(e->Next(3, items, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(items[0].lVal, 5);
    EXPECT_EQ(e->Reset(), S_OK);
    EXPECT_EQ(e->Skip(4), S_FALSE);
    e->Reset();
    e->Skip(1);
    Ref<IEnumVARIANT> copy;
    ASSERT_EQ(e->Clone(copy.Out()), S_OK);
    EXPECT_EQ(copy->Next(1, items, nullptr), S_OK);
    EXPECT_EQ(items[0].lVal, 4);
    EXPECT_EQ(Selection(acc.get()), "none");  // the view's own marks are gone
}

TEST_F(AccessibleTest, SelectTakesTheFocusAndSetsMarks) {
    Fill(10);
    Ref<IAccessible> acc = ObjectOf(view);
    ASSERT_TRUE(acc);
    EXPECT_EQ(acc->accSelect(SELFLAG_TAKEFOCUS, Child(4)), S_OK);
    EXPECT_EQ(Cursor(), 3);
    EXPECT_EQ(Sent(), "C1");
    EXPECT_EQ(GetFocus(), view);
    EXPECT_EQ(Focus(acc.get()), "4");
    EXPECT_EQ(acc->accSelect(SELFLAG_TAKEFOCUS, Child(4)), S_OK);  // already there
    EXPECT_EQ(Sent(), "");
    // Marks change silently, as every marking does.
    EXPECT_EQ(acc->accSelect(SELFLAG_ADDSELECTION, Child(2)), S_OK);
    EXPECT_EQ(acc->accSelect(SELFLAG_ADDSELECTION, Child(6)), S_OK);
    EXPECT_EQ(Selection(acc.get()), "2,6");
    EXPECT_EQ(acc->accSelect(SELFLAG_REMOVESELECTION, Child(2)), S_OK);
    EXPECT_EQ(Selection(acc.get()), "6");
    EXPECT_EQ(acc->accSelect(SELFLAG_TAKESELECTION, Child(8)), S_OK);
    EXPECT_EQ(Selection(acc.get()), "8");
    // Extending from the cursor (row 3, child 4).
    EXPECT_EQ(acc->accSelect(SELFLAG_EXTENDSELECTION | SELFLAG_ADDSELECTION, Child(6)), S_OK);
    EXPECT_EQ(Selection(acc.get()), "4,5,6,8");
    EXPECT_EQ(acc->accSelect(SELFLAG_EXTENDSELECTION, Child(2)), S_OK);  // the anchor is marked
    EXPECT_EQ(Selection(acc.get()), "2,3,4,5,6,8");
    EXPECT_EQ(Sent(), "");
    EXPECT_EQ(acc->accSelect(SELFLAG_EXTENDSELECTION | SELFLAG_REMOVESELECTION |
                                 SELFLAG_TAKEFOCUS,
                             Child(9)),
              S_OK);
    EXPECT_EQ(Selection(acc.get()), "2,3");
    EXPECT_EQ(Cursor(), 8);
    EXPECT_EQ(Sent(), "C1");
    // Requests that contradict themselves, and the list itself, which only
    // takes the focus.
    EXPECT_EQ(acc->accSelect(SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION, Child(1)),
              E_INVALIDARG);
    EXPECT_EQ(acc->accSelect(SELFLAG_TAKESELECTION | SELFLAG_EXTENDSELECTION, Child(1)),
              E_INVALIDARG);
    EXPECT_EQ(acc->accSelect(0x20, Child(1)), E_INVALIDARG);
    EXPECT_EQ(acc->accSelect(SELFLAG_ADDSELECTION, Child(11)), E_INVALIDARG);
    EXPECT_EQ(acc->accSelect(SELFLAG_ADDSELECTION, Child(CHILDID_SELF)), E_INVALIDARG);
    SetFocus(parent);
    EXPECT_EQ(acc->accSelect(SELFLAG_TAKEFOCUS, Child(CHILDID_SELF)), S_OK);
    EXPECT_EQ(GetFocus(), view);
    EXPECT_EQ(Selection(acc.get()), "2,3");
    EXPECT_EQ(Sent(), "");
}

TEST_F(AccessibleTest, TheDefaultActionIsEnterOnTheRow) {
    Fill(5);
    Ref<IAccessible> acc = ObjectOf(view);
    ASSERT_TRUE(acc);
    BSTR action = nullptr;
    ASSERT_EQ(acc->get_accDefaultAction(Child(2), &action), S_OK);
    EXPECT_EQ(Utf8(action), "Double Click");
    SysFreeString(action);
    EXPECT_EQ(acc->get_accDefaultAction(Child(CHILDID_SELF), &action), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->accDoDefaultAction(Child(3)), S_OK);  // to row 2, activated, one down
    EXPECT_EQ(Sent(), "C1 C2 C1");
    EXPECT_EQ(Cursor(), 3);
    EXPECT_EQ(acc->accDoDefaultAction(Child(4)), S_OK);  // the cursor row
    EXPECT_EQ(Sent(), "C2 C1");
    EXPECT_EQ(acc->accDoDefaultAction(Child(5)), S_OK);  // the last entry: down to the end row
    EXPECT_EQ(Sent(), "C2 C1");
    EXPECT_EQ(Cursor(), 5);
    EXPECT_EQ(acc->accDoDefaultAction(Child(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(acc->accDoDefaultAction(Child(6)), E_INVALIDARG);
    EXPECT_EQ(Sent(), "");
}

// Every method of an object whose view is gone says so, whatever the
// view's memory holds now.
void ExpectDisconnected(IAccessible *acc) {
    VARIANT v, one = Child(1);
    BSTR text = nullptr;
    long x, y, w, h;
    IDispatch *dispatch = nullptr;
    ITypeInfo *info = nullptr;
    UINT n;
    DISPID id;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"accName")};
    const IID none = {};
    const HRESULT results[] = {
        acc->GetTypeInfoCount(&n),
        acc->GetTypeInfo(0, 0, &info),
        acc->GetIDsOfNames(none, names, 1, 0, &id),
        acc->Invoke(DISPID_ACC_NAME, none, 0, DISPATCH_PROPERTYGET, nullptr, &v, nullptr,
                    nullptr),
        acc->get_accParent(&dispatch),
        acc->get_accChildCount(&x),
        acc->get_accChild(one, &dispatch),
        acc->get_accName(one, &text),
        acc->get_accValue(one, &text),
        acc->get_accDescription(one, &text),
        acc->get_accRole(one, &v),
        acc->get_accState(one, &v),
        acc->get_accHelp(one, &text),
        acc->get_accHelpTopic(&text, one, &x),
        acc->get_accKeyboardShortcut(one, &text),
        acc->get_accFocus(&v),
        acc->get_accSelection(&v),
        acc->get_accDefaultAction(one, &text),
        acc->accSelect(SELFLAG_TAKEFOCUS, one),
        acc->accLocation(&x, &y, &w, &h, one),
        acc->accNavigate(NAVDIR_NEXT, one, &v),
        acc->accHitTest(0, 0, &v),
        acc->accDoDefaultAction(one),
        acc->put_accName(one, nullptr),
        acc->put_accValue(one, nullptr),
    };
    int i = 0;
    for (HRESULT hr : results) EXPECT_EQ(hr, kDisconnected) << "method " << i++;
    Ref<IOleWindow> window;
    ASSERT_EQ(acc->QueryInterface(kIidOleWindow, reinterpret_cast<void **>(window.Out())), S_OK);
    HWND hwnd;
    EXPECT_EQ(window->GetWindow(&hwnd), kDisconnected);
    EXPECT_EQ(window->ContextSensitiveHelp(FALSE), kDisconnected);
}

TEST_F(AccessibleTest, TheObjectOutlivesItsView) {
    Fill(5);
    MarkRows({1, 3});
    Ref<IAccessible> acc = ObjectOf(view);
    ASSERT_TRUE(acc);
    VARIANT selection;
    ASSERT_EQ(acc->get_accSelection(&selection), S_OK);
    ASSERT_EQ(selection.vt, VT_UNKNOWN);
    const size_t stateSize = _msize(reinterpret_cast<void *>(GetWindowLongPtrA(view, 0)));
    DestroyWindow(view);
    view = nullptr;
    // The host reuses the view's memory at once.
    std::vector<void *> reused;
    for (int i = 0; i < 64; ++i) {
        reused.push_back(malloc(stateSize));
        memset(reused.back(), 0xA5, stateSize);
    }
    ExpectDisconnected(acc.get());
    EXPECT_EQ(ChildText(S_OK, selection), "2,4");  // the enumeration is the client's own
    for (void *p : reused) free(p);
    EXPECT_EQ(acc->AddRef(), 2u);  // the window let go of its reference
    EXPECT_EQ(acc->Release(), 1u);
}

TEST_F(AccessibleTest, AParentThatClosesTheViewOnActivation) {
    Fill(5);
    Ref<IAccessible> acc = ObjectOf(view);
    ASSERT_TRUE(acc);
    OnNotification() = [this](int code) {
        if (code == ZLN_ACTIVATE) DestroyWindow(view);
    };
    EXPECT_EQ(acc->accDoDefaultAction(Child(2)), S_OK);
    EXPECT_EQ(Sent(), "C1 C2");  // no step down after the view died
    EXPECT_FALSE(IsWindow(view));
    view = nullptr;
    ExpectDisconnected(acc.get());
}

TEST_F(AccessibleTest, ReferenceCountingIsExact) {
    Fill(3);
    Ref<IAccessible> acc = ObjectOf(view);
    ASSERT_TRUE(acc);
    const int blocks = HeapBlocksInUse();
    for (int i = 0; i < 10000; ++i) {
        Ref<IAccessible> again = ObjectOf(view);
        ASSERT_EQ(again.get(), acc.get());
    }
    EXPECT_EQ(HeapBlocksInUse(), blocks);
    EXPECT_EQ(acc->AddRef(), 3u);  // the window's, ours, this one
    EXPECT_EQ(acc->Release(), 2u);
    // A view that dies frees its object with the last client reference.
    DestroyWindow(view);
    view = nullptr;
    const int withObject = HeapBlocksInUse();
    acc.Reset();
    EXPECT_EQ(HeapBlocksInUse(), withObject - 1);
}

// A view whose thread is in no COM apartment (the library then serves it
// from the process's multithreaded apartment), read by clients on threads
// of every kind: one outside any apartment and one in the multithreaded
// apartment share the object itself, whose methods they call on their own
// threads; an apartment thread and this thread get a proxy.
TEST_F(AccessibleTest, ClientsOnOtherThreads) {
    std::atomic<bool> ready{false}, done{false};
    HWND owned = nullptr;
    std::string here;
    bool outside = false;
    const IAccessible *object = nullptr;
    std::thread owner([&] {
        HWND top = CreateWindowA("ZuboAccessibleParent", "", WS_OVERLAPPEDWINDOW, 920, 0, 340,
                                 400, nullptr, nullptr, nullptr, nullptr);
        owned = CurrentView() =
            CreateWindowA("ZUBOLIST", "Owned", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 300,
                          10 * lineHeight, top, reinterpret_cast<HMENU>(kChildId), nullptr,
                          nullptr);
        for (int i = 0; i < 5; ++i) {
            std::string name = "e" + std::to_string(i), name2 = "f" + std::to_string(i) + ".txt";
            GdirlistEntry e = {&name[0], &name2[0], i, -i, const_cast<char *>("c"),
                               i == 2 ? GDIRLIST_MARK : 0u};
            Zubolist_Add(owned, &e);
        }
        SetFocus(owned);  // as the clients' selections will leave it
        // Wine's input method support enters every thread with windows
        // into an apartment; a host thread need not be in one.
        APTTYPE type;
        APTTYPEQUALIFIER qualifier;
        for (int i = 0; i < 8 && CoGetApartmentType(&type, &qualifier) == S_OK; ++i)
            CoUninitialize();
        outside = CoGetApartmentType(&type, &qualifier) == CO_E_NOTINITIALIZED;
        {
            Ref<IAccessible> acc = ObjectOf(owned);
            here = acc ? Describe(acc.get(), 5) : "no object";
            object = acc.get();
        }
        ready = true;
        PumpUntil(done);
        DestroyWindow(top);
    });
    while (!ready) Sleep(1);
    EXPECT_TRUE(outside);
    EXPECT_NE(here.find("name Owned count 5"), std::string::npos) << here;
    const DWORD kNone = DWORD(-1);
    for (DWORD apartment : {kNone, DWORD(COINIT_MULTITHREADED), DWORD(COINIT_APARTMENTTHREADED)}) {
        SCOPED_TRACE(apartment);
        std::string there;
        HRESULT moved = E_FAIL, back = E_FAIL;
        bool shared = false;
        std::thread client([&] {
            if (apartment != kNone) CoInitializeEx(nullptr, apartment);
            {
                Ref<IAccessible> acc = ObjectOf(owned);
                shared = acc.get() == object;
                there = acc ? Describe(acc.get(), 5) : "no object";
                if (acc) moved = acc->accSelect(SELFLAG_TAKEFOCUS, Child(4));
                if (acc) back = acc->accSelect(SELFLAG_TAKEFOCUS, Child(1));
            }
            if (apartment != kNone) CoUninitialize();
        });
        client.join();
        EXPECT_EQ(shared, apartment != DWORD(COINIT_APARTMENTTHREADED));
        EXPECT_EQ(there, here);
        EXPECT_EQ(moved, S_OK);
        EXPECT_EQ(back, S_OK);
        EXPECT_EQ(Sent(), "C1 C1");  // both on the view's own thread
    }
    {
        Ref<IAccessible> acc = ObjectOf(owned);
        EXPECT_EQ(acc ? Describe(acc.get(), 5) : "no object", here);
    }
    done = true;
    owner.join();
}

// WinEvents of the view as a hook outside the call sees them, each
// resolved with AccessibleObjectFromEvent when it is delivered.
struct EventLog {
    HWND view;
    bool resolve;  // false: only the event and its child id, no request to the view
    std::vector<std::string> lines;
};
EventLog *g_log;

void CALLBACK LogEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                       DWORD) {
    const char *name = EventName(event);
    if (!g_log || hwnd != g_log->view || object != OBJID_CLIENT || !name) return;
    IAccessible *acc = nullptr;
    VARIANT v;
    std::string line = std::string(name) + " " + std::to_string(child);
    if (g_log->resolve && SUCCEEDED(AccessibleObjectFromEvent(hwnd, object, child, &acc, &v)) &&
        acc) {
        line += " " + Name(acc, v.vt == VT_I4 ? v.lVal : -1);
        acc->Release();
    }
    g_log->lines.push_back(line);
}

struct EventTest : AccessibleTest {
    EventLog log;
    HWINEVENTHOOK hook = nullptr;

    void SetUp() override {
        AccessibleTest::SetUp();
        log.view = view;
        log.resolve = true;
        g_log = &log;
        hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_NAMECHANGE, nullptr, LogEvent,
                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook, nullptr);
    }
    void TearDown() override {
        UnhookWinEvent(hook);
        g_log = nullptr;
        AccessibleTest::TearDown();
    }
    // The events delivered since the last call, one a line.
    std::string Events() {
        Pump();
        std::string s;
        for (const std::string &l : log.lines) s += l + "\n";
        log.lines.clear();
        return s;
    }
};

TEST_F(EventTest, FocusAlwaysRowsOnceAClientAsked) {
    Fill(5);
    Events();
    // Before any client asked: the focus (the system's for the list, then
    // the cursor row's), and nothing about the rows.
    log.resolve = false;
    GiveFocus();
    Zubolist_MarkInvert(view);
    Zubolist_CursorDown(view);
    Zubolist_Sort(view, [](const GdirlistEntry *a, const GdirlistEntry *b, ZuboUserValue) {
        return b->num1 - a->num1;
    }, 0);
    std::string seen = Events();
    // The system may announce the list itself first (wine does not); the
    // cursor never stands on the end row here.
    if (seen.compare(0, 8, "focus 0\n") == 0) seen.erase(0, 8);
    EXPECT_EQ(seen, "focus 1\nfocus 2\nfocus 1\n");
    // A client asks: from here on the rows are told too.
    log.resolve = true;
    ASSERT_TRUE(ObjectOf(view));
    Zubolist_CursorDown(view);
    EXPECT_EQ(Events(), "focus 2 " + RowText(3) + "\n");
    Zubolist_MarkInvert(view);
    EXPECT_EQ(Events(), "selectionadd 2 " + RowText(3) + "\n");
    Zubolist_MarkInvertAndDown(view);  // unmarks and steps
    EXPECT_EQ(Events(), "selectionremove 2 " + RowText(3) + "\nfocus 3 " + RowText(2) + "\n");
    Zubolist_MarkAll(view);
    EXPECT_EQ(Events(), "selectionwithin 0 Songs\n");
    std::string name = "e5", name2 = "f5.txt";
    GdirlistEntry e = {&name[0], &name2[0], 5, -5, const_cast<char *>("c"), 0};
    Zubolist_Add(view, &e);
    EXPECT_EQ(Events(), "create 6 " + RowText(5) + "\n");
    // Rows that land beyond the page (10 rows) are not told of one by one.
    std::string created;
    for (int i = 6; i < 13; ++i) {
        name = "e" + std::to_string(i), name2 = "f" + std::to_string(i) + ".txt";
        GdirlistEntry more = {&name[0], &name2[0], i, -i, const_cast<char *>("c"), 0};
        Zubolist_Add(view, &more);
        if (i < 10) created += "create " + std::to_string(i + 1) + " " + RowText(i) + "\n";
    }
    EXPECT_EQ(Events(), created);
    // A walk routine that changes one entry's comment and another's mark.
    Zubolist_EnumAll(view, [](HWND, GdirlistEntry *entry, void *) {
        if (entry->num1 == 2) entry->comment[0] = 'd';
        if (entry->num1 == 4) entry->flags &= ~GDIRLIST_MARK;
        return 1;
    }, nullptr);
    std::string changed = RowText(2);
    changed.back() = 'd';
    EXPECT_EQ(Events(), "namechange 3 " + changed + "\nselectionremove 1 " + RowText(4) + "\n");
    Zubolist_RemoveData(view);  // the cursor row's entry goes: the next one is focused
    EXPECT_EQ(Events(), "reorder 0 Songs\nfocus 3 " + RowText(1) + "\n");
    Zubolist_EnumAll(view, nullptr, nullptr);  // counting changes nothing
    // Wider, the name column grows: every row's text changes. Higher, no
    // text does.
    SetWindowPos(view, nullptr, 0, 0, 600, 10 * lineHeight, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(Events(), "reorder 0 Songs\n");
    SetWindowPos(view, nullptr, 0, 0, 600, 12 * lineHeight, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(Events(), "");
    SetFocus(parent);
    Zubolist_CursorDown(view);  // no focus, no focus event
    EXPECT_EQ(Events(), "");
    EXPECT_EQ(Sent(), "C1 C1 C1 C1");  // the parent heard what it always did
}

// A hook inside the call (as an in-process client may install) runs while
// the view is at work, reads it and may close it.
struct InContext {
    HWND view;
    std::vector<std::string> names;
    bool close;
};
InContext *g_inContext;

void CALLBACK InContextHook(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD,
                            DWORD) {
    if (!g_inContext || hwnd != g_inContext->view || object != OBJID_CLIENT) return;
    IAccessible *acc = nullptr;
    VARIANT v;
    if (SUCCEEDED(AccessibleObjectFromEvent(hwnd, object, child, &acc, &v)) && acc) {
        g_inContext->names.push_back(Name(acc, v.vt == VT_I4 ? v.lVal : -1));
        acc->Release();
    }
    if (g_inContext->close) DestroyWindow(hwnd);
}

TEST_F(AccessibleTest, AnInContextHookReadsAndClosesTheView) {
    Fill(5);
    GiveFocus();
    InContext context{view, {}, false};
    g_inContext = &context;
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, GetModuleHandleA(nullptr),
                        InContextHook, GetCurrentProcessId(), 0, WINEVENT_INCONTEXT);
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(Zubolist_CursorDown(view), 1);
    ASSERT_EQ(context.names.size(), 1u);  // called inside the move, before the parent heard
    EXPECT_EQ(context.names[0], RowText(1));
    EXPECT_EQ(Sent(), "C1");
    context.close = true;
    EXPECT_EQ(Zubolist_CursorDown(view), 2);
    EXPECT_FALSE(IsWindow(view));
    EXPECT_EQ(Sent(), "");  // the view died before it could notify
    view = nullptr;
    UnhookWinEvent(hook);
    g_inContext = nullptr;
}

// The client program in a process of its own, talked to through pipes.
// While it works this thread keeps handling messages, since the client's
// requests come to the view as messages.
struct ClientProcess {
    PROCESS_INFORMATION pi = {};
    HANDLE toClient = nullptr, fromClient = nullptr;

    bool Start(HWND view) {
        SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
        HANDLE inRead, outWrite;
        if (!CreatePipe(&inRead, &toClient, &sa, 0)) return false;
        if (!CreatePipe(&fromClient, &outWrite, &sa, 0)) return false;
        SetHandleInformation(toClient, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(fromClient, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA si = {sizeof si};
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = inRead;
        si.hStdOutput = outWrite;
        si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        std::string cmd = "accessible_client.exe " +
                          std::to_string(reinterpret_cast<UINT_PTR>(view));
        const BOOL started = CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr,
                                            nullptr, &si, &pi);
        CloseHandle(inRead);
        CloseHandle(outWrite);
        return started;
    }
    // Sends a command and gives its answer without the final ".".
    std::string Ask(const std::string &command) {
        const std::string line = command + "\n";
        DWORD written;
        WriteFile(toClient, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        std::string answer;
        const DWORD end = GetTickCount() + 60000;
        while (GetTickCount() < end) {
            DWORD available = 0;
            if (!PeekNamedPipe(fromClient, nullptr, 0, nullptr, &available, nullptr)) break;
            if (available) {
                char buf[4096];
                DWORD got = 0;
                ReadFile(fromClient, buf, available < sizeof buf ? available : sizeof buf, &got,
                         nullptr);
                answer.append(buf, got);
                const size_t n = answer.size();
                if (n >= 2 && answer.compare(n - 2, 2, ".\n") == 0 &&
                    (n == 2 || answer[n - 3] == '\n'))
                    return answer.substr(0, n - 2);
                continue;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            Pump();
        }
        return answer + "(no answer)";
    }
    DWORD Finish() {
        Ask("quit");
        CloseHandle(toClient);
        DWORD code = 99;
        if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(fromClient);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        return code;
    }
};

TEST_F(AccessibleTest, AClientInAnotherProcess) {
    Fill(4);
    AddJapanese();
    MarkRows({1, 3});
    GiveFocus();
    Zubolist_CursorDown(view);
    Settle();
    ClientProcess client;
    ASSERT_TRUE(client.Start(view));
    const std::string there = client.Ask("read 5");
    {
        Ref<IAccessible> acc = ObjectOf(view);
        ASSERT_TRUE(acc);
        EXPECT_EQ(there, Describe(acc.get(), 5));
    }
    EXPECT_NE(there.find("list role 0x21 state 0x"), std::string::npos) << there;
    EXPECT_NE(there.find(std::string(kUtf8Name) + "/" + kUtf8Name2), std::string::npos) << there;
    EXPECT_NE(there.find("focus 2 selection 2,4"), std::string::npos) << there;
    EXPECT_EQ(client.Ask("hook"), "hooked\n");
    // Wine keeps each thread's view of the installed hooks until the
    // thread next sets or removes a hook of its own (among a few other
    // calls); events raised before would be dropped.
    UnhookWinEvent(SetWinEventHook(EVENT_MIN, EVENT_MIN, nullptr, LogEvent, 0, 0,
                                   WINEVENT_OUTOFCONTEXT));
    Zubolist_CursorDown(view);
    EXPECT_EQ(client.Ask("events 1"), "focus 3 -> 3 " + RowText(2) + "\n");
    Zubolist_MarkInvert(view);
    EXPECT_EQ(client.Ask("events 1"), "selectionadd 3 -> 3 " + RowText(2) + "\n");
    Zubolist_MarkAll(view);
    EXPECT_EQ(client.Ask("events 1"), "selectionwithin 0 -> 0 Songs\n");
    Ref<IAccessible> acc = ObjectOf(view);
    ASSERT_TRUE(acc);
    ASSERT_EQ(acc->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, Child(5)), S_OK);
    EXPECT_EQ(client.Ask("events 2"), "selectionwithin 0 -> 0 Songs\nfocus 5 -> 5 " +
                                          std::string(8, ' ') + kUtf8Name + "/" + kUtf8Name2 +
                                          std::string(6, ' ') + "         7         8 " +
                                          kUtf8Comment + "\n");
    DestroyWindow(view);
    view = nullptr;
    const std::string dead = client.Ask("dead");
    const std::string disconnected = Hex(RPC_E_DISCONNECTED);
    EXPECT_EQ(dead, "count " + disconnected + " name " + disconnected + " state " + disconnected +
                        " action " + disconnected + "\n");
    EXPECT_EQ(client.Finish(), 0u);
}

}  // namespace
}  // namespace zubo_test
