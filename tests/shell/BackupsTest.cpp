#include "shell/Backups.h"

#include "TestSupport.h"
#include "shell/DataFile.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace zorva {
namespace {

namespace fs = std::filesystem;

TEST(Backups, DataFolderFollowsXdgDataHomeOnlyWhenAbsolute) {
    struct Row {
        const char* xdg;
        const char* home;
        std::string folder;
    };
    const Row rows[] = {
        {"/data", "/home/u", "/data/zorva-520sx"},
        {nullptr, "/home/u", "/home/u/.local/share/zorva-520sx"},
        {"", "/home/u", "/home/u/.local/share/zorva-520sx"},
        {"relative/data", "/home/u", "/home/u/.local/share/zorva-520sx"},
        {nullptr, "", ""},
        {nullptr, nullptr, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(UserDataFolder(row.xdg, row.home), row.folder) << (row.xdg ? row.xdg : "(unset)");
}

TEST(Backups, OnlyBackupNamesAreRecognised) {
    const std::pair<const char*, bool> rows[] = {
        {"2026-12-09_154900.dat", true},      {"2026-12-09_154900_2.dat", true},
        {"2026-12-09_154900_17.dat", true},   {"2026-12-09_154900_1.dat", false},
        {"2026-12-09_154900_02.dat", false},  {"2026-12-09_154900_.dat", false},
        {"2026-12-09_154900.dat.bak", false}, {"2026-12-09 154900.dat", false},
        {"2026-12-9_154900.dat", false},      {"mine.dat", false},
        {"2026-12-09_154900_x.dat", false},   {"2026-12-09_154900_99999.dat", false},
    };
    for (const auto& [name, backup] : rows)
        EXPECT_EQ(IsBackupFileName(name), backup) << name;
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 0;
    local.tm_mday = 2;
    local.tm_hour = 3;
    local.tm_min = 4;
    local.tm_sec = 5;
    EXPECT_EQ(BackupFileName(local, 1), "2026-01-02_030405.dat");
    EXPECT_EQ(BackupFileName(local, 3), "2026-01-02_030405_3.dat");
}

struct BackupWrites : ::testing::Test {
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }
    std::string NameAt(int copy) const {
        std::tm local{};
        localtime_r(&now, &local);
        return BackupFileName(local, copy);
    }
    std::unique_ptr<Maindb> db = test::MakeStartedDb();
    test::TempDir dir;
    std::string folder = dir.File("data/backups"); // made by the first backup
    std::time_t now = 1765295340;
};

TEST_F(BackupWrites, ReadsInOneSecondGetTheirOwnFilesWithTheSavedBytes) {
    ASSERT_TRUE(SaveDataFile(db->All, dir.File("saved.dat")));
    db->All.Modified = true;
    for (int copy = 1; copy <= 3; ++copy) {
        const BackupResult result = WriteBackup(db->All, folder, now);
        EXPECT_TRUE(result.written) << result.reason;
        EXPECT_EQ(result.path, folder + "/" + NameAt(copy));
        EXPECT_EQ(dir.Read("data/backups/" + NameAt(copy)), dir.Read("saved.dat"));
    }
    EXPECT_TRUE(db->All.Modified); // a backup is not the image's file
}

TEST_F(BackupWrites, TheNewestAreKeptAndOtherFilesAreNeverTouched) {
    fs::create_directories(folder);
    const auto put = [&](const std::string& name) { dir.Write("data/backups/" + name, "x"); };
    // Copy 10 of a second is newer than copy 2, although it sorts before it as text.
    for (const char* name :
         {"2019-01-01_000000.dat", "2019-01-01_000000_2.dat", "2019-01-01_000000_10.dat",
          "notes.txt", "mine.dat", "2018-01-01_000000.dat.bak"})
        put(name);
    char name[32];
    for (int i = 0; i < 98; ++i) {
        std::snprintf(name, sizeof name, "2020-01-01_00%02d%02d.dat", i / 60, i % 60);
        put(name);
    }
    const std::set<std::string> before = Names();

    const BackupResult result = WriteBackup(db->All, folder, now);
    ASSERT_TRUE(result.written) << result.reason;
    std::set<std::string> expected = before;
    expected.erase("2019-01-01_000000.dat");
    expected.erase("2019-01-01_000000_2.dat");
    expected.insert(NameAt(1));
    EXPECT_EQ(Names(), expected);
}

TEST_F(BackupWrites, AFolderThatCannotBeMadeIsAFailureWithItsReason) {
    dir.Write("data", "a file where the folder belongs");
    const BackupResult result = WriteBackup(db->All, folder, now);
    EXPECT_FALSE(result.written);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(dir.Read("data"), "a file where the folder belongs");
}

} // namespace
} // namespace zorva
