// The field catalogue: what each field takes, its lists and the cell texts it makes.
#include "fields/ChannelColumns.h"

#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/FieldRules.h"
#include "core/TAll.h"
#include "core/TChannel.h"
#include "settings/FormTexts.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

TEST(FieldRulesTest, EachKindOfFieldTakesItsCharactersOnlyAndAsciiDigitsOnly) {
    struct Row {
        CharSet set;
        char32_t typed;
        char32_t taken; // 0: refused
    };
    const std::vector<Row> rows = {
        {CharSet::Frequency, U'7', U'7'},   {CharSet::Frequency, U',', U'.'},
        {CharSet::Frequency, U'.', U'.'},   {CharSet::Frequency, U'-', 0},
        {CharSet::Frequency, U'\u0663', 0}, // an Arabic-Indic three
        {CharSet::Digits, U'0', U'0'},      {CharSet::Digits, U'.', 0},
        {CharSet::Digits, U'\uFF15', 0}, // a full-width five
        {CharSet::Name, U' ', U' '},        {CharSet::Name, U'z', U'z'},
        {CharSet::Name, U'{', 0},           {CharSet::Name, U'\u00e9', 0},
        {CharSet::Tone, U'd', U'd'},        {CharSet::Tone, U'N', U'N'},
        {CharSet::Tone, U'x', 0},           {CharSet::Tone, U'\u0663', 0},
        {CharSet::Dtmf, U'b', U'B'},        {CharSet::Dtmf, U'#', U'#'},
        {CharSet::Dtmf, U'E', 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(AcceptedChar(row.set, row.typed), row.taken)
            << static_cast<int>(row.set) << " " << static_cast<uint32_t>(row.typed);
}

TEST(ChannelColumnsTest, ColumnsListsAndLengthsAreTheRecordsOwn) {
    const auto columns = ChannelColumns();
    ASSERT_EQ(columns.size(), 14u);
    EXPECT_EQ(FindChannelColumn(kFieldName)->maxLength, 7);
    EXPECT_EQ(FindChannelColumn(kFieldIdCode)->maxLength, 6);
    EXPECT_EQ(FindChannelColumn(kFieldOffset), nullptr);
    const auto texts = [](int field) {
        const auto items = ChoiceTexts(field);
        return std::vector<std::string>(items.begin(), items.end());
    };
    EXPECT_EQ(texts(kFieldPttId), (std::vector<std::string>{"Off", "BOT", "EOT", "Both"}));
    EXPECT_EQ(texts(kFieldVoiceMode),
              (std::vector<std::string>{"Off", "Compander", "Scrambler", "Both"}));

    // Every value a list offers is stored as that value and shown as that item.
    TALL all;
    InitNewChannel(all, 3, "145.50000");
    const ChannelWording english = ChannelColumnWording(FormTexts(all, kChannelTableSection));
    for (std::size_t column = 0; column < columns.size(); ++column) {
        if (columns[column].kind != ColumnKind::Choice) continue;
        const int field = columns[column].field;
        for (std::size_t value = 0; value < ChoiceTexts(field).size(); ++value) {
            std::string text = std::to_string(value);
            SetChannelField(all, 3, field, text);
            TChannel c;
            ASSERT_TRUE(LoadChannel(all, 3, c));
            EXPECT_EQ(ChoiceValue(c, field), static_cast<int>(value)) << field;
            EXPECT_EQ(ChannelCellText(c, column, english), ChoiceTexts(field)[value]) << field;
        }
    }
}

TEST(ChannelColumnsTest, TheLanguageFileWordsCaptionsWidthsAndItems) {
    test::TempDir dir;
    dir.Write("Other.Ini", "[fChsInfo]\nColShow.1=050@Nr.\nColShow.2=0x0@Empfang\n"
                           "ColShow.9=090@Leistung|TX\ncxPwrv.1=Hoch\ncxDcts.0=Kein\n");
    TALL all;
    all.ExeDir = dir.Path();
    all.LanguageName = "Other";
    const struct {
        int languageId;
        std::string number, rx, power, high, noTone;
        int rxWidth, powerWidth;
    } rows[] = {
        {0, "No.", "RX Frequency", "TX Power", "High", "None", 80, 65},
        {1, "Nr.", "Empfang", "Leistung|TX", "Hoch", "Kein", 80, 90},
    };
    for (const auto& row : rows) {
        all.LanguageId = row.languageId;
        const ChannelWording w = ChannelColumnWording(FormTexts(all, kChannelTableSection));
        EXPECT_EQ(w.numberCaption, row.number);
        EXPECT_EQ(w.columns[0].caption, row.rx);
        EXPECT_EQ(w.columns[0].width, row.rxWidth); // a width that is no number keeps 80
        EXPECT_EQ(w.columns[4].caption, row.power);
        EXPECT_EQ(w.columns[4].width, row.powerWidth);
        EXPECT_EQ(w.columns[4].items, (std::vector<std::string>{"Low", row.high}));
        EXPECT_EQ(w.noTone, row.noTone);
    }
}

} // namespace
} // namespace zorva
