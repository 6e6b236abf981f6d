// Batch channel edit against the memory channel record layout.
#include "editors/channels/BatchEdit.h"

#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "codec/ToneList.h"
#include "core/Maindb.h"
#include "core/SafeFile.h"
#include "document/RadioDocument.h"
#include "editors/channels/ChannelTableActions.h"
#include "editors/channels/ChsEdit.h"
#include "editors/channels/ChsInfo.h"
#include "editors/channels/FreqEdit.h"
#include "settings/ui/LocaliseForm.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <cstdint>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace zorva {
namespace {

using test::HexBytes;
using test::TempDir;

const uint8_t* RecordAt(int channel) {
    return &All().Image[ChannelFieldAddress(channel, 0)];
}

// RX frequency of a channel in 10 Hz units, straight from the record.
uint32_t RxUnits(int channel) {
    return ReadU32(RecordAt(channel));
}
uint32_t TxUnits(int channel) {
    return ReadU32(RecordAt(channel) + 4);
}
std::string RxTone(int channel) {
    return HexBytes(RecordAt(channel) + 8, 2);
}
std::string TxTone(int channel) {
    return HexBytes(RecordAt(channel) + 10, 2);
}

void Type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

class BatchEditTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
        All().BandLow = {400.0, 136.0, 0.0, 0.0};
        All().BandHigh = {480.0, 174.0, 0.0, 0.0};
        for (int n = 1; n <= kMemoryChannels; ++n) {
            std::string empty;
            SetChannelField(All(), n, kFieldRxFreq, empty);
        }
        All().Modified = false;
        document.ForgetHistory();
        window.show();
    }

    template <typename T>
    T* Get(const char* name) {
        T* child = window.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QLineEdit* Edit(const char* name) { return Get<QLineEdit>(name); }
    // As a click of the user's, also on a control below the edge of the small test screen.
    void Click(const char* name) { Get<QAbstractButton>(name)->click(); }
    void Range(int from, int to) {
        Click("cxChs");
        Get<QSpinBox>("cxTo")->setValue(to);
        Get<QSpinBox>("cxFrom")->setValue(from);
    }
    void Ok() { Click("btnOk"); }

    TempDir dir;
    RadioDocument document{All(), MacList()};
    TfBatch window{document};
};

TEST_F(BatchEditTest, AllChannelsStepUpwardAndRepeatTheLastFrequencyInsideTheBand) {
    EXPECT_EQ(window.objectName(), "fBatch");
    EXPECT_EQ(Edit("cxRx_freq")->text(), "136.00000"); // the lowest band edge
    EXPECT_EQ(Get<QSpinBox>("cxTo")->value(), 128);
    Type(Edit("cxRx_freq"), "173,5");
    Type(Edit("cxRx_Step"), "0.025");
    Ok();

    for (int n = 1; n <= 128; ++n) {
        const uint32_t expected = 17350000 + 2500 * std::min(n - 1, 20); // 174 MHz at most
        ASSERT_EQ(RxUnits(n), expected) << n;
        ASSERT_EQ(TxUnits(n), expected) << n;
        EXPECT_TRUE(All().IsSlotClear(kChannelBitmap, n));
        EXPECT_FALSE(All().IsSlotClear(kScanBitmap, n)); // "Scan Add" not ticked
        EXPECT_EQ(RxTone(n), "FF FF");
        EXPECT_EQ(TxTone(n), "FF FF");
    }
    // Wide, high, busy lock and VOX off, no voice mode, epilogue ticked (and the unused bit
    // of the erased record).
    EXPECT_EQ(RecordAt(1)[12], 0xFF);
    // A channel put in use gets the new-channel PTT ID, DTMF and ID code, and a blank name.
    EXPECT_EQ(HexBytes(RecordAt(1) + 13, 12), "FF FF 00 0F FF 00 00 00 00 00 00 00");
    EXPECT_TRUE(All().Modified);
}

