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
 * - Null arguments: each family states its rule below. In short, a null
 *   record list, console, menu table or path buffer, and a window that is
 *   not a list view, are refused: nothing happens and the result is 0 (null
 *   for pointers). A function whose result is one of its arguments returns
 *   that argument in every case.
 * - Text is 8-bit and zero-terminated; Japanese text is Shift_JIS in memory
 *   (see "Text and code pages").
 * - Numbers are 32 bits wide. Pointers, handles and callback user values are
 *   32 bits wide in the 32-bit DLL and pointer-sized in the 64-bit build.
 * - Memory that the library hands over (entry texts) belongs to the
 *   library's C runtime heap: use Gdirlist_StrDup and Gdirlist_StrFree.
 *
 * Who owns what
 * - CreateGdirlist, CreateConsout and CreateMemoryDC return objects that
 *   the host owns and releases: Gdirlist_Release, Consout_Release and the
 *   memory DC's ops.Release. A list view is owned by its window: its state,
 *   its two record lists and their entries go with DestroyWindow.
 * - Entry pointers (Gdirlist_GetDataPtr, Gdirlist_GetDataPtrCursor, the
 *   insertions, Zubolist_GetDataPtr, the entries handed to walk routines
 *   and comparisons) point into the list's own records: never free them;
 *   they stay valid until that entry is deleted or its list emptied or
 *   released (for a list view: also removed, or its window destroyed).
 * - Results that are arguments (ConvJisToSjis, ConvSjisToJis,
 *   ZuboSelectDirectory: the host's buffer; Gdirlist_Sort: the list) stay
 *   the host's.
 * - Fonts, device contexts, windows, file names, templates and the texts
 *   they point to, menu tables and callback user values stay the host's;
 *   the library keeps none of the texts it is given (it copies them) and
 *   never deletes a font. Menus built by ZuboMenu_CreateMenu belong to the
 *   window they are attached to, or to the host (DestroyMenu). The memory
 *   DC's GetHDC result belongs to the memory DC.
 *
 * Threads
 * - A Zubolist_ function called on a thread other than the one that owns
 *   the window is carried out on the owner thread (forwarded with
 *   SendMessage of a private message, as Windows does for messages to a
 *   control) and returns its result there. So the owner thread must keep
 *   pumping messages while a worker calls, and a worker must not call
 *   while the owner thread waits for it: that deadlocks, as any SendMessage
 *   would. A window of another process is refused (0; null for a pointer).
 * - Record lists, consoles and memory DCs are not thread-safe: one thread
 *   at a time uses each.
 * - Callbacks run on the calling thread, inside the call that caused them;
 *   for a list view that is always the owner thread, and so are its
 *   notifications.
 *
 * Callbacks and what they may call
 * - Sort comparison: reads the two entries; calls nothing that changes or
 *   walks the list being sorted.
 * - Walk routine (Zubolist_EnumMark, Zubolist_EnumAll): may change the
 *   entry it is given in place; must not add, delete or reorder entries or
 *   move the cursor.
 * - Escape procedure: may move the cursor, erase and set the attribute of
 *   its console; must not feed it bytes (Consout_Putchar) or release it.
 * - Scroll-notify procedure: may read its console, draw it (Consout_Update,
 *   Consout_Draw) and set its view; must not feed it bytes or release it.
 * - List view notifications (WM_COMMAND to the parent): the parent may
 *   call the view's functions (the operation that sent the notification
 *   then goes on from what they left), and may destroy the list view from
 *   inside a notification or callback; the call that sent it then stops
 *   and returns.
 * - No C++ exception may leave a callback: the library's frames cannot be
 *   unwound.
 *
 * Text and code pages
 * Entry texts, list files, console cells and the clipboard's CF_TEXT hold
 * bytes; Japanese text among them is Shift_JIS. Where the system's ANSI
 * code page is a double-byte one (932, 936, 949, 950) the library hands
 * these bytes to the system as they are: ExtTextOutA draws them and
 * CF_TEXT alone carries them. Elsewhere (single-byte code pages, UTF-8) it
 * reads them as Shift_JIS: the console and the list view convert each run
 * or row from code page 932 and draw it with ExtTextOutW at the same place,
 * unless the font selected for drawing is itself read in a double-byte
 * code page (a SHIFTJIS_CHARSET font, say), which keeps ExtTextOutA;
 * Zubolist_MarkCopyClipboard puts CF_LOCALE Japanese (0x0411) beside the
 * same CF_TEXT bytes, so that other programs read the right Unicode text;
 * and Zubolist_InsertFromClipboard converts text that a program put as
 * CF_UNICODETEXT to Shift_JIS itself (a character Shift_JIS lacks becomes
 * "?"). Paths and other names go to the system as they are.
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

/* The records below are laid out with natural alignment whatever packing
 * the including code has set (#pragma pack), as the library was built. */
#pragma pack(push, 8)

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

