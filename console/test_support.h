// Helpers for the console's native unit tests: an owning handle, byte
// feeding and reading cells back.
#ifndef ZUBO_CONSOLE_TEST_SUPPORT_H
#define ZUBO_CONSOLE_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <string>

#include "console/consout.h"
#include "console/invariants.h"

namespace zubo_test {

struct Console {
    Consout *c;
    Console(int32_t w, int32_t h, int32_t maxline) : c(CreateConsout(w, h, maxline)) {}
    ~Console() { Consout_Release(c); }
    Console(const Console &) = delete;
    Console &operator=(const Console &) = delete;
    Consout *operator->() const { return c; }
    operator Consout *() const { return c; }
};

inline void Feed(Consout *c, const std::string &bytes) {
    for (unsigned char b : bytes) EXPECT_EQ(Consout_Putchar(c, b), b);
}

inline const ConsoutCell &Cell(Consout *c, int32_t x, int32_t y) {
    return zubo::console::Cells(zubo::console::ScreenLine(c, y))[x];
}

// The low bytes of a line's first n cells (all of them for n < 0).
inline std::string LineText(const ConsoutLine *line, int32_t n = -1) {
    if (n < 0 || n > line->count) n = line->count;
    std::string s;
    for (int32_t i = 0; i < n; ++i)
        s += static_cast<char>(zubo::console::Cells(line)[i].code & 0xFF);
    return s;
}

// Screen row y, consWidth cells.
inline std::string Row(Consout *c, int32_t y) {
    return LineText(zubo::console::ScreenLine(c, y), c->consWidth);
}

inline void ExpectDirty(Consout *c, int32_t l, int32_t t, int32_t r, int32_t b) {
    EXPECT_EQ(c->dirtyLeft, l);
    EXPECT_EQ(c->dirtyTop, t);
    EXPECT_EQ(c->dirtyRight, r);
    EXPECT_EQ(c->dirtyBottom, b);
}

#define EXPECT_CURSOR(c, x, y)                         \
    do {                                               \
        EXPECT_EQ(Consout_GetCurX(c), x);              \
        EXPECT_EQ(Consout_GetCurY(c), y);              \
    } while (0)

#define EXPECT_RING_OK(c)                                         \
    do {                                                          \
        const char *broken_ = zubo::console::BrokenInvariant(c);           \
        EXPECT_EQ(broken_, nullptr) << broken_;                   \
    } while (0)

}  // namespace zubo_test

#endif
