/*
 * zubo.hpp - a C++17 layer over zubo.h, header-only.
 *
 * It adds no behaviour: every call is the C function of zubo.h with the
 * same arguments and the same result (null, 0 or -1 where the C function
 * refuses; nothing throws). What it adds is typing:
 *   - owners that release what they hold (move-only): RecordList, Console,
 *     MemoryDc;
 *   - callbacks as lambdas (any callable), carried through the user value:
 *     sort comparisons, list view walks, a console's scroll-notify and
 *     escape procedures;
 *   - iteration over a record list in order, and read-only EntryView
 *     records with std::string_view texts;
 *   - NewEntry, an entry template made from strings, and menu table rows
 *     made from string literals, without casts.
 *
 * A callable handed to a sort or a walk is used only during that call. One
 * installed on a Console is copied into the Console and lives until it is
 * replaced or the Console goes. A callable must not throw: an exception
 * leaving it ends the program (std::terminate) instead of unwinding through
 * the library's frames.
 *
 * The console pane window class is in zubo_console_pane.hpp.
 */
#ifndef ZUBO_HPP
#define ZUBO_HPP

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <utility>

#include "zubo.h"

namespace zubo {

/* ===================================================================== */
/* Texts                                                                 */
/* ===================================================================== */

/* A zero-terminated text argument: a const char * (null allowed) or any
 * string with c_str(), such as std::string. It points at the caller's text,
 * which must live as long as the call or template that uses it. */
class CText {
public:
    CText(std::nullptr_t = nullptr) noexcept {}
    CText(const char *text) noexcept : text_(text) {}
    template <class S, class = std::enable_if_t<std::is_convertible_v<
                           decltype(std::declval<const S &>().c_str()), const char *>>>
    CText(const S &text) noexcept : text_(text.c_str()) {}
    const char *get() const noexcept { return text_; }

private:
    const char *text_ = nullptr;
};

/* A library text as a view; a null text is the empty view. */
inline std::string_view View(const char *text) noexcept {
    return text ? std::string_view(text) : std::string_view();
}

/* Replaces one of an entry's texts in place, as zubo.h asks: a copy on the
 * library's heap (Gdirlist_StrDup), the old text freed (Gdirlist_StrFree).
 * false, with the field unchanged, when the copy cannot be made. */
inline bool SetText(char *&field, CText text) noexcept {
    char *copy = Gdirlist_StrDup(text.get());
    if (!copy && text.get()) return false;
    Gdirlist_StrFree(field);
    field = copy;
    return true;
}

/* ===================================================================== */
/* Entries                                                               */
/* ===================================================================== */

/* A read-only view of an entry record: the texts as views (null as empty),
 * the numbers and flags as they were when the view was made. It stays
 * valid as long as the record's texts do (see zubo.h, "Who owns what"). */
struct EntryView {
    const GdirlistEntry *record;
    std::string_view name;
    std::string_view name2;
    int32_t num1;
    int32_t num2;
    std::string_view comment;
    uint32_t flags;

