// Saving arbitrary entries and loading them back. A save either reports
// the number of entries it wrote and reading the file gives the same
// entries (texts cut to 255 bytes, the comment as the reader filters it),
// or reports 0 and leaves the old file byte for byte as it was, with no
// file left beside it; a save of entries that the format can carry must
// not be refused. Both selections are used: every entry, and the marked
// ones only (the list view's marked save). The record list's invariants
// must hold after every operation.
#include <dirent.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "recordlist/invariants.h"
#include "recordlist/listfile.h"
#include "recordlist/test_support.h"

namespace {

using zubo_test::MustSave;
using zubo_test::SameAsReadBack;

// Each input gets a folder of its own, removed again at its end.
class Folder {
public:
    Folder() {
        char name[] = "/tmp/zubo_fuzz_save_XXXXXX";
        if (!mkdtemp(name)) abort();
        path_ = name;
    }
    ~Folder() { rmdir(path_.c_str()); }
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

std::string ReadAll(const std::string &path) {
    std::string bytes;
    if (FILE *f = fopen(path.c_str(), "rb")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
        fclose(f);
    }
    return bytes;
}

size_t FilesInFolder(const Folder &folder) {
    size_t n = 0;
    if (DIR *d = opendir(folder.path().c_str())) {
        while (const dirent *e = readdir(d)) n += e->d_name[0] != '.';
        closedir(d);
    }
    return n;
}

void Check(bool ok, const char *what) {
    if (!ok) {
        fprintf(stderr, "save and load: %s\n", what);
        abort();
    }
}

void CheckList(Gdirlist *list) {
    const char *broken = zubo::recordlist::BrokenInvariant(*list);
    if (broken) fprintf(stderr, "record list broken: %s\n", broken);
    Check(!broken, "record list invariants");
}

// A text now and then built from the bytes that mean something to the
// format, else taken as it comes; null now and then.
struct Text {
    std::string bytes;
    bool null;
};

Text MakeText(FuzzedDataProvider &in) {
    const uint8_t how = in.ConsumeIntegral<uint8_t>();
    if (how % 16 == 0) return {"", true};
    if (how % 16 == 1) {  // a long run, to reach the reader's line limit
        const size_t n = in.ConsumeIntegralInRange<size_t>(200, 1100);
        return {std::string(n, static_cast<char>(in.ConsumeIntegral<uint8_t>())), false};
    }
    std::string s = in.ConsumeRandomLengthString(64);
    return {s.c_str(), false};  // a C string ends at its first NUL
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider in(data, size);
    const Folder folder;
    const std::string target = folder.path() + "/target.lst";
    const std::string old = in.ConsumeRandomLengthString(64);
    {
        FILE *f = fopen(target.c_str(), "wb");
        if (!f) return 0;
        fwrite(old.data(), 1, old.size(), f);
        fclose(f);
    }
    const bool markedOnly = in.ConsumeBool();

    struct Owned {
        Text name, name2, comment;
        GdirlistEntry entry;
    };
    std::vector<Owned> entries(in.ConsumeIntegralInRange<size_t>(0, 6));
    Gdirlist *list = CreateGdirlist();
    std::vector<const GdirlistEntry *> selected;
    bool mustSave = true;
    for (Owned &o : entries) {
        o.name = MakeText(in);
        o.name2 = MakeText(in);
        o.comment = MakeText(in);
        o.entry = {o.name.null ? nullptr : &o.name.bytes[0],
                   o.name2.null ? nullptr : &o.name2.bytes[0],
                   in.ConsumeIntegral<int32_t>(),
                   in.ConsumeIntegral<int32_t>(),
                   o.comment.null ? nullptr : &o.comment.bytes[0],
                   in.ConsumeIntegral<uint32_t>()};
        Check(Gdirlist_Add(list, &o.entry) != nullptr, "an entry was added");
        CheckList(list);
        if (!markedOnly || (o.entry.flags & GDIRLIST_MARK)) {
            selected.push_back(&o.entry);
            mustSave = mustSave && MustSave(o.entry);
        }
    }
    Gdirlist_SetCurPos(list, in.ConsumeIntegral<int32_t>());
    const int32_t cursor = Gdirlist_GetCurPos(list);
    CheckList(list);

    int32_t lines;
    if (markedOnly) {
        const zubo::recordlist::SaveOutcome saved = zubo::recordlist::SaveListFile(
            *list, target.c_str(), zubo::recordlist::Selection::kMarked);
        lines = saved.written ? saved.lines : 0;
    } else {
        lines = Gdirlist_SaveListFile(list, target.c_str());
    }
    CheckList(list);
    Check(Gdirlist_GetCurPos(list) == cursor, "the cursor stays");
    Check(Gdirlist_GetSize(list) == static_cast<int32_t>(entries.size()), "the size stays");
    Check(FilesInFolder(folder) == 1, "no file is left beside the target");

    const bool refused = lines == 0 && !selected.empty();
    if (refused) {
        Check(!mustSave, "entries the format can carry were refused");
        Check(ReadAll(target) == old, "a refused save left the old file as it was");
    } else {
        Check(lines == static_cast<int32_t>(selected.size()), "the count of entries written");
        Gdirlist *back = CreateGdirlist();
        Check(Gdirlist_AddListFile(back, target.c_str()) == lines, "the count of entries read");
        CheckList(back);
        for (int32_t i = 0; i < lines; ++i)
            Check(SameAsReadBack(*selected[i], *Gdirlist_GetDataPtr(back, i)),
                  "an entry read back as written");
        CheckList(back);
        Gdirlist_Release(back);
    }
    Gdirlist_Release(list);
    remove(target.c_str());
    return 0;
}
