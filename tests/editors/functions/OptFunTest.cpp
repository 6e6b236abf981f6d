// The optional functions window against the settings bytes it edits.
#include "editors/functions/OptFun.h"

#include "TestSupport.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "shell/DataFile.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace zorva {
namespace {

using test::HexBytes;
using test::TempDir;

constexpr int kModeByte = 0x11BB;
constexpr int kBatteryByte = 0x11BC;
constexpr int kVoiceByte = 0x11BD;
constexpr int kShowByte = 0x11BE;
constexpr int kSquelchByte = 0x11BF;
constexpr int kSuperSaveByte = 0x11C5;
constexpr int kTextByte = 0x11C8;

std::string TextHex() {
    return HexBytes(&All().Image[kTextByte], 7);
}

class OptFunTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
        document.ForgetHistory();
    }

    void Show() {
        window.show();
        QApplication::setActiveWindow(&window);
        name = window.findChild<QLineEdit*>("cxOpenMsg");
        ASSERT_NE(name, nullptr);
    }

    QComboBox* List(const char* listName) {
        auto* list = window.findChild<QComboBox*>(listName);
        EXPECT_NE(list, nullptr) << listName;
        return list;
    }
    QString Shown(const char* listName) { return List(listName)->currentText(); }
    void Choose(const char* listName, const QString& item) {
        QComboBox* list = List(listName);
        const int index = list->findText(item);
        ASSERT_GE(index, 0) << listName << " " << item.toStdString();
        list->setCurrentIndex(index);
    }
    QCheckBox* Check(const char* boxName) { return window.findChild<QCheckBox*>(boxName); }

    TempDir dir;
    RadioDocument document{All(), MacList()};
    TfOptFun window{document};
    QLineEdit* name = nullptr;
};