/* The list itself is opaque to hosts.
 *
 * Null arguments: every Gdirlist_ function accepts a null list and then
 * does nothing; its result is 0 or null, except that the flag operations
 * return their value argument and Gdirlist_Sort its list argument, as they
 * always do. A null template, comparison or path is refused in the same
 * way, and SplitGdirlistLine gives -1 for any null argument. */
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
 * 1023 characters is read as its first 1023 characters. The file ends at
 * its first byte 0x1A, as text-mode reading on Windows ends it there.
 * The comment is the rest of the line after the fourth column, filtered:
 * until a ";" has been copied, spaces, TABs, CRs and LFs are dropped (other
 * characters are kept); from the ";" on everything is kept, the line's
 * closing LF included. So the line
 *     "song1\t120\t32\tsong1.gp4\tlive take\n"  gives the comment "livetake",
 *     "song2\t120\t32\tsong2.gp4\tsee ; notes\n" gives "see; notes\n".
 * Write comments as "; text", and drop the final LF when showing one.
 * Lines whose first character is ";" and blank lines are skipped. */
int32_t ZUBOAPI Gdirlist_AddListFile(Gdirlist *list, const char *path);
/* Writes every entry as a list line. Returns the number of lines written
 * (0 for an empty list as well). The file is replaced only when everything
 * was written: on any error the result is 0 and an existing file is left
 * as it was.
 * A save never reports success for entries that reading the file would
 * not give back. Reading gives back texts cut to 255 bytes and the comment
 * as the reader filters it (spaces, TABs, CRs and LFs before its first ";"
 * dropped, everything after it kept, the line's closing line feed
 * included), so "see notes" comes back as "seenotes". Refused, with the
 * result 0, nothing written and an existing file left byte for byte as it
 * was, is a list holding any entry with
 *   - a name or name2 that is null, empty or contains white space (space,
 *     TAB, LF, VT, FF, CR): the columns would shift, or the line would be
 *     a bad line that ends the reading of the whole file;
 *   - a comment with a line feed before its last byte: the rest would be
 *     read as further lines (a comment ending in one, as the reader gives
 *     comments with a ";", is written as read);
 *   - byte 0x1A in any text: text-mode reading ends the file there;
 *   - texts so long that the line's first 1023 characters, all that is
 *     read of it, give a different entry (several hundred bytes; entries
 *     read from a list file or pasted never are).
 * A name that begins with ";" is written after a space, so that its line
 * is not taken for a comment line. */
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

