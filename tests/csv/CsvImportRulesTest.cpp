// Channel lists as other programs and spreadsheets write them: each row a minimal file and what
// importing it gives.
#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "csv/ChannelCsv.h"
#include "csv/CsvTable.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

std::unique_ptr<Maindb> MakeDb() {
    auto db = test::MakeStartedDb();
    db->All.ChannelCount = kMemoryChannels;
    db->All.BandLow = {136.0, 400.0, 0.0, 0.0};
    db->All.BandHigh = {174.0, 480.0, 0.0, 0.0};
    return db;
}

CsvImportOptions Skip(int first = 0) {
    CsvImportOptions options;
    options.skipBadRows = true;
    options.firstChannel = first;
    return options;
}

CsvImportOptions Renumber(int first) {
    CsvImportOptions options;
    options.firstChannel = first;
    return options;
}

// "channel:name:rx:tx:idcode:wide" for each channel in use after the import, then "|" and the
// problems as "Issue@line"; "refused|..." when nothing can be applied.
std::string Outcome(const std::string& file, const CsvImportOptions& options = {}) {
    auto db = MakeDb();
    const CsvImportPlan plan = PlanCsvImport(db->All, file, options);
    std::string text = plan.HasErrors() ? "refused" : "";
    if (ApplyCsvImport(db->All, plan)) {
        TChannel c;
        for (int n = 1; n <= kMemoryChannels; ++n) {
            if (!LoadChannel(db->All, n, c)) continue;
            if (!text.empty()) text += " ";
            text += std::to_string(n) + ":" + c.Name + ":" + FormatFreq(c.RxFreq) + ":" +
                    (c.TxFreq == kNoFreq ? "-" : FormatFreq(c.TxFreq)) + ":" + c.IdCode + ":" +
                    std::to_string(c.Bandwidth);
        }
    }
    text += "|";
    for (const CsvProblem& problem : plan.problems)
        text += std::string(" ") + CsvIssueKey(problem.issue) + "@" + std::to_string(problem.line);
    return text;
}

const std::string kHead = "Location,Name,Frequency\r\n";