TEST_F(OptFunTest, ANewImageShowsItsDefaultsAndClosingUnchangedTouchesNothing) {
    const auto before = All().Image;
    Show();
    EXPECT_EQ(window.objectName(), "fOptFun");
    EXPECT_EQ(window.windowTitle(), "Optional Function");
    const std::map<std::string, QString> expected = {
        {"cxOpenSw", "DC"},     {"cxModeSw", "Freq."}, {"cxDWait", "On"},
        {"cxChsNs", "No"},      {"cxRxSav", "1:2"},    {"cxLockSw", "Manual"},
        {"cxBatTx", "High"},    {"cxToneEs", "Off"},   {"cxWavsSw", "English"},
        {"cxLamp", "Auto"},     {"cxRoger", "Off"},    {"cx3xxM", "Inhibit Tx"},
        {"cxColor", "Color-1"}, {"cxRelay", "Off"},    {"cxSqlLv", "5"},
        {"cxTotSv", "180"},     {"cxSaveLs", "5s"},    {"cxFrq_Use", "Yes"}};
    for (const auto& [list, item] : expected)
        EXPECT_EQ(Shown(list.c_str()), item) << list;
    EXPECT_TRUE(Check("cxRelaySet")->isChecked());
    EXPECT_TRUE(Check("cxMenuSet")->isChecked());
    EXPECT_EQ(name->text(), "");
    EXPECT_EQ(name->maxLength(), 7);
    EXPECT_EQ(name->contextMenuPolicy(), Qt::PreventContextMenu);
    // The fourth range's pair lies below the client area.
    EXPECT_GE(window.findChild<QLabel*>("La26")->y(), 394);
    EXPECT_GE(List("cx3xxM")->y(), 394);
    EXPECT_EQ(List("cx3xxM")->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(List("cxSqlLv")->property("tag").toInt(), -2);
    EXPECT_EQ(List("cxTotSv")->property("tag").toInt(), -3);

    QTest::mouseClick(window.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(All().Image == before);
    EXPECT_FALSE(All().Modified);
}

TEST_F(OptFunTest, EveryControlWritesItsBitsAndKeepsTheBitsOfNoControl) {
    // Bits no control owns: 0x50 of the mode byte, 0x08 of the battery byte, 0x40 of the voice
    // byte, 0x80 of the show byte, 0xF0 of the super save byte.
    All().Image[kModeByte] = 0x5F;
    All().Image[kBatteryByte] = 0x08;
    All().Image[kVoiceByte] = 0x40;
    All().Image[kShowByte] = 0x80;
    All().Image[kSquelchByte] = 0x00;
    All().Image[kSuperSaveByte] = 0xF0;
    Show();
    Choose("cxOpenSw", "Msg");
    Choose("cxModeSw", "Chs.");
    Choose("cxDWait", "On");
    Choose("cxChsNs", "No");
    Choose("cxRxSav", "1:4");
    Choose("cxLockSw", "Manual");
    Choose("cxBatTx", "Low");
    Choose("cxToneEs", "On");
    Choose("cxWavsSw", "Chinese");
    Choose("cxLamp", "On");
    Choose("cxRoger", "Off");
    Choose("cx3xxM", "Inhibit Tx");
    Choose("cxColor", "Color-3");
    Choose("cxRelay", "Off");
    Check("cxRelaySet")->setChecked(true);
    Check("cxMenuSet")->setChecked(false);
    Choose("cxSqlLv", "9");
    Choose("cxTotSv", "360");
    Choose("cxSaveLs", "9s");
    Choose("cxFrq_Use", "No");
    EXPECT_EQ(HexBytes(&All().Image[kModeByte], 5), "FE 5F EF B6 C9");
    EXPECT_EQ(All().Image[kSuperSaveByte], 0xF9);
    EXPECT_EQ(All().Image[kManualFreqByte], 0xFF);
    EXPECT_EQ(All().ManualFreqFlag, 0xFF);
    EXPECT_TRUE(All().Modified);

    // Every change stores every control: a byte changed behind the window's back is
    // overwritten by the next change of any control.
    All().Image[kSquelchByte] = 0x00;
    Choose("cxToneEs", "Off");
    EXPECT_EQ(All().Image[kSquelchByte], 0xC9);
}

TEST_F(OptFunTest, ModeNibblesWithoutAnItemOfTheirOwnAreWrittenAsTheShownItem) {
    All().Image[kModeByte] = 0xA9;
    Show();
    EXPECT_EQ(Shown("cxModeSw"), "Chs Freq.");
    EXPECT_FALSE(All().Modified);
    Choose("cxToneEs", "On");
    EXPECT_EQ(All().Image[kModeByte], 0xAD);

    TfOptFun again{document};
    All().Image[kModeByte] = 0xA2;
    again.show();
    EXPECT_EQ(again.findChild<QComboBox*>("cxModeSw")->currentText(), "FM Chs.");
    again.findChild<QComboBox*>("cxToneEs")->setCurrentIndex(0);
    EXPECT_EQ(All().Image[kModeByte], 0xA3);
}

TEST_F(OptFunTest, BatterySaveOffKeepsTheRatioAndVoiceOffTheLanguage) {
    All().Image[kBatteryByte] = 0x06; // on, 1:3
    All().Image[kVoiceByte] = 0x06;   // on, Chinese
    Show();
    EXPECT_EQ(Shown("cxRxSav"), "1:3");
    EXPECT_EQ(Shown("cxWavsSw"), "Chinese");
    Choose("cxRxSav", "OFF");
    EXPECT_EQ(All().Image[kBatteryByte] & 0x07, 0x02);
    Choose("cxWavsSw", "Off");
    EXPECT_EQ(All().Image[kVoiceByte] & 0x06, 0x04);
    window.close();

    TfOptFun reopened{document};
    reopened.show();
    EXPECT_EQ(reopened.findChild<QComboBox*>("cxRxSav")->currentText(), "OFF");
    EXPECT_EQ(reopened.findChild<QComboBox*>("cxWavsSw")->currentText(), "Off");
    reopened.findChild<QComboBox*>("cxRxSav")->setCurrentIndex(1); // 1:1
    EXPECT_EQ(All().Image[kBatteryByte] & 0x07, 0x04);
    reopened.findChild<QComboBox*>("cxWavsSw")->setCurrentIndex(1); // English
    EXPECT_EQ(All().Image[kVoiceByte] & 0x06, 0x02);
}

TEST_F(OptFunTest, CodesWithoutAnItemShowNothingAndSurviveOtherChanges) {
    All().Image[kShowByte] = 0x0F;      // open show 3, colour 3
    All().Image[kVoiceByte] = 0x18;     // lamp 3
    All().Image[kSquelchByte] = 0xFC;   // squelch 12, time-out 15
    All().Image[kSuperSaveByte] = 0x0B; // super save 11
    Show();
    for (const char* list : {"cxOpenSw", "cxColor", "cxLamp", "cxSqlLv", "cxTotSv", "cxSaveLs"})
        EXPECT_EQ(List(list)->currentIndex(), -1) << list;
    Choose("cxToneEs", "On");
    EXPECT_EQ(All().Image[kShowByte], 0x0F);
    EXPECT_EQ(All().Image[kVoiceByte], 0x19);
    EXPECT_EQ(All().Image[kSquelchByte], 0xFC);
    EXPECT_EQ(All().Image[kSuperSaveByte], 0x0B);
}

TEST_F(OptFunTest, ThePowerOnTextIsStoredPaddedWithBlanksOnEnter) {
    Show();
    name->setFocus();
    QTest::keyClicks(name, "AB");
    EXPECT_FALSE(All().Modified);
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(TextHex(), "21 22 00 00 00 00 00");
    EXPECT_TRUE(All().Modified);
    EXPECT_EQ(name->text(), "AB");

    // Keys beyond "z", non-ASCII characters, control characters and pasting do nothing.
    All().Modified = false;
    for (const QString& typed : {QString("{"), QString("~"), QString::fromUtf8("\xC3\xA9"),
                                 QString::fromUtf8("\xE4\xB8\xAD")})
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, typed, Qt::NoModifier);
    QApplication::clipboard()->setText("{x");
    QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(name->text(), "AB");
    EXPECT_FALSE(All().Modified);
    EXPECT_EQ(TextHex(), "21 22 00 00 00 00 00");

    // Editing keys still work; at most seven characters.
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClicks(name, "c 1z_abc");
    EXPECT_EQ(name->text(), "Ac 1z_a");
    QTest::keyClick(name, Qt::Key_Enter);
    EXPECT_EQ(TextHex(), "21 43 00 11 5A 3F 41");

    TfOptFun reopened{document};
    reopened.show();
    EXPECT_EQ(reopened.findChild<QLineEdit*>("cxOpenMsg")->text(), "Ac 1z_a");
}

TEST_F(OptFunTest, LeavingTheEditedTextStoresItAndUntouchedBytesStay) {
    // Seven blank codes above 122: shown as an empty text, and not rewritten as code 0 when
    // only another control changes.
    std::fill(&All().Image[kTextByte], &All().Image[kTextByte + 7], 0xFF);
    Show();
    EXPECT_EQ(name->text(), "");
    Choose("cxToneEs", "On");
    EXPECT_EQ(TextHex(), "FF FF FF FF FF FF FF");

    name->setFocus();
    QTest::keyClicks(name, "HI");
    All().Modified = false;
    List("cxModeSw")->setFocus(); // leaving the edit
    EXPECT_EQ(TextHex(), "28 29 00 00 00 00 00");
    EXPECT_TRUE(All().Modified);
}

TEST_F(OptFunTest, ALoadedManualFrequencyByteIsShownAndKeptUntilItsListChanges) {
    // A file holding 0x55, loaded over an image that allows manual entry.
    ASSERT_EQ(All().ManualFreqFlag, 0xAA);
    All().Image[kManualFreqByte] = 0x55;
    const std::string file = dir.File("odd.dat");
    ASSERT_TRUE(SaveDataFile(All(), file));
    All().Image[kManualFreqByte] = 0xAA;
    ASSERT_TRUE(LoadDataFile(All(), TheMaindb().MacList, file));

    Show();
    EXPECT_EQ(Shown("cxFrq_Use"), "No");
    Choose("cxToneEs", "On");
    EXPECT_EQ(All().Image[kManualFreqByte], 0x55);
    ASSERT_TRUE(SaveDataFile(All(), file));
    EXPECT_EQ(static_cast<uint8_t>(dir.Read("odd.dat")[kManualFreqByte]), 0x55);

    Choose("cxFrq_Use", "Yes");
    EXPECT_EQ(All().Image[kManualFreqByte], 0xAA);
    EXPECT_EQ(All().ManualFreqFlag, 0xAA);
    Choose("cxFrq_Use", "No");
    EXPECT_EQ(All().Image[kManualFreqByte], 0xFF);
    EXPECT_EQ(All().ManualFreqFlag, 0xFF);
}

TEST_F(OptFunTest, ALanguageFileTranslatesOnlyTheWordsAndStoresNothing) {
    dir.Write("Chinese.Ini", "[fOptFun]\nfOptFun.Caption=T\ncl00.Caption=L\ncxTotSv.0=X\n"
                             "cxTotSv.1=Y\ncxSqlLv.0=Z\ncxLamp.2=W\n");
    All().LanguageId = 1;
    All().LanguageName = "Chinese";
    Show();
    EXPECT_EQ(window.windowTitle(), "T");
    EXPECT_EQ(window.findChild<QLabel*>("cl00")->text(), "L");
    EXPECT_EQ(List("cxTotSv")->itemText(0), "X");
    EXPECT_EQ(List("cxTotSv")->itemText(1), "30");
    EXPECT_EQ(List("cxSqlLv")->itemText(0), "0");
    EXPECT_EQ(Shown("cxLamp"), "W");
    EXPECT_FALSE(All().Modified);
    Choose("cxTotSv", "X");
    EXPECT_EQ(All().Image[kSquelchByte] >> 4, 0);
}

} // namespace
} // namespace zorva
