#include "editors/channels/ChsEdit.h"

#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "core/Maindb.h"
#include "core/SafeFile.h"
#include "document/RadioDocument.h"
#include "editors/channels/ToneOption.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zorva {
namespace {

constexpr int kBitmapBytes = 0x1190;
constexpr int kScanBytes = 0x11A0;

class ChsEditTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
        All().CurrentChannel = 3;
        document = std::make_unique<RadioDocument>(All(), MacList());
        window = std::make_unique<TfChsEdit>(*document);
        window->show();
    }

    template <typename T>
    T* Get(const char* name) {
        T* child = window->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QLineEdit* Edit(const char* name) { return Get<QLineEdit>(name); }
    QComboBox* List(const char* name) { return Get<QComboBox>(name); }
    QCheckBox* Box(const char* name) { return Get<QCheckBox>(name); }

    // Types into a field as a user would and presses Enter.
    void Type(QWidget* field, const QString& text) {
        auto* line = qobject_cast<QLineEdit*>(field);
        if (auto* combo = qobject_cast<QComboBox*>(field)) line = combo->lineEdit();
        line->setFocus();
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Backspace);
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
    }

    const uint8_t* Record(int channel) {
        return &All().Image[static_cast<size_t>(32 * channel - 16)];
    }
    bool Bit(int bitmap, int channel) {
        return (All().Image[static_cast<size_t>(bitmap + (channel - 1) / 8)] >>
                ((channel - 1) % 8)) &
               1;
    }
    uint32_t U32(const uint8_t* bytes) {
        return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    }
    void PutChannel(int channel, const char* rx) {
        InitNewChannel(All(), channel, rx);
        All().Modified = false;
    }

    test::TempDir dir;
    std::unique_ptr<RadioDocument> document;
    std::unique_ptr<TfChsEdit> window;
};

TEST_F(ChsEditTest, EmptyChannelTakesOnlyAnRxFrequencyThenHoldsTheDefaults) {
    EXPECT_EQ(window->objectName(), "fChsEdit");
    EXPECT_EQ(List("cxChs")->count(), All().ChannelCount);
    EXPECT_EQ(List("cxChs")->currentText(), "3");
    EXPECT_TRUE(Edit("cxRxSv")->isEnabled());
    EXPECT_TRUE(List("cxChs")->isEnabled());
    for (const char* name : {"cxTxSv", "cxIdSv", "cxNameSv"})
        EXPECT_FALSE(Edit(name)->isEnabled()) << name;
    for (const char* name : {"cxRxDcts", "cxTxDcts", "cxPwrv", "cxBand", "cxPtts", "cxApro"})
        EXPECT_FALSE(List(name)->isEnabled()) << name;
    for (const char* name : {"cxBclo", "cxTail", "cxVoxs", "cxAnis", "cxScan", "cxWhis"})
        EXPECT_FALSE(Box(name)->isEnabled()) << name;
    EXPECT_EQ(List("cxBand")->currentText(), "Wide");
    EXPECT_EQ(List("cxPwrv")->currentText(), "High");
    EXPECT_EQ(Edit("cxIdSv")->text(), "000");
    EXPECT_TRUE(Box("cxTail")->isChecked());
    EXPECT_FALSE(Box("cxScan")->isChecked());

    Type(Edit("cxRxSv"), "145,5"); // the comma becomes the decimal point
    EXPECT_EQ(Edit("cxRxSv")->text(), "145.50000");
    EXPECT_EQ(Edit("cxTxSv")->text(), "145.50000");
    EXPECT_TRUE(Edit("cxNameSv")->isEnabled());
    EXPECT_TRUE(All().Modified);

    const uint8_t* r = Record(3);
    EXPECT_EQ(U32(r), 14550000u);
    EXPECT_EQ(U32(r + 4), 14550000u);
    EXPECT_EQ(r[12] & 0xDF, 0xDF); // wide, VOX off, busy lock off, epilogue, high, no voice mode
    EXPECT_EQ(r[13] & 0xB0, 0xB0); // ANI off, PTT ID off
    EXPECT_FALSE(Bit(kBitmapBytes, 3));
    EXPECT_TRUE(Bit(kScanBytes, 3));
    TChannel c;
    ASSERT_TRUE(LoadChannel(All(), 3, c));
    EXPECT_EQ(c.RxTone, "");
    EXPECT_EQ(c.IdCode, "000");
    EXPECT_EQ(c.Name, "");
}

