// The frequency mode window against the record layout of the two VFO records.
#include "editors/channels/FreqEdit.h"

#include "TestSupport.h"
#include "codec/ToneList.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>

namespace zorva {
namespace {

using test::HexBytes;
using test::TempDir;

constexpr int kStepByte = 0x11C1;

uint8_t* RecordAt(int record) {
    return &All().Image[ChannelFieldAddress(record, 0)];
}

std::string RecordHex(int record) {
    return HexBytes(RecordAt(record), 32);
}

void Craft(int record, std::initializer_list<uint8_t> head) {
    uint8_t* bytes = RecordAt(record);
    std::fill(bytes, bytes + 32, 0);
    std::fill(bytes + 8, bytes + 12, 0xFF); // no tones
    std::copy(head.begin(), head.end(), bytes);
}

// Types into an edit as a user does and ends with Enter.
void Type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

class FreqEditTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
        All().BandLow = {400.0, 136.0, 0.0, 0.0};
        All().BandHigh = {480.0, 174.0, 0.0, 0.0};
        // The step setting shares its byte with another setting in the high nibble.
        All().Image[kStepByte] = 0xA9;
        // Both records hold 400 MHz and no tones, on the raster of every step.
        Craft(kVfoDown, {0x00, 0x5A, 0x62, 0x02, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
        Craft(kVfoUp, {0x00, 0x5A, 0x62, 0x02, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
        All().Modified = false;
        document.ForgetHistory();
    }

    void Show() {
        window.show();
        rx = Get<QLineEdit>("cxRxSv");
        offset = Get<QLineEdit>("cxTxSv");
    }

    template <typename T>
    T* Get(const char* name) {
        T* child = window.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QComboBox* List(const char* name) { return Get<QComboBox>(name); }
    QCheckBox* Check(const char* name) { return Get<QCheckBox>(name); }

    TempDir dir;
    RadioDocument document{All(), MacList()};
    TfFreqEdit window{document};
    QLineEdit* rx = nullptr;
    QLineEdit* offset = nullptr;
};

TEST_F(FreqEditTest, EveryControlWritesItsBitsOfTheSelectedRecord) {
    Show();
    EXPECT_EQ(window.objectName(), "fFreqEdit");
    const std::string down = RecordHex(kVfoDown);
    QTest::mouseClick(Get<QRadioButton>("cxUps"), Qt::LeftButton);
    ASSERT_EQ(window.SelectedRecord(), kVfoUp);

    List("cxStep")->setCurrentIndex(5); // 12.50 kHz: either raster
    EXPECT_EQ(All().Image[kStepByte], 0xA5);
    Type(rx, "146,52");
    EXPECT_EQ(rx->text(), "146.52000");
    Type(offset, "0.6");
    EXPECT_EQ(offset->text(), "0.60000");
    List("cxDups")->setCurrentIndex(2);
    List("cxBand")->setCurrentIndex(0);
    List("cxPwrv")->setCurrentIndex(0);
    List("cxPtts")->setCurrentIndex(2);
    List("cxApro")->setCurrentIndex(1);
    QComboBox* rxTone = List("cxRxDcts");
    rxTone->lineEdit()->clear();
    QTest::keyClicks(rxTone->lineEdit(), "d025i");
    QTest::keyClick(rxTone->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(rxTone->currentText(), "D025I");
    QComboBox* txTone = List("cxTxDcts");
    txTone->lineEdit()->clear();
    QTest::keyClicks(txTone->lineEdit(), "88.5");
    QTest::keyClick(txTone->lineEdit(), Qt::Key_Return);
    Check("cxBclo")->setChecked(true);
    Check("cxTail")->setChecked(true);
    Check("cxVoxs")->setChecked(false);
    Check("cxAnis")->setChecked(true);

    EXPECT_EQ(RecordHex(kVfoUp), "60 92 DF 00 60 EA 00 02 25 C0 85 08 4A 10 00 00 00 00 00 00 00 "
                                 "00 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(RecordHex(kVfoDown), down);
    EXPECT_TRUE(All().Modified);

    // Unticking flips each flag to its other value.
    Check("cxBclo")->setChecked(false);
    Check("cxTail")->setChecked(false);
    Check("cxVoxs")->setChecked(true);
    Check("cxAnis")->setChecked(false);
    EXPECT_EQ(RecordAt(kVfoUp)[12], 0x12);
    EXPECT_EQ(RecordAt(kVfoUp)[13], 0x90);
}

TEST_F(FreqEditTest, ShowsEachRecordAsStoredAndSwitchingStoresNothing) {
    // 438.50000, offset 5, plus; 67.0 / D754I; wide, high, busy lock off, VOX yes,
    // scrambler, epilogue off; BOT, DTMF off.
    Craft(kVfoDown,
          {0x10, 0x19, 0x9D, 0x02, 0x20, 0xA1, 0x07, 0x01, 0x70, 0x06, 0x54, 0xC7, 0x95, 0xA0});
    // 145.00000, no offset, minus; none / 254.1; narrow, low, busy lock on, VOX no, none,
    // epilogue on; both, DTMF on.
    Craft(kVfoUp, {0xA0, 0x40, 0xDD, 0x00, 0, 0, 0, 0x02, 0xFF, 0xFF, 0x41, 0x25, 0x4B, 0x00});
    All().Image[kStepByte] = 0x03;
    const auto image = All().Image;
    Show();

    EXPECT_EQ(rx->text(), "438.50000");
    EXPECT_EQ(offset->text(), "5.00000");
    EXPECT_EQ(List("cxDups")->currentText(), "+Dup");
    EXPECT_EQ(List("cxStep")->currentText(), "  6.25");
    EXPECT_EQ(List("cxRxDcts")->currentText(), "67.0");
    EXPECT_EQ(List("cxTxDcts")->currentText(), "D754I");
    EXPECT_EQ(List("cxBand")->currentText(), "Wide");
    EXPECT_EQ(List("cxPwrv")->currentText(), "High");
    EXPECT_EQ(List("cxPtts")->currentText(), "BOT");
    EXPECT_EQ(List("cxApro")->currentText(), "Scrambler");
    EXPECT_FALSE(Check("cxBclo")->isChecked());
    EXPECT_FALSE(Check("cxTail")->isChecked());
    EXPECT_TRUE(Check("cxVoxs")->isChecked());
    EXPECT_FALSE(Check("cxAnis")->isChecked());

    QTest::mouseClick(Get<QRadioButton>("cxUps"), Qt::LeftButton);
    EXPECT_EQ(rx->text(), "145.00000");
    EXPECT_EQ(offset->text(), "0.00000");
    EXPECT_EQ(List("cxDups")->currentText(), "-Dup");
    EXPECT_EQ(List("cxRxDcts")->currentText(), "None");
    EXPECT_EQ(List("cxTxDcts")->currentText(), "254.1");
    EXPECT_EQ(List("cxBand")->currentText(), "Narrow");
    EXPECT_EQ(List("cxPwrv")->currentText(), "Low");
    EXPECT_EQ(List("cxPtts")->currentText(), "Both");
    EXPECT_EQ(List("cxApro")->currentText(), "Off");
    EXPECT_TRUE(Check("cxBclo")->isChecked());
    EXPECT_TRUE(Check("cxTail")->isChecked());
    EXPECT_FALSE(Check("cxVoxs")->isChecked());
    EXPECT_TRUE(Check("cxAnis")->isChecked());

    QTest::mouseClick(Get<QRadioButton>("cxDown"), Qt::LeftButton);
    EXPECT_EQ(rx->text(), "438.50000");
    EXPECT_TRUE(All().Image == image);
    EXPECT_FALSE(All().Modified);
}

TEST_F(FreqEditTest, RefusedFrequenciesSayCautionAndKeepTheFrequency) {
    Show();
    Type(rx, "145");
    ASSERT_EQ(rx->text(), "145.00000");
    for (const QString& typed : {QString("1.2.3"), QString("0"), QString(""), QString("999"),
                                 QString("-5"), QString("abc")}) {
        ScriptedMessages messages;
        Type(rx, typed);
        ASSERT_EQ(messages.shown.size(), 1u) << typed.toStdString();
        EXPECT_EQ(messages.shown[0].caption, Language().Caution);
        EXPECT_EQ(messages.shown[0].text.rfind(Language().ErrRange + " Bands in use: ", 0), 0u);
        EXPECT_EQ(rx->text(), "145.00000") << typed.toStdString();
        EXPECT_EQ(HexBytes(RecordAt(kVfoDown), 4), "A0 40 DD 00") << typed.toStdString();
    }
    // A minus sign cannot be typed, but a pasted one is refused as well.
    ScriptedMessages messages;
    rx->setText("-145");
    QTest::keyClick(rx, Qt::Key_Return);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(rx->text(), "145.00000");
}

TEST_F(FreqEditTest, OffsetsAreClampedSilentlyAndANonNumberKeepsTheOldOne) {
    Show();
    ScriptedMessages messages;
    Type(offset, "120");
    EXPECT_EQ(offset->text(), "99.99500");
    EXPECT_EQ(HexBytes(RecordAt(kVfoDown) + 4, 3), "8C 94 98");
    Type(offset, "1.2.3");
    EXPECT_EQ(offset->text(), "99.99500");
    EXPECT_EQ(HexBytes(RecordAt(kVfoDown) + 4, 3), "8C 94 98");
    Type(offset, "");
    EXPECT_EQ(offset->text(), "0.00000");
    EXPECT_EQ(HexBytes(RecordAt(kVfoDown) + 4, 3), "00 00 00");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FreqEditTest, ChoosingAStepPutsBothRecordsOnItsRaster) {
    // 145.50625 / 0.60625 and 435.00625 / 1.23125: on the 1.25 kHz raster, which every step
    // from 10 kHz on keeps.
    Craft(kVfoDown, {0x61, 0x06, 0xDE, 0x00, 0xD1, 0xEC, 0x00});
    Craft(kVfoUp, {0x51, 0xC4, 0x97, 0x02, 0xF5, 0xE0, 0x01});
    Show();
    EXPECT_EQ(rx->text(), "145.50625");
    List("cxStep")->setCurrentIndex(3); // 6.25 kHz: the 0.5 kHz raster
    EXPECT_EQ(All().Image[kStepByte], 0xA3);
    EXPECT_EQ(rx->text(), "145.50650");
    EXPECT_EQ(offset->text(), "0.60650");
    EXPECT_EQ(HexBytes(RecordAt(kVfoDown), 7), "7A 06 DE 00 EA EC 00");
    EXPECT_EQ(HexBytes(RecordAt(kVfoUp), 7), "6A C4 97 02 0E E1 01");
    EXPECT_TRUE(All().Modified);
}

TEST_F(FreqEditTest, TypedTonesAreNormalisedAndThePickerFillsTheList) {
    Show();
    QComboBox* tone = List("cxRxDcts");
    const auto typeTone = [&](const QString& text) {
        tone->lineEdit()->clear();
        QTest::keyClicks(tone->lineEdit(), text);
        QTest::keyClick(tone->lineEdit(), Qt::Key_Return);
    };
    typeTone("88.5");
    EXPECT_EQ(HexBytes(RecordAt(kVfoDown) + 8, 2), "85 08");
    {
        ScriptedMessages messages;
        typeTone("300"); // no tone of the radio: refused, the tone kept
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(tone->currentText(), "88.5");
        EXPECT_EQ(HexBytes(RecordAt(kVfoDown) + 8, 2), "85 08");
    }
    typeTone("xyz"); // no key of it is taken: an empty list means no tone
    EXPECT_EQ(tone->currentText(), "None");
    EXPECT_EQ(tone->currentIndex(), 0);
    EXPECT_EQ(HexBytes(RecordAt(kVfoDown) + 8, 2), "FF FF");
    typeTone("d025i");
    EXPECT_EQ(HexBytes(RecordAt(kVfoDown) + 8, 2), "25 C0");

    int opened = 0;
    QString choice = "D023I";
    window.pickTone = [&] {
        ++opened;
        return choice;
    };
    QTest::mouseDClick(tone->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(tone->currentText(), "D023I");
    EXPECT_EQ(HexBytes(RecordAt(kVfoDown) + 8, 2), "23 C0");
    choice.clear(); // closed without a choice: the tone stays
    QTest::mouseDClick(tone->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(tone->currentText(), "D023I");
    EXPECT_EQ(HexBytes(RecordAt(kVfoDown) + 8, 2), "23 C0");
}

TEST_F(FreqEditTest, ARecordOfErasedMemoryShowsWithoutFault) {
    std::fill(RecordAt(kVfoUp), RecordAt(kVfoUp) + 32, 0xFF);
    All().Image[kStepByte] = 0xFF; // a step index beyond the list
    Show();
    QTest::mouseClick(Get<QRadioButton>("cxUps"), Qt::LeftButton);
    EXPECT_EQ(rx->text(), "400.00000");
    EXPECT_EQ(offset->text(), "0.00000");
    EXPECT_EQ(List("cxStep")->currentIndex(), -1);
    EXPECT_EQ(List("cxRxDcts")->currentText(), "None");
    // Storing keeps the step it cannot show.
    List("cxBand")->setCurrentIndex(0);
    EXPECT_EQ(All().Image[kStepByte], 0xFF);
    EXPECT_EQ(RecordAt(kVfoUp)[12] & 0x80, 0);
}

TEST_F(FreqEditTest, ALanguageFileNamesTheNoToneItemButNeverTheTonesOrSteps) {
    dir.Write("Chinese.Ini", "[fFreqEdit]\ncxRxDcts.0=\xE6\x97\xA0\ncxRxDcts.1=X\ncxStep.0=Y\n"
                             "cxBand.1=\xE5\xAE\xBD\n");
    All().LanguageId = 1;
    All().LanguageName = "Chinese";
    RecordAt(kVfoDown)[12] = 0x80; // wide
    Show();
    QComboBox* tone = List("cxRxDcts");
    EXPECT_EQ(tone->currentText(), QString::fromUtf8("\xE6\x97\xA0"));
    EXPECT_EQ(tone->itemText(1), "67.0");
    EXPECT_EQ(List("cxStep")->itemText(0), "  0.50");
    EXPECT_EQ(List("cxBand")->currentText(), QString::fromUtf8("\xE5\xAE\xBD"));
    // The translated no-tone text still stores no tone.
    tone->setCurrentIndex(5);
    tone->activated(5);
    EXPECT_EQ(HexBytes(RecordAt(kVfoDown) + 8, 2), "70 07");
    tone->setCurrentIndex(0);
    tone->activated(0);
    EXPECT_EQ(HexBytes(RecordAt(kVfoDown) + 8, 2), "FF FF");
}

} // namespace
} // namespace zorva