    explicit EntryView(const GdirlistEntry &entry) noexcept
        : record(&entry), name(View(entry.name)), name2(View(entry.name2)), num1(entry.num1),
          num2(entry.num2), comment(View(entry.comment)), flags(entry.flags) {}
    bool Marked() const noexcept { return (flags & GDIRLIST_MARK) != 0; }
};

/* An entry template for the insertions (Gdirlist_Add, Zubolist_Add, ...),
 * which copy it: texts from string literals or strings, no casts. The
 * texts are the caller's and must live until the insertion. */
class NewEntry {
public:
    NewEntry(CText name, CText name2, int32_t num1 = 0, int32_t num2 = 0, CText comment = {},
             uint32_t flags = 0) noexcept
        // The insertions only read a template's texts (they copy them), so
        // the record may point at const text.
        : entry_{const_cast<char *>(name.get()), const_cast<char *>(name2.get()), num1, num2,
                 const_cast<char *>(comment.get()), flags} {}
    const GdirlistEntry *get() const noexcept { return &entry_; }
    operator const GdirlistEntry *() const noexcept { return &entry_; }

private:
    GdirlistEntry entry_;
};

/* ===================================================================== */
/* Callbacks                                                             */
/* ===================================================================== */

namespace detail {

template <class F>
F &Callable(ZuboUserValue user) noexcept {
    return *reinterpret_cast<F *>(user);
}
template <class F>
ZuboUserValue UserValue(F &f) noexcept {
    return reinterpret_cast<ZuboUserValue>(&f);
}

/* compare(placed, other) -> < 0, 0, > 0, as GdirlistCompareProc. */
template <class F>
int32_t ZUBOAPI Compare(const GdirlistEntry *placed, const GdirlistEntry *other,
                        ZuboUserValue user) noexcept {
    return static_cast<int32_t>(Callable<F>(user)(*placed, *other));
}

/* A walk's callable returns false (0) to stop, or nothing to go on. */
template <class F>
int Step(F &walk, GdirlistEntry &entry) noexcept {
    if constexpr (std::is_void_v<decltype(walk(entry))>) {
        walk(entry);
        return 1;
    } else {
        return walk(entry) ? 1 : 0;
    }
}

/* A heap copy of a callable, owned. */
class Held {
public:
    Held() noexcept = default;
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, Held>>>
    explicit Held(F &&f) : callable_(new std::decay_t<F>(std::forward<F>(f))),
                           destroy_(&Destroy<std::decay_t<F>>) {}
    Held(Held &&other) noexcept
        : callable_(std::exchange(other.callable_, nullptr)),
          destroy_(std::exchange(other.destroy_, nullptr)) {}
    Held &operator=(Held &&other) noexcept {
        if (this == &other) return *this;
        Held old(std::move(*this));
        callable_ = std::exchange(other.callable_, nullptr);
        destroy_ = std::exchange(other.destroy_, nullptr);
        return *this;
    }
    ~Held() {
        if (callable_) destroy_(callable_);
    }
    ZuboUserValue User() const noexcept { return reinterpret_cast<ZuboUserValue>(callable_); }

private:
    template <class F>
    static void Destroy(void *callable) noexcept {
        delete static_cast<F *>(callable);
    }
    void *callable_ = nullptr;
    void (*destroy_)(void *) = nullptr;
};

template <class F>
int32_t ZUBOAPI ScrollNotify(Consout *console, ZuboUserValue user) noexcept {
    Callable<F>(user)(console);
    return 0;
}

template <class F>
int32_t ZUBOAPI Escape(Consout *console, const uint8_t *bytes, int32_t count,
                       ZuboUserValue user) noexcept {
    return static_cast<int32_t>(Callable<F>(user)(console, bytes, count));
}

}  // namespace detail

/* ===================================================================== */
/* Record list                                                           */
/* ===================================================================== */

/* Visits a record list in index order, 0 ... size - 1, by index lookups;
 * consecutive lookups are cheap (the list remembers the last node), so a
 * whole pass is linear. The list must not change during the pass, except
 * for the fields of the entries visited. It serves range-for loops (it
 * names no iterator category: that would take <iterator> in). */
template <class Item>
class EntryIterator {
public:
    EntryIterator(Gdirlist *list, int32_t index) noexcept : list_(list), index_(index) {}
    Item operator*() const noexcept { return Item(*Gdirlist_GetDataPtr(list_, index_)); }
    EntryIterator &operator++() noexcept {
        ++index_;
        return *this;
    }
    bool operator==(const EntryIterator &other) const noexcept { return index_ == other.index_; }
    bool operator!=(const EntryIterator &other) const noexcept { return index_ != other.index_; }
    int32_t Index() const noexcept { return index_; }

private:
    Gdirlist *list_;
    int32_t index_;
};

template <class Item>
class EntryRange {
public:
    explicit EntryRange(Gdirlist *list) noexcept : list_(list) {}
    EntryIterator<Item> begin() const noexcept { return {list_, 0}; }
    EntryIterator<Item> end() const noexcept { return {list_, Gdirlist_GetSize(list_)}; }

private:
    Gdirlist *list_;
};

/* for (GdirlistEntry &e : Entries(list)) ... over any record list. */
inline EntryRange<GdirlistEntry &> Entries(Gdirlist *list) noexcept {
    return EntryRange<GdirlistEntry &>(list);
}
/* for (EntryView e : Views(list)) ... */
inline EntryRange<EntryView> Views(Gdirlist *list) noexcept { return EntryRange<EntryView>(list); }

/* Sorts with a callable compare(const GdirlistEntry &placed,
 * const GdirlistEntry &other) -> int (< 0: placed first). */
template <class F>
Gdirlist *Sort(Gdirlist *list, F &&compare) noexcept {
    using Callable = std::remove_reference_t<F>;
    return Gdirlist_Sort(list, &detail::Compare<Callable>, detail::UserValue(compare));
}

/* Owns a record list: created by the constructor (check with operator
 * bool: null when out of memory), released by the destructor. */
class RecordList {
public:
    RecordList() noexcept : list_(CreateGdirlist()) {}
    explicit RecordList(Gdirlist *owned) noexcept : list_(owned) {}
    RecordList(RecordList &&other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    RecordList &operator=(RecordList &&other) noexcept {
        if (this != &other) {
            Gdirlist_Release(list_);
            list_ = std::exchange(other.list_, nullptr);
        }
        return *this;
    }
    RecordList(const RecordList &) = delete;
    RecordList &operator=(const RecordList &) = delete;
    ~RecordList() { Gdirlist_Release(list_); }

    explicit operator bool() const noexcept { return list_ != nullptr; }
    Gdirlist *get() const noexcept { return list_; }
    /* Gives up ownership: the caller releases the list. */
    Gdirlist *release() noexcept { return std::exchange(list_, nullptr); }

    int32_t Size() const noexcept { return Gdirlist_GetSize(list_); }
    GdirlistEntry *At(int32_t index) const noexcept { return Gdirlist_GetDataPtr(list_, index); }
    GdirlistEntry *Add(const GdirlistEntry *entry) noexcept { return Gdirlist_Add(list_, entry); }
    GdirlistEntry *Insert(const GdirlistEntry *entry, int32_t index) noexcept {
        return Gdirlist_Insert(list_, entry, index);
    }
    void Delete(int32_t index) noexcept { Gdirlist_Delete(list_, index); }
    int32_t DeleteAll() noexcept { return Gdirlist_DeleteAll(list_); }
    int32_t AddListFile(CText path) noexcept { return Gdirlist_AddListFile(list_, path.get()); }
    int32_t SaveListFile(CText path) const noexcept {
        return Gdirlist_SaveListFile(list_, path.get());
    }
    template <class F>
    void Sort(F &&compare) noexcept {
        zubo::Sort(list_, std::forward<F>(compare));
    }

    EntryIterator<GdirlistEntry &> begin() const noexcept { return Entries(list_).begin(); }
    EntryIterator<GdirlistEntry &> end() const noexcept { return Entries(list_).end(); }
    EntryRange<EntryView> Views() const noexcept { return zubo::Views(list_); }

private:
    Gdirlist *list_;
};

/* ===================================================================== */
/* Console                                                               */
/* ===================================================================== */

/* Owns a console and the callables installed on it. Moving a Console keeps
 * its callables working (they stay where they are). */
class Console {
public:
    Console() noexcept = default;
    Console(int32_t width, int32_t height, int32_t maxline) noexcept
        : console_(CreateConsout(width, height, maxline)) {}
    Console(Console &&other) noexcept
        : console_(std::exchange(other.console_, nullptr)),
          scrollNotify_(std::move(other.scrollNotify_)),
          escape_(std::move(other.escape_)) {}
    Console &operator=(Console &&other) noexcept {
        if (this != &other) {
            Consout_Release(console_);
            console_ = std::exchange(other.console_, nullptr);
            scrollNotify_ = std::move(other.scrollNotify_);
            escape_ = std::move(other.escape_);
        }
        return *this;
    }
    Console(const Console &) = delete;
    Console &operator=(const Console &) = delete;
    // The console goes first: nothing calls the callables after that.
    ~Console() { Consout_Release(console_); }

