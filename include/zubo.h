/*
 * zubo.h - the public interface of ZUBO.dll.
 *
 * ZUBO.dll is a Windows support library: a record list with a cursor and a
 * text file format, the "ZUBOLIST" list view window class, a console output
 * emulator, JIS/Shift_JIS conversion, an off-screen memory DC, DOS wildcard
 * matching, a menu builder and a folder chooser.
 *
 * Conventions
 * - Every function uses the plain C calling convention (ZUBOAPI, __cdecl)
 *   and is exported by name and by a fixed ordinal.
 * - Objects (record lists, consoles, memory DCs) are created by the library,
 *   passed back as the first argument and released by the host; a list view
 *   is addressed by its window handle.
 * - Refusals are reported only by results: null, 0 or -1 as documented per
 *   function. Nothing is logged and no error code is stored.
 * - Text is 8-bit, zero-terminated, in the ANSI code page; Japanese text is
 *   Shift_JIS in memory.
 * - Numbers are 32 bits wide. Pointers, handles and callback user values are
 *   32 bits wide in the 32-bit DLL and pointer-sized in the 64-bit build.
 * - Memory that the library hands over (entry texts) belongs to the
 *   library's C runtime heap: use Gdirlist_StrDup and Gdirlist_StrFree.
 */
#ifndef ZUBO_H
#define ZUBO_H

#include <stddef.h>
#include <stdint.h>

#ifdef _WIN32
#include <windows.h>
#define ZUBOAPI __cdecl
#else
/* The platform-independent part of the interface also builds elsewhere. */
#define ZUBOAPI
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A value that a callback gets back unchanged as its last argument. */
typedef intptr_t ZuboUserValue;

/* ===================================================================== */
/* Record list                                                           */
/* ===================================================================== */

/*
 * Entry record. The list owns its copy of every entry and its three texts;
 * pointers returned by the Gdirlist_ functions point at the list's own
 * record and stay valid until that entry is deleted, the list is emptied
 * or released (sorting keeps them valid). Fields may be changed in place;
 * a replaced text must come from Gdirlist_StrDup and the old one must be
 * given to Gdirlist_StrFree. Texts may be null.
 */
typedef struct GdirlistEntry {
    char *name;       /* first column of a list line */
    char *name2;      /* second name; fourth column of a list line */
    int32_t num1;     /* second column */
    int32_t num2;     /* third column */
    char *comment;    /* rest of a list line */
    uint32_t flags;   /* bit 0: mark bit; other bits are the caller's */
} GdirlistEntry;

#define GDIRLIST_MARK 0x1u

/* The list itself is opaque to hosts. */
typedef struct Gdirlist Gdirlist;

/*
 * Sort comparison: placed is the entry being placed, other an entry already
 * in the sorted part. Returns < 0 when placed belongs before other, > 0
 * after it, 0 when equal. Must not change the list.
 */
typedef int32_t (ZUBOAPI *GdirlistCompareProc)(const GdirlistEntry *placed,
                                               const GdirlistEntry *other,
                                               ZuboUserValue user);

/* Creates an empty list (cursor 0, past the end); null when out of memory. */
Gdirlist *ZUBOAPI CreateGdirlist(void);
/* Frees every entry with its texts, then the list. A null list is ignored. */
void ZUBOAPI Gdirlist_Release(Gdirlist *list);
/* Number of entries. */
int32_t ZUBOAPI Gdirlist_GetSize(Gdirlist *list);
/* Frees a text allocated by the library (null is ignored). */
void ZUBOAPI Gdirlist_StrFree(char *text);
/* Duplicates a text on the library's heap; null for a null text or when
 * out of memory. */
char *ZUBOAPI Gdirlist_StrDup(const char *text);
/* Sorts in place with a binary insertion sort (not stable: ties follow
 * fixed rules), then puts the cursor on index 0. Lists of 0 or 1 entries
 * are left as they are, cursor included. Returns the list. */
Gdirlist *ZUBOAPI Gdirlist_Sort(Gdirlist *list, GdirlistCompareProc compare,
                                ZuboUserValue user);

