#include "csv/ChannelCsv.h"

#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "csv/CsvTable.h"

#include <gtest/gtest.h>
#include <map>

namespace zorva {
namespace {

std::string Fields(const TChannel& c) {
    return std::to_string(c.RxFreq) + "|" + std::to_string(c.TxFreq) + "|" + c.RxTone + "|" +
           c.TxTone + "|" + std::to_string(c.Power) + std::to_string(c.Bandwidth) +
           std::to_string(c.Scan) + std::to_string(c.BusyLock) + std::to_string(c.Vox) +
           std::to_string(c.VoiceMode) + std::to_string(c.Epilogue) + std::to_string(c.PttId) +
           std::to_string(c.Ani) + "|" + c.Name + "|" + c.IdCode;
}

class ChannelCsvTest : public ::testing::Test {
protected:
    static std::unique_ptr<Maindb> MakeDb() {
        auto db = test::MakeStartedDb();
        TALL& all = db->All;
        all.ChannelCount = kMemoryChannels;
        all.BandLow = {136.0, 400.0, 220.0, 0.0};
        all.BandHigh = {174.0, 480.0, 0.0, 0.0}; // the 220 MHz band is off
        return db;
    }

    void Set(int channel, std::map<int, std::string> fields) {
        InitNewChannel(all, channel, fields[kFieldRxFreq]);
        for (auto [field, text] : fields)
            if (field != kFieldRxFreq) SetChannelField(all, channel, field, text);
    }

    // The exported row of channel `channel` by column name.
    std::map<std::string, std::string> Exported(int channel) {
        const CsvReading reading = ReadCsv(ExportChannelsCsv(all, {channel}).text, ',');
        std::map<std::string, std::string> row;
        if (reading.records.size() != 2) return row;
        for (std::size_t i = 0; i < reading.records[0].fields.size(); ++i)
            row[reading.records[0].fields[i]] = reading.records[1].fields.at(i);
        return row;
    }

    // Imports `text` into a fresh image; the decoded channel, or "" when not in use.
    std::string ImportedInto(const std::string& text, int channel, CsvImportPlan* out = nullptr) {
        auto fresh = MakeDb();
        const CsvImportPlan plan = PlanCsvImport(fresh->All, text);
        if (out) *out = plan;
        ApplyCsvImport(fresh->All, plan);
        TChannel c;
        return LoadChannel(fresh->All, channel, c) ? Fields(c) : "";
    }

    std::string Decoded(int channel) {
        TChannel c;
        return LoadChannel(all, channel, c) ? Fields(c) : "";
    }

