// Saving random entries, hostile ones included, and reading them back: a
// save either reports the number of entries and reads back as the same
// entries, or reports 0 and leaves the old file byte for byte as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "recordlist/test_support.h"
#include "recordlist/checked_test_support.h"
#include "zubo.h"

namespace fs = std::filesystem;
using namespace zubo_test;

namespace {

ZUBO_CHECKED_LIST_OPERATIONS;

std::string ReadAll(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Texts drawn mostly from bytes that mean something to the format.
class EntryMaker {
public:
    explicit EntryMaker(uint32_t seed) : rng_(seed) {}

    // Null, empty, short words, or long runs; hostile bytes now and then.
    std::string Text(bool *isNull) {
        *isNull = Pick(12) == 0;
        if (*isNull) return "";
        static const char kHostile[] = {' ', '\t', '\n', '\r', '\v', '\f', ';', 0x1A};
        size_t len;
        switch (Pick(8)) {
        case 0: len = 0; break;
        case 1: len = 200 + Pick(900); break;
        default: len = 1 + Pick(12); break;
        }
        const bool hostile = Pick(3) == 0;
        std::string s;
        for (size_t i = 0; i < len; ++i) {
            if (hostile && Pick(6) == 0)
                s += kHostile[Pick(sizeof kHostile)];
            else if (Pick(10) == 0)
                s += static_cast<char>(0x80 + Pick(0x80));  // Shift_JIS and other high bytes
            else
                s += static_cast<char>('a' + Pick(26));
        }
        return s;
    }
    int32_t Number() {
        switch (Pick(4)) {
        case 0: return INT32_MIN + static_cast<int32_t>(Pick(3));
        case 1: return INT32_MAX - static_cast<int32_t>(Pick(3));
        default: return static_cast<int32_t>(rng_());
        }
    }
    uint32_t Pick(uint32_t n) { return static_cast<uint32_t>(rng_() % n); }

private:
    std::mt19937 rng_;
};

struct Owned {
    std::string name, name2, comment;
    bool nullName, nullName2, nullComment;
    GdirlistEntry entry;
};

TEST(ListFileProperty, ASaveReadsBackOrChangesNothing) {
    const fs::path dir = fs::temp_directory_path() /
                         ("zubo_property_" +
                          std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path target = dir / "target.lst";
    EntryMaker make(20240613);
    int saved = 0, refused = 0;
    std::ofstream(target, std::ios::binary) << "first\t1\t2\tx\t;old\r\n";
    for (int round = 0; round < 400; ++round) {
        std::vector<Owned> entries(make.Pick(6));
        Gdirlist *list = CreateGdirlist();
        bool mustSave = true;
        for (Owned &o : entries) {
            o.name = make.Text(&o.nullName);
            o.name2 = make.Text(&o.nullName2);
            o.comment = make.Text(&o.nullComment);
            o.entry = {o.nullName ? nullptr : &o.name[0], o.nullName2 ? nullptr : &o.name2[0],
                       make.Number(), make.Number(),
                       o.nullComment ? nullptr : &o.comment[0], make.Pick(4)};
            ASSERT_NE(Gdirlist_Add(list, &o.entry), nullptr);
            mustSave = mustSave && MustSave(o.entry);
        }
        const std::string before = ReadAll(target);
        const int32_t result = Gdirlist_SaveListFile(list, target.string().c_str());
        if (result == 0 && !entries.empty()) {
            ++refused;
            EXPECT_FALSE(mustSave) << "round " << round << ": refused entries it can carry";
            EXPECT_EQ(ReadAll(target), before) << "round " << round;
        } else {
            ++saved;
            ASSERT_EQ(result, static_cast<int32_t>(entries.size())) << "round " << round;
            Gdirlist *back = CreateGdirlist();
            ASSERT_EQ(Gdirlist_AddListFile(back, target.string().c_str()), result)
                << "round " << round;
            for (int32_t i = 0; i < result; ++i)
                EXPECT_TRUE(SameAsReadBack(entries[i].entry, *Gdirlist_GetDataPtr(back, i)))
                    << "round " << round << ", entry " << i << ": "
                    << Text(entries[i].entry.name).substr(0, 40) << " / "
                    << Text(Gdirlist_GetDataPtr(back, i)->name).substr(0, 40);
            Gdirlist_Release(back);
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << "round " << round;
        Gdirlist_Release(list);
    }
    // Both outcomes were seen often enough to mean something.
    EXPECT_GT(saved, 40);
    EXPECT_GT(refused, 40);
    fs::remove_all(dir);
}

}  // namespace
