// What an accessibility client reads from a list view, for the tests and
// for the client program that reads it from another process: both print
// the same description, so that the two can be compared line by line.
#ifndef ZUBO_LISTVIEW_ACCESSIBLE_TEST_SUPPORT_WIN32_H
#define ZUBO_LISTVIEW_ACCESSIBLE_TEST_SUPPORT_WIN32_H

#include <windows.h>
#include <oleacc.h>

#include <stdio.h>

#include <string>

namespace zubo_test {

// Spelled out: the import libraries give some ids as code, not data.
constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF,
                                {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr IID kIidDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidEnumVariant = {0x00020404, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr IID kIidOleWindow = {0x00000114, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Holds one reference.
template <typename T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T *p) : p_(p) {}
    Ref(Ref &&other) : p_(other.p_) { other.p_ = nullptr; }
    Ref(const Ref &) = delete;
    Ref &operator=(const Ref &) = delete;
    ~Ref() { Reset(); }
    void Reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }
    T **Out() {
        Reset();
        return &p_;
    }
    T *operator->() const { return p_; }
    T *get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T *p_ = nullptr;
};

inline VARIANT Child(LONG id) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

inline std::string Utf8(const WCHAR *w, int n = -1) {
    if (!w) return "(null)";
    const int len = WideCharToMultiByte(CP_UTF8, 0, w, n, nullptr, 0, nullptr, nullptr);
    std::string s(len > 0 ? len : 0, '\0');
    if (len > 0) WideCharToMultiByte(CP_UTF8, 0, w, n, &s[0], len, nullptr, nullptr);
    if (n < 0 && !s.empty()) s.pop_back();  // the terminator
    return s;
}

inline std::string Hex(long v) {
    char buf[16];
    snprintf(buf, sizeof buf, "0x%lx", static_cast<unsigned long>(v));
    return buf;
}

// A child id, a list of them (from an enumeration), or "none".
inline std::string ChildText(HRESULT hr, VARIANT &v) {
    if (FAILED(hr)) return "error " + Hex(hr);
    if (v.vt == VT_EMPTY) return "none";
    if (v.vt == VT_I4) return std::to_string(v.lVal);
    if (v.vt != VT_UNKNOWN || !v.punkVal) return "vt " + std::to_string(v.vt);
    Ref<IEnumVARIANT> e;
    std::string s;
    if (SUCCEEDED(v.punkVal->QueryInterface(kIidEnumVariant, reinterpret_cast<void **>(e.Out()))))
        for (VARIANT item; e->Next(1, &item, nullptr) == S_OK;)
            s += (s.empty() ? "" : ",") + (item.vt == VT_I4 ? std::to_string(item.lVal) : "?");
    v.punkVal->Release();
    return s;
}

// The events about a list's rows and focus, by name; null for others.
inline const char *EventName(DWORD event) {
    switch (event) {
    case EVENT_OBJECT_FOCUS: return "focus";
    case EVENT_OBJECT_SELECTIONADD: return "selectionadd";
    case EVENT_OBJECT_SELECTIONREMOVE: return "selectionremove";
    case EVENT_OBJECT_SELECTIONWITHIN: return "selectionwithin";
    case EVENT_OBJECT_REORDER: return "reorder";
    case EVENT_OBJECT_CREATE: return "create";
    case EVENT_OBJECT_NAMECHANGE: return "namechange";
    default: return nullptr;
    }
}

inline std::string Name(IAccessible *acc, LONG child) {
    BSTR name = nullptr;
    const HRESULT hr = acc->get_accName(Child(child), &name);
    if (FAILED(hr)) return "error " + Hex(hr);
    std::string s = Utf8(name);
    SysFreeString(name);
    return s;
}

inline std::string Long(HRESULT hr, const VARIANT &v) {
    if (FAILED(hr)) return "error " + Hex(hr);
    return v.vt == VT_I4 ? Hex(v.lVal) : "vt " + std::to_string(v.vt);
}

inline std::string Role(IAccessible *acc, LONG child) {
    VARIANT v;
    const HRESULT hr = acc->get_accRole(Child(child), &v);
    return Long(hr, v);
}

inline std::string State(IAccessible *acc, LONG child) {
    VARIANT v;
    const HRESULT hr = acc->get_accState(Child(child), &v);
    return Long(hr, v);
}

inline RECT Location(IAccessible *acc, LONG child) {
    long x = 0, y = 0, w = 0, h = 0;
    acc->accLocation(&x, &y, &w, &h, Child(child));
    return RECT{x, y, x + w, y + h};
}

inline std::string HitTest(IAccessible *acc, long x, long y) {
    VARIANT v;
    const HRESULT hr = acc->accHitTest(x, y, &v);
    return ChildText(hr, v);
}

inline std::string Navigate(IAccessible *acc, long direction, LONG from) {
    VARIANT v;
    const HRESULT hr = acc->accNavigate(direction, Child(from), &v);
    return ChildText(hr, v);
}

inline std::string Focus(IAccessible *acc) {
    VARIANT v;
    const HRESULT hr = acc->get_accFocus(&v);
    return ChildText(hr, v);
}

inline std::string Selection(IAccessible *acc) {
    VARIANT v;
    const HRESULT hr = acc->get_accSelection(&v);
    return ChildText(hr, v);
}

// Everything a client reads: the list, its first `rows` children (role,
// state, name, place, what a hit test in the middle of the place finds),
// navigation, focus and selection; one fact a line.
inline std::string Describe(IAccessible *acc, LONG rows) {
    std::string d;
    long count = -1;
    acc->get_accChildCount(&count);
    const RECT list = Location(acc, CHILDID_SELF);
    d += "list role " + Role(acc, CHILDID_SELF) + " state " + State(acc, CHILDID_SELF) +
         " name " + Name(acc, CHILDID_SELF) + " count " + std::to_string(count) + " at " +
         std::to_string(list.left) + "," + std::to_string(list.top) + "\n";
    for (LONG c = 1; c <= rows && c <= count; ++c) {
        const RECT r = Location(acc, c);
        d += std::to_string(c) + " role " + Role(acc, c) + " state " + State(acc, c) + " name " +
             Name(acc, c) + " size " + std::to_string(r.right - r.left) + "x" +
             std::to_string(r.bottom - r.top) + " offset " + std::to_string(r.top - list.top) +
             " hit " + HitTest(acc, (r.left + r.right) / 2, (r.top + r.bottom) / 2) + "\n";
    }
    d += "first " + Navigate(acc, NAVDIR_FIRSTCHILD, CHILDID_SELF) + " last " +
         Navigate(acc, NAVDIR_LASTCHILD, CHILDID_SELF) + " after 1 " +
         Navigate(acc, NAVDIR_NEXT, 1) + " before 1 " + Navigate(acc, NAVDIR_PREVIOUS, 1) + "\n";
    d += "focus " + Focus(acc) + " selection " + Selection(acc) + "\n";
    return d;
}

}  // namespace zubo_test

#endif
