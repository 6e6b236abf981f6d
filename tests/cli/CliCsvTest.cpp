// export-csv and import-csv on files kept in the repository: the data file's bytes are read
// here by the record layout itself, not through the channel codec.
#include "TestSupport.h"
#include "cli/CliCommands.h"

#include <QStringList>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace zorva {
namespace {

const std::string kData = ZORVA_TEST_DATA "/csv/";

struct Result {
    int status = -1;
    std::string out, err;
};

// Channel n's record in a data file: the file holds image byte X at offset X.
struct RawChannel {
    bool inUse = false, scanned = false;
    uint32_t rx = 0, tx = 0; // 10 Hz units
    std::string name;
};

RawChannel Raw(const std::string& file, int n) {
    const auto byte = [&](int at) { return static_cast<uint8_t>(file.at(at)); };
    const auto u32 = [&](int at) {
        return static_cast<uint32_t>(byte(at) | byte(at + 1) << 8 | byte(at + 2) << 16 |
                                     byte(at + 3) << 24);
    };
    const int record = 0x10 + (n - 1) * 32;
    RawChannel c;
    c.inUse = !(byte(0x1190 + (n - 1) / 8) & (1 << ((n - 1) % 8)));
    c.scanned = !(byte(0x11A0 + (n - 1) / 8) & (1 << ((n - 1) % 8)));
    c.rx = u32(record);
    c.tx = u32(record + 4);
    for (int i = 0; i < 7; ++i)
        c.name += static_cast<char>(byte(record + 18 + i) + 32);
    c.name.erase(c.name.find_last_not_of(' ') + 1);
    return c;
}

class CliCsvTest : public ::testing::Test {
protected:
    Result Run(const QStringList& args) {
        std::ostringstream out, err;
        Result r;
        r.status = RunCli(QStringList{"zorva-cli"} + args, dir.Path(), out, err);
        r.out = out.str();
        r.err = err.str();
        return r;
    }
    QString File(const std::string& name) { return QString::fromStdString(dir.File(name)); }
    static QString Kept(const char* name) { return QString::fromStdString(kData + name); }

    test::TempDir dir;
};

TEST_F(CliCsvTest, FilesOfOtherProgramsAndSpreadsheetsImportToTheSameChannels) {
    ASSERT_EQ(Run({"new", File("base.dat")}).status, 0);
    const std::string base = dir.Read("base.dat");
    std::string exported[2];
    int i = 0;
    for (const char* kept : {"other-program.csv", "spreadsheet.csv"}) {
        SCOPED_TRACE(kept);
        const QString out = File(std::string(kept) + ".dat");
        const Result r = Run({"import-csv", File("base.dat"), Kept(kept), "-o", out});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "Channels set: 6, replaced: 0, left alone: 0\n");
        EXPECT_EQ(dir.Read("base.dat"), base);

        const std::string file = dir.Read(std::string(kept) + ".dat");
        const struct {
            int n;
            uint32_t rx, tx;
            const char* name;
            bool scanned;
        } rows[] = {
            {1, 14560000, 14500000, "RPT-A", true},   {2, 14652000, 14652000, "SIMPLEX", false},
            {3, 43900000, 43400000, "UHF", true},     {5, 43550000, 44050000, "DCS", true},
            {6, 14550000, 43500000, "X-BAND", false}, {8, 22350000, 0xFFFFFFFF, "RXONLY", true}};
        for (const auto& row : rows) {
            const RawChannel c = Raw(file, row.n);
            EXPECT_TRUE(c.inUse) << row.n;
            EXPECT_EQ(c.rx, row.rx) << row.n;
            EXPECT_EQ(c.tx, row.tx) << row.n;
            EXPECT_EQ(c.name, row.name) << row.n;
            EXPECT_EQ(c.scanned, row.scanned) << row.n;
        }
        EXPECT_FALSE(Raw(file, 4).inUse);
        const Result e = Run({"export-csv", out});
        ASSERT_EQ(e.status, 0) << e.err;
        exported[i++] = e.out;
    }
    EXPECT_EQ(exported[0], exported[1]);
    // What we write: the same rows with this radio's own fields, and back unchanged.
    std::ifstream kept(kData + "exported.csv", std::ios::binary);
    const std::string expected{std::istreambuf_iterator<char>(kept), {}};
    EXPECT_EQ(exported[0], expected);
    ASSERT_EQ(
        Run({"import-csv", File("base.dat"), Kept("exported.csv"), "-o", File("again.dat")}).status,
        0);
    EXPECT_EQ(Run({"export-csv", File("again.dat")}).out, expected);
}

