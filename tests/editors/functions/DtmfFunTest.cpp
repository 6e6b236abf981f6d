// The DTMF function window against the layout of the DTMF settings.
#include "editors/functions/DtmfFun.h"

#include "TestSupport.h"
#include "core/Maindb.h"
#include "core/SafeFile.h"
#include "document/RadioDocument.h"
#include "shell/Startup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

namespace zorva {
namespace {

using test::HexBytes;
using test::TempDir;

constexpr int kDecoderByte = 0x11D7; // group, star tone, side tone, stun type
constexpr int kPttByte = 0x11D8;     // mode, empty flags, Code[A,B,C,D], ID edit, Tx decode
constexpr int kLengthByte = 0x11DB;

std::string Hex(int offset, int count) {
    return HexBytes(&All().Image[offset], count);
}

class DtmfFunTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
        All().Modified = false;
        document.ForgetHistory();
    }

    // A window as the main window opens it; a second call opens a fresh one.
    TfDtmfFun& Open() {
        window = std::make_unique<TfDtmfFun>(document);
        window->show();
        return *window;
    }

    template <typename T>
    T* Get(const char* name) {
        T* child = window->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QLineEdit* Edit(const char* name) { return Get<QLineEdit>(name); }
    QComboBox* List(const char* name) { return Get<QComboBox>(name); }

    TempDir dir;
    RadioDocument document{All(), MacList()};
    std::unique_ptr<TfDtmfFun> window;
};

TEST_F(DtmfFunTest, BeginCodeIsStoredAfterEveryTypedCharacter) {
    All().Image[kPttByte] = 0x07; // begin empty
    All().Image[kLengthByte] = 0x50;
    Open();
    QLineEdit* begin = Edit("cxEntv");
    QTest::keyClick(begin, Qt::Key_1);
    EXPECT_EQ(All().Image[kPttByte] & 0x04, 0);
    EXPECT_EQ(All().Image[kLengthByte], 0x50);
    EXPECT_EQ(Hex(0x11E8, 2), "1F FF");
    EXPECT_TRUE(All().Modified);
    QTest::keyClicks(begin, "23#");
    EXPECT_EQ(All().Image[kPttByte], 0x03);
    EXPECT_EQ(All().Image[kLengthByte], 0x53);
    EXPECT_EQ(Hex(0x11E8, 8), "12 3E FF FF FF FF FF FF");

    Open();
    EXPECT_EQ(Edit("cxEntv")->text(), "123#");
}

TEST_F(DtmfFunTest, ClearingTheBeginCodeSetsItsFlagAndKeepsTheDigits) {
    Open();
    QTest::keyClicks(Edit("cxEntv"), "123#");
    QTest::keyClicks(Edit("cxEndv"), "9");
    All().Modified = false;
    QLineEdit* begin = Edit("cxEntv");
    begin->selectAll();
    QTest::keyClick(begin, Qt::Key_Backspace);
    EXPECT_EQ(All().Image[kPttByte] & 0x0C, 0x04);
    EXPECT_EQ(Hex(0x11E8, 2), "12 3E");
    EXPECT_TRUE(All().Modified);

    Open();
    EXPECT_EQ(Edit("cxEntv")->text(), "");
    EXPECT_EQ(Edit("cxEndv")->text(), "9");
}

TEST_F(DtmfFunTest, IdAndStunCodes) {
    Open();
    QLineEdit* id = Edit("cxIdSv");
    id->selectAll();
    QTest::keyClicks(id, "5a#*.");
    EXPECT_EQ(id->text(), "5");
    EXPECT_EQ(Hex(0x11DC, 3), "50 0F FF");
    QTest::keyClicks(Edit("cxStunSv"), "12345");
    EXPECT_EQ(Hex(0x11E0, 6), "05 12 34 5F FF FF");

    Open();
    EXPECT_EQ(Edit("cxIdSv")->text(), "500");
    EXPECT_EQ(Edit("cxStunSv")->text(), "12345");
    EXPECT_EQ(Edit("cxIdSv")->maxLength(), 6);
    EXPECT_EQ(Edit("cxStunSv")->maxLength(), 10);
    EXPECT_EQ(Edit("cxEntv")->maxLength(), 16);
    EXPECT_EQ(Edit("cxEndv")->maxLength(), 16);
}

TEST_F(DtmfFunTest, ShortIdCodeShowsZeros) {
    All().Image[0x11DC] = 0x12;
    All().Image[0x11DD] = 0xA4;
    All().Image[0x11DE] = 0xFF;
    Open();
    EXPECT_EQ(Edit("cxIdSv")->text(), "000");
    EXPECT_EQ(Hex(0x11DC, 3), "12 A4 FF");
    EXPECT_FALSE(All().Modified);
}

TEST_F(DtmfFunTest, CodeEditsTakeDtmfCharactersOnlyInUpperCase) {
    Open();
    for (const char* name : {"cxEntv", "cxEndv", "cxStunSv"}) {
        QLineEdit* edit = Edit(name);
        QTest::keyClicks(edit, "e+.,b*d");
        EXPECT_EQ(edit->text(), "B*D") << name;
        // Pasted text goes through the same rules.
        edit->selectAll();
        edit->insert("1x");
        EXPECT_EQ(edit->text(), "B*D") << name;
        edit->insert("ca");
        EXPECT_EQ(edit->text(), "CA") << name;
    }
    EXPECT_EQ(Hex(0x11E8, 2), "CA FF");
    EXPECT_EQ(Hex(0x11F0, 2), "CA FF");
    EXPECT_EQ(Hex(0x11E0, 3), "02 CA FF");
    EXPECT_EQ(Edit("cxEntv")->contextMenuPolicy(), Qt::NoContextMenu);
}

TEST_F(DtmfFunTest, EnterStoresTheShownCodeAtOnce) {
    All().Image[0x11E0] = 0;
    Open();
    QLineEdit* stun = Edit("cxStunSv");
    QTest::keyClick(stun, Qt::Key_Return);
    EXPECT_TRUE(All().Modified);
    EXPECT_EQ(Hex(0x11E0, 6), "00 FF FF FF FF FF");
}

TEST_F(DtmfFunTest, ListsShowTheirCodes) {
    All().Image[0x11D5] = 0xFB;                 // speed 15
    All().Image[0x11D6] = 0x9A;                 // delay 1000, time 1000
    All().Image[kDecoderByte] = 0x34 | 0x40;    // group D, star tone 0, side tone on
    All().Image[kPttByte] = 0x01 | 0x10 | 0x20; // BOT, ID edit on, Code[A,B,C,D] on
    All().Image[0x11D9] = 0x2F;                 // ID code answer, reset 15
    All().Image[0x11DA] = 0x0A;                 // no code space, decode time-out 1500
    Open();
    EXPECT_EQ(List("cxRate")->currentText(), "15");
    EXPECT_EQ(List("cxFiSv")->currentText(), "1000");
    EXPECT_EQ(List("cxFiDv")->currentText(), "1000");
    EXPECT_EQ(List("cxEfSv")->currentText(), "0");
    EXPECT_EQ(List("cxTxTs")->currentText(), "None");
    EXPECT_EQ(List("cxAbcd")->currentText(), "On");
    EXPECT_TRUE(Get<QCheckBox>("cxBeep")->isChecked());
    EXPECT_EQ(List("cxPtts")->currentText(), "Both");
    EXPECT_EQ(List("cxGroup")->currentText(), "D");
    EXPECT_EQ(List("cxBack")->currentText(), "15");
    EXPECT_EQ(List("cxTxYs")->currentText(), "Off");
    EXPECT_EQ(List("cxIdEs")->currentText(), "On");
    EXPECT_EQ(List("cxRxTs")->currentText(), "1500");
    EXPECT_EQ(List("cxAcks")->currentText(), "ID Code");
    EXPECT_EQ(List("cxStunSw")->currentText(), "Tx/Rx Inhibit");
    EXPECT_TRUE(Edit("cxEntv")->isEnabled());
    EXPECT_TRUE(Edit("cxEndv")->isEnabled());
    EXPECT_FALSE(All().Modified);
    // Showing stored nothing: the mode stays BOT until something changes.
    EXPECT_EQ(All().Image[kPttByte], 0x31);

    // The first change writes every list, the PTT ID mode as Both.
    List("cxStunSw")->setCurrentIndex(1);
    EXPECT_EQ(All().Image[kPttByte], 0x33);
    EXPECT_EQ(All().Image[kDecoderByte], 0xF4);
    EXPECT_EQ(Hex(0x11D5, 6), "FB 9A F4 33 2F 0A");
    EXPECT_TRUE(All().Modified);
}

// The mode list is hidden, but it still decides which PTT ID codes can be edited.
TEST_F(DtmfFunTest, PttIdModeEnablesItsCodes) {
    Open();
    QComboBox* mode = List("cxPtts");
    EXPECT_FALSE(mode->isVisible());
    const std::vector<std::pair<bool, bool>> enabled = {
        {false, false}, {true, false}, {false, true}, {true, true}};
    for (int index = 0; index < 4; ++index) {
        mode->setCurrentIndex(index);
        EXPECT_EQ(Edit("cxEntv")->isEnabled(), enabled[index].first) << index;
        EXPECT_EQ(Edit("cxEndv")->isEnabled(), enabled[index].second) << index;
        EXPECT_EQ(All().Image[kPttByte] & 0x03, index);
    }
}

TEST_F(DtmfFunTest, EveryListWritesItsBitsOnly) {
    All().Image[kDecoderByte] = 0x30; // star tone "0", the rest clear
    All().Image[0x11D5] = 0xF0;       // the high nibble is no DTMF setting
    All().Image[kPttByte] = 0x8C;     // both codes empty
    Open();
    List("cxEfSv")->setCurrentIndex(1); // "100"
    EXPECT_EQ(All().Image[kDecoderByte], 0x00);
    List("cxRate")->setCurrentIndex(11);
    List("cxFiSv")->setCurrentIndex(10);
    List("cxFiDv")->setCurrentIndex(9);
    List("cxTxTs")->setCurrentIndex(15);
    List("cxAbcd")->setCurrentIndex(0);
    Get<QCheckBox>("cxBeep")->setChecked(true);
    List("cxGroup")->setCurrentIndex(4);
    List("cxBack")->setCurrentIndex(15);
    List("cxTxYs")->setCurrentIndex(1);
    List("cxIdEs")->setCurrentIndex(1);
    List("cxRxTs")->setCurrentIndex(10);
    List("cxAcks")->setCurrentIndex(2);
    List("cxStunSw")->setCurrentIndex(0);
    List("cxEfSv")->setCurrentIndex(3); // "1000"
    // The empty flags are the edits' business.
    EXPECT_EQ(Hex(0x11D5, 6), "FB 9A 64 DF 2F FA");
}

// A group code of 5 or 6 passes the sanitiser; a damaged file may hold anything.
TEST_F(DtmfFunTest, CodesWithoutAnItemAreKept) {
    All().Image[0x11D5] = 0xAE;       // speed 14
    All().Image[0x11D6] = 0xFF;       // first digit time and delay 15
    All().Image[kDecoderByte] = 0x85; // group 5, star tone 100, stun Tx Inhibit
    All().Image[0x11D9] = 0x7A;       // transpond 7, reset 10
    All().Image[0x11DA] = 0x3C;       // code space 800, decode time-out 12
    Open();
    for (const char* name : {"cxRate", "cxFiSv", "cxFiDv", "cxGroup", "cxAcks", "cxRxTs"})
        EXPECT_EQ(List(name)->currentIndex(), -1) << name;
    EXPECT_EQ(List("cxStunSw")->currentText(), "Tx Inhibit");
    EXPECT_EQ(List("cxEfSv")->currentText(), "100");

    Get<QCheckBox>("cxBeep")->setChecked(true);
    EXPECT_EQ(Hex(0x11D5, 6), "AE FF C5 " + Hex(kPttByte, 1) + " 7A 3C");
    List("cxGroup")->setCurrentIndex(1);
    EXPECT_EQ(All().Image[kDecoderByte], 0xC1);
}

TEST_F(DtmfFunTest, OpeningAndClosingChangesNothing) {
    All().Image[kPttByte] = 0x0E; // EOT, both codes empty
    const auto before = All().Image;
    Open();
    window->close();
    EXPECT_EQ(All().Image, before);
    EXPECT_FALSE(All().Modified);
}

TEST_F(DtmfFunTest, PagesFollowTheModel) {
    All().DtmfDecodeVisible = true;
    Open();
    auto* pages = Get<QTabWidget>("cxDtmfInfo");
    const int decode = pages->indexOf(Get<QWidget>("cxDecode"));
    const int autodial = pages->indexOf(Get<QWidget>("cxAutoMemory"));
    EXPECT_TRUE(pages->isTabVisible(decode));
    EXPECT_TRUE(pages->isTabEnabled(decode));
    EXPECT_FALSE(pages->isTabVisible(autodial));
    EXPECT_FALSE(pages->isTabEnabled(autodial));

    All().DtmfDecodeVisible = false;
    Open();
    pages = Get<QTabWidget>("cxDtmfInfo");
    EXPECT_FALSE(pages->isTabVisible(decode));
    EXPECT_FALSE(pages->isTabEnabled(decode));
    EXPECT_TRUE(pages->isTabVisible(pages->indexOf(Get<QWidget>("cxEnCode"))));
}

TEST_F(DtmfFunTest, AutodialGridIsNumberedAndLeavesTheImageAlone) {
    const auto before = All().Image;
    Open();
    auto* grid = Get<QTableWidget>("gvData");
    ASSERT_EQ(grid->rowCount(), 18);
    ASSERT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->item(1, 1)->text(), "No.");
    EXPECT_EQ(grid->item(1, 2)->text(), "Autodial Memory");
    EXPECT_EQ(grid->item(2, 1)->text(), "1");
    EXPECT_EQ(grid->item(17, 1)->text(), "16");
    grid->item(5, 2)->setText("123");
    EXPECT_EQ(All().Image, before);
}

TEST_F(DtmfFunTest, LocalisedWindowShowsTheSameCodes) {
    std::string chinese;
    ASSERT_TRUE(ReadFileContents(ZORVA_LANG_DIR "/Chinese.Ini", chinese));
    dir.Write("Chinese.Ini", chinese);
    All().LanguageId = 1;
    All().LanguageName = "Chinese";
    All().Image[kDecoderByte] = 0x80; // group Off, stun Tx Inhibit
    const auto before = All().Image;
    Open();
    auto* pages = Get<QTabWidget>("cxDtmfInfo");
    EXPECT_EQ(pages->tabText(pages->indexOf(Get<QWidget>("cxEnCode"))), "编码");
    EXPECT_EQ(List("cxGroup")->currentText(), "关");
    EXPECT_EQ(List("cxStunSw")->currentText(), "禁止发射");
    EXPECT_EQ(List("cxRate")->itemText(0), "4");
    EXPECT_EQ(Get<QTableWidget>("gvData")->item(1, 1)->text(), "序号");
    EXPECT_EQ(All().Image, before);
    EXPECT_FALSE(All().Modified);
}

} // namespace
} // namespace zorva