TEST_F(ChsEditTest, ControlsAreWrittenIntoTheRecord) {
    PutChannel(3, "145.5");
    window->ShowChannel();

    List("cxPwrv")->setCurrentIndex(0);
    List("cxBand")->setCurrentIndex(0);
    List("cxPtts")->setCurrentIndex(2);
    List("cxApro")->setCurrentIndex(2);
    Box("cxBclo")->setChecked(true);
    Box("cxTail")->setChecked(false);
    Box("cxVoxs")->setChecked(true);
    Box("cxAnis")->setChecked(true);
    Box("cxScan")->setChecked(true);
    Type(Edit("cxTxSv"), "146.1");
    Type(List("cxRxDcts"), "88.5");
    Type(List("cxTxDcts"), "d023n");
    Type(Edit("cxNameSv"), "Ab 1{~z"); // "{" and "~" are dropped
    Type(Edit("cxIdSv"), "12");

    const uint8_t* r = Record(3);
    EXPECT_EQ(U32(r + 4), 14610000u);
    EXPECT_EQ(r[8], 0x85);
    EXPECT_EQ(r[9], 0x08);
    EXPECT_EQ(r[10], 0x23);
    EXPECT_EQ(r[11], 0x80);
    EXPECT_EQ(r[12] & 0xDF, 0x01); // narrow, VOX, busy lock on, no epilogue, low, scrambler
    EXPECT_EQ(r[13] & 0xB0, 0x10); // ANI on, EOT
    EXPECT_FALSE(Bit(kScanBytes, 3));
    const uint8_t name[] = {'A' - 32, 'b' - 32, 0, '1' - 32, 'z' - 32, 0, 0};
    EXPECT_TRUE(std::equal(name, name + 7, r + 18));
    EXPECT_EQ(Edit("cxNameSv")->text(), "Ab 1z");
    EXPECT_EQ(Edit("cxIdSv")->text(), "120");
    EXPECT_EQ(List("cxTxDcts")->currentText(), "D023N");

    TChannel c;
    ASSERT_TRUE(LoadChannel(All(), 3, c));
    EXPECT_EQ(c.IdCode, "120");
    EXPECT_EQ(c.PttId, 2);
    EXPECT_EQ(c.VoiceMode, 2);
}

TEST_F(ChsEditTest, RecordBytesAreShown) {
    PutChannel(7, "435");
    uint8_t* r = &All().Image[32 * 7 - 16];
    std::fill(r + 4, r + 8, 0xFF); // no TX frequency
    r[8] = 0x54;                   // D754I
    r[9] = 0xC7;
    r[12] = 0x20 | 0x08 | 0x04 | 0x02; // narrow, VOX, busy lock on, epilogue, high, compander
    r[13] = 0x20;                      // ANI on, BOT
    All().Image[kScanBytes] &= static_cast<uint8_t>(~(1 << 6));
    All().CurrentChannel = 7;
    window->ShowChannel();

    EXPECT_EQ(List("cxChs")->currentText(), "7");
    EXPECT_EQ(Edit("cxRxSv")->text(), "435.00000");
    EXPECT_EQ(Edit("cxTxSv")->text(), ""); // no TX frequency
    EXPECT_EQ(List("cxRxDcts")->currentText(), "D754I");
    EXPECT_EQ(List("cxTxDcts")->currentIndex(), 0);
    EXPECT_EQ(List("cxTxDcts")->currentText(), "None");
    EXPECT_EQ(List("cxBand")->currentText(), "Narrow");
    EXPECT_EQ(List("cxPwrv")->currentText(), "High");
    EXPECT_EQ(List("cxPtts")->currentText(), "BOT");
    EXPECT_EQ(List("cxApro")->currentText(), "Compander");
    EXPECT_TRUE(Box("cxBclo")->isChecked());
    EXPECT_TRUE(Box("cxTail")->isChecked());
    EXPECT_TRUE(Box("cxVoxs")->isChecked());
    EXPECT_TRUE(Box("cxAnis")->isChecked());
    EXPECT_TRUE(Box("cxScan")->isChecked());
    EXPECT_FALSE(All().Modified); // showing writes nothing back

    // The empty TX field stores back as no TX frequency.
    Box("cxBclo")->setChecked(false);
    EXPECT_EQ(U32(Record(7) + 4), 0xFFFFFFFFu);
}

