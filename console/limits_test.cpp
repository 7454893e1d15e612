// The console's size limits through the public interface: sizes beyond
// them are refused with the documented results, sizes at them are taken,
// and a refused size keeps no memory. Runs natively and on both DLLs; on
// the DLLs the process's free address space is measured around the
// refusals (the 32-bit DLL is where address space runs out).
#include <gtest/gtest.h>

#include <stdlib.h>

#include "zubo.h"

namespace {

struct Owned {
    Consout *c;
    explicit Owned(Consout *console) : c(console) {}
    ~Owned() { Consout_Release(c); }
    Owned(const Owned &) = delete;
    Owned &operator=(const Owned &) = delete;
};

TEST(ConsoleLimits, CreationBeyondTheLimitsGivesNull) {
    EXPECT_EQ(CreateConsout(CONSOUT_MAX_WIDTH + 1, 25, 100), nullptr);
    EXPECT_EQ(CreateConsout(80, 25, CONSOUT_MAX_LINES + 1), nullptr);
    EXPECT_EQ(CreateConsout(CONSOUT_MAX_CELLS / 1000 + 1, 25, 1000), nullptr);
    EXPECT_EQ(CreateConsout(2, CONSOUT_MAX_HEIGHT + 1, CONSOUT_MAX_HEIGHT + 1), nullptr);
    EXPECT_EQ(CreateConsout(2, INT32_MAX, CONSOUT_MAX_HEIGHT + 1), nullptr);
}

// Sizes that would take gigabytes (or all the address space of a 32-bit
// process) are refused like any other beyond the limits.
TEST(ConsoleLimits, AbsurdSizesAreRefused) {
    EXPECT_EQ(CreateConsout(INT32_MAX, INT32_MAX, INT32_MAX), nullptr);
    EXPECT_EQ(CreateConsout(50000000, 30, 30), nullptr);
    EXPECT_EQ(CreateConsout(30, 30, 50000000), nullptr);
    Owned c(CreateConsout(80, 25, 1000));
    ASSERT_NE(c.c, nullptr);
    for (int32_t width : {50000000, 0x3FFFFFFF, INT32_MAX}) {
        EXPECT_EQ(Consout_SetConsSize(c.c, width, 30), 25) << width;
        EXPECT_EQ(Consout_GetConsWidth(c.c), 80);
    }
}

TEST(ConsoleLimits, CreationAtTheLimitsWorks) {
    {
        Owned wide(CreateConsout(CONSOUT_MAX_WIDTH, 2, 2));
        ASSERT_NE(wide.c, nullptr);
        EXPECT_EQ(Consout_GetConsWidth(wide.c), CONSOUT_MAX_WIDTH);
        // The last column is written and shows in the dirty rectangle.
        Consout_DirtyClean(wide.c);
        ASSERT_EQ(Consout_MoveCur(wide.c, CONSOUT_MAX_WIDTH - 1, 0), 1);
        Consout_Putchar(wide.c, 'x');
#ifdef _WIN32
        RECT r;
        Consout_GetDirtyRect(wide.c, &r);
        const int32_t fw = Consout_GetFontWidth(wide.c);
        EXPECT_EQ(r.left, (CONSOUT_MAX_WIDTH - 1) * fw);
        EXPECT_EQ(r.right, CONSOUT_MAX_WIDTH * fw);
#endif
    }
    {
        Owned ring(CreateConsout(CONSOUT_MAX_CELLS / CONSOUT_MAX_LINES, 1, CONSOUT_MAX_LINES));
        ASSERT_NE(ring.c, nullptr);
        EXPECT_EQ(Consout_GetMaxline(ring.c), CONSOUT_MAX_LINES);
    }
    {
        Owned tall(CreateConsout(2, CONSOUT_MAX_HEIGHT, CONSOUT_MAX_HEIGHT));
        ASSERT_NE(tall.c, nullptr);
        EXPECT_EQ(Consout_GetConsHeight(tall.c), CONSOUT_MAX_HEIGHT);
    }
    {
        Owned clamped(CreateConsout(80, INT32_MAX, 50));  // the height is cut to the ring first
        ASSERT_NE(clamped.c, nullptr);
        EXPECT_EQ(Consout_GetConsHeight(clamped.c), 50);
    }
}

TEST(ConsoleLimits, ResizeBeyondTheLimitsKeepsTheOldSize) {
    Owned c(CreateConsout(80, 25, 1000));
    ASSERT_NE(c.c, nullptr);
    Consout_Putchar(c.c, 'A');
    const int32_t refused[][2] = {
        {CONSOUT_MAX_WIDTH + 1, 25}, {CONSOUT_MAX_CELLS / 1000 + 1, 30}, {CONSOUT_MAX_WIDTH + 1, 1},
    };
    for (const auto &r : refused) {
        EXPECT_EQ(Consout_SetConsSize(c.c, r[0], r[1]), 25) << r[0];
        EXPECT_EQ(Consout_GetConsWidth(c.c), 80);
        EXPECT_EQ(Consout_GetConsHeight(c.c), 25);
        EXPECT_EQ(Consout_GetLinecnt(c.c), 25);
        EXPECT_EQ(Consout_GetCurX(c.c), 1);
    }
    EXPECT_EQ(Consout_SetConsSize(c.c, CONSOUT_MAX_CELLS / 1000, 30), 30);
    EXPECT_EQ(Consout_GetConsWidth(c.c), CONSOUT_MAX_CELLS / 1000);

    Owned tall(CreateConsout(2, 25, CONSOUT_MAX_HEIGHT + 10));
    ASSERT_NE(tall.c, nullptr);
    EXPECT_EQ(Consout_SetConsSize(tall.c, 2, CONSOUT_MAX_HEIGHT + 1), 25);
    EXPECT_EQ(Consout_SetConsSize(tall.c, 2, INT32_MAX), 25);  // clamped to the ring: too tall
    EXPECT_EQ(Consout_GetConsHeight(tall.c), 25);
    EXPECT_EQ(Consout_SetConsSize(tall.c, 2, CONSOUT_MAX_HEIGHT), CONSOUT_MAX_HEIGHT);
}

#ifdef _WIN32
// Free address space of the process, in bytes, and the largest free block.
struct AddressSpace {
    unsigned long long free = 0, largest = 0;
};

AddressSpace FreeAddressSpace() {
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    AddressSpace space;
    MEMORY_BASIC_INFORMATION m;
    for (char *p = static_cast<char *>(si.lpMinimumApplicationAddress);
         p < static_cast<char *>(si.lpMaximumApplicationAddress) &&
         VirtualQuery(p, &m, sizeof m) == sizeof m;
         p = static_cast<char *>(m.BaseAddress) + m.RegionSize) {
        if (m.State != MEM_FREE) continue;
        space.free += m.RegionSize;
        if (m.RegionSize > space.largest) space.largest = m.RegionSize;
    }
    return space;
}

// The size that once made the 32-bit DLL take 1.1 GB, fail, and keep it
// until the console was released.
TEST(ConsoleLimits, RefusedSizesKeepNoAddressSpace) {
    Owned c(CreateConsout(80, 25, 30));
    ASSERT_NE(c.c, nullptr);
    const AddressSpace before = FreeAddressSpace();
    EXPECT_EQ(Consout_SetConsSize(c.c, 50000000, 30), 25);
    EXPECT_EQ(CreateConsout(50000000, 30, 30), nullptr);
    EXPECT_EQ(CreateConsout(30, 30, 50000000), nullptr);
    const AddressSpace after = FreeAddressSpace();
    EXPECT_LT(static_cast<long long>(before.free - after.free), 16ll << 20);
    EXPECT_LT(static_cast<long long>(before.largest - after.largest), 16ll << 20);
    // A large allocation that works before still works.
    void *block = malloc(size_t{350} << 20);
    EXPECT_NE(block, nullptr);
    free(block);
}
#endif

}  // namespace
