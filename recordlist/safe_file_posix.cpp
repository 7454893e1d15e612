// POSIX primitives of SafeFileWriter (used by the native builds). They make
// a save behave as it does on Windows: a target the user may not write is
// refused (a file without any write permission counts as read-only, even
// for root, as the read-only attribute does on Windows), the target keeps
// its permission bits, and a symbolic link is written through to its file.
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "recordlist/safe_file.h"

namespace zubo::recordlist {

FILE *CreateNewTextFile(const char *path, const char *replaced, CreateResult *result) {
    struct stat old;
    const bool replacing = stat(replaced, &old) == 0;
    int fd = open(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0) {
        *result = errno == EEXIST ? CreateResult::kExists : CreateResult::kFailed;
        return nullptr;
    }
    FILE *f = nullptr;
    if (!replacing || fchmod(fd, old.st_mode & 07777) == 0) f = fdopen(fd, "w");
    if (!f) {
        close(fd);
        unlink(path);
        *result = CreateResult::kFailed;
        return nullptr;
    }
    *result = CreateResult::kCreated;
    return f;
}

char *ResolveSaveTarget(const char *path) {
    struct stat st;
    if (lstat(path, &st) != 0) return errno == ENOENT ? strdup(path) : nullptr;
    char *target = S_ISLNK(st.st_mode) ? realpath(path, nullptr) : strdup(path);
    if (!target) return nullptr;  // a dangling link or a loop is refused
    const bool writable = stat(target, &st) == 0 && S_ISREG(st.st_mode) &&
                          (st.st_mode & 0222) != 0 && access(target, W_OK) == 0;
    if (!writable) {
        free(target);
        return nullptr;
    }
    return target;
}

bool ReplaceFileWith(const char *temp, const char *path) { return rename(temp, path) == 0; }

uint64_t FreshSeed() {
    struct timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    return (static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec)) ^
           static_cast<uint64_t>(getpid()) << 40;
}

}  // namespace zubo::recordlist