TEST_F(BatchEditTest, CommonValuesNameAndEpilogueReachEveryChannelOfTheRange) {
    Range(6, 8);
    Type(Edit("cxRx_freq"), "145");
    Get<QComboBox>("cxPower")->setCurrentIndex(0);
    Get<QComboBox>("cxWn")->setCurrentIndex(0);
    Get<QComboBox>("cxApro")->setCurrentIndex(2);
    Get<QCheckBox>("cxBclo")->setChecked(true);
    Get<QCheckBox>("cxScan")->setChecked(true);
    Get<QCheckBox>("cxVox")->setChecked(true);
    Get<QCheckBox>("cxTxRev")->setChecked(false);
    Type(Edit("cxName"), "ab,c~{");
    EXPECT_EQ(Edit("cxName")->text(), "AB,C");
    Ok();
    for (int n = 6; n <= 8; ++n) {
        EXPECT_EQ(RecordAt(n)[12], 0x21) << n; // scrambler stored as 3 - 2, every flag clear
        EXPECT_EQ(HexBytes(RecordAt(n) + 18, 7), "21 22 0C 23 00 00 00") << n;
        EXPECT_TRUE(All().IsSlotClear(kScanBitmap, n));
    }
    EXPECT_FALSE(All().IsSlotClear(kChannelBitmap, 5));
    EXPECT_FALSE(All().IsSlotClear(kChannelBitmap, 9));

    Get<QCheckBox>("cxUse_Chs")->setChecked(true);
    Range(7, 7);
    Ok();
    EXPECT_EQ(HexBytes(RecordAt(7) + 18, 7), "17 00 00 00 00 00 00");
}

TEST_F(BatchEditTest, AReversedRangeWritesNothingAndClearingDeletesOnlyTheRange) {
    Range(1, 12);
    Type(Edit("cxRx_freq"), "145");
    Ok();
    auto image = All().Image;
    All().Modified = false;

    Range(10, 5);
    Ok();
    EXPECT_TRUE(All().Image == image);
    EXPECT_FALSE(All().Modified);

    Range(1, 10);
    Get<QCheckBox>("cxClear")->setChecked(true);
    Type(Edit("cxRx_freq"), "150");
    Click("cxTx_Exc");
    Ok();
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(HexBytes(RecordAt(n), 32), HexBytes(std::vector<uint8_t>(32, 0xFF).data(), 32));
        EXPECT_FALSE(All().IsSlotClear(kChannelBitmap, n));
        EXPECT_FALSE(All().IsSlotClear(kScanBitmap, n));
    }
    EXPECT_EQ(HexBytes(RecordAt(11), 64), HexBytes(&image[ChannelFieldAddress(11, 0)], 64));
    EXPECT_TRUE(All().Modified);
}

TEST_F(BatchEditTest, ExcursionStopsAtTheNearestBandEdgeAndOwnTxSteps) {
    Range(1, 1);
    Type(Edit("cxRx_freq"), "172");
    Click("cxTx_Exc");
    Type(Edit("cxExc_Freq"), "5");
    Ok();
    EXPECT_EQ(TxUnits(1), 17400000u);

    Type(Edit("cxRx_freq"), "138");
    Click("cxDup_Dec");
    Ok();
    EXPECT_EQ(TxUnits(1), 13600000u);

    Range(1, 3);
    Click("cxTx_Self");
    Type(Edit("cxTx_Freq"), "150");
    Type(Edit("cxTx_step"), "1");
    Click("cxTx_dec");
    Ok();
    EXPECT_EQ(TxUnits(1), 15000000u);
    EXPECT_EQ(TxUnits(2), 14900000u);
    EXPECT_EQ(TxUnits(3), 14800000u);
    EXPECT_EQ(RxUnits(3), 13800000u); // no RX step
}

