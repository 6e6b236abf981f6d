// zorva-cli read, write and calibration for real: through a pseudo-terminal against the
// virtual radio.
#include "TestSupport.h"
#include "VirtualRadioProcess.h"
#include "codec/ChannelRecord.h"
#include "codec/DerivedFields.h"
#include "shell/Backups.h"
#include "shell/DataFile.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace zorva {
namespace {

struct Ran {
    int status = -1;
    std::string out, err;
};

// Runs a program to its end and collects both streams (through files: no pipe to fill).
Ran RunProgram(std::vector<std::string> args, const test::TempDir& dir) {
    std::string command;
    for (const auto& arg : args)
        command += "'" + arg + "' ";
    command += "</dev/null >'" + dir.File("out.txt") + "' 2>'" + dir.File("err.txt") + "'";
    Ran ran;
    const int raw = std::system(command.c_str());
    ran.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    ran.out = dir.Read("out.txt");
    ran.err = dir.Read("err.txt");
    return ran;
}

struct Transfers : ::testing::Test {
    // A data file with a few channels and a serial number the program never writes.
    std::string CraftFile(const std::string& name) {
        auto db = test::MakeStartedDb();
        InitNewChannel(db->All, 1, "145.5");
        InitNewChannel(db->All, 77, "438.525");
        std::string text = "Relay";
        SetChannelField(db->All, 77, kFieldName, text);
        std::memcpy(&db->All.Image[kSerialNumber], "ZS520SIM00000042", 16);
        // A write time long past, so the stamp of a write always differs from it.
        StampWriteTime(db->All, "2020-01-02 03:04:05");
        EXPECT_TRUE(SaveDataFile(db->All, dir.File(name)));
        return dir.Read(name);
    }
    Ran Cli(std::vector<std::string> args) {
        // Backups go to the test's folder, never to the user's.
        args.insert(args.begin(), {"env", "XDG_DATA_HOME=" + dir.File("xdg"), ZORVA_CLI_PATH});
        return RunProgram(std::move(args), dir);
    }
    test::TempDir dir;
};

TEST_F(Transfers, ReadGivesTheRadiosMemory) {
    const std::string radio = CraftFile("radio.dat");
    test::VirtualRadio sim({"--load", dir.File("radio.dat")});
    ASSERT_FALSE(sim.Path().empty());

    const Ran ran = Cli({"read", "--port", sim.Path(), "-o", dir.File("read.dat")});
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_NE(ran.err.find("Reading Completed."), std::string::npos) << ran.err;
    const std::string read = dir.Read("read.dat");
    ASSERT_EQ(read.size(), 4768u);
    // Everything the radio holds comes back as it was: channels, settings, serial number.
    EXPECT_EQ(read.substr(16, 4752 - 16), radio.substr(16, 4752 - 16));
}

TEST_F(Transfers, EveryReadLeavesABackupAndAFailedBackupOnlyWarns) {
    CraftFile("radio.dat");
    const std::string backups = dir.File("xdg/zorva-520sx/backups");
    for (const bool blocked : {false, true}) {
        std::filesystem::remove_all(dir.File("xdg"));
        std::filesystem::create_directories(dir.File("xdg"));
        // A file where the data folder belongs: no backup can be made, whoever runs this.
        if (blocked) dir.Write("xdg/zorva-520sx", "");
        std::filesystem::remove(dir.File("read.dat"));
        test::VirtualRadio sim({"--load", dir.File("radio.dat")});
        ASSERT_FALSE(sim.Path().empty());

        const Ran ran = Cli({"read", "--port", sim.Path(), "-o", dir.File("read.dat")});
        EXPECT_EQ(ran.status, 0) << ran.err;
        const std::string read = dir.Read("read.dat");
        ASSERT_EQ(read.size(), 4768u);
        const auto warning = ran.err.find("warning: ");
        if (blocked) {
            EXPECT_NE(warning, std::string::npos) << ran.err;
            EXPECT_EQ(ran.err.find("warning: ", warning + 1), std::string::npos) << ran.err;
            continue;
        }
        EXPECT_EQ(warning, std::string::npos) << ran.err;
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(backups))
            names.push_back(entry.path().filename().string());
        ASSERT_EQ(names.size(), 1u);
        EXPECT_TRUE(IsBackupFileName(names[0])) << names[0];
        EXPECT_EQ(dir.Read("xdg/zorva-520sx/backups/" + names[0]), read);
    }
}

TEST_F(Transfers, WriteSendsTheFileAndStampsTheWriteTime) {
    const std::string file = CraftFile("mine.dat");
    test::VirtualRadio sim({"--save", dir.File("radio.dat"), "--sessions", "1"});
    ASSERT_FALSE(sim.Path().empty());

    const Ran ran = Cli({"write", dir.File("mine.dat"), "--port", sim.Path()});
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_NE(ran.err.find("Writing Completed."), std::string::npos) << ran.err;
    sim.Stop();
    const std::string radio = dir.Read("radio.dat");
    ASSERT_EQ(radio.size(), 4768u);
    // Blocks 1 to 293 as in the file; block 294 carries the new write time.
    EXPECT_EQ(radio.substr(16, 0x1260 - 16), file.substr(16, 0x1260 - 16));
    EXPECT_NE(radio.substr(0x1260, 7), file.substr(0x1260, 7));
    EXPECT_EQ(radio.substr(0x1267, 9), file.substr(0x1267, 9));
}