/* Cursor index, 0 ... size; size means past the end (no current entry). */
int32_t ZUBOAPI Gdirlist_GetCurPos(Gdirlist *list);
/* One step towards the front; returns the new index (0 stays 0). */
int32_t ZUBOAPI Gdirlist_CursorUp(Gdirlist *list);
/* One step towards the end, possibly past the end; returns the new index. */
int32_t ZUBOAPI Gdirlist_CursorDown(Gdirlist *list);
/* Moves the cursor to an index clamped to 0 ... size; returns the index set. */
int32_t ZUBOAPI Gdirlist_SetCurPos(Gdirlist *list, int32_t index);

/* Entry at an index; null when the index is not 0 ... size - 1. Access near
 * the cursor or either end is cheap. */
GdirlistEntry *ZUBOAPI Gdirlist_GetDataPtr(Gdirlist *list, int32_t index);
/* Entry under the cursor; null when the cursor is past the end. */
GdirlistEntry *ZUBOAPI Gdirlist_GetDataPtrCursor(Gdirlist *list);

/*
 * The three insertions copy the template (texts duplicated, numbers and
 * flags copied) and return the new entry. When memory runs out they return
 * null and leave the list exactly as it was.
 */
/* Appends; a cursor past the end comes to rest on the new entry. */
GdirlistEntry *ZUBOAPI Gdirlist_Add(Gdirlist *list, const GdirlistEntry *tmpl);
/* Inserts so that the new entry has the index; null when the index is not
 * 0 ... size. The cursor keeps its entry. */
GdirlistEntry *ZUBOAPI Gdirlist_Insert(Gdirlist *list, const GdirlistEntry *tmpl,
                                       int32_t index);
/* Inserts before the cursor entry (appends when past the end); the cursor
 * keeps its entry and its index grows by one. */
GdirlistEntry *ZUBOAPI Gdirlist_InsertCursor(Gdirlist *list,
                                             const GdirlistEntry *tmpl);

/* Deletes the entry at an index; out-of-range indexes are ignored. A
 * deleted cursor entry leaves the cursor on the entry that followed. */
void ZUBOAPI Gdirlist_Delete(Gdirlist *list, int32_t index);
/* Deletes the cursor entry (nothing past the end); returns the size. */
int32_t ZUBOAPI Gdirlist_DeleteCursor(Gdirlist *list);
/* Deletes every entry; cursor 0. Returns 0. */
int32_t ZUBOAPI Gdirlist_DeleteAll(Gdirlist *list);

/*
 * List line: "name<TAB>num1<TAB>num2<TAB>name2<TAB>comment", numbers right-
 * aligned in 9 characters. Columns 1 to 4 are read as white-space separated
 * words; a line of three columns has name2 "(none)" and an empty comment.
 * Returns 1 for an entry, 0 for a comment line (";" first) or a blank line
 * (buffers untouched), -1 for a bad line (fewer than three columns or a
 * number column that is not a number; buffers may be partly written).
 * Each buffer must hold the whole line; use the list file functions for
 * bounded reading.
 */
int32_t ZUBOAPI SplitGdirlistLine(const char *line, char *name, char *name2,
                                  int32_t *num1, int32_t *num2, char *comment);
/* Appends the entries of a list file (unmarked), stopping at the first bad
 * line; returns the number appended, 0 when the file cannot be opened.
 * Texts longer than 255 bytes are cut to 255 bytes, and a line longer than
 * 1023 characters is read as its first 1023 characters. */
int32_t ZUBOAPI Gdirlist_AddListFile(Gdirlist *list, const char *path);
/* Writes every entry as a list line (a null text as an empty one). The file
 * is replaced only when everything was written: on any error the result is
 * 0 and an existing file is left as it was. Returns the number of lines
 * written (0 for an empty list as well). */
int32_t ZUBOAPI Gdirlist_SaveListFile(Gdirlist *list, const char *path);

/* Flag operations on the whole flags word of every entry; each returns its
 * value argument. Clear all marks: Gdirlist_AndFlagAll(list, ~1u). */
