#include "recordlist/safe_file.h"

#include <stdlib.h>
#include <string.h>

namespace zubo::recordlist {

namespace {

#ifdef ZUBO_FAULT_INJECTION
uint64_t fixedSeed = 0;  // test builds only
#endif

// splitmix64's finaliser: every input bit reaches every output bit.
uint64_t Mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Enough attempts that only a folder full of deliberately chosen names
// could exhaust them; any error other than "exists" ends them at once.
constexpr unsigned kMaxAttempts = 1000;

}  // namespace

#ifdef ZUBO_FAULT_INJECTION
void SetTemporaryNameSeed(uint64_t seed) { fixedSeed = seed; }
#endif

void TemporaryName(char *buffer, const char *path, uint64_t seed, unsigned attempt) {
    const uint64_t tag = Mix(seed ^ Mix(attempt));
    snprintf(buffer, strlen(path) + 24, "%s.~%08lx%08lx.tmp", path,
             static_cast<unsigned long>(tag >> 32), static_cast<unsigned long>(tag & 0xFFFFFFFFu));
}

SafeFileWriter::~SafeFileWriter() { Discard(); }

FILE *SafeFileWriter::Open(const char *path) {
    Discard();
    if (!path || !*path) return nullptr;
    path_ = ResolveSaveTarget(path);
    if (!path_) return nullptr;
    temp_ = static_cast<char *>(malloc(strlen(path_) + 24));
    if (!temp_) {
        Discard();
        return nullptr;
    }
    // A name beside the target, so that the final move stays within one
    // folder (and one volume). The seed differs between runs and between
    // writers, so leftovers of interrupted saves are not met again, and a
    // name that exists is never reused: the next attempt tries another.
    uint64_t seed = FreshSeed() ^ Mix(reinterpret_cast<uintptr_t>(this));
#ifdef ZUBO_FAULT_INJECTION
    if (fixedSeed) seed = fixedSeed;
#endif
    CreateResult result = CreateResult::kExists;
    for (unsigned attempt = 0; attempt < kMaxAttempts && result == CreateResult::kExists;
         ++attempt) {
        TemporaryName(temp_, path_, seed, attempt);
        file_ = CreateNewTextFile(temp_, path_, &result);
    }
    if (!file_) {
        free(temp_);  // never created: nothing to remove
        temp_ = nullptr;
        Discard();
    }
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
