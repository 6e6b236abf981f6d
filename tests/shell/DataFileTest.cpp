#include "shell/DataFile.h"

#include "TestSupport.h"
#include "codec/ChannelRecord.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorva {
namespace {

struct DataFiles : ::testing::Test {
    DataFiles() : db(test::MakeStartedDb()), all(db->All) {}
    bool Save(const std::string& name) {
        last = SaveDataFile(all, dir.File(name));
        return static_cast<bool>(last);
    }
    bool Load(const std::string& name) {
        last = LoadDataFile(all, db->MacList, dir.File(name));
        return static_cast<bool>(last);
    }
    // A saved new image with a channel, to edit byte by byte.
    std::string GoodFile() {
        InitNewChannel(all, 1, "145.5");
        EXPECT_TRUE(Save("good.dat"));
        return dir.Read("good.dat");
    }
    // Loading must be refused for `problem` and leave everything as it was.
    void ExpectRefused(const std::string& name, FileProblem problem) {
        const auto image = all.Image;
        all.Modified = true;
        EXPECT_FALSE(Load(name)) << name;
        EXPECT_EQ(last.problem, problem) << name;
        EXPECT_EQ(last.path, dir.File(name));
        EXPECT_EQ(all.Image, image);
        EXPECT_TRUE(all.Modified);
    }

    test::TempDir dir;
    FileResult last;
    std::unique_ptr<Maindb> db;
    TALL& all;
};

TEST_F(DataFiles, SaveWritesTheHeaderAndBlocksOneTo297) {
    all.Image[0x1290] = 0x5A; // block 297 travels only in files
    const std::string bytes = GoodFile();
    ASSERT_EQ(bytes.size(), 4768u);
    EXPECT_EQ(bytes.substr(0, 16), std::string("PKQ57KQ57    \xFF\xFF\xFF", 16));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&all.Image[16]), 4752), bytes.substr(16));
}

TEST_F(DataFiles, LoadRestoresTheImageAndKeepsBlockZero) {
    GoodFile();
    const auto saved = all.Image;
    all.Image[0] = 0x42; // block 0 is not in the file and keeps its content
    std::fill(all.Image.begin() + 16, all.Image.begin() + 4768, 0x00);
    all.Modified = true;
    ASSERT_TRUE(Load("good.dat"));
    EXPECT_TRUE(std::equal(saved.begin() + 16, saved.begin() + 4768, all.Image.begin() + 16));
    EXPECT_EQ(all.Image[0], 0x42);
    EXPECT_FALSE(all.Modified);
    TChannel c;
    ASSERT_TRUE(LoadChannel(all, 1, c));
    EXPECT_EQ(c.RxFreq, 145.5);
}

TEST_F(DataFiles, HeaderBytesOtherThanTheIdentAreIgnored) {
    std::string bytes = GoodFile();
    bytes.replace(5, 8, "ABCDxxxx");
    bytes[0] = 'X';
    bytes[4606] = 0x00; // band mask byte: the model's whole mask comes into effect
    dir.Write("other.dat", bytes);
    ASSERT_TRUE(Load("other.dat"));
    EXPECT_EQ(all.BandMask, 0x3F);
    EXPECT_EQ(all.BandLow[1], 134.0);
    EXPECT_EQ(all.U32At(kBandRanges + 8), 13400000u);
    EXPECT_EQ(all.BandSummary,
              "400.00000 - 520.00000/134.00000 - 176.00000/200.00000 - 260.00000MHz");
}

TEST_F(DataFiles, FilesItCannotUseAreRefusedWithoutTouchingTheImage) {
    std::string bytes = GoodFile();
    bytes.replace(1, 4, "kq57");
    dir.Write("lower.dat", bytes);
    bytes.replace(1, 4, "AB12");
    dir.Write("other-model.dat", bytes);
    dir.Write("short.dat", GoodFile().substr(0, 1000));
    dir.Write("tiny.dat", "PKQ");
    dir.Write("empty.dat", "");
    InitNewChannel(all, 2, "146.0"); // the image differs from every file

    ExpectRefused("lower.dat", FileProblem::UnknownModel);
    ExpectRefused("other-model.dat", FileProblem::UnknownModel);
    ExpectRefused("short.dat", FileProblem::TooShort);
    ExpectRefused("tiny.dat", FileProblem::TooShort);
    ExpectRefused("empty.dat", FileProblem::TooShort);
    ExpectRefused("missing.dat", FileProblem::Unreadable);
    EXPECT_EQ(last.systemMessage, "No such file or directory");
    ::mkdir(dir.File("folder.dat").c_str(), 0755);
    ExpectRefused("folder.dat", FileProblem::Unreadable);
}

// The window's message and the command line's reason come from the same result.
TEST_F(DataFiles, AFailureIsWordedForTheWindowAndTheCommandLine) {
    const TLanguage& texts = db->Language;
    struct Row {
        FileResult result;
        std::string message;
        std::string reason;
    };
    const std::vector<Row> rows{
        {{FileProblem::Unreadable, "/d/a.dat", "No such file or directory"},
         texts.FileReadError + "\n/d/a.dat: No such file or directory",
         "The file cannot be read: No such file or directory"},
        {{FileProblem::TooShort, "/d/a.dat", ""}, texts.FileShort + "\n/d/a.dat", texts.FileShort},
        {{FileProblem::UnknownModel, "/d/a.dat", ""}, texts.ModError, texts.ModError},
        {{FileProblem::Unwritable, "/d/a.dat", "Permission denied"},
         texts.FileWriteError + "\n/d/a.dat: Permission denied",
         "The file cannot be saved: Permission denied"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FileProblemMessage(row.result, texts), row.message);
        EXPECT_EQ(FileProblemReason(row.result, texts), row.reason);
    }
}

TEST_F(DataFiles, LongerFilesLoadTheirFirst4768Bytes) {
    dir.Write("long.dat", GoodFile() + std::string(100, '\x01'));
    EXPECT_TRUE(Load("long.dat"));
}

TEST_F(DataFiles, FailedSaveKeepsTheOldFile) {
    const std::string old = GoodFile();
    EXPECT_FALSE(Save("no-such-folder/x.dat"));
    EXPECT_EQ(last.problem, FileProblem::Unwritable);
    EXPECT_FALSE(last.systemMessage.empty());

    // A folder in the way of the target: the rename fails, nothing is left behind.
    ::mkdir(dir.File("taken.dat").c_str(), 0755);
    EXPECT_FALSE(Save("taken.dat"));

    if (::geteuid() != 0) { // root writes anywhere
        ::chmod(dir.Path().c_str(), 0555);
        InitNewChannel(all, 3, "147.0");
        EXPECT_FALSE(Save("good.dat"));
        ::chmod(dir.Path().c_str(), 0755);
        EXPECT_EQ(dir.Read("good.dat"), old);
    }
}

TEST_F(DataFiles, SaveReplacesAnExistingFileAndKeepsItsPermissions) {
    GoodFile();
    ::chmod(dir.File("good.dat").c_str(), 0640);
    InitNewChannel(all, 9, "147.0");
    ASSERT_TRUE(Save("good.dat"));
    struct stat info {};
    ASSERT_EQ(::stat(dir.File("good.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(static_cast<uint8_t>(dir.Read("good.dat")[ChannelFieldAddress(9, 0)]), 0xE0);
}

} // namespace
} // namespace zorva
