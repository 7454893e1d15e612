// Pieces shared by the fuzz targets: reading the input as a stream of
// decisions, stopping at the first broken record list, and a render sink
// that reads every run.
#ifndef ZUBO_FUZZ_FUZZ_SUPPORT_H
#define ZUBO_FUZZ_FUZZ_SUPPORT_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include "console/render.h"
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

// Reads every byte of every run, so that a run reaching outside a line
// shows up under AddressSanitizer; a run of no bytes or of more than
// RUN_MAX is a finding.
struct TouchingSink final : zubo::console::RunSink {
    unsigned sum = 0;
    void Begin() override {}
    void End() override {}
    void Run(int32_t, int32_t, uint16_t, const char *bytes, int32_t n) override {
        if (n < 1 || n > RUN_MAX) {
            fprintf(stderr, "a run of %d bytes\n", static_cast<int>(n));
            abort();
        }
        for (int32_t i = 0; i < n; ++i) sum += static_cast<uint8_t>(bytes[i]);
    }
};

}  // namespace zubo_fuzz

#endif