uint32_t ZUBOAPI Gdirlist_SetFlagAll(Gdirlist *list, uint32_t value);
uint32_t ZUBOAPI Gdirlist_XorFlagAll(Gdirlist *list, uint32_t value);
uint32_t ZUBOAPI Gdirlist_AndFlagAll(Gdirlist *list, uint32_t value);
uint32_t ZUBOAPI Gdirlist_OrFlagAll(Gdirlist *list, uint32_t value);

/* ===================================================================== */
/* DOS wildcard matching                                                 */
/* ===================================================================== */

/* "*" matches any run of bytes, "?" exactly one byte; everything else,
 * "." included, only itself (a-z and A-Z alike when ignoreCase is non-zero).
 * The whole text must match. Returns 1 or 0 (0 also for a null argument). */
int32_t ZUBOAPI MatchDosWildcard(const char *pattern, const char *text,
                                 int32_t ignoreCase);

/* ===================================================================== */
/* JIS / Shift_JIS conversion                                            */
/* ===================================================================== */

#define SHIFT_SINGLE 0 /* JIS single-byte ASCII (ESC ( B) */
#define SHIFT_DOUBLE 1 /* JIS X 0208 two-byte (ESC $ B) */

/* Converts JIS text with shift sequences to Shift_JIS. The destination needs
 * strlen(src) + 1 bytes. Returns dst. A character cut off by the terminator
 * is dropped. */
char *ZUBOAPI ConvJisToSjis(char *dst, const char *src);
/* Converts Shift_JIS to JIS with shift sequences, ending in single-byte
 * mode. The destination needs 3 * strlen(src) + 3 bytes in the worst case.
 * Returns dst. A lead byte cut off by the terminator is dropped. */
char *ZUBOAPI ConvSjisToJis(char *dst, const char *src);

/* ===================================================================== */
/* List view control ("ZUBOLIST")                                        */
/* ===================================================================== */

/*
 * A child window class that shows a record list as fixed-pitch text rows
 * with a cursor bar, marked rows in red and a vertical scroll bar. Register
 * it once with InitZubolist and create windows of the class "ZUBOLIST" as
 * children (the child id goes in the hMenu argument). The cursor runs from
 * row 0 to the end row, whose index is the entry count. Functions taking a
 * window return 0 (null for pointers) when it is not a list view.
 *
 * Notifications: WM_COMMAND to the parent, wParam = MAKEWPARAM(child id,
 * code), lParam = the list view.
 */
#ifdef _WIN32

#define ZLN_CURSORMOVE 1 /* the cursor moved (cursor functions, left click,
                            Zubolist_DeleteAll, Zubolist_MarkDeleteAll) */
#define ZLN_ACTIVATE 2   /* Enter, or a left click on the cursor row */

/* Walk routine: called with each entry visited; return 0 to stop the walk.
 * The entry may be changed in place, but the routine must not add, delete
 * or reorder entries nor move the cursor. */
typedef int (ZUBOAPI *ZubolistWalkProc)(HWND window, GdirlistEntry *entry, void *user);

/* Registers the class "ZUBOLIST" for the process; returns its atom, 0 on
 * failure (a second registration fails). */
int ZUBOAPI InitZubolist(void);
/* Sets the painting font (not owned) and re-lays out the view; nonzero when
 * its metrics were read (otherwise the old metrics stay). */
int ZUBOAPI Zubolist_SetFont(HWND window, HFONT font);

/* Cursor moves. Each returns the cursor index afterwards, keeps the cursor
 * visible with a one-row margin and sends ZLN_CURSORMOVE when it moved; at
 * the limit nothing happens and the index is returned unchanged. */
int ZUBOAPI Zubolist_CursorUp(HWND window);
int ZUBOAPI Zubolist_CursorDown(HWND window);
int ZUBOAPI Zubolist_CursorPageUp(HWND window);
int ZUBOAPI Zubolist_CursorPageDown(HWND window);
/* To the end row (not the last entry); returns the entry count. */
int ZUBOAPI Zubolist_CursorEnd(HWND window);
/* To row 0; returns 0. */
int ZUBOAPI Zubolist_CursorTop(HWND window);

/* Marks on all entries; each returns the entry count. MarkClearAll also
 * scrolls the view back to row 0 (the cursor stays). */
