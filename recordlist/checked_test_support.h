// The record list's tests call the list's functions through these checking
// twins: each calls the exported function and then, natively, the list's
// invariant checker (recordlist/invariants.h), so that every operation of
// every test leaves a sound list. The DLL has no checker; there the twins
// only call through.
//
// Use: put ZUBO_CHECKED_LIST_OPERATIONS inside the test file's own
// namespace; its using-declarations hide the global functions there.
#ifndef ZUBO_RECORDLIST_CHECKED_TEST_SUPPORT_H
#define ZUBO_RECORDLIST_CHECKED_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include "zubo.h"
#ifndef _WIN32
#include "recordlist/invariants.h"
#endif

namespace zubo_test::checked {

inline void ExpectListSound([[maybe_unused]] Gdirlist *list, [[maybe_unused]] const char *after) {
#ifndef _WIN32
    if (!list) return;
    if (const char *broken = zubo::recordlist::BrokenInvariant(*list))
        ADD_FAILURE() << "after " << after << ": " << broken;
#endif
}

// Each twin is an object, not a function, so that calls through it are
// not also matched by argument-dependent lookup against the global one.
#define ZUBO_CHECKED_(ret, name, params, args)      \
    inline const auto name = [] params -> ret {      \
        ret result = ::name args;                    \
        ExpectListSound(list, #name);                \
        return result;                               \
    };
#define ZUBO_CHECKED_VOID_(name, params, args) \
    inline const auto name = [] params {       \
        ::name args;                           \
        ExpectListSound(list, #name);          \
    };

inline const auto CreateGdirlist = []() -> Gdirlist * {
    Gdirlist *list = ::CreateGdirlist();
    ExpectListSound(list, "CreateGdirlist");
    return list;
};
ZUBO_CHECKED_(int32_t, Gdirlist_GetSize, (Gdirlist * list), (list))
ZUBO_CHECKED_(Gdirlist *, Gdirlist_Sort,
              (Gdirlist * list, GdirlistCompareProc compare, ZuboUserValue user),
              (list, compare, user))
ZUBO_CHECKED_(int32_t, Gdirlist_GetCurPos, (Gdirlist * list), (list))
ZUBO_CHECKED_(int32_t, Gdirlist_CursorUp, (Gdirlist * list), (list))
ZUBO_CHECKED_(int32_t, Gdirlist_CursorDown, (Gdirlist * list), (list))
ZUBO_CHECKED_(int32_t, Gdirlist_SetCurPos, (Gdirlist * list, int32_t index), (list, index))
ZUBO_CHECKED_(GdirlistEntry *, Gdirlist_GetDataPtr, (Gdirlist * list, int32_t index),
              (list, index))
ZUBO_CHECKED_(GdirlistEntry *, Gdirlist_GetDataPtrCursor, (Gdirlist * list), (list))
ZUBO_CHECKED_(GdirlistEntry *, Gdirlist_Add, (Gdirlist * list, const GdirlistEntry *tmpl),
              (list, tmpl))
ZUBO_CHECKED_(GdirlistEntry *, Gdirlist_Insert,
              (Gdirlist * list, const GdirlistEntry *tmpl, int32_t index), (list, tmpl, index))
ZUBO_CHECKED_(GdirlistEntry *, Gdirlist_InsertCursor,
              (Gdirlist * list, const GdirlistEntry *tmpl), (list, tmpl))
ZUBO_CHECKED_VOID_(Gdirlist_Delete, (Gdirlist * list, int32_t index), (list, index))
ZUBO_CHECKED_(int32_t, Gdirlist_DeleteCursor, (Gdirlist * list), (list))
ZUBO_CHECKED_(int32_t, Gdirlist_DeleteAll, (Gdirlist * list), (list))
ZUBO_CHECKED_(int32_t, Gdirlist_AddListFile, (Gdirlist * list, const char *path), (list, path))
ZUBO_CHECKED_(int32_t, Gdirlist_SaveListFile, (Gdirlist * list, const char *path), (list, path))
ZUBO_CHECKED_(uint32_t, Gdirlist_SetFlagAll, (Gdirlist * list, uint32_t value), (list, value))
ZUBO_CHECKED_(uint32_t, Gdirlist_XorFlagAll, (Gdirlist * list, uint32_t value), (list, value))
ZUBO_CHECKED_(uint32_t, Gdirlist_AndFlagAll, (Gdirlist * list, uint32_t value), (list, value))
ZUBO_CHECKED_(uint32_t, Gdirlist_OrFlagAll, (Gdirlist * list, uint32_t value), (list, value))

#undef ZUBO_CHECKED_
#undef ZUBO_CHECKED_VOID_


}  // namespace zubo_test::checked

#define ZUBO_CHECKED_LIST_OPERATIONS                   \
    using zubo_test::checked::CreateGdirlist;            \
    using zubo_test::checked::Gdirlist_GetSize;          \
    using zubo_test::checked::Gdirlist_Sort;             \
    using zubo_test::checked::Gdirlist_GetCurPos;        \
    using zubo_test::checked::Gdirlist_CursorUp;         \
    using zubo_test::checked::Gdirlist_CursorDown;       \
    using zubo_test::checked::Gdirlist_SetCurPos;        \
    using zubo_test::checked::Gdirlist_GetDataPtr;       \
    using zubo_test::checked::Gdirlist_GetDataPtrCursor; \
    using zubo_test::checked::Gdirlist_Add;              \
    using zubo_test::checked::Gdirlist_Insert;           \
    using zubo_test::checked::Gdirlist_InsertCursor;     \
    using zubo_test::checked::Gdirlist_Delete;           \
    using zubo_test::checked::Gdirlist_DeleteCursor;     \
    using zubo_test::checked::Gdirlist_DeleteAll;        \
    using zubo_test::checked::Gdirlist_AddListFile;      \
    using zubo_test::checked::Gdirlist_SaveListFile;     \
    using zubo_test::checked::Gdirlist_SetFlagAll;       \
    using zubo_test::checked::Gdirlist_XorFlagAll;       \
    using zubo_test::checked::Gdirlist_AndFlagAll;       \
    using zubo_test::checked::Gdirlist_OrFlagAll

#endif