/* Null arguments: a null destination is returned as it is, with nothing
 * written; a null source reads as the empty text. */

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
 * row 0 to the end row, whose index is the entry count.
 *
 * The class is registered for the process's executable and unregistered
 * when the library is unloaded with FreeLibrary; a host that loads it again
 * calls InitZubolist again.
 *
 * Null arguments: a null window, a window of another class, one whose
 * creation failed, one already destroyed and one of another process are
 * refused by every function taking a window: nothing happens and the
 * result is 0 (null for pointers), except that Zubolist_MarkSet returns
 * its status argument in every case.
 *
 * Threads: a view belongs to the thread that created it; calls from other
 * threads are carried out there (see "Threads" at the top).
 *
 * Destruction: the parent may destroy the view while handling any
 * notification, and a walk routine or sort comparison may destroy it; the
 * operation that sent it then stops, frees the view when it returns, and
 * its result is the one it had reached.
 *
 * Notifications: WM_COMMAND to the parent, wParam = MAKEWPARAM(child id,
 * code), lParam = the list view.
 *
 * Keys (WM_KEYDOWN while the view has the focus; Shift is never read, and
 * with Ctrl held only Ctrl+A, C, V and X act):
 *   Up, Down            cursor one row up / down
 *   Page Up, Left       cursor a page up;  Page Down, Right: a page down
 *   Home, End           cursor to row 0 / to the end row
 *   Enter               ZLN_ACTIVATE to the parent, then cursor down
 *   Space               invert the cursor row's mark, then cursor down
 *   Delete, Insert      remove the cursor entry / restore the last removed
 *   Ctrl+A              mark every entry
 *   Ctrl+C, Ctrl+V      copy the marked entries / paste above the cursor
 *   Ctrl+X              delete the marked entries (nothing is copied)
 *   0                   delete every entry
 *   1                   append the entries of "a.lst"
 *   2                   write every entry to "b.lst", replacing it
 *   3                   write the marked entries to "c.lst", replacing it
 *   4, 5                mark the entries whose name2 matches "*.gp4"
 *                       (5: ignoring case)
 * The three files are in the process's current directory. A host that
 * does not want the digit keys creates the window with ZLS_NODIGITKEYS.
 * Mouse: a left click moves the cursor to the row (on the cursor row it
 * sends ZLN_ACTIVATE, so a double click activates); a right click inverts
 * the row's mark; both take the focus. The scroll bar scrolls without
 * moving the cursor. The view has no mouse wheel handling of its own.
 *
 * Accessibility: a list view answers WM_GETOBJECT for OBJID_CLIENT with an
 * IAccessible object of its own (Microsoft Active Accessibility), which
 * screen readers read, and UI Automation clients through the system's
 * bridge. The list is ROLE_SYSTEM_LIST, named by the window text,
 * focusable and multi-selectable, focused while the view has the keyboard
 * focus. Its children are the entries, child id = row + 1, simple elements
 * (no objects of their own); the end row is not a child: with the cursor
 * on it, the list itself is the focus. An entry is ROLE_SYSTEM_LISTITEM,
 * named by its row's text as shown, read as Shift_JIS (code page 932);
 * selectable and focusable, selected when marked, focused when it is the
 * cursor row of a focused view, offscreen when its row is out of view; its
 * location is its row across the client area, in screen coordinates. The
 * marks are the selection and the cursor is the focus (get_accSelection,
 * get_accFocus); hit tests, and navigation up, down, next, previous, to the
 * first and the last child, work on rows. accSelect takes, adds, removes or
 * extends (from the cursor) marks, silently as every marking does, and
 * taking the focus moves the cursor there (ZLN_CURSORMOVE) and focuses the
 * view. accDoDefaultAction on an entry ("Double Click") does what Enter
 * does on it: the cursor goes to the row (ZLN_CURSORMOVE when it moved),
 * then ZLN_ACTIVATE, then the cursor steps down. Events (NotifyWinEvent,
 * OBJID_CLIENT, raised before the parent's notification):
 * EVENT_OBJECT_FOCUS for the cursor row whenever it changes while the view
 * has the focus, and when the view gets it; once a client has asked for the
 * object, also EVENT_OBJECT_SELECTIONADD or _SELECTIONREMOVE for one mark,
 * _SELECTIONWITHIN for many, EVENT_OBJECT_CREATE for an added entry
 * whose row is on the page (not for those added beyond it, which clients
 * count when they need to: a long fill raises no flood of events),
 * EVENT_OBJECT_NAMECHANGE for an entry a walk routine changed, and
 * EVENT_OBJECT_REORDER when many rows changed (sorting, pasting, removing,
 * restoring, deleting, reading a list file, a new column width). Nothing is
 * loaded for this before the first WM_GETOBJECT: then oleacc.dll,
 * oleaut32.dll and ole32.dll are loaded, and stay. The object's methods may
 * be called on any thread; they run on the view's thread, as the Zubolist_
 * functions do. A view whose thread is in no COM apartment is served from
 * the process's multithreaded apartment, which the library then keeps in
 * being for the life of the process (CoIncrementMTAUsage: Windows 8 and
 * later; on older systems such a view answers as a plain window). The
 * object outlives its view while a client holds it, and then answers
 * RPC_E_DISCONNECTED to every call. Since a client may call the object at
 * any time, a process that has met an accessibility client keeps the
 * library loaded until it exits: the first object pins it, and FreeLibrary
 * no longer unloads it.
 */
#ifdef _WIN32

/* Window style bit of the class (control-specific low word of the style):
 * the digit keys 0 to 5 do nothing. Read at each key press, so that
 * SetWindowLongA(window, GWL_STYLE, ...) switches it on or off later. */
#define ZLS_NODIGITKEYS 0x0001L

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
 * its metrics were read (otherwise the old metrics stay). The cell width
 * and row height follow the font rule at Consout_SetFont; until a font is
 * set the view draws with SYSTEM_FIXED_FONT. */
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
 * in CR LF each (a line longer than 1023 bytes is cut inside its comment),
 * all of them whatever the text's length (in a block of at least 1 MiB).
 * Returns 0. While another program holds the clipboard open, opening it is
 * tried again for about half a second; after that the clipboard is left
 * untouched. */
int ZUBOAPI Zubolist_MarkCopyClipboard(HWND window);
/* Inserts the entries of the clipboard's text above the cursor row (lines
 * end at CR; texts are cut to 255 bytes, lines to 1023), stopping at a line
 * of fewer than three fields. The text ends at its first byte 0x1A, as a
 * list file does, so pasted entries never hold it. Returns 1 when there was
 * text, else 0 (also when the clipboard stayed busy for about half a
 * second, as for a copy). */
int ZUBOAPI Zubolist_InsertFromClipboard(HWND window);
/* Appends the entries of a list file; returns the number read. */
int ZUBOAPI Zubolist_AddListFile(HWND window, const char *path);
/* Writes every entry to a list file (as Gdirlist_SaveListFile, refusals
 * included). */
int ZUBOAPI Zubolist_SaveListFile(HWND window, const char *path);
/* Writes the marked entries to a list file, replacing it only when all was
 * written; returns 1, or 0 (old file kept) on any failure, and refuses
 * with 0, writing nothing, a marked entry that Gdirlist_SaveListFile
 * refuses. */
int ZUBOAPI Zubolist_MarkAllSaveListFile(HWND window, const char *path);

#endif /* _WIN32 */

/* ===================================================================== */
/* Console output emulator                                               */
/* ===================================================================== */

/*
 * A character-cell screen of consWidth x consHeight cells on top of a ring
 * of maxline lines (screen plus scroll-back), fed one byte at a time with
 * Consout_Putchar and drawn by the host with Consout_Update / Consout_Draw.
 * The console record is opaque; every value a host needs has a getter.
 *
 * Null console: every Consout_ function accepts a null console and then
 * does nothing; its result is 0, except that Consout_Putchar and the plain
 * setters (Consout_SetAttr, _SetTabstop, _SetCharset, _SetKanjicode,
 * _SetOutputMode) return their value argument, as they always do.
 */
typedef struct Consout Consout;

/* One cell. Low byte of code: the byte drawn; high byte 0 for a single-width
 * character, WIDE_FIRST / WIDE_SECOND for the halves of a double-width one
 * (Shift_JIS lead and trail byte). attr: see the ATTR_ bits. */
typedef struct ConsoutCell {
    uint16_t code;
    uint16_t attr;
} ConsoutCell;

/* One line buffer: a single block of count, then count cells (the block is
 * allocated with room for all of them). */
typedef struct ConsoutLine {
    int32_t count;
    ConsoutCell cells[1];
} ConsoutLine;

#define WIDE_FIRST 0x10        /* high byte of a first half's code word */
#define WIDE_SECOND 0x11       /* high byte of a second half's code word */
#define CONSOUT_BLANK 0x0020   /* code word of a blank cell */

/* Attribute: background index in bits 0-3, foreground index in bits 4-7,
 * bit 8 leaves the background unpainted; bits 9-15 are carried along
 * (they split drawing runs but draw nothing). Only the low 16 bits of the
 * current attribute reach a cell. */
#define ATTR_BG_MASK 0x000F
#define ATTR_FG_MASK 0x00F0
#define ATTR_FG_SHIFT 4
#define ATTR_TRANSPARENT 0x0100
#define CONSOUT_ATTR(fg, bg) ((((fg) & 0xF) << ATTR_FG_SHIFT) | ((bg) & 0xF))
#define ATTR_DEFAULT 0xF0      /* white 15 on black 0 */

/* Output mode flags (Consout_SetOutputMode); the default is 5, in which LF
 * moves down a row but keeps the column. Program output, whose lines end
 * in LF alone, wants 7 (all three bits). */
#define OUTMODE_ENABLE 1       /* switches bits 1 and 2 on */
#define OUTMODE_NEWLINE_CR 2   /* LF also returns to column 0 */
#define OUTMODE_EXPAND_TAB 4   /* TAB writes blanks to the next tab stop */

/* Code of 8-bit double-byte input (Consout_SetKanjicode); other values mean
 * single-byte only. The JIS shift mode (Consout_SetCharset) is SHIFT_SINGLE
 * or SHIFT_DOUBLE. */
#define KANJICODE_SJIS 0
#define KANJICODE_EUC 1

#define DIRTY_CLEAN 0x7fff     /* dirtyLeft/dirtyTop of a clean console */
#define RUN_MAX 1024           /* most bytes drawn by one text output */
#define CONSOUT_ESC_MAX 128    /* most bytes of one escape sequence */
#define CONSOUT_NCOLORS 16     /* entries of a colour table */

/* Colour table: 16 palette-relative colour references (0x02BBGGRR),
 * indexed by the colour fields of an attribute. ANSI order: 0-7 black, red,
 * green, yellow, blue, magenta, cyan, white; 8-15 their bright variants.
 * Use as: ConsoutColor table[CONSOUT_NCOLORS] = DEFAULT_COLORS; */
#ifdef _WIN32
typedef COLORREF ConsoutColor;
#else
typedef uint32_t ConsoutColor;
#endif
#define DEFAULT_COLORS {                                              \
    0x02000000u, 0x020000C0u, 0x0200C000u, 0x0200C0C0u,               \
    0x02C00000u, 0x02C000C0u, 0x02C0C000u, 0x02C0C0C0u,               \
    0x02404040u, 0x024040FFu, 0x0240FF40u, 0x0240FFFFu,               \
    0x02FF4040u, 0x02FF40FFu, 0x02FFFF40u, 0x02FFFFFFu }