TEST_F(Transfers, WriteVerifyReadsTheRadioBackAndNamesWhatDiffers) {
    CraftFile("mine.dat");
    {
        test::VirtualRadio sim({});
        const Ran ran = Cli({"write", dir.File("mine.dat"), "--port", sim.Path(), "--verify"});
        EXPECT_EQ(ran.status, 0) << ran.err;
        EXPECT_EQ(ran.out, "Verified: the radio holds what was written.\n");
        EXPECT_EQ(ran.err.find("Reading Completed."), std::string::npos) << ran.err;
    }
    // The radio acknowledges channel 77's first block but keeps its erased bytes there.
    const int block = ChannelFieldAddress(77, 0) / kBlockSize;
    test::VirtualRadio sim({"--fault", "drop-write:" + std::to_string(block)});
    const Ran ran = Cli({"write", dir.File("mine.dat"), "--port", sim.Path(), "--verify"});
    EXPECT_EQ(ran.status, 1) << ran.err;
    std::istringstream lines(ran.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "The radio does not hold what was written:");
    int differences = 0;
    for (; std::getline(lines, line); ++differences)
        EXPECT_EQ(line.rfind("channels[77].", 0), 0u) << line;
    EXPECT_GT(differences, 0);
    EXPECT_NE(ran.out.find("channels[77].RxFreq: 438.52500 -> "), std::string::npos) << ran.out;
}

TEST_F(Transfers, FailuresEndWithAMessageAndStatusOne) {
    CraftFile("mine.dat");
    {
        test::VirtualRadio sim({"--fault", "lower-ident"});
        const Ran ran = Cli({"read", "--port", sim.Path(), "-o", dir.File("x.dat")});
        EXPECT_EQ(ran.status, 1);
        EXPECT_NE(ran.err.find("Model Type Wrong."), std::string::npos) << ran.err;
        EXPECT_FALSE(dir.Exists("x.dat"));
        EXPECT_FALSE(dir.Exists("xdg/zorva-520sx/backups")); // a failed read is no backup
    }
    {
        test::VirtualRadio sim({"--fault", "wrong-answer"});
        const Ran ran = Cli({"write", dir.File("mine.dat"), "--port", sim.Path()});
        EXPECT_EQ(ran.status, 1);
        EXPECT_NE(ran.err.find("Please check all connections"), std::string::npos) << ran.err;
    }
    const Ran absent = Cli({"read", "--port", dir.File("no-such-tty"), "-o", dir.File("y.dat")});
    EXPECT_EQ(absent.status, 1);
    EXPECT_NE(absent.err.find("Cannot open the communication port."), std::string::npos)
        << absent.err;
    EXPECT_FALSE(dir.Exists("y.dat"));

    const Ran usage = Cli({"read", "-o", dir.File("z.dat")});
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("--port"), std::string::npos);
}

// A power-test table where every byte differs from its neighbours and from the radio's defaults.
std::string PatternTable() {
    std::string table(1040, '\0');
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<char>(i * 7 + 3);
    return table;
}

TEST_F(Transfers, CalibrationReadGivesTheRadiosTable) {
    dir.Write("table.bin", PatternTable());
    test::VirtualRadio sim({"--calibration", dir.File("table.bin")});
    ASSERT_FALSE(sim.Path().empty());

    const Ran ran = Cli({"calibration", "read", "--port", sim.Path(), "-o", dir.File("read.bin")});
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_NE(ran.err.find("Reading table"), std::string::npos) << ran.err;
    EXPECT_EQ(dir.Read("read.bin"), PatternTable());
}

TEST_F(Transfers, CalibrationSetLeavesTheValueInTheRadio) {
    dir.Write("table.bin", PatternTable());
    test::VirtualRadio sim({"--calibration", dir.File("table.bin")});
    ASSERT_FALSE(sim.Path().empty());

    const Ran high =
        Cli({"calibration", "set", "--port", sim.Path(), "--range", "40", "--high", "200"});
    EXPECT_EQ(high.status, 0) << high.err;
    const Ran low =
        Cli({"calibration", "set", "--port", sim.Path(), "--range", "13", "--low", "0"});
    EXPECT_EQ(low.status, 0) << low.err;
    sim.Stop();

    std::string expected = PatternTable();
    expected[16 * 40 + 12] = static_cast<char>(200);
    expected[16 * 13 + 10] = 0;
    EXPECT_EQ(dir.Read("table.bin"), expected);
}

TEST_F(Transfers, CalibrationFailuresEndWithTheMessageAndStatusOne) {
    {
        test::VirtualRadio sim({"--fault", "silent"});
        const Ran ran = Cli({"calibration", "read", "--port", sim.Path(), "-o", dir.File("t.bin")});
        EXPECT_EQ(ran.status, 1);
        EXPECT_NE(ran.err.find("Please check all connections"), std::string::npos) << ran.err;
        EXPECT_FALSE(dir.Exists("t.bin"));
    }
    {
        test::VirtualRadio sim({"--fault", "nak-block:40"});
        const Ran ran =
            Cli({"calibration", "set", "--port", sim.Path(), "--range", "40", "--low", "7"});
        EXPECT_EQ(ran.status, 1);
        EXPECT_NE(ran.err.find("Please check all connections"), std::string::npos) << ran.err;
    }
    const Ran absent = Cli(
        {"calibration", "set", "--port", dir.File("no-such-tty"), "--range", "40", "--low", "7"});
    EXPECT_EQ(absent.status, 1);
    EXPECT_NE(absent.err.find("Cannot open the communication port."), std::string::npos)
        << absent.err;
}

} // namespace
} // namespace zorva