TEST(CsvImportRulesTest, EachMinimalFileGivesWhatItMust) {
    const struct {
        const char* rule;
        std::string file;
        CsvImportOptions options;
        const char* outcome;
    } rows[] = {
        // Rows the radio cannot take: refused, or left out and counted, the others imported.
        {"an error refuses the file",
         kHead + "1,A,27.185\r\n2,B,145.5\r\n",
         {},
         "refused| FreqNoBand@2"},
        {"skipped", kHead + "1,A,27.185\r\n2,B,145.5\r\n", Skip(),
         "2:B:145.50000:145.50000:000:1| FreqNoBand@2"},
        {"skipped mode", "Location,Frequency,Mode\r\n1,145.5,AM\r\n", Skip(), "| BadMode@2"},
        {"skipped tone mode", "Location,Frequency,Tone\r\n1,145.5,DTCS-R\r\n", Skip(),
         "| BadToneMode@2"},
        {"warnings of a skipped row go", kHead + "1,ABCDEFGHIJ,27.185\r\n", Skip(),
         "| FreqNoBand@2"},
        {"a Location only an imported row takes", kHead + "1,A,999\r\n1,B,145.5\r\n", Skip(),
         "1:B:145.50000:145.50000:000:1| FreqNoBand@2"},
        {"the second of a Location skipped", kHead + "1,A,145.5\r\n1,B,146.5\r\n", Skip(),
         "1:A:145.50000:145.50000:000:1| LocationTwice@3"},
        {"Location 0 skipped", kHead + "0,A,145.5\r\n", Skip(), "| BadLocation@2"},
        {"a file without Frequency refused even so", "Location,Name\r\n1,A\r\n", Skip(),
         "refused| MissingColumn@1"},
        {"an open quote refused even so", kHead + "1,\"A,145.5\r\n", Skip(),
         "refused| BadQuotes@2"},
        // In file order from a channel, whatever the Location.
        {"renumbered", kHead + "0,A,145.5\r\n0,B,146.5\r\n9,C,147\r\n", Renumber(5),
         "5:A:145.50000:145.50000:000:1 6:B:146.50000:146.50000:000:1 "
         "7:C:147.00000:147.00000:000:1|"},
        {"past the last channel", kHead + "1,A,145.5\r\n2,B,146.5\r\n", Renumber(128),
         "refused| NoRoom@3"},
        {"past the last channel skipped", kHead + "1,A,145.5\r\n2,B,146.5\r\n", Skip(128),
         "128:A:145.50000:145.50000:000:1| NoRoom@3"},
        {"a skipped row takes no channel", kHead + "1,A,999\r\n2,B,146.5\r\n", Skip(3),
         "3:B:146.50000:146.50000:000:1| FreqNoBand@2"},
        // Rows as files have them.
        {"a trailing separator", kHead + "1,A,145.5,\r\n", {}, "1:A:145.50000:145.50000:000:1|"},
        {"a field more",
         kHead + "1,A,145.5,x\r\n",
         {},
         "1:A:145.50000:145.50000:000:1| ExtraFields@2"},
        {"fields fewer",
         "Location,Frequency,Name,Mode\r\n1,145.5\r\n",
         {},
         "1::145.50000:145.50000:000:1|"},
        {"a separator row", kHead + ",,\r\n  , ,\r\n2,B,145.5\r\n", Renumber(1),
         "1:B:145.50000:145.50000:000:1|"},
        // Separators, and decimal commas where the comma separates nothing.
        {"semicolons",
         "Location;Frequency;Duplex;Offset\r\n1;145,5;+;0,6\r\n",
         {},
         "1::145.50000:146.10000:000:1|"},
        {"tabs",
         "Location\tFrequency\tName\r\n1\t145,5\tA,B\r\n",
         {},
         "1:A,B:145.50000:145.50000:000:1|"},
        {"a decimal comma between commas",
         "Location,Frequency\r\n1,\"145,5\"\r\n",
         {},
         "refused| DecimalComma@2"},
        {"no header", "Channel;Freq\r\n1;145,5\r\n", {}, "refused| NoHeader@1"},
        // Values as spreadsheets leave them.
        {"a name's leading blanks",
         kHead + "1,  AB,145.5\r\n2,\" CD \",146.5\r\n",
         {},
         "1:  AB:145.50000:145.50000:000:1 2: CD:146.50000:146.50000:000:1|"},
        {"other cells trimmed", kHead + " 1 ,A, 145.5 \r\n", {}, "1:A:145.50000:145.50000:000:1|"},
        {"an ID code without its zeros",
         "Location,Frequency,IdCode\r\n1,145.5,7\r\n2,145.5,12\r\n3,145.5,1234\r\n",
         {},
         "1::145.50000:145.50000:007:1 2::145.50000:145.50000:012:1 3::145.50000:145.50000:1234:1| "
         "IdCodePadded@2 IdCodePadded@3"},
        {"mode Auto",
         "Location,Frequency,Mode\r\n1,145.5,auto\r\n",
         {},
         "1::145.50000:145.50000:000:1| ModeAuto@2"},
        {"accents",
         kHead + "1,Caf\xC3\xA9 \xC5\x81\xC3\xB3,145.5\r\n",
         {},
         "1:Cafe Lo:145.50000:145.50000:000:1| NameAccents@2"},
        {"other letters", kHead + "1,\xCE\xA9mega,145.5\r\n", {}, "refused| BadNameChar@2"},
        {"only the kept characters checked",
         kHead + "1,ABCDEFG{},145.5\r\n",
         {},
         "1:ABCDEFG:145.50000:145.50000:000:1| NameCut@2"},
        {"errors first",
         kHead + "1,ABCDEFGHI,145.5\r\n2,B,999\r\n",
         {},
         "refused| FreqNoBand@3 NameCut@2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        EXPECT_EQ(Outcome(row.file, row.options), row.outcome);
    }
}

TEST(CsvImportRulesTest, ProblemsAreCountedByKindAndSkippedRowsByReason) {
    auto db = MakeDb();
    const std::string file = "Location,Name,Frequency,Mode\r\n0,A,145.5,FM\r\n2,B,27.185,FM\r\n"
                             "3,C,1296,FM\r\n4,LONGNAME,145.5,AM\r\n5,E,145.5,FM\r\n";
    const CsvImportPlan plan = PlanCsvImport(db->All, file, Skip());
    EXPECT_EQ(ProblemText(plan.problems[0]),
              "Line 2, Location: \"0\" is not a channel number of the radio (1 to 128)");
    EXPECT_EQ(ProblemCounts(plan.problems),
              "Errors: 4 (2 outside the radio's bands, 1 Location not a channel, 1 mode AM)");
    EXPECT_EQ(SkippedText(plan),
              "Skipped 4 rows: 2 outside the radio's bands, 1 Location not a channel, 1 mode AM");
    EXPECT_EQ(plan.set, 1);

    const CsvImportPlan kept = PlanCsvImport(db->All, kHead + "1,LONGNAME,145.5\r\n");
    EXPECT_EQ(ProblemCounts(kept.problems), "Warnings: 1 (1 name cut to 7 characters)");
    EXPECT_EQ(SkippedText(kept), "");
    // The counts tell what applying changes: nothing while the file is refused.
    InitNewChannel(db->All, 2, "145.5");
    const CsvImportPlan refused = PlanCsvImport(db->All, file);
    EXPECT_EQ(refused.set + refused.replaced + refused.emptied, 0);
    EXPECT_EQ(refused.kept, 1);
}

// The export as a spreadsheet in a language with decimal commas saves it again: semicolons,
// numbers with commas, codes without their leading zeros, a name's blanks unquoted.
std::string AsSpreadsheetSaves(const std::string& exported) {
    const CsvReading reading = ReadCsv(exported, ',');
    const auto& names = reading.records.at(0).fields;
    std::string out;
    for (const CsvRecord& record : reading.records) {
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            std::string field = record.fields[i];
            const std::string& column = names[i];
            if (&record != &reading.records[0]) {
                if (column == "IdCode" || column == "DtcsCode" || column == "RxDtcsCode")
                    field.erase(0, std::min(field.find_first_not_of('0'), field.size() - 1));
                if (field.find('.') != std::string::npos && column != "Name")
                    field[field.find('.')] = ',';
            }
            out += (i ? ";" : "") + field;
        }
        out += "\n";
    }
    return out;
}

