// The list view's accessible object (see accessible_win32.h).
#include "listview/accessible_win32.h"

#include <oleacc.h>

#include <new>

#include "library/alloc.h"
#include "library/codepage_win32.h"
#include "listview/accessible.h"
#include "listview/entries.h"
#include "listview/lifetime_win32.h"
#include "listview/marks_win32.h"
#include "listview/navigation_win32.h"
#include "listview/ole_runtime_win32.h"
#include "listview/owner_thread_win32.h"
#include "listview/rowtext.h"

namespace zubo::listview {
namespace {

// Interface ids are spelled out here: the library links nothing of the COM
// libraries, not even their ids.
constexpr IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidEnumVariant = {0x00020404, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidOleWindow = {0x00000114, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF,
                                {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

static_assert(static_cast<int32_t>(Direction::kUp) == NAVDIR_UP &&
                  static_cast<int32_t>(Direction::kLastChild) == NAVDIR_LASTCHILD,
              "directions are numbered as NAVDIR_*");
static_assert(kTakeFocus == SELFLAG_TAKEFOCUS && kTakeSelection == SELFLAG_TAKESELECTION &&
                  kExtendSelection == SELFLAG_EXTENDSELECTION &&
                  kAddSelection == SELFLAG_ADDSELECTION &&
                  kRemoveSelection == SELFLAG_REMOVESELECTION,
              "selection flags are numbered as SELFLAG_*");
static_assert(kListChild == CHILDID_SELF, "the list itself is CHILDID_SELF");

// What a double click on a row does (the first click puts the cursor
// there, the second activates it), as the system's list items name it.
constexpr WCHAR kDefaultAction[] = L"Double Click";

template <typename T>
T *MakeObject() {
    void *p = Allocate(sizeof(T));
    return p ? new (p) T() : nullptr;
}

template <typename T>
void FreeObject(T *object) {
    object->~T();
    free(object);
}

void SetEmpty(VARIANT *v) { v->vt = VT_EMPTY; }
void SetChild(VARIANT *v, int32_t child) {
    v->vt = VT_I4;
    v->lVal = child;
}

// The child id a client passed.
bool ReadChild(const VARIANT &v, int32_t *child) {
    switch (v.vt) {
    case VT_I4: *child = v.lVal; return true;
    case VT_INT: *child = v.intVal; return true;
    default: return false;
    }
}

// The child a client passed, when it names the list or one of its entries.
bool ReadValidChild(ListViewState *s, const VARIANT &v, int32_t *child) {
    return ReadChild(v, child) && IsChild(*child, EntryCount(s));
}

// The marked rows as child ids, handed to a client one by one; a copy, so
// that it stays valid whatever happens to the view.
class ChildIdEnum final : public IEnumVARIANT {
public:
    // An enumeration of `count` ids that the caller fills in (null when out
    // of memory); one reference, the caller's.
    static ChildIdEnum *Make(int32_t count) {
        int32_t *ids = static_cast<int32_t *>(Allocate(sizeof(int32_t) * (count ? count : 1)));
        ChildIdEnum *e = ids ? MakeObject<ChildIdEnum>() : nullptr;
        if (!e) {
            free(ids);
            return nullptr;
        }
        e->ids_ = ids;
        e->count_ = count;
        return e;
    }
    int32_t *Ids() { return ids_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid != kIidUnknown && riid != kIidEnumVariant) return E_NOINTERFACE;
        *out = static_cast<IEnumVARIANT *>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0) {
            free(ids_);
            FreeObject(this);
        }
        return n;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT *out, ULONG *fetched) override {
        if (!out) return E_POINTER;
        ULONG n = 0;
        for (; n < wanted && next_ < count_; ++n) SetChild(&out[n], ids_[next_++]);
        if (fetched) *fetched = n;
        return n == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG n) override {
        const int32_t left = count_ - next_;
        next_ += n < static_cast<ULONG>(left) ? static_cast<int32_t>(n) : left;
        return n <= static_cast<ULONG>(left) ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT **out) override {
        if (!out) return E_POINTER;
        ChildIdEnum *copy = Make(count_);
        *out = copy;
        if (!copy) return E_OUTOFMEMORY;
        for (int32_t i = 0; i < count_; ++i) copy->ids_[i] = ids_[i];
        copy->next_ = next_;
        return S_OK;
    }

private:
    volatile LONG refs_ = 1;
    int32_t *ids_ = nullptr;
    int32_t count_ = 0;
    int32_t next_ = 0;
};

// The number of marked entries, and the row of the first of them.
int32_t CountMarked(ListViewState *s, int32_t *firstRow) {
    int32_t marked = 0;
    *firstRow = -1;
    const int32_t count = EntryCount(s);
    for (int32_t row = 0; row < count; ++row)  // each lookup one step from the one before
        if (IsMarked(Gdirlist_GetDataPtr(s->shownList, row)) && marked++ == 0) *firstRow = row;
    return marked;
}

HRESULT SelectionOf(ListViewState *s, VARIANT *out) {
    int32_t first;
    const int32_t marked = CountMarked(s, &first);
    if (marked == 0) return S_OK;  // VT_EMPTY: nothing selected
    if (marked == 1) {
        SetChild(out, ChildOfRow(first));
        return S_OK;
    }
    ChildIdEnum *e = ChildIdEnum::Make(marked);
    if (!e) return E_OUTOFMEMORY;
    int32_t *ids = e->Ids();
    const int32_t count = EntryCount(s);
    for (int32_t row = first; row < count; ++row)
        if (IsMarked(Gdirlist_GetDataPtr(s->shownList, row))) *ids++ = ChildOfRow(row);
    out->vt = VT_UNKNOWN;
    out->punkVal = e;
    return S_OK;
}

HRESULT WindowName(ListViewState *s, BSTR *out) {
    const int length = GetWindowTextLengthW(s->hwnd);
    if (length <= 0) return S_FALSE;  // no name
    WCHAR *text = static_cast<WCHAR *>(Allocate(sizeof(WCHAR) * (length + 1)));
    if (!text) return E_OUTOFMEMORY;
    const int n = GetWindowTextW(s->hwnd, text, length + 1);
    *out = n > 0 ? NewBstr(text, static_cast<UINT>(n)) : nullptr;
    free(text);
    return n <= 0 ? S_FALSE : *out ? S_OK : E_OUTOFMEMORY;
}

// The row's text as it is shown, read as Shift_JIS.
HRESULT RowName(ListViewState *s, int32_t row, BSTR *out) {
    char text[kRowTextMax];
    const size_t len =
        FormatRowText(Gdirlist_GetDataPtr(s->shownList, row), ColumnsOf(s), text, sizeof text);
    WCHAR wide[kRowTextMax];
    const int n = ShiftJisToWide(text, static_cast<int>(len), wide, kRowTextMax);
    *out = NewBstr(wide, static_cast<UINT>(n > 0 ? n : 0));
    return *out ? S_OK : E_OUTOFMEMORY;
}

LONG ListState(ListViewState *s) {
    LONG state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_MULTISELECTABLE;
    if (AccessOf(s).focused) state |= STATE_SYSTEM_FOCUSED;
    if (!IsWindowVisible(s->hwnd)) state |= STATE_SYSTEM_INVISIBLE;
    if (!IsWindowEnabled(s->hwnd)) state |= STATE_SYSTEM_UNAVAILABLE;
    return state;
}

LONG RowState(ListViewState *s, int32_t row) {
    LONG state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (IsMarked(Gdirlist_GetDataPtr(s->shownList, row))) state |= STATE_SYSTEM_SELECTED;
    if (AccessOf(s).focused && row == CursorPos(s)) state |= STATE_SYSTEM_FOCUSED;
    if (!RowInView(row, s->topRow, s->pageRows)) state |= STATE_SYSTEM_OFFSCREEN;
    if (!IsWindowVisible(s->hwnd)) state |= STATE_SYSTEM_INVISIBLE;
    return state;
}

// The child's rectangle in client coordinates: the client area for the
// list, the row's band across it for an entry.
RECT ChildRect(ListViewState *s, int32_t child) {
    RECT r;
    GetClientRect(s->hwnd, &r);
    if (child != kListChild) {
        r.top = (RowOfChild(child) - s->topRow) * s->lineHeight;
        r.bottom = r.top + s->lineHeight;
    }
    return r;
}

HRESULT Select(ListViewState *s, int32_t flags, int32_t child) {
    if (child == kListChild) {
        if (flags != kTakeFocus) return E_INVALIDARG;
        SetFocus(s->hwnd);
        return S_OK;
    }
    const int32_t row = RowOfChild(child), cursor = CursorPos(s);
    const GdirlistEntry *anchor = Gdirlist_GetDataPtrCursor(s->shownList);
    const SelectPlan plan =
        PlanSelect(flags, row, cursor, anchor && IsMarked(anchor), EntryCount(s));
    if (!plan.valid) return E_INVALIDARG;
    if (plan.clearAll || plan.last >= plan.first)
        SetMarks(s, plan.first, plan.last, plan.mark, plan.clearAll);
    if (plan.moveCursor && !Destroyed(s)) {
        CursorTo(s, row);
        if (!Destroyed(s)) SetFocus(s->hwnd);
    }
    return S_OK;
}

}  // namespace

// The accessible object of one list view window.
class AccessibleView final : public IAccessible, public IOleWindow {
public:
    // One reference, the window's.
    static AccessibleView *Make(ListViewState *s) {
        AccessibleView *v = MakeObject<AccessibleView>();
        if (v) {
            v->hwnd_ = s->hwnd;
            v->link_ = s;
        }
        return v;
    }
    // The window is being destroyed: the view is out of reach from now on.
    void Disconnect() {
        InterlockedExchangePointer(reinterpret_cast<PVOID volatile *>(&link_), nullptr);
    }
    IUnknown *Unknown() { return static_cast<IAccessible *>(this); }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid == kIidUnknown || riid == kIidDispatch || riid == kIidAccessible)
            *out = static_cast<IAccessible *>(this);
        else if (riid == kIidOleWindow)
            *out = static_cast<IOleWindow *>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0) FreeObject(this);
        return n;
    }

    // IDispatch: there is no type information; clients call the methods
    // themselves.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return Linked() ? S_OK : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **info) override {
        if (info) *info = nullptr;
        return Linked() ? E_NOTIMPL : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override {
        return Linked() ? E_NOTIMPL : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *,
                                     EXCEPINFO *, UINT *) override {
        return Linked() ? E_NOTIMPL : RPC_E_DISCONNECTED;
    }

    // IOleWindow: the window, so that clients need not climb to it.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND *out) override {
        if (!out) return E_POINTER;
        *out = Linked() ? hwnd_ : nullptr;
        return *out ? S_OK : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override {
        return Linked() ? E_NOTIMPL : RPC_E_DISCONNECTED;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return OnOwner([out](ListViewState *s) {
            // The window's own object, which the system makes.
            return OleRuntimeLoaded()->accessibleObjectFromWindow(
                s->hwnd, static_cast<DWORD>(OBJID_WINDOW), kIidDispatch,
                reinterpret_cast<void **>(out));
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long *out) override {
        if (!out) return E_POINTER;
        *out = 0;
        return OnOwner([out](ListViewState *s) {
            *out = EntryCount(s);
            return S_OK;
        });
    }
    // The entries are simple elements, not objects of their own.
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT v, IDispatch **out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return OnOwner([&v](ListViewState *s) {
            int32_t child;
            return ReadValidChild(s, v, &child) && child != kListChild ? S_FALSE : E_INVALIDARG;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT v, BSTR *out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return OnOwner([&v, out](ListViewState *s) {
            int32_t child;
            if (!ReadValidChild(s, v, &child)) return E_INVALIDARG;
            return child == kListChild ? WindowName(s, out) : RowName(s, RowOfChild(child), out);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT v, BSTR *out) override {
        return NoText(v, out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT v, BSTR *out) override {
        return NoText(v, out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT v, VARIANT *out) override {
        return Number(v, out, [](ListViewState *, int32_t child) -> LONG {
            return child == kListChild ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT v, VARIANT *out) override {
        return Number(v, out, [](ListViewState *s, int32_t child) {
            return child == kListChild ? ListState(s) : RowState(s, RowOfChild(child));
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT v, BSTR *out) override {
        return NoText(v, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT v, long *topic) override {
        if (!file || !topic) return E_POINTER;
        *topic = 0;
        return NoText(v, file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT v, BSTR *out) override {
        return NoText(v, out);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *out) override {
        if (!out) return E_POINTER;
        SetEmpty(out);
        return OnOwner([out](ListViewState *s) {
            if (AccessOf(s).focused) SetChild(out, ChildAtRow(CursorPos(s), EntryCount(s)));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *out) override {
        if (!out) return E_POINTER;
        SetEmpty(out);
        return OnOwner([out](ListViewState *s) { return SelectionOf(s, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT v, BSTR *out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return OnOwner([&v, out](ListViewState *s) {
            int32_t child;
            if (!ReadValidChild(s, v, &child)) return E_INVALIDARG;
            if (child == kListChild) return DISP_E_MEMBERNOTFOUND;
            *out = NewBstr(kDefaultAction, sizeof kDefaultAction / sizeof(WCHAR) - 1);
            return *out ? S_OK : E_OUTOFMEMORY;
        });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT v) override {
        return OnOwner([flags, &v](ListViewState *s) {
            int32_t child;
            if (!ReadValidChild(s, v, &child)) return E_INVALIDARG;
            return Select(s, flags, child);
        });
    }
    HRESULT STDMETHODCALLTYPE accLocation(long *x, long *y, long *w, long *h,
                                          VARIANT v) override {
        if (!x || !y || !w || !h) return E_POINTER;
        *x = *y = *w = *h = 0;
        return OnOwner([=, &v](ListViewState *s) {
            int32_t child;
            if (!ReadValidChild(s, v, &child)) return E_INVALIDARG;
            RECT r = ChildRect(s, child);
            MapWindowPoints(s->hwnd, nullptr, reinterpret_cast<POINT *>(&r), 2);
            *x = r.left;
            *y = r.top;
            *w = r.right - r.left;
            *h = r.bottom - r.top;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT *out) override {
        if (!out) return E_POINTER;
        SetEmpty(out);
        return OnOwner([direction, &start, out](ListViewState *s) {
            int32_t from;
            if (!ReadChild(start, &from)) return E_INVALIDARG;
            const NavigationTarget t = Navigate(direction, from, EntryCount(s));
            if (t.kind == NavigationTarget::Kind::kRefused) return E_INVALIDARG;
            if (t.kind == NavigationTarget::Kind::kNone) return S_FALSE;
            SetChild(out, t.child);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT *out) override {
        if (!out) return E_POINTER;
        SetEmpty(out);
        return OnOwner([x, y, out](ListViewState *s) {
            POINT p = {x, y};
            ScreenToClient(s->hwnd, &p);
            RECT client;
            GetClientRect(s->hwnd, &client);
            if (!PtInRect(&client, p)) return S_FALSE;  // not on the list
            SetChild(out, ChildAtRow(RowAt(p.y, s->lineHeight, s->topRow), EntryCount(s)));
            return S_OK;
        });
    }
    // On an entry: what Enter does there. The cursor goes to the row (the
    // parent hears ZLN_CURSORMOVE when it moved), then ZLN_ACTIVATE, then
    // the cursor steps down.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT v) override {
        return OnOwner([&v](ListViewState *s) {
            int32_t child;
            if (!ReadValidChild(s, v, &child)) return E_INVALIDARG;
            if (child == kListChild) return DISP_E_MEMBERNOTFOUND;
            CursorTo(s, RowOfChild(child));
            if (!Destroyed(s)) ActivateAndStepDown(s);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT v, BSTR) override {
        return Lacking(v, E_NOTIMPL);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT v, BSTR) override {
        return Lacking(v, DISP_E_MEMBERNOTFOUND);
    }

private:
    bool Linked() const { return link_ != nullptr; }

    // Runs op (the state → an HRESULT) on the window's thread with the
    // state held. RPC_E_DISCONNECTED when the window is gone, or goes
    // before its thread takes the call. The link is read and cleared only
    // on that thread; elsewhere it only tells whether to try at all.
    template <typename Op>
    HRESULT OnOwner(Op op) {
        if (!Linked()) return RPC_E_DISCONNECTED;
        HRESULT result = RPC_E_DISCONNECTED;
        auto run = [this, &op, &result](ListViewState *s) -> LRESULT {
            if (s != link_) return 0;  // another window now has the handle
            StateHold hold(s);
            result = op(s);
            return 0;
        };
        switch (OwnerOf(hwnd_)) {
        case Owner::kNone: break;
        case Owner::kThisThread:
            if (ListViewState *s = link_) run(s);
            break;
        case Owner::kAnotherThread: ForwardToOwner(hwnd_, run); break;
        }
        return result;
    }

    // A number property of the list or of an entry, as `of` (the state, the
    // child) gives it.
    template <typename Of>
    HRESULT Number(const VARIANT &v, VARIANT *out, Of of) {
        if (!out) return E_POINTER;
        SetEmpty(out);
        return OnOwner([&v, out, &of](ListViewState *s) {
            int32_t child;
            if (!ReadValidChild(s, v, &child)) return E_INVALIDARG;
            SetChild(out, of(s, child));
            return S_OK;
        });
    }
    // What a property that neither the list nor its entries have answers:
    // `answer` for a child that exists, E_INVALIDARG for any other.
    HRESULT Lacking(const VARIANT &v, HRESULT answer) {
        return OnOwner([&v, answer](ListViewState *s) {
            int32_t child;
            return ReadValidChild(s, v, &child) ? answer : E_INVALIDARG;
        });
    }
    HRESULT NoText(const VARIANT &v, BSTR *out) {
        if (!out) return E_POINTER;
        *out = nullptr;
        return Lacking(v, DISP_E_MEMBERNOTFOUND);
    }

    volatile LONG refs_ = 1;
    HWND hwnd_ = nullptr;
    ListViewState *volatile link_ = nullptr;
};

LRESULT AnswerGetObject(ListViewState *s, WPARAM wParam, LPARAM lParam) {
    // Object ids arrive as 32-bit values, sign-extended or not.
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT))
        return DefWindowProcA(s->hwnd, WM_GETOBJECT, wParam, lParam);
    const OleRuntime *runtime = LoadOleRuntime();
    ViewAccess &a = AccessOf(s);
    if (runtime && !a.object) a.object = AccessibleView::Make(s);
    if (!a.object) return DefWindowProcA(s->hwnd, WM_GETOBJECT, wParam, lParam);
    LRESULT r = runtime->lresultFromObject(kIidAccessible, wParam, a.object->Unknown());
    // A thread outside any COM apartment cannot hand the object out; it
    // can once the process's multithreaded apartment exists.
    if (static_cast<HRESULT>(r) == CO_E_NOTINITIALIZED && JoinProcessApartment())
        r = runtime->lresultFromObject(kIidAccessible, wParam, a.object->Unknown());
    if (static_cast<LONG_PTR>(r) < 0) return DefWindowProcA(s->hwnd, WM_GETOBJECT, wParam, lParam);
    return r;
}

void DisconnectAccessible(ListViewState *s) {
    ViewAccess &a = AccessOf(s);
    if (AccessibleView *object = a.object) {
        a.object = nullptr;
        object->Disconnect();
        object->Release();
    }
}

}  // namespace zubo::listview
