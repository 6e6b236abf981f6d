// zorva-cli as users run it: the built binary for the commands and their failures, the
// entry function for the usage errors and the table layout.
#include "cli/CliCommands.h"

#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/DerivedFields.h"
#include "core/Maindb.h"
#include "shell/DataFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace zorva {
namespace {

// The whole text matches the pattern.
bool Matches(const std::string& text, const char* pattern) {
    const QRegularExpression whole(
        QRegularExpression::anchoredPattern(QString::fromLatin1(pattern)));
    return whole.match(QString::fromStdString(text)).hasMatch();
}

struct Result {
    int status = -1;
    std::string out, err;
};

std::string Quoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class CliCommandsTest : public ::testing::Test {
protected:
    // Runs the built binary with stdout and stderr captured in files; `environment` comes
    // before the command (an env call).
    Result RunBinary(const std::vector<std::string>& args, const std::string& environment = "") {
        std::string command = environment + Quoted(ZORVA_CLI_PATH);
        for (const auto& a : args)
            command += " " + Quoted(a);
        command += " </dev/null >" + Quoted(io.File("out")) + " 2>" + Quoted(io.File("err"));
        const int raw = std::system(command.c_str());
        Result r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = io.Read("out");
        r.err = io.Read("err");
        return r;
    }

    Result RunInProcess(const QStringList& args) {
        std::ostringstream out, err;
        Result r;
        r.status = RunCli(QStringList{"zorva-cli"} + args, dir.Path(), out, err);
        r.out = out.str();
        r.err = err.str();
        return r;
    }

    // A refused file: status 1, nothing on stdout, one line on stderr naming the file.
    void ExpectRefused(const Result& r, const std::string& path) {
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        const auto lines = Lines(r.err);
        ASSERT_EQ(lines.size(), 1u) << r.err;
        const std::string prefix = "zorva-cli: " + path + ": ";
        EXPECT_EQ(lines[0].rfind(prefix, 0), 0u) << lines[0];
        EXPECT_GT(lines[0].size(), prefix.size()) << "no reason given";
    }

    test::TempDir dir; // data files
    test::TempDir io;  // captured output
};

TEST_F(CliCommandsTest, NewThenShowThenDumpDescribeTheSameNewImage) {
    const std::string path = dir.File("radio.dat");
    const Result made = RunBinary({"new", path});
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out + made.err, "");
    const std::string file = dir.Read("radio.dat");
    ASSERT_EQ(file.size(), 4768u);
    EXPECT_EQ(file.substr(0, 16), std::string("PKQ57KQ57    \xFF\xFF\xFF", 16));

