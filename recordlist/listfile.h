// List files and every other source of list lines: the one loop that turns
// lines into entries, and the one writer that saves entries as lines.
#ifndef ZUBO_RECORDLIST_LISTFILE_H
#define ZUBO_RECORDLIST_LISTFILE_H

#include <stddef.h>
#include <stdint.h>

#include "recordlist/gdirlist.h"

namespace zubo::recordlist {

// Where text lines come from: a list file, or the list view's clipboard
// text. Next copies the next line into line (at most cap - 1 bytes and a
// terminator; the rest of a longer line is skipped, never read as another
// line) and returns false when there is none.
class ListLineSource {
public:
    virtual bool Next(char *line, size_t cap) = 0;

protected:
    ~ListLineSource() = default;
};

// Where the entries of the lines go.
enum class Placement {
    kAppend,        // after the last entry
    kBeforeCursor,  // in front of the cursor entry, in the order of the lines
};

// Parses lines of at most kListLineMax - 1 bytes into entries with texts of
// at most kListTextMax - 1 bytes, unmarked: comment and blank lines are
// skipped, a bad line ends the reading, and so does a copy that cannot be
// made (what was added stays). Returns the number of entries added.
int32_t AddListLines(Gdirlist &list, ListLineSource &lines, Placement where);

// Appends the entries of a list file, which ends at its first kEndOfText
// byte; 0 when it cannot be opened.
int32_t AddListFile(Gdirlist &list, const char *path);

// Which entries a list file receives.
enum class Selection { kAll, kMarked };

struct SaveOutcome {
    bool created;   // the new file could be started (nothing else is done otherwise)
    bool written;   // it replaced the target: every line was written
    int32_t lines;  // lines written
};

// Writes the selected entries in list order, one list line each, to a new
// file beside path that replaces it only when everything was written; on
// any failure an existing file is left as it was and no temporary file
// remains. When a selected entry would not read back as the same entry
// (ListLineReadsBack), nothing is written at all (created stays false).
SaveOutcome SaveListFile(const Gdirlist &list, const char *path, Selection which);

}  // namespace zubo::recordlist

#endif
