// List files: reading, writing, and what happens on bad input and failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "recordlist/checked_test_support.h"
#include "zubo.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

namespace fs = std::filesystem;

namespace {

ZUBO_CHECKED_LIST_OPERATIONS;

#ifdef _WIN32
const std::string kNewline = "\r\n";  // text mode on Windows
#else
const std::string kNewline = "\n";
#endif

struct ListFileTest : ::testing::Test {
    fs::path dir;
    Gdirlist *list = CreateGdirlist();

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zubo_listfile_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        Gdirlist_Release(list);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::string Path(const char *name) { return (dir / name).string(); }
    void Write(const char *name, const std::string &bytes) {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Read(const char *name) {
        std::ifstream in(Path(name), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    void Add(const char *name, int32_t n1, int32_t n2, const char *name2, const char *comment) {
        GdirlistEntry e = {const_cast<char *>(name), const_cast<char *>(name2), n1, n2,
                           const_cast<char *>(comment), 1};
        ASSERT_NE(Gdirlist_Add(list, &e), nullptr);
    }
    size_t FilesInDir() {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {}));
    }
};

TEST_F(ListFileTest, EmptyCommentAndBlankFilesAddNothing) {
    Write("empty.lst", "");
    Write("comments.lst", ";one\n\n   \n;two 1 2 x\n");
    EXPECT_EQ(Gdirlist_AddListFile(list, Path("empty.lst").c_str()), 0);
    EXPECT_EQ(Gdirlist_AddListFile(list, Path("comments.lst").c_str()), 0);
    EXPECT_EQ(Gdirlist_AddListFile(list, Path("missing.lst").c_str()), 0);
    EXPECT_EQ(Gdirlist_GetSize(list), 0);
}

// A null list or path reads and writes nothing, and creates no file.
TEST_F(ListFileTest, NullListOrPathIsRefused) {
    Write("in.lst", "a 1 2\n");
    Add("x", 1, 2, "y", "z");
    EXPECT_EQ(Gdirlist_AddListFile(nullptr, Path("in.lst").c_str()), 0);
    EXPECT_EQ(Gdirlist_AddListFile(list, nullptr), 0);
    EXPECT_EQ(Gdirlist_SaveListFile(nullptr, Path("out.lst").c_str()), 0);
    EXPECT_EQ(Gdirlist_GetSize(list), 1);
    EXPECT_EQ(FilesInDir(), 1u);  // in.lst only
}

TEST_F(ListFileTest, ReadingAppendsUnmarkedEntriesAndStopsAtABadLine) {
    Write("a.lst", "a\t1\t2\n;skip\nb 3 4 bb c o m\nc word 5\nd 6 7\n");
    Add("first", 0, 0, "x", "y");
    EXPECT_EQ(Gdirlist_AddListFile(list, Path("a.lst").c_str()), 2);
    ASSERT_EQ(Gdirlist_GetSize(list), 3);
    GdirlistEntry *a = Gdirlist_GetDataPtr(list, 1);
    EXPECT_STREQ(a->name, "a");
    EXPECT_EQ(a->num1, 1);
    EXPECT_EQ(a->num2, 2);
    EXPECT_STREQ(a->name2, "(none)");
    EXPECT_STREQ(a->comment, "");
    EXPECT_EQ(a->flags, 0u);
    GdirlistEntry *b = Gdirlist_GetDataPtr(list, 2);
    EXPECT_STREQ(b->name2, "bb");
    EXPECT_STREQ(b->comment, "com");
    EXPECT_EQ(Gdirlist_GetCurPos(list), 0);  // the cursor was on an entry
}

TEST_F(ListFileTest, SaveWritesTheExactLineFormat) {
    Add("name", -5, 123456789, "second", "see ;note");
    Add("n2", 1234567890, 0, "(none)", nullptr);  // a null comment is an empty one
    Add(";semi", 1, 2, ";x", "");  // not a comment line: a space in front
    Gdirlist_SetCurPos(list, 1);
    EXPECT_EQ(Gdirlist_SaveListFile(list, Path("out.lst").c_str()), 3);
    EXPECT_EQ(Read("out.lst"),
              "name\t       -5\t123456789\tsecond\tsee ;note" + kNewline +
              "n2\t1234567890\t        0\t(none)\t" + kNewline +
              " ;semi\t        1\t        2\t;x\t" + kNewline);
    EXPECT_EQ(Gdirlist_GetCurPos(list), 1);
    EXPECT_EQ(Gdirlist_GetSize(list), 3);
    EXPECT_EQ(FilesInDir(), 1u);  // no temporary file left behind
}

TEST_F(ListFileTest, SaveAndReadGiveTheSameEntries) {
    Add("alpha", -5, 7, "a.gp4", "plain");
    Add("beta", 0, -2147483647 - 1, "b.gp4", "keeps ;its white  space");
    ASSERT_EQ(Gdirlist_SaveListFile(list, Path("r.lst").c_str()), 2);
    Gdirlist *back = CreateGdirlist();
    ASSERT_EQ(Gdirlist_AddListFile(back, Path("r.lst").c_str()), 2);
    GdirlistEntry *b = Gdirlist_GetDataPtr(back, 1);
    EXPECT_STREQ(b->name, "beta");
    EXPECT_EQ(b->num2, INT32_MIN);
    EXPECT_STREQ(b->comment, "keeps;its white  space\n");
    // A comment that kept its line feed writes an extra blank line, which
    // the reader skips: a second cycle gives the same entries again.
    ASSERT_EQ(Gdirlist_SaveListFile(back, Path("r2.lst").c_str()), 2);
    Gdirlist *again = CreateGdirlist();
    ASSERT_EQ(Gdirlist_AddListFile(again, Path("r2.lst").c_str()), 2);
    EXPECT_STREQ(Gdirlist_GetDataPtr(again, 1)->comment, "keeps;its white  space\n");
    EXPECT_STREQ(Gdirlist_GetDataPtr(again, 0)->comment, "plain");
    Gdirlist_Release(back);
    Gdirlist_Release(again);
}

// Entries whose line would not give them back make the save write nothing
// and report 0; the old file stays byte for byte, and no file is left.
TEST_F(ListFileTest, SaveRefusesEntriesThatWouldNotReadBack) {
    const std::string old = "old\t1\t2\tkept\t;\x01 bytes\r\n";
    const std::string longName(1100, 'n');
    const struct {
        const char *name, *name2, *comment;
    } refused[] = {
        {"a b", "x", "c"}, {"a\tb", "x", "c"}, {"a\nb", "x", "c"}, {"a\vb", "x", "c"},
        {"a\fb", "x", "c"}, {"a\rb", "x", "c"}, {"", "x", "c"}, {nullptr, "x", "c"},
        {"a", "x y", "c"}, {"a", "x\t", "c"}, {"a", "", "c"}, {"a", nullptr, ""},
        {"a", "x", "two\nlines"}, {"a", "x", "a;b\nc 1 2 d\n"}, {"a", "x", "\n;"},
        {"a\x1a", "x", "c"}, {"a", "\x1ax", "c"}, {"a", "x", "c;\x1a"},
        {longName.c_str(), "x", ""},  // the numbers would be cut off the line
    };
    for (const auto &r : refused) {
        Gdirlist_DeleteAll(list);
        Write("keep.lst", old);
        Add("good", 1, 2, "fine", "ok");
        Add(r.name, 3, 4, r.name2, r.comment);
        Add("later", 5, 6, "fine", "ok");
        EXPECT_EQ(Gdirlist_SaveListFile(list, Path("keep.lst").c_str()), 0)
            << (r.name ? r.name : "(null)") << "|" << (r.name2 ? r.name2 : "(null)");
        EXPECT_EQ(Gdirlist_SaveListFile(list, Path("new.lst").c_str()), 0);
        EXPECT_EQ(Read("keep.lst"), old);
        EXPECT_EQ(FilesInDir(), 1u);
        EXPECT_EQ(Gdirlist_GetSize(list), 3);  // the list is as it was
    }
}

// What the format can carry is saved, and reads back as the format says:
// texts cut to 255 bytes, the comment filtered up to its first ";".
TEST_F(ListFileTest, SaveKeepsWhatReadsBack) {
    const std::string name300(300, 'n'), comment2000 = "x ;" + std::string(2000, 'c');
    const std::string spaces(900, ' ');
    const struct {
        std::string name, comment, back;
    } kept[] = {
        {"a", "see notes", "seenotes"},
        {"b", "lone\rCR", "loneCR"},
        {"c", "x;y\r", "x;y\r\n"},
        {"d", "x;y\n", "x;y\n"},  // as the reader gives a comment with ";"
        {"e", "trailing\n", "trailing"},
        {";f", "", ""},
        {name300, "", ""},
        {"g", comment2000, "x;" + std::string(253, 'c')},
        {"h", spaces + "ab;", "ab;\n"},  // the whole line fits the reader's line
    };
    for (const auto &k : kept) Add(k.name.c_str(), -1, 2147483647, "n2", k.comment.c_str());
    ASSERT_EQ(Gdirlist_SaveListFile(list, Path("kept.lst").c_str()), 9);
    Gdirlist *back = CreateGdirlist();
    ASSERT_EQ(Gdirlist_AddListFile(back, Path("kept.lst").c_str()), 9);
    for (int32_t i = 0; i < 9; ++i) {
        const GdirlistEntry *e = Gdirlist_GetDataPtr(back, i);
        EXPECT_EQ(e->name, kept[i].name.substr(0, 255)) << i;
        EXPECT_STREQ(e->name2, "n2");
        EXPECT_EQ(e->num1, -1);
        EXPECT_EQ(e->num2, 2147483647);
        EXPECT_EQ(e->comment, kept[i].back) << i;
    }
    Gdirlist_Release(back);
}

// Byte 0x1A ends a list file, as text-mode reading on Windows ends it.
TEST_F(ListFileTest, ReadingEndsAtByte1A) {
    Write("eot.lst", "a 1 2\nb 3 4 x\x1ay\nc 5 6\n");
    EXPECT_EQ(Gdirlist_AddListFile(list, Path("eot.lst").c_str()), 2);
    ASSERT_EQ(Gdirlist_GetSize(list), 2);
    EXPECT_STREQ(Gdirlist_GetDataPtr(list, 1)->name2, "x");
}

TEST_F(ListFileTest, LongColumnsAreCutAndLongLinesStayOneLine) {
    const std::string longName(300, 'n');
    const std::string longComment = ";" + std::string(400, 'c');
    std::string longLine = "x 1 2 y " + std::string(2000, 'z') + "\n";
    Write("long.lst", longName + " 1 2 " + longName + " " + longComment + "\n" + longLine +
                          "after 3 4\n");
    EXPECT_EQ(Gdirlist_AddListFile(list, Path("long.lst").c_str()), 3);
    GdirlistEntry *e = Gdirlist_GetDataPtr(list, 0);
    EXPECT_EQ(std::string(e->name), std::string(255, 'n'));
    EXPECT_EQ(std::string(e->name2), std::string(255, 'n'));
    EXPECT_EQ(std::string(e->comment), longComment.substr(0, 255));
    EXPECT_EQ(std::string(Gdirlist_GetDataPtr(list, 1)->comment), std::string(255, 'z'));
    // The rest of the long line was skipped, not read as further lines.
    EXPECT_STREQ(Gdirlist_GetDataPtr(list, 2)->name, "after");
}

TEST_F(ListFileTest, LineOfExactly1023CharactersAndOneOf1024) {
    std::string a = "a 1 2 b ;" + std::string(1023 - 9, 'c');
    std::string b = "b 1 2 b ;" + std::string(1024 - 9, 'd');
    ASSERT_EQ(a.size(), 1023u);
    Write("edge.lst", a + "\n" + b + "\nc 5 6\n");
    EXPECT_EQ(Gdirlist_AddListFile(list, Path("edge.lst").c_str()), 3);
    EXPECT_STREQ(Gdirlist_GetDataPtr(list, 2)->name, "c");
}

TEST_F(ListFileTest, FailedSaveKeepsTheOldFile) {
    Write("keep.lst", "old 1 2\n");
    Add("new", 1, 2, "x", "y");
    // A target that is a folder, and a folder that does not exist.
    fs::create_directories(dir / "folder.lst");
    EXPECT_EQ(Gdirlist_SaveListFile(list, Path("folder.lst").c_str()), 0);
    EXPECT_EQ(Gdirlist_SaveListFile(list, (dir / "no" / "such.lst").string().c_str()), 0);
    EXPECT_EQ(Gdirlist_SaveListFile(list, nullptr), 0);
    EXPECT_EQ(Read("keep.lst"), "old 1 2\n");
    EXPECT_EQ(FilesInDir(), 2u);  // keep.lst and folder.lst only
}

#ifdef _WIN32
#include <windows.h>
// A file that another program holds open without sharing cannot be
// replaced: the save fails and the file keeps its contents.
TEST_F(ListFileTest, FailedReplaceOfALockedFileKeepsIt) {
    Write("locked.lst", "old 1 2\n");
    HANDLE h = CreateFileA(Path("locked.lst").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    Add("new", 1, 2, "x", "y");
    EXPECT_EQ(Gdirlist_SaveListFile(list, Path("locked.lst").c_str()), 0);
    CloseHandle(h);
    EXPECT_EQ(Read("locked.lst"), "old 1 2\n");
    EXPECT_EQ(FilesInDir(), 1u);
}
#else
// A write error in the middle of the file (the file size limit here) must
// give 0 and leave the previous file as it was.
TEST_F(ListFileTest, WriteErrorKeepsTheOldFile) {
    Write("big.lst", "old 1 2\n");
    for (int i = 0; i < 2000; ++i) Add("entry", i, i, "second", "some comment text");
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 8192;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int32_t result = Gdirlist_SaveListFile(list, Path("big.lst").c_str());
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Read("big.lst"), "old 1 2\n");
    EXPECT_EQ(FilesInDir(), 1u);
}
#endif

}  // namespace