TEST_F(BatchEditTest, TonesAdvanceBySpaceAndStopAtTheEndOfTheList) {
    Range(1, 4);
    Type(Edit("cxRx_freq"), "145");
    Get<QComboBox>("cxRx_Dcts")->setCurrentIndex(1); // 67.0
    Get<QSpinBox>("cxRx_Dcts_step")->setValue(2);
    Ok();
    EXPECT_EQ(RxTone(1), "70 06");
    EXPECT_EQ(RxTone(2), "19 07"); // 71.9
    EXPECT_EQ(RxTone(3), "70 07"); // 77.0
    EXPECT_EQ(TxTone(3), "70 07"); // TX follows RX

    Get<QComboBox>("cxRx_Dcts")->setCurrentIndex(255);
    Get<QSpinBox>("cxRx_Dcts_step")->setValue(5);
    Click("cxTx_Dcts_self");
    Get<QComboBox>("cxTx_Dcts")->setCurrentIndex(3);
    Get<QSpinBox>("cxTx_Dcts_step")->setValue(1);
    Click("cxTx_Dcts_dec");
    Ok();
    EXPECT_EQ(RxTone(3), "54 C7"); // D754I, the last item, then repeated
    EXPECT_EQ(RxTone(4), "54 C7");
    EXPECT_EQ(TxTone(1), "19 07"); // 71.9, 69.3, 67.0, then no tone
    EXPECT_EQ(TxTone(2), "93 06");
    EXPECT_EQ(TxTone(3), "70 06");
    EXPECT_EQ(TxTone(4), "FF FF");
}

TEST_F(BatchEditTest, RandomTonesComeFromTheInjectedSourceAndTxDefaultFollowsThem) {
    std::vector<int> highest;
    std::vector<int> picks = {5, 100, 261};
    window.randomIndex = [&](int top) {
        highest.push_back(top);
        const int pick = picks.front();
        picks.erase(picks.begin());
        return pick;
    };
    Range(1, 3);
    Type(Edit("cxRx_freq"), "145");
    Get<QCheckBox>("cxRx_Ran")->setChecked(true);
    Ok();
    EXPECT_EQ(highest, (std::vector<int>{261, 261, 261}));
    TChannel c;
    const int indices[] = {5, 100, 261};
    for (int n = 1; n <= 3; ++n) {
        ASSERT_TRUE(LoadChannel(All(), n, c));
        EXPECT_EQ(c.RxTone, ToneList()[static_cast<std::size_t>(indices[n - 1])]);
        EXPECT_EQ(TxTone(n), RxTone(n));
    }
}

TEST_F(BatchEditTest, FieldsTheBatchDoesNotSetKeepTheirValues) {
    InitNewChannel(All(), 3, "150");
    for (auto [field, text] : {std::pair{kFieldIdCode, "12345"}, std::pair{kFieldPttId, "2"},
                               std::pair{kFieldAni, "0"}}) {
        std::string value = text;
        SetChannelField(All(), 3, field, value);
    }
    const std::string kept = HexBytes(RecordAt(3) + 13, 5);
    Range(3, 3);
    Type(Edit("cxRx_freq"), "145");
    Ok();
    EXPECT_EQ(RxUnits(3), 14500000u);
    EXPECT_EQ(HexBytes(RecordAt(3) + 13, 5), kept);
}

TEST_F(BatchEditTest, FrequenciesOutsideTheBandsAreRefusedAndOtherInputsReplaced) {
    ScriptedMessages messages;
    QLineEdit* rx = Edit("cxRx_freq");
    // A refused frequency leaves what the field held; an empty one is the lowest band edge.
    for (const auto& [typed, shown, refused] :
         {std::tuple{"145.0031", "145.00300", false}, std::tuple{"1.2.3", "145.00300", true},
          std::tuple{"0", "145.00300", true}, std::tuple{"999", "145.00300", true},
          std::tuple{"", "136.00000", false}, std::tuple{"-5", "136.00000", true},
          std::tuple{"145.0031", "145.00300", false}}) {
        messages.shown.clear();
        Type(rx, typed);
        EXPECT_EQ(rx->text(), shown) << typed;
        EXPECT_EQ(messages.shown.size(), refused ? 1u : 0u) << typed;
    }
    Click("cxTx_Self");
    Type(Edit("cxTx_Freq"), "470"); // inside a band but more than 99.995 away from RX
    EXPECT_EQ(Edit("cxTx_Freq")->text(), "145.00300");
    Type(Edit("cxRx_Step"), "120");
    EXPECT_EQ(Edit("cxRx_Step")->text(), "0.00000");
    Type(Edit("cxRx_Step"), "0,0125");
    EXPECT_EQ(Edit("cxRx_Step")->text(), "0.01250");

    Click("cxChs");
    QSpinBox* from = Get<QSpinBox>("cxFrom");
    Get<QSpinBox>("cxTo")->setValue(50);
    from->clear();
    QTest::keyClicks(from, "120");
    QTest::keyClick(from, Qt::Key_Return);
    EXPECT_EQ(from->value(), 50);
}

