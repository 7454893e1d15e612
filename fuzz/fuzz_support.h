// Pieces shared by the fuzz targets: reading the input as a stream of
// decisions, and stopping at the first broken record list.
#ifndef ZUBO_FUZZ_FUZZ_SUPPORT_H
#define ZUBO_FUZZ_FUZZ_SUPPORT_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include "recordlist/invariants.h"

namespace zubo_fuzz {

// The fuzz input as a stream; past its end every byte reads as 0.
struct Input {
    const uint8_t *p;
    size_t n;
    bool empty() const { return n == 0; }
    uint8_t Byte() {
        if (!n) return 0;
        --n;
        return *p++;
    }
    int32_t Small() { return static_cast<int8_t>(Byte()); }  // -128 ... 127
    int32_t Wide() { return static_cast<int16_t>(Byte() | Byte() << 8); }
};

// Aborts (a finding) when the record list's invariants do not hold.
inline void CheckList(Gdirlist *list) {
    if (const char *broken = zubo::recordlist::BrokenInvariant(*list)) {
        fprintf(stderr, "record list broken: %s\n", broken);
        abort();
    }
}

}  // namespace zubo_fuzz

#endif