    explicit operator bool() const noexcept { return console_ != nullptr; }
    Consout *get() const noexcept { return console_; }

    /* Feeds every byte through Consout_Putchar. */
    void Write(std::string_view bytes) noexcept {
        for (char b : bytes) Consout_Putchar(console_, static_cast<unsigned char>(b));
    }

    /* Installs notify(Consout *) as the scroll-notify procedure (its result
     * is ignored), replacing the one before. Not from inside the
     * procedure it replaces. */
    template <class F>
    void OnScroll(F &&notify) {
        detail::Held held(std::forward<F>(notify));
        Consout_SetScrollNotifyProc(console_, &detail::ScrollNotify<std::decay_t<F>>,
                                    held.User());
        scrollNotify_ = std::move(held);
    }
    /* Installs escape(Consout *, const uint8_t *bytes, int32_t count) -> int
     * (0: go on collecting) as the escape procedure. Not from inside the
     * procedure it replaces. */
    template <class F>
    void OnEscape(F &&escape) {
        detail::Held held(std::forward<F>(escape));
        Consout_SetESCProc(console_, &detail::Escape<std::decay_t<F>>, held.User());
        escape_ = std::move(held);
    }

private:
    Consout *console_ = nullptr;
    detail::Held scrollNotify_;
    detail::Held escape_;
};

/* ===================================================================== */
/* Menu tables                                                           */
/* ===================================================================== */

/* Rows of a ZuboMenuRow table from literals:
 *     ZuboMenuRow file[] = {zubo::menu::Header(), zubo::menu::Item("&Open", 1),
 *                           zubo::menu::End()};
 * The texts must live until the table is built (a literal does). */
namespace menu {
inline ZuboMenuRow Header() noexcept { return {ZUBOMENU_GUARD, 0, 0}; }
inline ZuboMenuRow Item(const char *text, intptr_t id) noexcept {
    return {ZUBOMENU_ITEM, id, reinterpret_cast<intptr_t>(text)};
}
inline ZuboMenuRow Submenu(const char *text, ZuboMenuRow *table) noexcept {
    return {ZUBOMENU_SUBMENU, reinterpret_cast<intptr_t>(table), reinterpret_cast<intptr_t>(text)};
}
inline ZuboMenuRow Break() noexcept { return {ZUBOMENU_BREAK, 0, 0}; }
inline ZuboMenuRow End() noexcept { return {ZUBOMENU_END, 0, 0}; }
}  // namespace menu

#ifdef _WIN32
/* ===================================================================== */
/* List view                                                             */
/* ===================================================================== */

namespace detail {
template <class F>
int ZUBOAPI Walk(HWND, GdirlistEntry *entry, void *user) noexcept {
    return Step(*static_cast<F *>(user), *entry);
}
}  // namespace detail

/* The list view's walks with a callable walk(GdirlistEntry &) that returns
 * false to stop (or nothing, to visit every entry). */
template <class F>
int EnumAll(HWND view, F &&walk) noexcept {
    using Callable = std::remove_reference_t<F>;
    return Zubolist_EnumAll(view, &detail::Walk<Callable>,
                            const_cast<void *>(static_cast<const void *>(&walk)));
}
template <class F>
int EnumMark(HWND view, F &&walk) noexcept {
    using Callable = std::remove_reference_t<F>;
    return Zubolist_EnumMark(view, &detail::Walk<Callable>,
                             const_cast<void *>(static_cast<const void *>(&walk)));
}
/* Zubolist_Sort with a callable, as zubo::Sort for a record list. */
template <class F>
int Sort(HWND view, F &&compare) noexcept {
    using Callable = std::remove_reference_t<F>;
    return Zubolist_Sort(view, &detail::Compare<Callable>, detail::UserValue(compare));
}

/* ===================================================================== */
/* Memory DC                                                             */
/* ===================================================================== */

/* Owns a memory DC: released through its own operation. */
class MemoryDc {
public:
    MemoryDc() noexcept = default;
    MemoryDc(int32_t width, int32_t height, int32_t bitCount) noexcept
        : dc_(CreateMemoryDC(width, height, bitCount)) {}
    MemoryDc(MemoryDc &&other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDc &operator=(MemoryDc &&other) noexcept {
        if (this != &other) {
            Release();
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    MemoryDc(const MemoryDc &) = delete;
    MemoryDc &operator=(const MemoryDc &) = delete;
    ~MemoryDc() { Release(); }

    explicit operator bool() const noexcept { return dc_ != nullptr; }
    MemoryDC *get() const noexcept { return dc_; }
    /* The operations: dc->BltTo(dc.get(), ...). */
    const MemoryDCOperations *operator->() const noexcept { return &dc_->ops; }
    /* The memory DC's own device context (null without a surface). */
    HDC Hdc() const noexcept { return dc_->ops.GetHDC(dc_); }

private:
    void Release() noexcept {
        if (dc_) dc_->ops.Release(dc_);
        dc_ = nullptr;
    }
    MemoryDC *dc_ = nullptr;
};
#endif /* _WIN32 */

}  // namespace zubo

#endif /* ZUBO_HPP */