/* Escape procedure: called after each byte of a collected escape sequence
 * with the bytes so far (bytes[0] is ESC; not zero-terminated in general)
 * and their count, 2 ... CONSOUT_ESC_MAX. Returns 0 to go on collecting,
 * anything else to end the sequence. It may act on the console (cursor,
 * erase, Consout_SetAttr) but must not feed it bytes. */
typedef int32_t (ZUBOAPI *ConsoutEscProc)(Consout *console, const uint8_t *bytes,
                                          int32_t count, ZuboUserValue user);
/* Called once after every scroll and every Consout_SetConsSize, when the
 * console is in its new state; the result is ignored. */
typedef int32_t (ZUBOAPI *ConsoutScrollNotifyProc)(Consout *console, ZuboUserValue user);

/* Size limits, far beyond any real console. They bound everything a
 * console can come to hold: its ring has at most maxline lines, none wider
 * than the widest width it accepted, so at most CONSOUT_MAX_CELLS cells
 * (64 MiB) and CONSOUT_MAX_LINES line pointers. A size beyond them is
 * refused before anything is allocated. Column and row numbers stay below
 * DIRTY_CLEAN, which marks a clean dirty rectangle. */
#define CONSOUT_MAX_WIDTH 32767      /* columns */
#define CONSOUT_MAX_HEIGHT 32767     /* screen rows, after the clamp to maxline */
#define CONSOUT_MAX_LINES 1048576    /* maxline: screen plus scroll-back */
#define CONSOUT_MAX_CELLS 16777216   /* width x maxline */

