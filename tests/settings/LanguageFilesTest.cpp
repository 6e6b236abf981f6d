// The shipped language and settings files against the program's built-in texts.
#include "TestSupport.h"
#include "core/Maindb.h"
#include "core/SafeFile.h"
#include "document/RadioDocument.h"
#include "editors/channels/BatchEdit.h"
#include "editors/channels/ChsEdit.h"
#include "editors/channels/ChsInfo.h"
#include "editors/channels/ColumnChoice.h"
#include "editors/channels/CsvTexts.h"
#include "editors/channels/FreqEdit.h"
#include "editors/channels/ImportCsv.h"
#include "editors/channels/ToneOption.h"
#include "editors/functions/DtmfFun.h"
#include "editors/functions/FmFun.h"
#include "editors/functions/InfoMsg.h"
#include "editors/functions/Model.h"
#include "editors/functions/OptFun.h"
#include "editors/functions/ScanFun.h"
#include "editors/functions/VoxFun.h"
#include "fields/ChannelColumns.h"
#include "link/ui/ReadRadio.h"
#include "link/ui/SetPort.h"
#include "link/ui/TestFrm.h"
#include "link/ui/VerifyRadio.h"
#include "link/ui/WriteRadio.h"
#include "print/PrintTexts.h"
#include "settings/Language.h"
#include "settings/Settings.h"
#include "settings/ShownTexts.h"
#include "settings/TextEncoding.h"
#include "settings/ui/FrmAbout.h"
#include "settings/ui/SetLanguage.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"
#include "shell/ui/FrmHelp.h"
#include "shell/ui/MainFrm.h"