    std::unique_ptr<Maindb> db = MakeDb();
    TALL& all = db->All;
};

TEST_F(ChannelCsvTest, ToneCombinationsExportInTheLayoutAndComeBack) {
    struct Row {
        const char *tx, *rx, *tone, *rTone, *cTone, *code, *polarity, *rxCode, *cross;
    };
    const Row rows[] = {
        {"", "", "", "88.5", "88.5", "023", "NN", "023", "Tone->Tone"},
        {"100.0", "", "Tone", "100.0", "88.5", "023", "NN", "023", "Tone->Tone"},
        {"100.0", "100.0", "TSQL", "100.0", "100.0", "023", "NN", "023", "Tone->Tone"},
        {"D023N", "D023I", "DTCS", "88.5", "88.5", "023", "NR", "023", "Tone->Tone"},
        {"100.0", "123.0", "Cross", "100.0", "123.0", "023", "NN", "023", "Tone->Tone"},
        {"100.0", "D031N", "Cross", "100.0", "88.5", "023", "NN", "031", "Tone->DTCS"},
        {"D031I", "100.0", "Cross", "88.5", "100.0", "031", "RN", "023", "DTCS->Tone"},
        {"D031N", "", "Cross", "88.5", "88.5", "031", "NN", "023", "DTCS->"},
        {"", "100.0", "Cross", "88.5", "100.0", "023", "NN", "023", "->Tone"},
        {"", "D031I", "Cross", "88.5", "88.5", "023", "NR", "031", "->DTCS"},
        {"D031N", "D032N", "Cross", "88.5", "88.5", "031", "NN", "032", "DTCS->DTCS"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.tx) + " / " + row.rx);
        Set(7, {{kFieldRxFreq, "145.50000"}, {kFieldTxTone, row.tx}, {kFieldRxTone, row.rx}});
        auto cells = Exported(7);
        EXPECT_EQ(cells["Tone"], row.tone);
        EXPECT_EQ(cells["rToneFreq"], row.rTone);
        EXPECT_EQ(cells["cToneFreq"], row.cTone);
        EXPECT_EQ(cells["DtcsCode"], row.code);
        EXPECT_EQ(cells["DtcsPolarity"], row.polarity);
        EXPECT_EQ(cells["RxDtcsCode"], row.rxCode);
        EXPECT_EQ(cells["CrossMode"], row.cross);
        EXPECT_EQ(ImportedInto(ExportChannelsCsv(all).text, 7), Decoded(7));
    }
}

TEST_F(ChannelCsvTest, DuplexAndTheOtherFieldsExportAndComeBack) {
    struct Row {
        const char *tx, *duplex, *offset;
        bool warned; // a TX in no band: exported, but an import refuses it
    };
    const Row rows[] = {
        {"", "off", "0.000000", false},
        {"145.50000", "", "0.000000", false},
        {"146.10000", "+", "0.600000", false},
        {"144.90000", "-", "0.600000", false},
        {"435.00000", "split", "435.000000", false},
        {"500.00000", "split", "500.000000", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tx);
        Set(3, {{kFieldRxFreq, "145.50000"},
                {kFieldTxFreq, row.tx},
                {kFieldPower, "0"},
                {kFieldBandwidth, "0"},
                {kFieldScan, "0"},
                {kFieldBusyLock, "0"},
                {kFieldVox, "0"},
                {kFieldVoiceMode, "2"},
                {kFieldEpilogue, "0"},
                {kFieldPttId, "3"},
                {kFieldAni, "0"},
                {kFieldName, "A, \"B\""},
                {kFieldIdCode, "12345"}});
        auto cells = Exported(3);
        EXPECT_EQ(cells["Duplex"], row.duplex);
        EXPECT_EQ(cells["Offset"], row.offset);
        EXPECT_EQ(cells["Frequency"], "145.500000");
        EXPECT_EQ(cells["Name"], "A, \"B\"");
        const std::string others = cells["Mode"] + cells["Skip"] + cells["Power"] +
                                   cells["BusyLock"] + cells["Vox"] + cells["PttId"] +
                                   cells["Ani"] + cells["IdCode"] + cells["VoiceMode"] +
                                   cells["Epilogue"];
        EXPECT_EQ(others, "NFMLowOnOnBothOn12345ScramblerOff");
        const CsvExport csv = ExportChannelsCsv(all);
        EXPECT_EQ(csv.warnings.size(), row.warned ? 1u : 0u);
        CsvImportPlan plan;
        const std::string imported = ImportedInto(csv.text, 3, &plan);
        EXPECT_EQ(plan.HasErrors(), row.warned);
        if (!row.warned) {
            EXPECT_EQ(imported, Decoded(3));
        }
    }
}

// A valid row with some cells replaced; every column of the layout in the header.
std::string FileWith(std::map<std::string, std::string> cells, const char* location = "5") {
    std::map<std::string, std::string> row{{"Location", location}, {"Frequency", "145.500000"}};
    for (auto& [column, value] : cells)
        row[column] = value;
    std::string header, line;
    for (const std::string& column : CsvColumns()) {
        header += (header.empty() ? "" : ",") + column;
        line += (line.empty() ? "\"" : ",\"") + row[column] + "\"";
    }
    return header + "\r\n" + line + "\r\n";
}

TEST_F(ChannelCsvTest, EachBadValueIsAnErrorNamingLineAndColumnAndNothingIsImported) {
    struct Row {
        std::map<std::string, std::string> cells;
        CsvIssue issue;
        const char* column;
    };
    const Row rows[] = {
        {{{"Location", "0"}}, CsvIssue::BadLocation, "Location"},
        {{{"Location", "129"}}, CsvIssue::BadLocation, "Location"},
        {{{"Frequency", "145,500"}}, CsvIssue::DecimalComma, "Frequency"},
        {{{"Frequency", "abc"}}, CsvIssue::BadNumber, "Frequency"},
        {{{"Frequency", "300.0"}}, CsvIssue::FreqNoBand, "Frequency"},
        {{{"Frequency", "222.0"}}, CsvIssue::FreqNoBand, "Frequency"}, // band off
        {{{"Duplex", "x"}}, CsvIssue::BadDuplex, "Duplex"},
        {{{"Duplex", "split"}, {"Offset", "300"}}, CsvIssue::TxNoBand, "Offset"},
        {{{"Duplex", "+"}, {"Offset", "100"}}, CsvIssue::TxNoBand, "Offset"},
        {{{"Tone", "TSQL-R"}}, CsvIssue::BadToneMode, "Tone"},
        {{{"Tone", "Tone"}, {"rToneFreq", "99.9"}}, CsvIssue::BadTone, "rToneFreq"},
        {{{"Tone", "TSQL"}, {"cToneFreq", "88,5"}}, CsvIssue::DecimalComma, "cToneFreq"},
        {{{"Tone", "DTCS"}, {"DtcsCode", "024"}}, CsvIssue::BadDcs, "DtcsCode"},
        {{{"Tone", "DTCS"}, {"DtcsPolarity", "XN"}}, CsvIssue::BadPolarity, "DtcsPolarity"},
        {{{"Tone", "Cross"}, {"CrossMode", "Tone->X"}}, CsvIssue::BadCrossMode, "CrossMode"},
        {{{"Mode", "AM"}}, CsvIssue::BadMode, "Mode"},
        {{{"Power", "5,0W"}}, CsvIssue::DecimalComma, "Power"},
        {{{"Power", "lots"}}, CsvIssue::BadPower, "Power"},
        {{{"BusyLock", "maybe"}}, CsvIssue::BadOnOff, "BusyLock"},
        {{{"Skip", "X"}}, CsvIssue::BadSkip, "Skip"},
        {{{"PttId", "Often"}}, CsvIssue::BadPttId, "PttId"},
        {{{"VoiceMode", "Loud"}}, CsvIssue::BadVoiceMode, "VoiceMode"},
        {{{"IdCode", "12A"}}, CsvIssue::BadIdCode, "IdCode"},
        {{{"Name", "\xCE\xA9"}}, CsvIssue::BadNameChar, "Name"}, // not a Latin letter
        {{{"Name", "{x}"}}, CsvIssue::BadNameChar, "Name"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(CsvIssueKey(row.issue));
        const CsvImportPlan plan = PlanCsvImport(all, FileWith(row.cells));
        ASSERT_TRUE(plan.HasErrors());
        EXPECT_EQ(plan.problems.front().issue, row.issue);
        EXPECT_EQ(plan.problems.front().line, 2);
        EXPECT_EQ(plan.problems.front().column, row.column);
        const auto before = all.Image;
        EXPECT_FALSE(ApplyCsvImport(all, plan));
        EXPECT_EQ(all.Image, before);
    }
    // A file without the column of the fault names it as the export does.
    const CsvImportPlan noOffset =
        PlanCsvImport(all, "Location,Frequency,Duplex\r\n1,145.5,split\r\n");
    ASSERT_EQ(noOffset.problems.size(), 1u);
    EXPECT_EQ(noOffset.problems[0].issue, CsvIssue::TxNoBand);
    EXPECT_EQ(noOffset.problems[0].column, "Offset");

    const std::string twice = FileWith({}) + FileWith({}).substr(FileWith({}).find("\r\n") + 2);
    const CsvImportPlan plan = PlanCsvImport(all, twice);
    ASSERT_EQ(plan.problems.size(), 1u);
    EXPECT_EQ(ProblemText(plan.problems[0]), "Line 3, Location: channel 5 is given twice");
}

TEST_F(ChannelCsvTest, FilesThatCannotBeReadAreRefusedWholeWithOneMessage) {
    const std::string header = "Location,Frequency\r\n";
    const struct {
        const char* name;
        std::string bytes;
        CsvIssue issue;
        int line;
    } rows[] = {
        {"empty", "", CsvIssue::Empty, 0},
        {"blank lines", "\r\n\n", CsvIssue::Empty, 0},
        {"binary", std::string("\x01\x00\xFF\x7F garbage", 12), CsvIssue::NotText, 0},
        {"not UTF-8", "Location,Frequency\n1,\xE9\n", CsvIssue::NotText, 0},
        {"10 MB", std::string(10 * 1024 * 1024, 'a'), CsvIssue::TooLarge, 0},
        {"open quote", header + "1,\"145.5\r\n2,146\r\n", CsvIssue::BadQuotes, 2},
        {"no frequency", "Location,Name\r\n1,A\r\n", CsvIssue::MissingColumn, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CsvImportPlan plan = PlanCsvImport(all, row.bytes);
        ASSERT_FALSE(plan.problems.empty());
        EXPECT_EQ(plan.problems[0].issue, row.issue);
        EXPECT_EQ(plan.problems[0].line, row.line);
        EXPECT_TRUE(plan.rows.empty());
        EXPECT_FALSE(ProblemText(plan.problems[0]).empty());
    }
}

TEST_F(ChannelCsvTest, ReadingIsTolerantWhereTheMeaningIsClear) {
    TChannel c;
    auto fresh = MakeDb();
    const auto decoded = [&](int channel) {
        return LoadChannel(fresh->All, channel, c) ? Fields(c) : std::string();
    };
    InitNewChannel(fresh->All, 1, "145.50000");
    const std::string defaults = decoded(1);
    // Byte order mark, LF line ends, columns in another order and case, an unknown column,
    // a comment over two lines and a name with a comma and quotes; watts for the power.
    const std::string file = "\xEF\xBB\xBF"
                             "comment,FREQUENCY,extra,location,name,power\n"
                             "\"two\nlines\",145.5,x,2,\"a,\"\"b\"\"\",1.0W\n"
                             "\n"
                             ",145.5031,,3,ABCDEFGHIJ,5\n";
    const CsvImportPlan plan = PlanCsvImport(fresh->All, file);
    ASSERT_FALSE(plan.HasErrors());
    ASSERT_EQ(plan.problems.size(), 2u);
    EXPECT_EQ(ProblemText(plan.problems[0]),
              "Line 5, FREQUENCY: put on the channel raster as 145.503000 (warning)");
    EXPECT_EQ(ProblemText(plan.problems[1]),
              "Line 5, name: cut to seven characters as \"ABCDEFG\" (warning)");
    EXPECT_EQ(plan.set, 2);
    EXPECT_EQ(plan.kept, 1);
    ASSERT_TRUE(ApplyCsvImport(fresh->All, plan));
    ASSERT_TRUE(LoadChannel(fresh->All, 2, c));
    EXPECT_EQ(c.Name, "a,\"b\"");
    EXPECT_EQ(c.Power, 0);
    ASSERT_TRUE(LoadChannel(fresh->All, 3, c));
    EXPECT_EQ(c.RxFreq, 145.503);
    EXPECT_EQ(c.Name, "ABCDEFG");
    EXPECT_EQ(c.Power, 1);
    // Columns a file lacks give the defaults of a channel new in the table.
    const std::string bare = ImportedInto("Location,Frequency\r\n1,145.5\r\n", 1);
    EXPECT_EQ(bare, defaults);
}

TEST_F(ChannelCsvTest, ReplaceAllAndPastesOfRowsWithoutHeader) {
    Set(1, {{kFieldRxFreq, "145.50000"}});
    Set(2, {{kFieldRxFreq, "146.50000"}});
    CsvImportOptions replace;
    replace.replaceAll = true;
    CsvImportPlan plan = PlanCsvImport(all, "Location,Frequency\r\n", replace);
    EXPECT_EQ(plan.emptied, 2);
    ASSERT_TRUE(ApplyCsvImport(all, plan));
    EXPECT_EQ(Decoded(1) + Decoded(2), "");

    // Tab-separated rows as a spreadsheet copies them: the export's columns, to 127 and on.
    CsvImportOptions paste;
    paste.firstChannel = 127;
    paste.headerOptional = true;
    const std::string rows = "9\tX\t145.5\r\n9\tY\t146.5\r\n";
    plan = PlanCsvImport(all, rows, paste);
    ASSERT_FALSE(plan.HasErrors());
    ASSERT_TRUE(ApplyCsvImport(all, plan));
    TChannel c;
    ASSERT_TRUE(LoadChannel(all, 128, c));
    EXPECT_EQ(c.Name, "Y");
    plan = PlanCsvImport(all, rows + "1\tZ\t147\r\n", paste);
    ASSERT_TRUE(plan.HasErrors());
    EXPECT_EQ(ProblemText(plan.problems[0]), "Line 3: the row runs past the last channel (128)");
}

} // namespace
} // namespace zorva