/* Creates a console of width x min(height, maxline) blank cells (attribute
 * 0xF0) with a ring of maxline lines, the default colours, the stock fixed
 * font and the ANSI escape procedure. Null, with nothing allocated, when a
 * size is below 1, width is above CONSOUT_MAX_WIDTH, maxline above
 * CONSOUT_MAX_LINES, width x maxline above CONSOUT_MAX_CELLS or
 * min(height, maxline) above CONSOUT_MAX_HEIGHT; null also when memory
 * runs out, after freeing whatever the creation had allocated. */
Consout *ZUBOAPI CreateConsout(int32_t width, int32_t height, int32_t maxline);
/* Frees the console and all its lines; null is ignored. */
void ZUBOAPI Consout_Release(Consout *console);
/* Resizes the screen (height clamped to maxline). Lines keep their text;
 * growing takes rows from the scroll-back first; the cursor keeps its line
 * or goes to row 0 when its line left the screen. Returns the height in
 * effect. Refused, returning the old height with nothing changed and
 * nothing allocated: a size below 1, width above CONSOUT_MAX_WIDTH,
 * width x maxline above CONSOUT_MAX_CELLS, a clamped height above
 * CONSOUT_MAX_HEIGHT. When memory runs out the old height is returned
 * too: nothing changed, and every line allocated on the way is freed. */
int32_t ZUBOAPI Consout_SetConsSize(Consout *console, int32_t width, int32_t height);

/* Getters. */
int32_t ZUBOAPI Consout_GetConsWidth(Consout *console);
int32_t ZUBOAPI Consout_GetConsHeight(Consout *console);
int32_t ZUBOAPI Consout_GetFontWidth(Consout *console);   /* cell width, pixels */
int32_t ZUBOAPI Consout_GetFontHeight(Consout *console);
int32_t ZUBOAPI Consout_GetCurX(Consout *console);
int32_t ZUBOAPI Consout_GetCurY(Consout *console);
int32_t ZUBOAPI Consout_GetAttr(Consout *console);
int32_t ZUBOAPI Consout_GetTabstop(Consout *console);
int32_t ZUBOAPI Consout_GetBaselineskip(Consout *console); /* row pitch, pixels */
int32_t ZUBOAPI Consout_GetCharset(Consout *console);
int32_t ZUBOAPI Consout_GetKanjicode(Consout *console);
int32_t ZUBOAPI Consout_GetMaxline(Consout *console);     /* ring size */
int32_t ZUBOAPI Consout_GetLinecnt(Consout *console);     /* lines held, <= maxline */
int32_t ZUBOAPI Consout_GetOutputMode(Consout *console);

/* Setters: store the value unchecked and return it. */
int32_t ZUBOAPI Consout_SetAttr(Consout *console, int32_t attr);
int32_t ZUBOAPI Consout_SetTabstop(Consout *console, int32_t tabstop);
int32_t ZUBOAPI Consout_SetCharset(Consout *console, int32_t charset);
int32_t ZUBOAPI Consout_SetKanjicode(Consout *console, int32_t kanjicode);
/* Output mode: the OUTMODE_ bits. The default 5 does not return to column
 * 0 at a line feed; for text with LF line ends (a program's output) set
 * OUTMODE_ENABLE | OUTMODE_NEWLINE_CR | OUTMODE_EXPAND_TAB (7). */
int32_t ZUBOAPI Consout_SetOutputMode(Consout *console, int32_t flags);
/* Sets the row pitch (values below 1 are stored as 1) and marks the whole
 * view dirty; returns the value stored. */
int32_t ZUBOAPI Consout_SetBaselineskip(Consout *console, int32_t baselineskip);
/* Copies 16 colour values (null keeps the table) and marks the whole
 * view dirty; returns 1. */
int32_t ZUBOAPI Consout_SetColors(Consout *console, const ConsoutColor *colors);

/* How many lines the view stands above the screen (0: the screen). */
int32_t ZUBOAPI Consout_GetViewline(Consout *console);
/* Scrolls the view back by v lines, 0 ... linecnt - consHeight, and marks
 * the whole view dirty (the next Consout_Update draws all of it); 1, or 0
 * (nothing changed) for any other v. Every scroll and resize returns the
 * view to the screen.
 * A scroll bar over the scroll-back: range 0 ... linecnt - 1 (nMin 0, nMax
 * linecnt - 1), page consHeight, position linecnt - consHeight - v, so that
 * the oldest line is at the top and the screen at the bottom; a bar
 * position p gives v = linecnt - consHeight - p. */
int32_t ZUBOAPI Consout_SetViewline(Consout *console, int32_t v);
/* Installs (null: removes) the scroll-notify procedure; returns 1. The
 * procedure runs once per scrolled line (a write of 1000 lines calls it
 * 1000 times) and after each Consout_SetConsSize: for bulk output, let it
 * only note that a scroll happened, and update a scroll bar once after
 * the write. */
int32_t ZUBOAPI Consout_SetScrollNotifyProc(Consout *console, ConsoutScrollNotifyProc proc,
                                            ZuboUserValue user);