TEST_F(CliCsvTest, ErrorsAreAllPrintedAndNothingIsWritten) {
    ASSERT_EQ(Run({"new", File("base.dat")}).status, 0);
    dir.Write("bad.csv", "Location,Frequency,Mode\n1,145.5,AM\n1,999,FM\n");
    Result r = Run({"import-csv", File("base.dat"), File("bad.csv"), "-o", File("out.dat")});
    EXPECT_EQ(r.status, 1);
    const std::string csv = dir.File("bad.csv");
    EXPECT_EQ(r.err, csv +
                         ": Errors: 3 (1 mode AM, 1 Location given twice, 1 outside the radio's "
                         "bands)\n" +
                         csv + ": Line 2, Mode: \"AM\" is not a mode of the radio (FM or NFM)\n" +
                         csv + ": Line 3, Location: channel 1 is given twice\n" + csv +
                         ": Line 3, Frequency: 999 MHz lies in no band of the radio\n"
                         "zorva-cli: nothing imported\n");
    EXPECT_FALSE(dir.Exists("out.dat"));

    // The input is never the output; an output is replaced only with --force.
    r = Run(
        {"import-csv", File("base.dat"), Kept("exported.csv"), "-o", File("base.dat"), "--force"});
    EXPECT_EQ(r.status, 2);
    dir.Write("taken.dat", "x");
    dir.Write("taken.csv", "x");
    EXPECT_EQ(
        Run({"import-csv", File("base.dat"), Kept("exported.csv"), "-o", File("taken.dat")}).status,
        1);
    EXPECT_EQ(Run({"export-csv", File("base.dat"), "-o", File("taken.csv")}).status, 1);
    EXPECT_EQ(dir.Read("taken.csv"), "x");
    EXPECT_EQ(Run({"export-csv", File("base.dat"), "-o", File("taken.csv"), "--force"}).status, 0);
    EXPECT_EQ(dir.Read("taken.csv").substr(0, 19), "Location,Name,Frequ");

    // --replace-all empties what the file does not name.
    ASSERT_EQ(
        Run({"import-csv", File("base.dat"), Kept("exported.csv"), "-o", File("six.dat")}).status,
        0);
    dir.Write("one.csv", "Location,Frequency\r\n4,145.5\r\n");
    r = Run(
        {"import-csv", File("six.dat"), File("one.csv"), "-o", File("one.dat"), "--replace-all"});
    EXPECT_EQ(r.out, "Channels set: 1, replaced: 0, emptied: 6\n");
    EXPECT_TRUE(Raw(dir.Read("one.dat"), 4).inUse);
    EXPECT_FALSE(Raw(dir.Read("one.dat"), 1).inUse);
    EXPECT_EQ(Run({"export-csv", File("six.dat"), "--replace-all"}).status, 2);
}

TEST_F(CliCsvTest, APublishedListTakesWhatTheRadioHoldsInFileOrder) {
    ASSERT_EQ(Run({"new", File("base.dat")}).status, 0);
    dir.Write("list.csv", "Location,Name,Frequency,Mode\n0,AM,144.2,AM\n0,CB,27.185,FM\n"
                          "0,CALL,145.5,FM\n0,MARINE,156.8,FM\n0,HAM6,50.1,FM\n");
    const QStringList import{"import-csv", File("base.dat"), File("list.csv"), "-o",
                             File("out.dat")};
    Result r = Run(import + QStringList{"--skip-unsupported", "--renumber", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Channels set: 2, replaced: 0, left alone: 0\n"
                     "Skipped 3 rows: 2 outside the radio's bands, 1 mode AM\n");
    const std::string file = dir.Read("out.dat");
    EXPECT_EQ(Raw(file, 3).name, "CALL");
    EXPECT_EQ(Raw(file, 4).name, "MARINE");
    EXPECT_FALSE(Raw(file, 5).inUse);

    // Without renumbering, Location 0 is no channel: refused, or skipped with the others.
    EXPECT_EQ(Run(import + QStringList{"--skip-unsupported", "--force"}).out,
              "Channels set: 0, replaced: 0, left alone: 0\n"
              "Skipped 5 rows: 5 Location not a channel\n");
    for (const QStringList& wrong :
         {import + QStringList{"--renumber", "0"}, import + QStringList{"--renumber", "x"},
          QStringList{"export-csv", File("base.dat"), "--skip-unsupported"},
          QStringList{"show", File("base.dat"), "--renumber", "1"}})
        EXPECT_EQ(Run(wrong).status, 2) << wrong.join(' ').toStdString();
}

} // namespace
} // namespace zorva
