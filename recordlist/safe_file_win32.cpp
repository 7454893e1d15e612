// Windows primitives of SafeFileWriter.
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <sys/stat.h>
#include <windows.h>

#include "recordlist/safe_file.h"

namespace zubo::recordlist {

FILE *CreateNewTextFile(const char *path) {
    int fd = _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    FILE *f = _fdopen(fd, "w");
    if (!f) _close(fd);
    return f;
}

bool ReplaceFileWith(const char *temp, const char *path) {
    return MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

unsigned long ProcessTag() { return GetCurrentProcessId(); }

}  // namespace zubo::recordlist
