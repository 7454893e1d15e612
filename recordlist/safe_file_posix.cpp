// POSIX primitives of SafeFileWriter (used by the native builds).
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include "recordlist/safe_file.h"

namespace zubo::recordlist {

FILE *CreateNewTextFile(const char *path) {
    int fd = open(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0) return nullptr;
    FILE *f = fdopen(fd, "w");
    if (!f) close(fd);
    return f;
}

bool ReplaceFileWith(const char *temp, const char *path) { return rename(temp, path) == 0; }

unsigned long ProcessTag() { return static_cast<unsigned long>(getpid()); }

}  // namespace zubo::recordlist