/* Installs the escape procedure (null: escape sequences end at their
 * second byte); returns 1. */
int32_t ZUBOAPI Consout_SetESCProc(Consout *console, ConsoutEscProc proc, ZuboUserValue user);
/* The default escape procedure: ESC [ n A/B/C/D, ESC [ H, ESC [ r;c H/f,
 * ESC [ 2 J, ESC [ K and ESC [ ... m (colours). */
int32_t ZUBOAPI Consout_ESCProc_ANSI(Consout *console, const uint8_t *bytes, int32_t count,
                                     ZuboUserValue user);

/* Cursor movement: 1 when the target is on the screen and the cursor moved,
 * 0 (cursor unchanged) otherwise; nothing wraps or scrolls, except that
 * Consout_MoveCurDown on the last row scrolls and returns 1. */
int32_t ZUBOAPI Consout_MoveCur(Consout *console, int32_t x, int32_t y);
int32_t ZUBOAPI Consout_MoveCurLeft(Consout *console);
int32_t ZUBOAPI Consout_MoveCurRight(Consout *console);
int32_t ZUBOAPI Consout_MoveCurUp(Consout *console);
int32_t ZUBOAPI Consout_MoveCurDown(Consout *console);
int32_t ZUBOAPI Consout_MoveCurLeftMost(Consout *console);
int32_t ZUBOAPI Consout_MoveCurRightMost(Consout *console);
int32_t ZUBOAPI Consout_MoveCurUpMost(Consout *console);
int32_t ZUBOAPI Consout_MoveCurDownMost(Consout *console);

/* Processes one output byte (0 ... 255): TAB, LF, CR and ESC act, every
 * other byte is written as a cell; Shift_JIS, EUC or JIS pairs become
 * double-width characters. Returns the byte argument. */
int32_t ZUBOAPI Consout_Putchar(Consout *console, int32_t byte);
/* Drops a partial character or escape sequence; returns 0. */
int32_t ZUBOAPI Consout_Reset(Consout *console);
/* Blanks the screen in the current attribute, cursor to 0, 0; returns 1. */
int32_t ZUBOAPI Consout_ClearScreen(Consout *console);
/* Blanks from the cursor to the end of its line; returns 1. */
int32_t ZUBOAPI Consout_DeleteLineFromCursor(Consout *console);
/* Marks the console clean without drawing; returns 1. */
int32_t ZUBOAPI Consout_DirtyClean(Consout *console);

#ifdef _WIN32
/* Sets the font (the host's; never deleted) and takes the cell width (half
 * the widest character, but never less than the single-width advance),
 * font height and row pitch from it; marks the whole view dirty. Non-zero
 * when the metrics were read; otherwise the font is stored and the sizes
 * keep their values.
 * Font rule (console and list view alike): a cell is tmMaxCharWidth / 2
 * pixels wide, but never narrower than the font's widest printable ASCII
 * advance (at least 1), and a row tmHeight pixels high (the row pitch can
 * be changed later). Every character is drawn at its cells, a double-width
 * one on two, whatever the font's own advances. The fonts that suit are
 * fixed-pitch ones: a Japanese monospaced face, whose full-width
 * characters are twice its half-width ones (cells are then half the widest
 * character, as always), or a Western one such as Consolas or DejaVu Sans
 * Mono (cells are then its advance; Japanese text then takes its
 * characters from font fallback, squeezed or spread to two cells). With a
 * proportional font every character still sits on its cells, but narrow
 * ones stand apart. */
int32_t ZUBOAPI Consout_SetFont(Consout *console, HFONT font);
/* Draws every cell that the view rectangle (x, y, width, height) touches,
 * view pixel (px, py) at device (px - originX, py - originY); one text
 * output per run of equal attribute, each character at its cell and an
 * opaque run's cells filled with its background. The device context's
 * font, colours, background mode and text alignment are left as they
 * were. 0 (nothing done) when the rectangle
 * starts right of or below the screen, else 1. Negative x or y are clipped
 * to 0. The offset of x into its cell (of y into its row) is added to the
 * width (height) as it is, negative or not: with x one pixel into a cell
 * and width -1 the width becomes 0 and no column is drawn. */
int32_t ZUBOAPI Consout_Draw(Consout *console, HDC dc, int32_t originX, int32_t originY,
                             int32_t x, int32_t y, int32_t width, int32_t height);
/* Stores the dirty rectangle in view pixels (right and bottom exclusive):
 * cells written to the screen where the view shows them, all of the view
 * after Consout_SetViewline; returns 1. */
int32_t ZUBOAPI Consout_GetDirtyRect(Consout *console, RECT *rect);
/* Draws the dirty rectangle, if any, and marks the console clean; returns 1. */
int32_t ZUBOAPI Consout_Update(Consout *console, HDC dc, int32_t originX, int32_t originY);
#endif

/* ===================================================================== */
/* Memory DC                                                             */
/* ===================================================================== */

