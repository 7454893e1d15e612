// The list line format shared by list files and the list view's clipboard
// exchange: parsing into bounded buffers and formatting.
#ifndef ZUBO_RECORDLIST_LISTLINE_H
#define ZUBO_RECORDLIST_LISTLINE_H

#include <stddef.h>
#include <stdint.h>

#include "zubo.h"

namespace zubo::recordlist {

// Size of each text area used when reading list files and clipboard text:
// texts are cut to kListTextMax - 1 bytes.
constexpr size_t kListTextMax = 256;
// Size of the line area: lines are cut to kListLineMax - 1 characters.
constexpr size_t kListLineMax = 1024;
// Text-mode reading on Windows ends a file at this byte; list files and
// clipboard text end there on every platform.
constexpr char kEndOfText = 0x1A;

// Parses one line like SplitGdirlistLine, writing at most cap - 1 bytes and
// a terminator into each text buffer (cap >= 1); longer texts are cut.
int32_t SplitListLine(const char *line, char *name, size_t nameCap, char *name2,
                      size_t name2Cap, int32_t *num1, int32_t *num2, char *comment,
                      size_t commentCap);

// Formats an entry as one list line ending in lineEnd ("\n" or "\r\n").
// Null texts are written as empty ones. A name that begins with ";" is
// written after one space, so that its line is not read as a comment line. Writes at most cap - 1 bytes and a
// terminator; a line that does not fit is cut inside its comment (or
// wherever it must be) but always keeps its whole line end, so that it
// stays one line. Returns the number of bytes written (terminator not
// counted); 0 only when cap is too small for the line end.
size_t FormatListLine(const GdirlistEntry *entry, const char *lineEnd, char *out,
                      size_t cap);

// Longest line FormatListLine can produce for an entry, line end included.
size_t ListLineLength(const GdirlistEntry *entry, size_t lineEndLen);

// Whether the line that a list file receives for the entry reads back as
// the same entry: texts cut to kListTextMax - 1 bytes and the comment as
// the reader's filter gives it back, closing line feed included. It does
// not for a name or name2 that is null, empty or holds white space, a
// comment with a line feed before its last byte (the rest would be a line
// of its own), byte 0x1A in any text (text-mode reading ends the file
// there), and a line so long that the reader's cut at kListLineMax - 1
// characters changes the entry.
bool ListLineReadsBack(const GdirlistEntry *entry);

}  // namespace zubo::recordlist

#endif
