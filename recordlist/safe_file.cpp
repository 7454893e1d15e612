#include "recordlist/safe_file.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

namespace zubo::recordlist {

SafeFileWriter::~SafeFileWriter() { Discard(); }

FILE *SafeFileWriter::Open(const char *path) {
    Discard();
    if (!path || !*path) return nullptr;
    const size_t len = strlen(path);
    path_ = static_cast<char *>(malloc(len + 1));
    temp_ = static_cast<char *>(malloc(len + 40));
    if (!path_ || !temp_) {
        Discard();
        return nullptr;
    }
    memcpy(path_, path, len + 1);
    // A name beside the target, so that the final move stays within one
    // folder (and one volume); the process and this writer make it unique
    // among concurrent writers, and a name that exists is never reused.
    const unsigned long tag = ProcessTag() ^ static_cast<unsigned long>(
                                                 reinterpret_cast<uintptr_t>(this) >> 4);
    for (unsigned attempt = 0; attempt < 100 && !file_; ++attempt) {
        snprintf(temp_, len + 40, "%s.~%lx.%x.tmp", path, tag & 0xffffffffUL, attempt);
        file_ = CreateNewTextFile(temp_);
    }
    if (!file_) Discard();
    return file_;
}

bool SafeFileWriter::Commit() {
    if (!file_) return false;
    const bool written = fflush(file_) == 0 && !ferror(file_);
    const bool closed = fclose(file_) == 0;
    file_ = nullptr;
    if (!(written && closed && ReplaceFileWith(temp_, path_))) {
        Discard();
        return false;
    }
    free(temp_);  // the temporary file is now the target: nothing to remove
    temp_ = nullptr;
    Discard();
    return true;
}

void SafeFileWriter::Discard() {
    if (file_) fclose(file_);
    file_ = nullptr;
    if (temp_) remove(temp_);
    free(temp_);
    free(path_);
    temp_ = path_ = nullptr;
}

}  // namespace zubo::recordlist
