// The list view's paste against a reference parse of the same text,
// written here from the rules alone: clipboard text ends at its terminator
// or its first byte 0x1A; lines end at CR, the byte after a CR is skipped
// and a CR at the very end ends the text; a line keeps its first 1023
// bytes; ";" first makes a comment line and white space alone a blank
// line, both skipped; a line of fewer than three fields (a word and two
// decimal numbers) ends the paste; the fourth field is name2 ("(none)"
// without one) and the rest of the line, with white space dropped before
// its first ";", the comment; texts keep 255 bytes and numbers stay in 32
// bits. Every entry, with all its fields, must match, in front of the
// cursor entry, and the record list's invariants must hold.
//
// Input: one byte choosing the entries already in the list and the cursor,
// then the clipboard text.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "listview/entries.h"
#include "fuzz/fuzz_support.h"
#include "recordlist/invariants.h"

namespace {

struct RefEntry {
    std::string name, name2, comment;
    int32_t num1, num2;
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string Cut(const std::string &s) { return s.size() > 255 ? s.substr(0, 255) : s; }

// Splits clipboard text into its lines.
std::vector<std::string> Lines(std::string text) {
    std::vector<std::string> lines;
    const size_t eot = text.find('\x1A');
    if (eot != std::string::npos) text.resize(eot);
    if (text.empty()) return lines;
    size_t i = 0;
    for (;;) {
        const size_t cr = text.find('\r', i);
        if (cr == std::string::npos) {
            lines.push_back(text.substr(i));
            break;
        }
        lines.push_back(text.substr(i, cr - i));
        if (cr + 1 >= text.size()) break;  // a CR at the very end
        i = cr + 2;                        // the byte after the CR is skipped
    }
    return lines;
}

// One field: skips white space, then takes a word; false at the end.
bool Word(const std::string &line, size_t *at, std::string *word) {
    size_t i = *at;
    while (i < line.size() && IsSpace(line[i])) ++i;
    if (i == line.size()) return false;
    const size_t start = i;
    while (i < line.size() && !IsSpace(line[i])) ++i;
    *word = line.substr(start, i - start);
    *at = i;
    return true;
}

// A signed decimal number after white space, held at the 32-bit limits.
bool Number(const std::string &line, size_t *at, int32_t *value) {
    size_t i = *at;
    while (i < line.size() && IsSpace(line[i])) ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    if (i == line.size() || line[i] < '0' || line[i] > '9') return false;
    long long v = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        v = v * 10 + (line[i] - '0');
        if (v > 2147483648ll) v = 2147483648ll;
    }
    if (negative) v = -v;
    if (v > INT32_MAX) v = INT32_MAX;
    *value = static_cast<int32_t>(v);
    *at = i;
    return true;
}

// 1 entry, 0 skipped, -1 the end of the paste.
int Parse(std::string line, RefEntry *e) {
    if (line.size() > 1023) line.resize(1023);
    if (!line.empty() && line[0] == ';') return 0;
    size_t at = 0;
    std::string word;
    if (!Word(line, &at, &e->name)) return 0;  // blank
    if (!Number(line, &at, &e->num1) || !Number(line, &at, &e->num2)) return -1;
    e->name = Cut(e->name);
    if (!Word(line, &at, &word)) {
        e->name2 = "(none)";
        e->comment.clear();
        return 1;
    }
    e->name2 = Cut(word);
    e->comment.clear();
    bool kept = false;
    for (; at < line.size(); ++at) {
        const char c = line[at];
        if (!kept && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) continue;
        e->comment += c;
        if (c == ';') kept = true;
    }
    e->comment = Cut(e->comment);
    return 1;
}

void Fail(const char *what, size_t index) {
    fprintf(stderr, "paste differs from the reference: %s (entry %zu)\n", what, index);
    abort();
}

using zubo_fuzz::CheckList;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) return 0;
    const int32_t before = data[0] % 4, cursor = (data[0] >> 2) % (before + 1);
    const std::string text(reinterpret_cast<const char *>(data + 1), size - 1);

    std::vector<RefEntry> expected;
    for (const std::string &line : Lines(text.c_str())) {  // the text ends at a NUL
        RefEntry e;
        const int r = Parse(line, &e);
        if (r < 0) break;
        if (r > 0) expected.push_back(e);
    }

    Gdirlist *list = CreateGdirlist();
    char old[] = "old";
    for (int32_t i = 0; i < before; ++i) {
        GdirlistEntry e = {old, old, i, -i, old, 1};
        Gdirlist_Add(list, &e);
        CheckList(list);
    }
    Gdirlist_SetCurPos(list, cursor);
    const GdirlistEntry *cursorEntry = Gdirlist_GetDataPtrCursor(list);
    CheckList(list);
    const int32_t added = zubo::listview::InsertListText(list, text.c_str());
    CheckList(list);

    if (added != static_cast<int32_t>(expected.size())) Fail("count", expected.size());
    if (Gdirlist_GetSize(list) != before + added) Fail("size", 0);
    if (Gdirlist_GetCurPos(list) != cursor + added) Fail("cursor index", 0);
    if (Gdirlist_GetDataPtrCursor(list) != cursorEntry) Fail("cursor entry", 0);
    for (size_t i = 0; i < expected.size(); ++i) {
        const GdirlistEntry *e = Gdirlist_GetDataPtr(list, cursor + static_cast<int32_t>(i));
        const RefEntry &r = expected[i];
        if (!e->name || r.name != e->name) Fail("name", i);
        if (!e->name2 || r.name2 != e->name2) Fail("name2", i);
        if (!e->comment || r.comment != e->comment) Fail("comment", i);
        if (e->num1 != r.num1) Fail("num1", i);
        if (e->num2 != r.num2) Fail("num2", i);
        if (e->flags != 0) Fail("flags", i);
    }
    for (int32_t i = 0; i < before; ++i) {  // the old entries, in order, around them
        const GdirlistEntry *e = Gdirlist_GetDataPtr(list, i < cursor ? i : i + added);
        if (e->num1 != i || e->flags != 1) Fail("old entry", static_cast<size_t>(i));
    }
    CheckList(list);
    Gdirlist_Release(list);
    return 0;
}