TEST(CsvImportRulesTest, ASpreadsheetsSavingOfTheExportComesBackTheSame) {
    auto db = MakeDb();
    TALL& all = db->All;
    const struct {
        int channel;
        const char *rx, *tx, *name, *idCode, *txTone, *rxTone;
    } channels[] = {{1, "145.50000", "146.10000", "  RPT", "007", "D023N", "D023N"},
                    {2, "438.02500", "430.42500", " UHF ", "012", "88.5", "D047I"},
                    {3, "146.52000", "", "ABCDEFG", "123456", "", "100.0"}};
    for (const auto& c : channels) {
        InitNewChannel(all, c.channel, c.rx);
        for (auto [field, value] : {std::pair{kFieldTxFreq, c.tx},
                                    {kFieldName, c.name},
                                    {kFieldIdCode, c.idCode},
                                    {kFieldTxTone, c.txTone},
                                    {kFieldRxTone, c.rxTone}}) {
            std::string text = value;
            SetChannelField(all, c.channel, field, text);
        }
    }
    const std::string exported = ExportChannelsCsv(all).text;
    EXPECT_NE(exported.find(",\"  RPT\","), std::string::npos);
    const std::string saved = AsSpreadsheetSaves(exported);
    ASSERT_NE(saved.find(";  RPT;145,500000;"), std::string::npos);

    auto again = MakeDb();
    const CsvImportPlan plan = PlanCsvImport(again->All, saved);
    ASSERT_FALSE(plan.HasErrors()) << ProblemText(plan.problems.at(0));
    ASSERT_TRUE(ApplyCsvImport(again->All, plan));
    EXPECT_EQ(ExportChannelsCsv(again->All).text, exported);
}

} // namespace
} // namespace zorva
