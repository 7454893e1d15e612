// Windows primitives of SafeFileWriter.
#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <windows.h>

#include "recordlist/safe_file.h"

namespace zubo::recordlist {

FILE *CreateNewTextFile(const char *path, const char *, CreateResult *result) {
    int fd = _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        *result = errno == EEXIST ? CreateResult::kExists : CreateResult::kFailed;
        return nullptr;
    }
    FILE *f = _fdopen(fd, "w");
    if (!f) {
        _close(fd);
        DeleteFileA(path);
        *result = CreateResult::kFailed;
        return nullptr;
    }
    *result = CreateResult::kCreated;
    return f;
}

// A read-only file or a folder is refused before anything is written, as
// MoveFileEx itself refuses to replace them on Windows (wine would not).
char *ResolveSaveTarget(const char *path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return nullptr;
    return _strdup(path);
}

bool ReplaceFileWith(const char *temp, const char *path) {
    return MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

uint64_t FreshSeed() {
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    FILETIME wall = {};
    GetSystemTimeAsFileTime(&wall);
    return static_cast<uint64_t>(now.QuadPart) ^
           (static_cast<uint64_t>(wall.dwHighDateTime) << 32 | wall.dwLowDateTime) ^
           static_cast<uint64_t>(GetCurrentProcessId()) << 40 ^
           static_cast<uint64_t>(GetCurrentThreadId()) << 20;
}

}  // namespace zubo::recordlist