#include <QAbstractButton>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace zorva {
namespace {

using test::FormTexts;
using test::TempDir;

const std::string kLangDir = ZORVA_LANG_DIR "/";

std::string ShippedFile(const std::string& name) {
    std::string content;
    EXPECT_TRUE(ReadFileContents(kLangDir + name, content)) << name;
    return content;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Section name → its keys and values in file order.
using Sections = std::map<std::string, std::vector<std::pair<std::string, std::string>>>;

Sections ParseSections(const std::string& content) {
    Sections sections;
    std::string section;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        const std::string line = Trimmed(content.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            EXPECT_EQ(sections.count(section), 0u) << "section twice: " << section;
            sections[section];
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        sections[section].emplace_back(Trimmed(line.substr(0, equals)),
                                       Trimmed(line.substr(equals + 1)));
    }
    return sections;
}

TEST(LanguageFilesTest, EnglishHoldsEveryMessageWithItsBuiltInText) {
    const Sections english = ParseSections(ShippedFile("English.Ini"));
    ASSERT_EQ(english.count("Language"), 1u);
    std::map<std::string, std::string> shipped(english.at("Language").begin(),
                                               english.at("Language").end());
    TLanguage loaded;
    LoadLanguage(loaded, kLangDir + "English.Ini");
    const TLanguage builtIn;
    for (const LanguageKey& text : LanguageKeys()) {
        ASSERT_EQ(shipped.count(text.key), 1u) << text.key;
        EXPECT_EQ(loaded.*text.field, builtIn.*text.field) << text.key;
    }
    EXPECT_EQ(shipped.size(), LanguageKeys().size());
}

TEST(LanguageFilesTest, ChineseTranslatesEveryKeyOfTheEnglishFile) {
    const std::string content = ShippedFile("Chinese.Ini");
    ASSERT_TRUE(IsValidUtf8(content));
    const Sections english = ParseSections(ShippedFile("English.Ini"));
    const Sections chinese = ParseSections(content);

    std::vector<std::string> englishSections, chineseSections;
    for (const auto& [name, keys] : english)
        englishSections.push_back(name);
    for (const auto& [name, keys] : chinese)
        chineseSections.push_back(name);
    ASSERT_EQ(chineseSections, englishSections);

    for (const auto& [section, englishKeys] : english) {
        const auto& chineseKeys = chinese.at(section);
        ASSERT_EQ(chineseKeys.size(), englishKeys.size()) << section;
        for (std::size_t i = 0; i < englishKeys.size(); ++i) {
            const auto& [key, text] = englishKeys[i];
            const auto& [chineseKey, translation] = chineseKeys[i];
            const std::string where = section + "/" + key;
            ASSERT_EQ(chineseKey, key) << where;
            EXPECT_EQ(translation.empty(), text.empty()) << where;
            // Place holders and short-cut marks must survive the translation.
            EXPECT_EQ(translation.find("%1") != std::string::npos,
                      text.find("%1") != std::string::npos)
                << where;
            if (text.find('&') != std::string::npos) {
                EXPECT_NE(translation.find('&'), std::string::npos) << where;
            }
            if (section == "Language") {
                EXPECT_NE(translation, text) << where;
            }
        }
    }
}

TEST(LanguageFilesTest, ShippedSettingsOfferBothLanguages) {
    TempDir dir;
    dir.Write("SysInfo.Ini", ShippedFile("SysInfo.Ini"));
    TALL all;
    all.LanguageSelectable = true;
    ReadSettings(all, dir.File("SysInfo.Ini"));
    EXPECT_EQ(all.PortName, "COM1");
    EXPECT_EQ(all.LanguageId, 0);
    EXPECT_EQ(all.LanguageName, "English");

    all.LanguageName = "Chinese";
    std::vector<std::string> displayNames, names;
    ReadLanguageLists(all, dir.File("SysInfo.Ini"), displayNames, names);
    EXPECT_EQ(displayNames, (std::vector<std::string>{"英文", "中文"}));
    ASSERT_EQ(names, (std::vector<std::string>{"English", "Chinese"}));
    for (const std::string& name : names) {
        std::string content;
        EXPECT_TRUE(ReadFileContents(kLangDir + name + ".Ini", content)) << name;
    }
}

// A key names a control of its window (or the window itself): a misspelt name would be a
// text no window ever shows.
TEST(LanguageFilesTest, EveryWindowKeyNamesAControlOfThatWindow) {
    TempDir dir;
    DataModuleCreate(TheMaindb(), dir.Path());
    RadioDocument document(All(), MacList());
    std::map<std::string, std::unique_ptr<QWidget>> windows;
    windows["fMainFrm"] = std::make_unique<TfMainFrm>();
    windows["fSetPort"] = std::make_unique<TfSetPort>();
    windows["fReadRadio"] = std::make_unique<TfReadRadio>(All());
    windows["fWriteRadio"] = std::make_unique<TfWriteRadio>(All());
    windows["fVerifyRadio"] = std::make_unique<TfVerifyRadio>(All());
    windows["fSetLanguage"] = std::make_unique<TfSetLanguage>();
    windows["fFrmAbout"] = std::make_unique<TfFrmAbout>();
    windows["fChsInfo"] = std::make_unique<TfChsInfo>(document);
    windows["fColumns"] = std::make_unique<TfColumns>(All());
    windows["fChsEdit"] = std::make_unique<TfChsEdit>(document);
    windows["fToneOption"] = std::make_unique<TfToneOption>();
    windows["fFreqEdit"] = std::make_unique<TfFreqEdit>(document);
    windows["fBatch"] = std::make_unique<TfBatch>(document);
    windows["fDtmfFun"] = std::make_unique<TfDtmfFun>(document);
    windows["fFmFun"] = std::make_unique<TfFmFun>(document);
    windows["fInfoMsg"] = std::make_unique<TfInfoMsg>(document);
    windows["fModel"] = std::make_unique<TfModel>(All());
    windows["fTestFrm"] = std::make_unique<TfTestFrm>(All());
    windows["fOptFun"] = std::make_unique<TfOptFun>(document);
    windows["fVoxFun"] = std::make_unique<TfVoxFun>(document);
    windows["fScanFun"] = std::make_unique<TfScanFun>(document);
    windows["fHelp"] = std::make_unique<TfHelp>();
    windows["fImportCsv"] = std::make_unique<TfImportCsv>(All(), std::string(), QString());
    windows["fCsvTexts"] = std::make_unique<TfCsvTexts>();

    // Sections read without any window: their keys are those the program reads.
    std::map<std::string, std::set<std::string>> readAlone;
    for (const PrintText& text : PrintTexts())
        readAlone[kPrintSection].insert(std::string(text.name) + ".Caption");

    for (const auto& [section, keys] : ParseSections(ShippedFile("English.Ini"))) {
        if (section == "Language") continue;
        if (const auto alone = readAlone.find(section); alone != readAlone.end()) {
            std::set<std::string> shipped;
            for (const auto& [key, text] : keys)
                shipped.insert(key);
            EXPECT_EQ(shipped, alone->second) << section;
            readAlone.erase(alone);
            continue;
        }
        ASSERT_EQ(windows.count(section), 1u) << section;
        QWidget& window = *windows.at(section);
        EXPECT_EQ(window.objectName().toStdString(), section);
        std::set<std::string> captions;
        for (const auto& [key, text] : keys) {
            const QString name = QString::fromStdString(key.substr(0, key.find('.')));
            // The channel table's column captions are read by the column catalogue.
            const bool catalogue = section == kChannelTableSection && name == "ColShow";
            EXPECT_TRUE(name == window.objectName() || window.findChild<QObject*>(name) ||
                        catalogue)
                << section << "/" << key;
            captions.insert(key);
        }
        // And the other way round: every button that shows a word can be given another (the
        // port and language choices show names, which stay).
        for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
            const std::string name = button->objectName().toStdString();
            if (name.empty() || button->text().isEmpty() || button->property("tag").toInt() < 0 ||
                name.starts_with("cxPort") || name.starts_with("cxLang"))
                continue;
            EXPECT_EQ(captions.count(name + ".Caption"), 1u) << section << "/" << name;
        }
    }
    for (const auto& [section, names] : readAlone)
        ADD_FAILURE() << "no section " << section;
}

// What each window shows right after it opened.
std::vector<std::vector<std::string>> ShownTexts() {
    std::vector<std::vector<std::string>> shown;
    const auto look = [&](QWidget& window) {
        window.show();
        shown.push_back(FormTexts(window, true));
        window.hide();
    };
    ScriptedMessages messages; // the transfer windows find no port
    TfSetPort port(nullptr, [] { return std::vector<ListedPort>{}; });
    look(port);
    TfReadRadio read(All());
    look(read);
    TfWriteRadio write(All());
    look(write);
    TfSetLanguage language;
    look(language);
    TfModel model(All());
    look(model);
    TfTestFrm power(All());
    look(power);
    TfHelp help;
    help.ShowManual();
    look(help);
    return shown;
}

// English chosen as a language other than the first looks like the built-in texts.
TEST(LanguageFilesTest, EnglishFileGivesTheWindowsTheirBuiltInTexts) {
    TempDir dir;
    dir.Write("English.Ini", ShippedFile("English.Ini"));
    DataModuleCreate(TheMaindb(), dir.Path());
    const std::vector<std::vector<std::string>> builtIn = ShownTexts();

    All().LanguageId = 1;
    const std::vector<std::vector<std::string>> localised = ShownTexts();
    ASSERT_EQ(localised.size(), builtIn.size());
    for (std::size_t i = 0; i < builtIn.size(); ++i)
        EXPECT_EQ(localised[i], builtIn[i]) << builtIn[i].front();
}

} // namespace
} // namespace zorva
