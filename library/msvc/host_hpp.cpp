// zubo.hpp in a host compiled the Visual C++ way: its callback thunks must
// be __cdecl whatever the default convention (/Gz), its owners must
// release through the DLL, and lambdas must come back with their captures.
#include "zubo.hpp"

#include "host.h"

// What the Visual C++ runtime would provide: the Console keeps its
// callables on the heap.
void *operator new(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size ? size : 1); }
void operator delete(void *p) noexcept {
    if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete(void *p, size_t) noexcept { operator delete(p); }

namespace {

int Compare(std::string_view a, std::string_view b) { return a.compare(b); }

void RecordListChecks() {
    zubo::RecordList list;
    HostCheck(static_cast<bool>(list), "C++ layer: RecordList created");
    for (const char *name : {"delta", "alpha", "charlie", "bravo"})
        list.Add(zubo::NewEntry(name, "x.txt", 0, 0, "; comment"));
    int calls = 0;
    list.Sort([&calls](const GdirlistEntry &placed, const GdirlistEntry &other) {
        ++calls;
        return Compare(placed.name, other.name);
    });
    HostCheck(calls > 0, "C++ layer: the sort called the lambda");
    const char *const expected[] = {"alpha", "bravo", "charlie", "delta"};
    int i = 0;
    bool ordered = list.Size() == 4;
    for (zubo::EntryView e : list.Views()) {
        ordered = ordered && i < 4 && e.name == expected[i] && e.comment == "; comment";
        ++i;
    }
    HostCheck(ordered && i == 4, "C++ layer: sorted, iterated in order, views");
    zubo::RecordList moved(std::move(list));
    HostCheck(!list && moved.Size() == 4, "C++ layer: RecordList moved");
}

void ConsoleChecks() {
    zubo::Console console(8, 2, 10);
    int scrolls = 0;
    int sequences = 0;
    console.OnScroll([&scrolls](Consout *) { ++scrolls; });
    console.OnEscape([&sequences](Consout *, const uint8_t *bytes, int32_t count) {
        if (bytes[count - 1] < 0x40 || bytes[count - 1] == '[') return 0;
        ++sequences;
        return 1;
    });
    zubo::Console moved(std::move(console));
    moved.Write("a\nb\x1b[1m\nc\n");
    HostCheck(scrolls == 2 && sequences == 1, "C++ layer: console lambdas after a move");
}

void ListViewChecks() {
    HWND view = CreateWindowExA(0, "ZUBOLIST", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                nullptr, nullptr);
    if (!view) return;  // the C checks report it
    for (const char *name : {"b", "c", "a"}) Zubolist_Add(view, zubo::NewEntry(name, "x"));
    zubo::Sort(view, [](const GdirlistEntry &a, const GdirlistEntry &b) {
        return Compare(a.name, b.name);
    });
    char order[4] = {};
    int n = 0;
    const int visited = zubo::EnumAll(view, [&](GdirlistEntry &e) {
        order[n++] = e.name[0];
        return n < 2;
    });
    HostCheck(visited == 2 && order[0] == 'a' && order[1] == 'b',
              "C++ layer: list view sort and walk lambdas");
    DestroyWindow(view);
}

}  // namespace

extern "C" void HostHppChecks(void) {
    RecordListChecks();
    ConsoleChecks();
    ListViewChecks();
    // A table of the function's own: without a C runtime nothing runs the
    // dynamic initialisers of a static one.
    ZuboMenuRow rows[] = {zubo::menu::Header(), zubo::menu::Item("&Run", 7), zubo::menu::End()};
    HostCheck(rows[1].kind == ZUBOMENU_ITEM && rows[1].value == 7 &&
                  Compare(reinterpret_cast<const char *>(rows[1].text), "&Run") == 0,
              "C++ layer: menu rows from literals");
}