TEST_F(BatchEditTest, ControlsAreEnabledByTheirChoices) {
    const auto enabled = [&](const char* name) { return Get<QWidget>(name)->isEnabled(); };
    EXPECT_FALSE(enabled("cxFrom"));
    EXPECT_FALSE(enabled("cxExc_Freq"));
    EXPECT_FALSE(enabled("cxTx_Freq"));
    EXPECT_FALSE(enabled("cxTx_ran"));
    EXPECT_FALSE(enabled("cxTx_Dcts"));
    EXPECT_TRUE(enabled("cxRx_Dcts"));

    Click("cxChs");
    EXPECT_TRUE(enabled("cxFrom") && enabled("cxTo"));
    Click("cxTx_Exc");
    EXPECT_TRUE(enabled("cxExc_Freq") && enabled("cxDup_add") && enabled("cxDup_Dec"));
    EXPECT_FALSE(enabled("cxTx_step"));
    Click("cxTx_Self");
    EXPECT_FALSE(enabled("cxExc_Freq"));
    EXPECT_TRUE(enabled("cxTx_Freq") && enabled("cxTx_step") && enabled("cxTx_dec"));
    Click("cxRx_Ran");
    EXPECT_FALSE(enabled("cxRx_Dcts") || enabled("cxRx_Dcts_step") || enabled("cxRx_Dcts_asc"));
    Click("cxTx_Dcts_self");
    EXPECT_TRUE(enabled("cxTx_ran") && enabled("cxTx_Dcts") && enabled("cxTx_Dcts_dec"));
    Click("cxTx_ran");
    EXPECT_TRUE(enabled("cxTx_ran"));
    EXPECT_FALSE(enabled("cxTx_Dcts") || enabled("cxTx_Dcts_step"));
    Click("cxAll");
    EXPECT_FALSE(enabled("cxFrom") || enabled("cxTo"));
}

// The shipped language files give the batch and VFO windows titles of their own, not that of
// the channel edit window.
TEST_F(BatchEditTest, ShippedLanguageFilesTitleTheBatchAndVfoWindows) {
    TfFreqEdit vfo(document);
    TfChsEdit channel(document);
    for (const char* language : {"English", "Chinese"}) {
        std::string content;
        ASSERT_TRUE(ReadFileContents(std::string(ZORVA_LANG_DIR "/") + language + ".Ini", content));
        dir.Write(std::string(language) + ".Ini", content);
        All().LanguageName = language;
        for (QWidget* form : std::initializer_list<QWidget*>{&window, &vfo, &channel})
            LocaliseForm(*form, true);
        if (All().LanguageName == "English") {
            EXPECT_EQ(window.windowTitle(), "Batch Channel Edit");
            EXPECT_EQ(vfo.windowTitle(), "VFO Channels");
        }
        for (const QString& title : {window.windowTitle(), vfo.windowTitle()}) {
            EXPECT_NE(title, channel.windowTitle()) << language;
            EXPECT_GT(title.size(), 1) << language;
        }
    }
}

// Opened with rows of the channel table selected, the window starts from their range.
TEST_F(BatchEditTest, ChannelsSelectedInTheTableAreTheRange) {
    for (int n : {5, 7, 9})
        InitNewChannel(All(), n, "145.50000");
    TfChsInfo table(document);
    table.show();
    table.Actions().SelectChannels(5, 9);
    TfBatch opened(document);
    opened.show();
    EXPECT_TRUE(opened.findChild<QRadioButton*>("cxChs")->isChecked());
    EXPECT_EQ(opened.findChild<QSpinBox*>("cxFrom")->value(), 5);
    EXPECT_EQ(opened.findChild<QSpinBox*>("cxTo")->value(), 9);
    EXPECT_TRUE(opened.findChild<QSpinBox*>("cxFrom")->isEnabled());
}

} // namespace
} // namespace zorva
