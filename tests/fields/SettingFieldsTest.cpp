// The catalogue of the settings the windows show: its keys against the shipped language
// files, and the values it reads from images.
#include "fields/SettingFields.h"

#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/DtmfCodes.h"
#include "codec/OptionCodes.h"
#include "core/TAll.h"
#include "settings/FormTexts.h"
#include "settings/IniFile.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace zorva {
namespace {

const std::string kLangDir = ZORVA_LANG_DIR "/";

std::string Trimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// Every row, title and part is worded by both shipped files, and the English file says
// what the catalogue's own English says (else English users would read two texts).
TEST(SettingFieldsTest, EveryCaptionIsInBothLanguageFilesAndTheEnglishOneMatches) {
    IniFile english, chinese;
    ASSERT_TRUE(english.Load(kLangDir + "English.Ini"));
    ASSERT_TRUE(chinese.Load(kLangDir + "Chinese.Ini"));
    ASSERT_FALSE(SettingSections().empty());
    for (const SettingSection& section : SettingSections()) {
        SCOPED_TRACE(section.form);
        EXPECT_FALSE(section.rows.empty());
        std::vector<std::pair<std::string, std::string>> captions{{section.form, section.title}};
        if (section.part) captions.emplace_back(section.part, section.partCaption);
        for (const SettingRow& row : section.rows)
            captions.emplace_back(row.name, row.caption);
        for (const auto& [name, caption] : captions) {
            const std::string key = name + ".Caption";
            ASSERT_TRUE(english.HasKey(section.form, key)) << key;
            EXPECT_TRUE(chinese.HasKey(section.form, key)) << key;
            EXPECT_EQ(english.Read(section.form, key, ""), Trimmed(caption)) << key;
        }
    }
}

// The value of row `name` of window `form` (its first part).
std::string Value(const TALL& all, const char* form, const char* name) {
    const SettingSection* section = FindSettingSection(form);
    if (!section) return "no section " + std::string(form);
    const FormTexts texts(all, form);
    for (const SettingRow& row : section->rows)
        if (std::string(row.name) == name) {
            if (row.shown && !row.shown(all)) return "(hidden)";
            return row.value(all, texts);
        }
    return "no row " + std::string(name);
}

TEST(SettingFieldsTest, ValuesReadAsTheWindowsShowThem) {
    struct Case {
        const char* name;
        const char* language; // empty: the built-in texts
        std::function<void(TALL&)> change;
        const char* form;
        const char* row;
        std::string expected;
    };
    const auto setting = [](SettingField field, int code) {
        return [field, code](TALL& all) { WriteField(all, field, code); };
    };
    const auto none = [](TALL&) {};
    const std::vector<Case> cases = {
        {"list item", "", setting(kBeep, 1), "fOptFun", "cl08", "On"},
        {"code without item", "", setting(kOpenShow, 3), "fOptFun", "cl00", ""},
        {"number list", "", setting(kTxTimeOut, 4), "fOptFun", "cl15", "120"},
        {"coded list", "", setting(kDtmfStarTone, 1), "fDtmfFun", "lEfSv", "500"},
        {"check box", "", setting(kCrossBandSetting, 1), "fOptFun", "cxRelaySet", kTickedBox},
        {"inverted check", "", setting(kFmInhibit, 1), "fFmFun", "cxFmDw", kEmptyBox},
        {"manual frequency", "", [](TALL& all) { WriteManualFreq(all, false); }, "fOptFun", "cl17",
         "No"},
        {"priority channel", "", setting(kPriorityChannel, 17), "fScanFun", "lx04", "17"},
        {"priority beyond the channels", "", setting(kPriorityChannel, 200), "fScanFun", "lx04",
         ""},
        {"power-on text, Latin-1", "",
         [](TALL& all) {
             WritePowerOnText(all, "AB");
             all.Image[kSettingsBase + 18] = 100; // decodes to character 132
         },
         "fOptFun", "cl01", "AB\xC2\x84"},
        {"DTMF code", "", [](TALL& all) { StoreDtmfCode(all, DtmfCode::Begin, "12A#"); },
         "fDtmfFun", "lEntv", "12A#"},
        {"decode page hidden", "", [](TALL& all) { all.DtmfDecodeVisible = false; }, "fDtmfFun",
         "lIdSv", "(hidden)"},
        {"VFO step keeps its blanks", "", setting(kVfoStep, 3), "fFreqEdit", "lStep", "  6.25"},
        {"VFO tone", "",
         [](TALL& all) {
             std::string tone = "88.5";
             SetChannelField(all, kVfoDown, kFieldRxTone, tone);
         },
         "fFreqEdit", "lRxDcts", "88.5"},
        {"worded item", "Chinese", setting(kBeep, 1), "fOptFun", "cl08", "\xE5\xBC\x80"},
        {"no tone, worded", "Chinese", none, "fFreqEdit", "lTxDcts", "\xE6\x97\xA0"},
        {"first item worded", "Chinese", setting(kTxTimeOut, 0), "fOptFun", "cl15", "\xE5\x85\xB3"},
        {"numbers not worded", "Chinese", setting(kTxTimeOut, 4), "fOptFun", "cl15", "120"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto db = test::MakeStartedDb();
        TALL& all = db->All;
        if (*c.language) {
            all.ExeDir = kLangDir;
            all.LanguageName = c.language;
            all.LanguageId = 1;
        }
        c.change(all);
        EXPECT_EQ(Value(all, c.form, c.row), c.expected);
    }
}

} // namespace
} // namespace zorva