#ifdef _WIN32
/*
 * An off-screen drawing surface: a memory DC with a top-down DIB section
 * selected into it and a logical palette that follows the surface's colour
 * table. Apart from CreateMemoryDC every operation is reached through the
 * table at the start of the object, always with the object first:
 *     dc->ops.BltTo(dc, windowDC, 0, 0, &rect);
 * Release through dc->ops.Release; there is no exported release function.
 * The fields are readable; only the operations change them.
 *
 * Null arguments: an operation is reached through its object, which must be
 * the object the table belongs to (it is never checked); null records and
 * rectangles are refused with 0 as each operation says.
 */
typedef struct MemoryDC MemoryDC;

#define MEMORYDC_TYPE 1u          /* type word of a memory DC */
#define MEMORYDC_INFO_ALL 0x1Fu   /* MemoryDCInfo.mask when it was filled */

/* Filled by GetInfo. */
typedef struct MemoryDCInfo {
    uint32_t mask;        /* MEMORYDC_INFO_ALL, or 0 when nothing was filled */
    int32_t width;        /* row width in pixels, padded (see CreateMemoryDC) */
    int32_t height;       /* rows */
    int32_t bitCount;     /* bits per pixel */
    int32_t bytesPerLine; /* bytes per row: bitCount * width / 8 */
    void *bits;           /* pixel memory; row 0 is the top row */
} MemoryDCInfo;

/* Read by Resize. */
typedef struct MemoryDCSize {
    int32_t bitCount;     /* new depth; 0 keeps the current one */
    int32_t reserved;     /* not read */
    int32_t width;
    int32_t height;
} MemoryDCSize;

/* Release: tears the surface down and frees the object. Returns 1. */
typedef int32_t (ZUBOAPI *MemoryDCReleaseProc)(MemoryDC *dc);
/* GetInfo: fills the record (mask MEMORYDC_INFO_ALL) and returns 1; a
 * released surface (failed Resize) reports zeros and a null bits pointer.
 * 0 for a null record. */
typedef int32_t (ZUBOAPI *MemoryDCGetInfoProc)(MemoryDC *dc, MemoryDCInfo *info);
/* The unused slots: do nothing and return 0. */
typedef int32_t (ZUBOAPI *MemoryDCDefaultProc)(MemoryDC *dc);
/* BltFrom: copies srcRect of src into the surface at (x, y) (SRCCOPY).
 * Returns 1; 0 for a null rectangle or when there is no surface. */
typedef int32_t (ZUBOAPI *MemoryDCBltFromProc)(MemoryDC *dc, int32_t x, int32_t y,
                                               HDC src, const RECT *srcRect);
/* StretchBltTo: stretches srcRect of the surface into dstRect of dst with
 * the surface's palette selected in dst (then restored); leaves dst's
 * stretch mode at COLORONCOLOR. Returns 1; 0 for a null rectangle or when
 * there is no surface. */
typedef int32_t (ZUBOAPI *MemoryDCStretchBltToProc)(MemoryDC *dc, HDC dst,
                                                    const RECT *dstRect,
                                                    const RECT *srcRect);
/* BltTo: copies srcRect of the surface to (x, y) of dst with the surface's
 * palette selected in dst (then restored). Returns 1; 0 for a null
 * rectangle or when there is no surface. */
typedef int32_t (ZUBOAPI *MemoryDCBltToProc)(MemoryDC *dc, HDC dst, int32_t x,
                                             int32_t y, const RECT *srcRect);
/* SetColorTable: sets colour-table entries start ... start + count - 1 and
 * rebuilds the palette with max(palEntries, start + count) entries.
 * Returns 1; 0, changing nothing, when start is not 0 ... 255, count is
 * negative, start + count > 256, colors is null while count > 0, or there
 * is no surface. */
typedef int32_t (ZUBOAPI *MemoryDCSetColorTableProc)(MemoryDC *dc, int32_t start,
                                                     int32_t count,
                                                     const RGBQUAD *colors);
/* GetColorTable: reads colour-table entries start ... start + count - 1
 * into colors; entries the table does not have are not written, so a start
 * outside the table (negative included) reads nothing. Returns 1 whatever
 * the system reports; 0, writing nothing, for a negative count or a null
 * array while count > 0 (either could mean writing outside the caller's
 * array), or when there is no surface. */
typedef int32_t (ZUBOAPI *MemoryDCGetColorTableProc)(MemoryDC *dc, int32_t start,
                                                     int32_t count, RGBQUAD *colors);
/* GetHDC: the memory DC (do not delete or release it); valid until the
 * next Resize or Release. Null when there is no surface. */
typedef HDC (ZUBOAPI *MemoryDCGetHDCProc)(MemoryDC *dc);
/* Resize: replaces the surface by a new one of the given size and depth;
 * pixels and colour table are not carried over, the palette starts again
 * with one entry. Returns 1; 0 when the new surface cannot be made: the
 * object then has no surface (Release and Resize still work). 0 without
 * any change for a null record. */
typedef int32_t (ZUBOAPI *MemoryDCResizeProc)(MemoryDC *dc, const MemoryDCSize *size);

