// Writing a file so that it is replaced only when it was written completely:
// the text goes to a new temporary file in the same folder, which takes the
// old file's place only after it was flushed and closed without error.
#ifndef ZUBO_RECORDLIST_SAFE_FILE_H
#define ZUBO_RECORDLIST_SAFE_FILE_H

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
    // Returns the stream, or null when it cannot be created.
    FILE *Open(const char *path);
    // Closes the temporary file and puts it in place of path. False, with
    // the old file untouched and the temporary file removed, when anything
    // failed (including an earlier write error on the stream).
    bool Commit();

private:
    void Discard();

    FILE *file_ = nullptr;
    char *path_ = nullptr;
    char *temp_ = nullptr;
};

// Platform primitives (one implementation per system).
// Creates a new file that did not exist, opened "w" in text mode.
FILE *CreateNewTextFile(const char *path);
// Moves temp over path, replacing it.
bool ReplaceFileWith(const char *temp, const char *path);
// A number that differs between processes, for temporary names.
unsigned long ProcessTag();

}  // namespace zubo::recordlist

#endif