TEST_F(ChsEditTest, BadFrequenciesGiveTheRangeMessageAndKeepTheChannel) {
    PutChannel(3, "145.5");
    window->ShowChannel();
    for (const char* text : {"1.2.3", "0", "900"}) {
        ScriptedMessages messages;
        Type(Edit("cxRxSv"), text);
        ASSERT_EQ(messages.shown.size(), 1u) << text;
        EXPECT_EQ(messages.shown[0].caption, Language().Caution);
        EXPECT_EQ(messages.shown[0].text.rfind(Language().ErrRange + " Bands in use: ", 0), 0u);
        EXPECT_EQ(Edit("cxRxSv")->text(), "145.50000");
        EXPECT_EQ(U32(Record(3)), 14550000u);
    }
    {
        // An offset that comes to no frequency of the bands is refused like any other.
        ScriptedMessages messages;
        Edit("cxTxSv")->setText("-145.5");
        emit Edit("cxTxSv")->editingFinished();
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(Edit("cxTxSv")->text(), "145.50000");
        EXPECT_EQ(U32(Record(3) + 4), 14550000u);
    }
    EXPECT_FALSE(All().Modified);
    All().Modified = false;
    ScriptedMessages messages;
    Type(Edit("cxTxSv"), "");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(U32(Record(3) + 4), 0xFFFFFFFFu);
    EXPECT_TRUE(All().Modified); // a TX change is a change to save
}

TEST_F(ChsEditTest, ClearingRxDeletesTheChannel) {
    PutChannel(3, "145.5");
    window->ShowChannel();
    Box("cxScan")->setChecked(true);
    Type(Edit("cxRxSv"), "");
    EXPECT_TRUE(std::all_of(Record(3), Record(3) + 32, [](uint8_t b) { return b == 0xFF; }));
    EXPECT_TRUE(Bit(kBitmapBytes, 3));
    EXPECT_TRUE(Bit(kScanBytes, 3));
    EXPECT_FALSE(Edit("cxTxSv")->isEnabled());
    EXPECT_TRUE(Edit("cxTxSv")->text().isEmpty());
    EXPECT_EQ(Edit("cxIdSv")->text(), "000");
}