    const Result shown = RunBinary({"show", path});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.err, "");
    EXPECT_NE(shown.out.find("ZORVA-520SX (KQ57)"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("400.00000 - 520.00000/136.00000 - 174.00000/220.00000 - "
                             "260.00000MHz"),
              std::string::npos);
    EXPECT_NE(shown.out.find("none in use"), std::string::npos);

    const Result dumped = RunBinary({"dump", path});
    EXPECT_EQ(dumped.status, 0) << dumped.err;
    EXPECT_EQ(dumped.err, "");
    QJsonParseError error;
    const QJsonObject dump =
        QJsonDocument::fromJson(QByteArray::fromStdString(dumped.out), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << dumped.out;
    EXPECT_EQ(dump["model"]["ident"].toString(), "KQ57");
    EXPECT_EQ(dump["bandMask"].toInt(), 0x15);
    EXPECT_TRUE(dump["channels"].toArray().isEmpty());
    EXPECT_EQ(dump["vfo"].toArray().size(), 2);
    EXPECT_EQ(dump["fm"]["current"].toString(), "88.00000");
    EXPECT_EQ(dump["fm"]["scanLow"].toString(), "88.00000");
    EXPECT_EQ(dump["fm"]["scanHigh"].toString(), "108.00000");
    EXPECT_EQ(dump["bands"][3]["low"].toString(), "0.00000");

    // The write time stamped by "new" is the one both commands report.
    const std::string time = dump["writeTime"].toString().toStdString();
    EXPECT_TRUE(Matches(time, R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")) << time;
    EXPECT_NE(shown.out.find(time), std::string::npos);
}

TEST_F(CliCommandsTest, NewKeepsAnExistingFileUnlessForced) {
    const std::string path = dir.File("keep.dat");
    dir.Write("keep.dat", "precious");
    ExpectRefused(RunInProcess({"new", QString::fromStdString(path)}), path);
    EXPECT_EQ(dir.Read("keep.dat"), "precious");

    EXPECT_EQ(RunInProcess({"new", "--force", QString::fromStdString(path)}).status, 0);
    EXPECT_EQ(dir.Read("keep.dat").size(), 4768u);
}

TEST_F(CliCommandsTest, FilesThatCannotBeUsedGiveOneLineAndStatusOne) {
    ASSERT_EQ(RunBinary({"new", dir.File("good.dat")}).status, 0);
    const std::string good = dir.Read("good.dat");

    dir.Write("short.dat", good.substr(0, 1000));
    dir.Write("empty.dat", "");
    std::string lower = good;
    lower.replace(1, 4, "kq57");
    dir.Write("lower.dat", lower);

    for (const std::string name : {"short.dat", "empty.dat", "missing.dat", "lower.dat"}) {
        for (const std::string command : {"show", "dump"}) {
            SCOPED_TRACE(command + " " + name);
            ExpectRefused(RunBinary({command, dir.File(name)}), dir.File(name));
        }
    }
    const Result wrongModel = RunBinary({"dump", dir.File("lower.dat")});
    EXPECT_NE(wrongModel.err.find("Model Type Wrong"), std::string::npos) << wrongModel.err;

    // A data file that cannot be written: no folder to put it in. A read or a table read is
    // refused before the port is opened (the port named here does not exist: its message
    // would come first otherwise).
    const std::string nowhere = dir.File("no-such-folder/radio.dat");
    ExpectRefused(RunBinary({"new", nowhere}), nowhere);
    const QString missingPort = QString::fromStdString(dir.File("no-such-port"));
    ExpectRefused(RunInProcess({"read", "-p", missingPort, "-o", QString::fromStdString(nowhere)}),
                  nowhere);
    ExpectRefused(RunInProcess({"calibration", "read", "-p", missingPort, "-o",
                                QString::fromStdString(nowhere)}),
                  nowhere);
    ExpectRefused(
        RunInProcess({"read", "-p", missingPort, "-o", QString::fromStdString(dir.Path())}),
        dir.Path());
}

TEST_F(CliCommandsTest, HelpAndVersionSucceed) {
    const Result help = RunBinary({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_NE(help.out.find("Usage: zorva-cli"), std::string::npos);
    for (const char* command :
         {"new FILE.dat", "show FILE.dat", "dump FILE.dat", "calibration read", "calibration set"})
        EXPECT_NE(help.out.find(command), std::string::npos) << command;

    const Result version = RunBinary({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(Matches(version.out, "zorva-cli \\d+\\.\\d+\\.\\d+\n")) << version.out;
}

TEST_F(CliCommandsTest, WrongUsageIsStatusTwoWithAHint) {
    const std::vector<QStringList> cases = {
        {},
        {"list", "a.dat"},
        {"show"},
        {"dump", "a.dat", "b.dat"},
        {"--bogus", "show", "a.dat"},
        {"calibration", "-p", "x"},
        {"calibration", "get", "-p", "x"},
        {"calibration", "read", "-p", "x"},
        {"calibration", "read", "-o", "t.bin"},
        {"calibration", "set", "-p", "x", "--range", "40"},
        {"calibration", "set", "-p", "x", "--low", "1"},
        {"calibration", "set", "-p", "x", "--range", "40", "--low", "1", "--high", "2"},
        {"calibration", "set", "-p", "x", "--range", "40", "--high", "256"},
        {"calibration", "set", "-p", "x", "--range", "40", "--high", "-1"},
        {"calibration", "set", "-p", "x", "--range", "40", "--low", "0x10"},
        {"calibration", "set", "-p", "x", "--range", "40", "--low", "12.5"},
        {"calibration", "set", "-p", "x", "--range", "65", "--low", "1"},
        {"calibration", "set", "--range", "40", "--low", "1"},
        {"diff", "a.dat"},
        {"diff", "a.dat", "b.dat", "c.dat"},
        {"dump", "a.dat", "--json"},
        {"read", "-p", "x", "-o", "r.dat", "--verify"}};
    for (const auto& args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Result r = RunInProcess(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Usage: zorva-cli"), std::string::npos) << r.err;
    }
}

TEST_F(CliCommandsTest, DiffNamesEveryDifferingFieldAndExitsOneOnlyThen) {
    auto db = test::MakeStartedDb();
    const auto save = [&](const std::string& name) {
        ASSERT_TRUE(SaveDataFile(db->All, dir.File(name)));
    };
    StampWriteTime(db->All, "2020-01-02 03:04:05");
    InitNewChannel(db->All, 12, "145.5");
    InitNewChannel(db->All, 40, "146");
    save("a.dat");
    save("same.dat");
    StampWriteTime(db->All, "2021-06-07 08:09:10");
    InitNewChannel(db->All, 12, "145.6");
    std::string none;
    SetChannelField(db->All, 40, kFieldRxFreq, none); // deletes the channel
    db->All.Setting(0) = 5;
    save("b.dat");
    const std::string a = dir.File("a.dat"), b = dir.File("b.dat");

    const Result same = RunBinary({"diff", a, dir.File("same.dat")});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out + same.err, "");

    const Result r = RunBinary({"diff", a, b});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = Lines(r.out);
    const std::vector<std::string> expected = {
        "channels[12].RxFreq: 145.50000 -> 145.60000",
        "channels[12].TxFreq: 145.50000 -> 145.60000",
        "settings[0]: 0 -> 5",
        "writeTime: 2020-01-02 03:04:05 -> 2021-06-07 08:09:10",
    };
    for (const std::string& line : expected)
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line << "\n"
                                                                            << r.out;
    // Channel 40, in use in A only: each of its fields against nothing, its number not repeated.
    int channel40 = 0;
    for (const std::string& line : lines) {
        if (line.rfind("channels[40].", 0) != 0) continue;
        ++channel40;
        EXPECT_EQ(line.substr(line.size() - 11), " -> (empty)") << line;
    }
    EXPECT_EQ(channel40, 17);
    EXPECT_NE(r.out.find("channels[40].RxFreq: 146.00000 -> (empty)"), std::string::npos);
    EXPECT_EQ(lines.size(), expected.size() + channel40) << r.out;

    const Result json = RunBinary({"diff", a, b, "--json"});
    EXPECT_EQ(json.status, 1) << json.err;
    QJsonParseError error;
    const QJsonArray entries =
        QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json.out;
    ASSERT_EQ(entries.size(), static_cast<qsizetype>(lines.size()));
    bool sawSetting = false, sawGone = false;
    for (const QJsonValue& entry : entries) {
        const QString path = entry["path"].toString();
        if (path == "settings[0]")
            sawSetting =
                entry["a"].isDouble() && entry["a"].toInt() == 0 && entry["b"].toInt() == 5;
        if (path == "channels[40].Name") sawGone = entry["b"].isNull();
    }
    EXPECT_TRUE(sawSetting && sawGone) << json.out;
    EXPECT_EQ(RunBinary({"diff", a, a, "--json"}).out, "[\n]\n");
}

TEST_F(CliCommandsTest, DiffRefusesAFileItCannotUseWithStatusTwo) {
    ASSERT_EQ(RunBinary({"new", dir.File("good.dat")}).status, 0);
    const std::string good = dir.Read("good.dat");
    dir.Write("short.dat", good.substr(0, 1000));
    std::string lower = good;
    lower.replace(1, 4, "kq57");
    dir.Write("lower.dat", lower);
    for (const std::string name : {"short.dat", "lower.dat", "missing.dat"}) {
        for (const bool first : {true, false}) {
            SCOPED_TRACE(name + (first ? " first" : " second"));
            const std::string bad = dir.File(name), other = dir.File("good.dat");
            const Result r = RunBinary({"diff", first ? bad : other, first ? other : bad});
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.out, "");
            const auto lines = Lines(r.err);
            ASSERT_EQ(lines.size(), 1u) << r.err;
            EXPECT_EQ(lines[0].rfind("zorva-cli: " + bad + ": ", 0), 0u) << lines[0];
        }
    }
}

TEST_F(CliCommandsTest, PrintWritesTheSheetAsPdfInTheChosenLanguage) {
    const std::string data = dir.File("radio.dat");
    ASSERT_EQ(RunBinary({"new", data}).status, 0);
    const std::string pdf = dir.File("sheet.pdf");
    const Result printed = RunBinary({"print", data, "-o", pdf});
    EXPECT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.out + printed.err, "");
    std::string text = test::PdfText(pdf);
    EXPECT_NE(text.find(data), std::string::npos) << text;
    EXPECT_NE(text.find("No channel is in use."), std::string::npos);

    ExpectRefused(RunBinary({"print", data, "-o", pdf}), pdf); // kept without --force
    ExpectRefused(RunBinary({"print", data, "-o", dir.File("no/such/sheet.pdf")}),
                  dir.File("no/such/sheet.pdf"));
    EXPECT_EQ(RunBinary({"print", data, "-o", pdf, "--force", "--language", "Chinese"}).status, 0);
    text = test::PdfText(pdf);
    EXPECT_NE(text.find("\xE4\xBF\xA1\xE9\x81\x93\xE4\xBF\xA1\xE6\x81\xAF"), std::string::npos)
        << text; // the channel table's Chinese title
    EXPECT_EQ(RunBinary({"print", data, "-o", pdf, "-f", "--language", "Klingon"}).status, 1);
    EXPECT_EQ(RunBinary({"print", data}).status, 2);
    EXPECT_EQ(RunBinary({"show", data, "--language", "Chinese"}).status, 2);
}

// A terminal with no display at all, and no platform named: the sheet is still written.
TEST_F(CliCommandsTest, PrintNeedsNoDisplay) {
    const std::string data = dir.File("radio.dat");
    ASSERT_EQ(RunBinary({"new", data}).status, 0);
    const std::string pdf = dir.File("sheet.pdf");
    const Result printed = RunBinary({"print", data, "-o", pdf},
                                     "env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY ");
    EXPECT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.out + printed.err, "");
    EXPECT_NE(test::PdfText(pdf).find("No channel is in use."), std::string::npos);
}

TEST_F(CliCommandsTest, ShowTableKeepsItsColumnsAligned) {
    auto db = test::MakeStartedDb();
    TALL& all = db->All;
    InitNewChannel(all, 1, "145.5");
    InitNewChannel(all, 12, "438.5");
    auto set = [&all](int channel, int field, std::string text) {
        SetChannelField(all, channel, field, text);
    };
    set(12, kFieldTxFreq, ""); // no TX: the shortest cell
    set(12, kFieldRxTone, "D023N");
    set(12, kFieldName, "Relay");
    InitNewChannel(all, 128, "146");

    std::ostringstream out;
    PrintShow(all, out);
    const auto lines = Lines(out.str());
    std::vector<std::string> table;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find("No.") != std::string::npos) table.assign(lines.begin() + i, lines.end());
    ASSERT_EQ(table.size(), 4u) << out.str();

    // Every column starts where its header starts.
    const std::string& header = table[0];
    const auto nameAt = header.find("Name");
    const auto rxAt = header.find("RX MHz");
    EXPECT_EQ(table[1].substr(rxAt, 9), "145.50000");
    EXPECT_EQ(table[2].substr(rxAt, 9), "438.50000");
    EXPECT_EQ(table[2].substr(nameAt), "Relay");
    EXPECT_EQ(table[2].substr(header.find("RX Tone"), 5), "D023N");
    EXPECT_EQ(table[3].substr(0, 3), "128");
    EXPECT_NE(out.str().find("3 in use"), std::string::npos);
}

} // namespace
} // namespace zorva