/* The operation table, slots 1 to 15 in order. */
typedef struct MemoryDCOperations {
    MemoryDCReleaseProc Release;             /* 1 */
    MemoryDCGetInfoProc GetInfo;             /* 2 */
    MemoryDCDefaultProc Reserved3;           /* 3 */
    MemoryDCDefaultProc Reserved4;           /* 4 */
    MemoryDCDefaultProc Reserved5;           /* 5 */
    MemoryDCBltFromProc BltFrom;             /* 6 */
    MemoryDCStretchBltToProc StretchBltTo;   /* 7 */
    MemoryDCBltToProc BltTo;                 /* 8 */
    MemoryDCSetColorTableProc SetColorTable; /* 9 */
    MemoryDCGetColorTableProc GetColorTable; /* 10 */
    MemoryDCGetHDCProc GetHDC;               /* 11 */
    MemoryDCDefaultProc Reserved12;          /* 12 */
    MemoryDCGetInfoProc GetInfo2;            /* 13: the same operation as GetInfo */
    MemoryDCDefaultProc Reserved14;          /* 14 */
    MemoryDCResizeProc Resize;               /* 15 */
} MemoryDCOperations;

/* The surface; all zero and null when there is none (after a failed
 * Resize). */
typedef struct MemoryDCSurface {
    int32_t width;        /* row width in pixels after padding */
    int32_t height;
    int32_t bitCount;
    int32_t bytesPerLine;
    HDC hdc;              /* the memory DC */
    HPALETTE hpal;        /* the logical palette (null if it could not be made) */
    int32_t palEntries;   /* palette entries in use */
    HBITMAP hbm;          /* the DIB section */
    HBITMAP hbmOld;       /* the bitmap hdc held before; selected back on teardown */
    void *bits;           /* the DIB section's pixels, top row first */
} MemoryDCSurface;

struct MemoryDC {
    uint32_t type;        /* MEMORYDC_TYPE */
    MemoryDCOperations ops;
    MemoryDCSurface surface;
};

/* Creates a memory DC of width x height pixels and bitCount bits per pixel.
 * Rows are padded to whole 32-bit words: width is rounded up to a multiple
 * of 4 for 24 bits, otherwise so that width * bitCount is a multiple of 32.
 * Surfaces of 8 bits or less start with the colours of the system's default
 * palette; the palette has one (black) entry. Null for a width, height or
 * depth that is not positive, a depth above 32 or one the system refuses,
 * an image above 2 GB, or when memory runs out; no handle is left behind. */
MemoryDC *ZUBOAPI CreateMemoryDC(int32_t width, int32_t height, int32_t bitCount);
#endif /* _WIN32 */

/* ===================================================================== */
/* Menu builder and folder chooser                                       */
/* ===================================================================== */

/*
 * Menu table: a writable array of rows of three pointer-sized words, owned
 * by the host (typically static). Row 0 is the header: `kind` must be 0
 * (the guard) and `value` receives the menu handle once the table is
 * built. Every later row has a kind:
 *   ZUBOMENU_END      end of the table
 *   ZUBOMENU_ITEM     text item: value = command identifier
 *   ZUBOMENU_SUBMENU  submenu: value = (intptr_t) the submenu's table,
 *                     built as a popup menu (once) and attached under text
 *   ZUBOMENU_BREAK    every later item of this table is right-justified
 *                     (MF_HELP); in a popup menu a separator is added here
 *   anything else     skipped
 */
#define ZUBOMENU_GUARD 0
#define ZUBOMENU_END 1
#define ZUBOMENU_ITEM 2
#define ZUBOMENU_SUBMENU 3
#define ZUBOMENU_BREAK 4

typedef struct ZuboMenuRow {
    intptr_t kind;        /* ZUBOMENU_ kind; ZUBOMENU_GUARD in the header */
    intptr_t value;       /* identifier, submenu table, or the header's menu handle */
    intptr_t text;        /* (intptr_t) the item's zero-terminated text */
} ZuboMenuRow;

#ifdef _WIN32
/* Null arguments: a null menu table and a null path buffer give null. */

/* The menu stored in a table's header; null before it is built (or for a
 * null table). */
HMENU ZUBOAPI ZuboMenu_GetMenuHandle(const ZuboMenuRow *table);
/* Builds the table's menu once (a popup menu when popup is non-zero, else
 * a menu bar), stores it in the header and returns it; later calls return
 * the stored menu whatever popup says. Null when the table is null or its
 * guard is not 0. A submenu row whose table is null, or is a table still
 * being built further up (a cycle), is skipped. The library never destroys
 * these menus; clear the header's value after DestroyMenu to rebuild. */
HMENU ZUBOAPI ZuboMenu_CreateMenu(ZuboMenuRow *table, int32_t popup);

/* Shows the shell's folder browser (file-system folders only, the current
 * selection's path as status text) and writes the chosen folder's path to
 * path (at least MAX_PATH = 260 bytes). Returns path; null when the user
 * cancels, when the chosen item has no file-system path, or for a null
 * path. The calling thread needs COM initialised as the shell requires. */
char *ZUBOAPI ZuboSelectDirectory(HWND owner, const char *title, char *path);
#endif /* _WIN32 */

#pragma pack(pop)

#ifdef __cplusplus
}
#endif

#endif /* ZUBO_H */
