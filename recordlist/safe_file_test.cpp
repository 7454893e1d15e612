// Saves that survive interruption and hostile folders: leftovers of killed
// saves never make a later save fail, a save killed at any moment leaves
// one complete earlier save, and the target's kind and permissions count.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "zubo.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "recordlist/safe_file.h"
#endif

namespace fs = std::filesystem;

namespace {

// The versions a saving child writes: version v has 2,000 + v entries, so
// that every complete save can be told apart from every other one.
std::string VersionName(int v) { return "v" + std::to_string(v); }

Gdirlist *MakeVersion(int v) {
    Gdirlist *list = CreateGdirlist();
    const std::string name = VersionName(v);
    for (int i = 0; i < 2000 + v; ++i) {
        GdirlistEntry e = {const_cast<char *>(name.c_str()), const_cast<char *>("song.gp4"), i, v,
                           const_cast<char *>("; a comment long enough to take some time"), 0};
        Gdirlist_Add(list, &e);
    }
    return list;
}

// Saves versions 0, 1, 2, ... to path until killed.
[[noreturn]] void SaveForever(const std::string &path) {
    for (int v = 0;; v = (v + 1) % 50) {
        Gdirlist *list = MakeVersion(v);
        Gdirlist_SaveListFile(list, path.c_str());
        Gdirlist_Release(list);
    }
}

constexpr int kParentsSave = 1000;  // the test's own one-entry save

// The version a file holds when it is one complete save, else -1.
int CompleteVersion(const std::string &path) {
    Gdirlist *list = CreateGdirlist();
    const int32_t n = Gdirlist_AddListFile(list, path.c_str());
    int version = -1;
    if (n == 1 && std::string(Gdirlist_GetDataPtr(list, 0)->name) == "new") version = kParentsSave;
    if (n >= 2000) {
        const int v = n - 2000;
        version = v;
        for (int32_t i = 0; i < n && version >= 0; ++i) {
            const GdirlistEntry *e = Gdirlist_GetDataPtr(list, i);
            if (VersionName(v) != e->name || e->num1 != i || e->num2 != v) version = -1;
        }
    }
    Gdirlist_Release(list);
    return version;
}

#ifdef _WIN32
// The saving child is this program started again with ZUBO_SAVE_CHILD set
// to the target's path; it never reaches the tests.
const bool kChildMode = [] {
    char path[MAX_PATH];
    if (GetEnvironmentVariableA("ZUBO_SAVE_CHILD", path, sizeof path)) SaveForever(path);
    return false;
}();
#endif

struct SafeSaveTest : ::testing::Test {
    fs::path dir;
    Gdirlist *list = CreateGdirlist();

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zubo_safe_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        GdirlistEntry e = {const_cast<char *>("new"), const_cast<char *>("x"), 1, 2,
                           const_cast<char *>(""), 0};
        Gdirlist_Add(list, &e);
    }
    void TearDown() override {
        Gdirlist_Release(list);
        std::error_code ec;
        fs::permissions(dir / "target.lst", fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }
    std::string Path(const std::string &name) { return (dir / name).string(); }
    void Write(const std::string &name, const std::string &bytes) {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string &name) {
        std::ifstream in(Path(name), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    size_t FilesInDir() {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {}));
    }
    int32_t Save() { return Gdirlist_SaveListFile(list, Path("target.lst").c_str()); }
};

TEST_F(SafeSaveTest, LeftoversOfEarlierSavesNeverMakeASaveFail) {
    // Names such as interrupted saves leave: this library's own pattern with
    // many tags, and the older "<pid>.<n>" kind.
    std::mt19937_64 rng(3);
    for (int i = 0; i < 300; ++i) {
        char tag[17];
        snprintf(tag, sizeof tag, "%016llx", static_cast<unsigned long long>(rng()));
        Write("target.lst.~" + std::string(tag) + ".tmp", "partial");
        Write("target.lst.~" + std::to_string(1000 + i % 30) + "." + std::to_string(i / 30) + ".tmp",
              "partial");
    }
    const size_t leftovers = FilesInDir();
    for (int i = 0; i < 40; ++i) ASSERT_EQ(Save(), 1) << i;
    EXPECT_EQ(FilesInDir(), leftovers + 1);  // the target, and no new leftover
}

TEST_F(SafeSaveTest, AReadOnlyTargetIsRefusedAndKept) {
    Write("target.lst", "old 1 2\n");
#ifdef _WIN32
    ASSERT_TRUE(SetFileAttributesA(Path("target.lst").c_str(), FILE_ATTRIBUTE_READONLY));
#else
    fs::permissions(Path("target.lst"), fs::perms::owner_read | fs::perms::group_read);
#endif
    EXPECT_EQ(Save(), 0);
#ifdef _WIN32
    SetFileAttributesA(Path("target.lst").c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
    EXPECT_EQ(Read("target.lst"), "old 1 2\n");
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(SafeSaveTest, ASaveKilledAtAnyMomentLeavesOneCompleteSave) {
    const std::string target = Path("target.lst");
    Gdirlist *first = MakeVersion(49);
    ASSERT_EQ(Gdirlist_SaveListFile(first, target.c_str()), 2049);
    Gdirlist_Release(first);
    std::mt19937 rng(11);
    int versionsSeen = 0, last = 49;
    for (int round = 0; round < 12; ++round) {
        const auto delay = std::chrono::milliseconds(50 + rng() % 350);
#ifdef _WIN32
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        SetEnvironmentVariableA("ZUBO_SAVE_CHILD", target.c_str());
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessA(self, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &si, &pi));
        SetEnvironmentVariableA("ZUBO_SAVE_CHILD", nullptr);
        std::this_thread::sleep_for(delay);
        TerminateProcess(pi.hProcess, 9);
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
#else
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) SaveForever(target);
        std::this_thread::sleep_for(delay);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
#endif
        // A child killed before its first save finished leaves the test's
        // own save of the round before.
        const int v = CompleteVersion(target);
        ASSERT_GE(v, 0) << "round " << round << ": the target is not one complete save";
        versionsSeen += v != last && v != kParentsSave;
        last = v;
        ASSERT_EQ(Save(), 1) << round;  // leftovers do not stop the next save
        ASSERT_EQ(Read("target.lst").substr(0, 4), "new\t");
    }
    EXPECT_GT(versionsSeen, 0);  // the children did replace the file
}

#ifndef _WIN32
TEST_F(SafeSaveTest, TheTargetKeepsItsPermissionBits) {
    Write("target.lst", "old 1 2\n");
    fs::permissions(Path("target.lst"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(Save(), 1);
    EXPECT_EQ(fs::status(Path("target.lst")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Read("target.lst").substr(0, 4), "new\t");
}

TEST_F(SafeSaveTest, ASymbolicLinkIsWrittenThroughAndADanglingOneRefused) {
    fs::create_directories(dir / "real");
    Write("real/file.lst", "old 1 2\n");
    fs::create_symlink(dir / "real" / "file.lst", dir / "target.lst");
    ASSERT_EQ(Save(), 1);
    EXPECT_TRUE(fs::is_symlink(dir / "target.lst"));
    EXPECT_EQ(Read("real/file.lst").substr(0, 4), "new\t");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), {}), 1);

    fs::create_symlink(dir / "nowhere.lst", dir / "dangling.lst");
    EXPECT_EQ(Gdirlist_SaveListFile(list, Path("dangling.lst").c_str()), 0);
    EXPECT_FALSE(fs::exists(dir / "nowhere.lst"));
}

TEST_F(SafeSaveTest, TakenNamesAreSkippedUntilTheAttemptsRunOut) {
    // With the names a writer will try known in advance, occupy them.
    zubo::recordlist::SetTemporaryNameSeed(0x1234);
    std::vector<char> name(Path("target.lst").size() + 24);
    for (unsigned attempt = 0; attempt < 999; ++attempt) {
        zubo::recordlist::TemporaryName(name.data(), Path("target.lst").c_str(), 0x1234, attempt);
        Write(fs::path(name.data()).filename().string(), "taken");
    }
    EXPECT_EQ(Save(), 1);  // the last attempt is free
    zubo::recordlist::TemporaryName(name.data(), Path("target.lst").c_str(), 0x1234, 999);
    Write(fs::path(name.data()).filename().string(), "taken");
    Write("target.lst", "old 1 2\n");
    EXPECT_EQ(Save(), 0);  // every name taken: refused, the old file kept
    EXPECT_EQ(Read("target.lst"), "old 1 2\n");
    zubo::recordlist::SetTemporaryNameSeed(0);
    EXPECT_EQ(Save(), 1);  // fresh names again
}
#endif

}  // namespace