int ZUBOAPI Zubolist_MarkAll(HWND window);
int ZUBOAPI Zubolist_MarkClearAll(HWND window);
int ZUBOAPI Zubolist_MarkInvertAll(HWND window);
/* Marks (status nonzero) or unmarks the cursor entry; returns status. */
int ZUBOAPI Zubolist_MarkSet(HWND window, int status);
/* Inverts the cursor entry's mark; returns 0. */
int ZUBOAPI Zubolist_MarkInvert(HWND window);
/* Inverts the cursor entry's mark and steps down; returns the new cursor
 * index, or 0 on the end row (nothing done). */
int ZUBOAPI Zubolist_MarkInvertAndDown(HWND window);
/* Calls walk (may be null) for each marked entry / each entry in list order;
 * returns the number visited (the one that stopped the walk included). */
int ZUBOAPI Zubolist_EnumMark(HWND window, ZubolistWalkProc walk, void *user);
int ZUBOAPI Zubolist_EnumAll(HWND window, ZubolistWalkProc walk, void *user);
/* Marks every entry whose name2 matches a DOS wildcard pattern (see
 * MatchDosWildcard); never unmarks. Returns the entry count. */
int ZUBOAPI Zubolist_MarkMatchWildcard(HWND window, const char *pattern, int ignoreCase);

/* Number of entries. */
int ZUBOAPI Zubolist_GetListNum(HWND window);
/* The cursor entry (the list's own record), null on the end row. */
GdirlistEntry *ZUBOAPI Zubolist_GetDataPtr(HWND window);
/* Appends a copy of the entry; returns the entry count. */
int ZUBOAPI Zubolist_Add(HWND window, const GdirlistEntry *entry);
/* Sorts with the comparison (cursor to row 0); returns 1, 0 for a null
 * comparison. */
int ZUBOAPI Zubolist_Sort(HWND window, GdirlistCompareProc compare, ZuboUserValue user);
/* Moves the cursor entry to the removed-entries stack; returns the count. */
int ZUBOAPI Zubolist_RemoveData(HWND window);
/* Brings the most recently removed entry back at the cursor (the cursor
 * stands on it); returns the count. */
int ZUBOAPI Zubolist_RestoreData(HWND window);
/* Deletes every entry (the removed stack stays); returns 0. */
int ZUBOAPI Zubolist_DeleteAll(HWND window);
/* Deletes every marked entry for good; the cursor keeps its entry, or moves
 * to the last unmarked one above it. Returns 0. */
int ZUBOAPI Zubolist_MarkDeleteAll(HWND window);
/* Puts the marked entries on the clipboard as CF_TEXT, one list line ending
 * in CR LF each (a line longer than 1023 bytes is cut inside its comment).
 * Returns 0; the clipboard is untouched when it cannot be opened. */
int ZUBOAPI Zubolist_MarkCopyClipboard(HWND window);
/* Inserts the entries of the clipboard's text above the cursor row (lines
 * end at CR; texts are cut to 255 bytes, lines to 1023), stopping at a line
 * of fewer than three fields. Returns 1 when there was text, else 0. */
int ZUBOAPI Zubolist_InsertFromClipboard(HWND window);
/* Appends the entries of a list file; returns the number read. */
int ZUBOAPI Zubolist_AddListFile(HWND window, const char *path);
/* Writes every entry to a list file (as Gdirlist_SaveListFile). */
int ZUBOAPI Zubolist_SaveListFile(HWND window, const char *path);
/* Writes the marked entries to a list file, replacing it only when all was
 * written; returns 1, or 0 (old file kept) on any failure. */
int ZUBOAPI Zubolist_MarkAllSaveListFile(HWND window, const char *path);

#endif /* _WIN32 */

/* ===================================================================== */
/* Console output emulator                                               */
/* ===================================================================== */

/* ===================================================================== */
/* Memory DC                                                             */
/* ===================================================================== */

/* ===================================================================== */
/* Menu builder and folder chooser                                       */
/* ===================================================================== */

#ifdef __cplusplus
}
#endif

#endif /* ZUBO_H */