TEST_F(ChsEditTest, TypedTonesAreForcedIntoShapeOrRefused) {
    PutChannel(3, "145.5");
    window->ShowChannel();
    ScriptedMessages messages;
    Type(List("cxRxDcts"), "88.50");
    EXPECT_EQ(List("cxRxDcts")->currentText(), "88.5");
    EXPECT_EQ(Record(3)[8], 0x85);
    EXPECT_EQ(Record(3)[9], 0x08);
    Type(List("cxRxDcts"), "d025i");
    EXPECT_EQ(List("cxRxDcts")->currentText(), "D025I");
    EXPECT_EQ(Record(3)[8], 0x25);
    EXPECT_EQ(Record(3)[9], 0xC0);
    EXPECT_TRUE(messages.shown.empty());
    Type(List("cxRxDcts"), "300"); // not a tone of the radio
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(List("cxRxDcts")->currentText(), "D025I");
    EXPECT_EQ(Record(3)[9], 0xC0);
    Type(List("cxRxDcts"), "xyz"); // every key dropped: an empty text is no tone
    EXPECT_EQ(List("cxRxDcts")->currentIndex(), 0);
    EXPECT_EQ(List("cxRxDcts")->currentText(), "None");
    TChannel c;
    ASSERT_TRUE(LoadChannel(All(), 3, c));
    EXPECT_EQ(c.RxTone, "");

    // Text that got in some other way is refused too, and the tone kept.
    messages.shown.clear();
    List("cxTxDcts")->setEditText("xyz");
    emit List("cxTxDcts")->lineEdit()->editingFinished();
    EXPECT_EQ(messages.shown.size(), 1u);
    ASSERT_TRUE(LoadChannel(All(), 3, c));
    EXPECT_EQ(c.TxTone, "");
    EXPECT_EQ(List("cxTxDcts")->currentText(), "None");
}

TEST_F(ChsEditTest, NamesAndIdCodesOutsideTheRules) {
    PutChannel(3, "145.5");
    window->ShowChannel();
    Edit("cxNameSv")->setText(QString::fromUtf8("é€Z"));
    emit Edit("cxNameSv")->editingFinished();
    EXPECT_EQ(Record(3)[18], 32);
    EXPECT_EQ(Record(3)[19], 32);
    EXPECT_EQ(Record(3)[20], 'Z' - 32);

    for (const auto& [typed, shown] :
         {std::pair{"1", "100"}, std::pair{"12", "120"}, std::pair{"1234567", "123456"}}) {
        Type(Edit("cxIdSv"), typed);
        EXPECT_EQ(Edit("cxIdSv")->text(), shown) << typed;
        TChannel c;
        ASSERT_TRUE(LoadChannel(All(), 3, c));
        EXPECT_EQ(c.IdCode, shown) << typed;
    }
}

TEST_F(ChsEditTest, ChannelSelectorMakesTheChannelCurrent) {
    PutChannel(5, "146");
    All().Modified = false;
    auto* selector = List("cxChs");
    selector->setFocus();
    QTest::keyClick(selector, Qt::Key_5); // typing picks an item
    EXPECT_EQ(All().CurrentChannel, 5);
    EXPECT_EQ(Edit("cxRxSv")->text(), "146.00000");
    EXPECT_TRUE(Edit("cxTxSv")->isEnabled());
    EXPECT_FALSE(All().Modified);
}

// A typed number picks that channel: digits typed in quick succession make one number.
TEST_F(ChsEditTest, TypedDigitsPickTheChannelOfThatNumber) {
    All().CurrentChannel = 11;
    window->ShowChannel();
    auto* selector = List("cxChs");
    selector->setFocus();
    const int pause = QApplication::keyboardInputInterval() + 100;
    const std::vector<std::pair<QString, int>> typed{{"6", 6},   {"60", 60}, {"128", 128},
                                                     {"129", 9}, {"06", 6},  {"x", 6}};
    for (const auto& [keys, channel] : typed) {
        QTest::qWait(pause);
        QTest::keyClicks(selector, keys);
        EXPECT_EQ(All().CurrentChannel, channel) << keys.toStdString();
        EXPECT_EQ(selector->currentText(), QString::number(channel));
    }
}

