// Writing a file so that it is replaced only when it was written completely:
// the text goes to a new temporary file in the same folder, which takes the
// old file's place only after it was flushed and closed without error.
#ifndef ZUBO_RECORDLIST_SAFE_FILE_H
#define ZUBO_RECORDLIST_SAFE_FILE_H

#include <stdint.h>
#include <stdio.h>

namespace zubo::recordlist {

class SafeFileWriter {
public:
    SafeFileWriter() = default;
    SafeFileWriter(const SafeFileWriter &) = delete;
    SafeFileWriter &operator=(const SafeFileWriter &) = delete;
    // Abandons an uncommitted file: the temporary file is removed.
    ~SafeFileWriter();

    // Creates the temporary file for path, opened for writing in text mode.
    // Returns the stream, or null when it cannot be created or the target
    // is one the user may not replace (read-only, a folder).
    FILE *Open(const char *path);
    // Closes the temporary file and puts it in place of path. False, with
    // the old file untouched and the temporary file removed, when anything
    // failed (including an earlier write error on the stream).
    bool Commit();

private:
    void Discard();

    FILE *file_ = nullptr;
    char *path_ = nullptr;  // the file that is replaced (a link resolved)
    char *temp_ = nullptr;
};

// The temporary name for the given attempt: "<path>.~<16 hex digits>.tmp".
// The digits mix the seed with the attempt, so that a retry after a name
// that is taken tries an unrelated one. buffer holds strlen(path) + 24.
void TemporaryName(char *buffer, const char *path, uint64_t seed, unsigned attempt);

#ifdef ZUBO_FAULT_INJECTION
// Test builds: a nonzero seed replaces the fresh one of every writer, so
// that tests can predict (and occupy) the names it will try.
void SetTemporaryNameSeed(uint64_t seed);
#endif

// Platform primitives (one implementation per system).
enum class CreateResult { kCreated, kExists, kFailed };
// Creates a new file that did not exist, opened "w" in text mode, with the
// permission bits of the file it is to replace where the system has them.
FILE *CreateNewTextFile(const char *path, const char *replaced, CreateResult *result);
// The file that a save to path replaces, on the heap: path itself, or the
// file a symbolic link points to. Null when the save must be refused: the
// target exists but is not a regular file the user may write.
char *ResolveSaveTarget(const char *path);
// Moves temp over path, replacing it.
bool ReplaceFileWith(const char *temp, const char *path);
// Bits that differ between processes and between runs (time, process).
uint64_t FreshSeed();

}  // namespace zubo::recordlist

#endif