// Focus passing through the fields writes nothing; only a changed value is stored.
TEST_F(ChsEditTest, LeavingAFieldUnchangedWritesNothing) {
    PutChannel(3, "145.5");
    std::string none;
    SetChannelField(All(), 3, kFieldTxFreq, none);
    std::string name = "HOME";
    SetChannelField(All(), 3, kFieldName, name);
    All().Modified = false;
    window->ShowChannel();
    const auto before = All().Image;
    for (int pass = 0; pass < 2; ++pass) {
        for (QWidget* field : std::initializer_list<QWidget*>{
                 Edit("cxRxSv"), Edit("cxTxSv"), List("cxRxDcts")->lineEdit(),
                 List("cxTxDcts")->lineEdit(), Edit("cxIdSv"), Edit("cxNameSv"), Edit("cxRxSv")}) {
            field->setFocus();
            QCoreApplication::processEvents();
            emit qobject_cast<QLineEdit*>(field)->editingFinished(); // as on leaving it
        }
    }
    EXPECT_EQ(All().Image, before);
    EXPECT_FALSE(All().Modified);
    EXPECT_EQ(Edit("cxTxSv")->text(), "");

    // A changed RX frequency of a channel in use keeps it without TX frequency.
    Type(Edit("cxRxSv"), "146");
    TChannel c;
    ASSERT_TRUE(LoadChannel(All(), 3, c));
    EXPECT_EQ(FormatFreq(c.RxFreq), "146.00000");
    EXPECT_EQ(c.TxFreq, kNoFreq);
    EXPECT_EQ(Edit("cxTxSv")->text(), "");
    EXPECT_EQ(c.Name, "HOME");
}

TEST_F(ChsEditTest, DoubleClickOnAToneListOpensThePicker) {
    PutChannel(3, "145.5");
    window->ShowChannel();
    QString answer = "D023I";
    window->pickTone = [&] { return answer; };
    QTest::mouseDClick(List("cxTxDcts")->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(List("cxTxDcts")->currentText(), "D023I");
    EXPECT_EQ(Record(3)[10], 0x23);
    EXPECT_EQ(Record(3)[11], 0xC0);
    answer.clear(); // closed without a choice: the tone stays
    QTest::mouseDClick(List("cxTxDcts")->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(List("cxTxDcts")->currentText(), "D023I");
}

TEST_F(ChsEditTest, ThePickerDialogAnswersTheToneList) {
    PutChannel(3, "145.5");
    window->ShowChannel();
    QTimer::singleShot(0, [] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* picker = qobject_cast<TfToneOption*>(top); picker && picker->isVisible()) {
                picker->PickCell(0, 9, 2);
                return;
            }
        }
    });
    QTest::mouseDClick(List("cxRxDcts")->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(List("cxRxDcts")->currentText(), "88.5");
    EXPECT_EQ(Record(3)[8], 0x85);
}

// Under another language the tone lists' first item is that language's "no tone" word, and
// choosing it still stores no tone.
TEST_F(ChsEditTest, LocalisedNoToneWordStillMeansNoTone) {
    std::string content;
    ASSERT_TRUE(ReadFileContents(ZORVA_LANG_DIR "/Chinese.Ini", content));
    dir.Write("Chinese.Ini", content);
    All().LanguageName = "Chinese";
    All().LanguageId = 1;
    PutChannel(3, "145.5");
    window->hide();
    window->show();
    EXPECT_EQ(Get<QLabel>("lRxSv")->text(), QString::fromUtf8("接收频率[MHz]"));
    auto* tones = List("cxRxDcts");
    EXPECT_EQ(tones->itemText(0), QString::fromUtf8("无"));
    EXPECT_EQ(tones->itemText(1), "67.0");
    EXPECT_EQ(tones->currentText(), QString::fromUtf8("无"));

    Type(tones, "88.5");
    EXPECT_EQ(Record(3)[9], 0x08);
    tones->setCurrentIndex(0);
    emit tones->activated(0);
    TChannel c;
    ASSERT_TRUE(LoadChannel(All(), 3, c));
    EXPECT_EQ(c.RxTone, "");
    EXPECT_EQ(tones->currentText(), QString::fromUtf8("无"));
}

} // namespace
} // namespace zorva
