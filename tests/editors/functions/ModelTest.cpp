// The model information dialog driven as a user does, and its result seen through the main
// window's new image.
#include "editors/functions/Model.h"

#include "TestSupport.h"
#include "core/Maindb.h"
#include "core/SafeFile.h"
#include "editors/functions/FunctionEditors.h"
#include "settings/UserMessages.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"
#include "shell/ui/MainFrm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <array>
#include <gtest/gtest.h>
#include <memory>

namespace zorva {
namespace {

using test::TempDir;

// Types into an edit as a user does and ends with Enter.
void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// A second catalogue entry: no third band, radio buttons instead of check boxes, a fourth
// band whose lower edge is fixed.
void AddCraftedModel() {
    auto model = std::make_unique<TMacType>("TST1", "Crafted Radio", 99);
    model->SetLimits(0, 134.0, 176.0);
    model->SetLimits(1, 400.0, 480.0);
    model->SetLimits(2, 200.0, 260.0);
    model->SetLimits(3, 320.0, 400.0);
    model->SetDefaults(0, true, 136.0, 174.0, true, true);
    model->SetDefaults(1, true, 410.0, 470.0, true, true);
    model->SetDefaults(2, true, 220.0, 260.0, true, false);
    model->SetDefaults(3, false, 350.0, 400.0, true, true);
    model->SetBandMasks(0x43, 0x41, false);
    MacList().Add(std::move(model));
}

class ModelTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
    }

    void Show() {
        dialog = std::make_unique<TfModel>(All());
        dialog->show();
    }

    template <typename T>
    T* Get(const QString& name) {
        T* child = dialog->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }
    QCheckBox* Use(int band) { return Get<QCheckBox>(QString("cxUse_%1").arg(band)); }
    QRadioButton* Sel(int band) { return Get<QRadioButton>(QString("cxSel_%1").arg(band)); }
    QLineEdit* Low(int band) { return Get<QLineEdit>(QString("cxFreq_%1L").arg(band)); }
    QLineEdit* High(int band) { return Get<QLineEdit>(QString("cxFreq_%1H").arg(band)); }
    QString Edges(int band) { return Low(band)->text() + " " + High(band)->text(); }
    void Ok() { Get<QPushButton>("btnOk")->click(); }

    TempDir dir;
    std::unique_ptr<TfModel> dialog;
};

TEST_F(ModelTest, CatalogueModelShowsItsFourBandsAsTheImageHoldsThem) {
    Show();
    EXPECT_EQ(dialog->windowTitle(), "Model Information");
    EXPECT_EQ(Get<QComboBox>("cxModel")->currentText(), "ZORVA-520SX");
    EXPECT_EQ(dialog->height(), 253);
    for (int band = 1; band <= 4; ++band) {
        EXPECT_TRUE(Get<QWidget>(QString("pRang%1").arg(band))->isVisible()) << band;
        EXPECT_EQ(Get<QLabel>(QString("lFreq_%1").arg(band))->text(),
                  QString("Freq. Range%1").arg(band));
        EXPECT_TRUE(Use(band)->isVisible()) << band;
        EXPECT_FALSE(Sel(band)->isVisible()) << band;
    }
    // The new image uses bands 1 to 3 with the model's default edges.
    EXPECT_TRUE(Use(1)->isChecked());
    EXPECT_TRUE(Use(2)->isChecked());
    EXPECT_TRUE(Use(3)->isChecked());
    EXPECT_FALSE(Use(4)->isChecked());
    EXPECT_EQ(Edges(1), "400.00000 520.00000");
    EXPECT_EQ(Edges(2), "136.00000 174.00000");
    EXPECT_EQ(Edges(3), "220.00000 260.00000");
    EXPECT_EQ(Edges(4), "350.00000 400.00000");
    EXPECT_TRUE(Low(2)->isEnabled());
    EXPECT_FALSE(Low(4)->isEnabled());
    EXPECT_FALSE(High(4)->isEnabled());
    // Hints: the limits on the edges, the initial range on the label.
    EXPECT_EQ(Low(2)->toolTip(), "134.00000");
    EXPECT_EQ(High(2)->toolTip(), "176.00000");
    EXPECT_EQ(Get<QLabel>("lFreq_2")->toolTip(), "136.00000-174.00000");
}

TEST_F(ModelTest, ImageBandsReplaceTheModelDefaultsUntilTheModelIsChosenAgain) {
    All().Image[kBandMaskByte] = 0x08; // band 2 only, by its high bit
    All().PutU32At(0x1208, 14000000);
    All().PutU32At(0x120C, 0x80000000u | 15000000u);
    Show();
    EXPECT_FALSE(Use(1)->isChecked());
    EXPECT_TRUE(Use(2)->isChecked());
    EXPECT_FALSE(Use(3)->isChecked());
    EXPECT_EQ(Edges(2), "140.00000 150.00000");
    EXPECT_FALSE(Low(1)->isEnabled());

    QComboBox* models = Get<QComboBox>("cxModel");
    models->setCurrentIndex(-1);
    models->setCurrentIndex(0);
    EXPECT_TRUE(Use(1)->isChecked());
    EXPECT_TRUE(Use(3)->isChecked());
    EXPECT_EQ(Edges(2), "136.00000 174.00000");
    EXPECT_TRUE(Low(1)->isEnabled());
}

TEST_F(ModelTest, NoBandFlagsInTheImageStartWithEveryBandCleared) {
    All().Image[kBandMaskByte] = 0x00;
    Show();
    for (int band = 1; band <= 4; ++band) {
        EXPECT_FALSE(Use(band)->isChecked()) << band;
        EXPECT_FALSE(Low(band)->isEnabled()) << band;
    }
}

TEST_F(ModelTest, TypedEdgesAreMovedIntoTheBandAndOntoTheGrid) {
    Show();
    Type(Low(2), "130");
    EXPECT_EQ(Low(2)->text(), "134.00000");
    Type(High(2), "180");
    EXPECT_EQ(High(2)->text(), "176.00000");
    Type(Low(2), "145.0037");
    EXPECT_EQ(Low(2)->text(), "145.00250");
    Type(Low(2), "145.0038");
    EXPECT_EQ(Low(2)->text(), "145.00500");
    Type(High(2), "150,5"); // a comma is typed as the decimal point
    EXPECT_EQ(High(2)->text(), "150.50000");

    // Above the upper edge: the lower edge comes down to it.
    Type(Low(2), "170");
    EXPECT_EQ(Edges(2), "150.50000 150.50000");
    // An emptied upper edge becomes the band's upper limit.
    Type(High(2), "");
    EXPECT_EQ(High(2)->text(), "176.00000");
    // Enter in an edge never closes the dialog.
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 0);
}

TEST_F(ModelTest, TextThatIsNoNumberKeepsTheEdge) {
    Show();
    Type(Low(2), "150");
    Type(Low(2), "1.2.3");
    EXPECT_EQ(Low(2)->text(), "150.00000");
    Ok();
    EXPECT_EQ(dialog->Chosen().BandLow[1], 150.0);
}

TEST_F(ModelTest, ClearingABandResetsItsEdgesFromItsLabel) {
    Show();
    Type(Low(2), "150");
    Type(High(2), "160");
    Use(2)->click();
    EXPECT_FALSE(Use(2)->isChecked());
    EXPECT_EQ(Edges(2), "136.00000 174.00000");
    EXPECT_FALSE(Low(2)->isEnabled());
    EXPECT_FALSE(High(2)->isEnabled());
    Use(2)->click();
    EXPECT_TRUE(Low(2)->isEnabled());
    EXPECT_EQ(Edges(2), "136.00000 174.00000");
}

TEST_F(ModelTest, OkWithoutABandShowsTheMessageAndStaysOpen) {
    ScriptedMessages messages;
    Show();
    Type(Low(1), "410");
    for (int band = 1; band <= 3; ++band)
        Use(band)->click();
    const std::array<double, 4> before = All().BandLow;
    // Band 4 alone is not a usable band of this model.
    Use(4)->click();
    Ok();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Caution");
    EXPECT_EQ(messages.shown[0].text, "The frequency number is wrong!");
    EXPECT_EQ(messages.shown[0].kind, kMsgInfo);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->ModelAccepted());
    EXPECT_EQ(dialog->Chosen().BandMask, 0x15);
    EXPECT_EQ(dialog->Chosen().BandLow, before);
    // The dialog keeps what was chosen: the user can go on from there.
    EXPECT_TRUE(Use(4)->isChecked());

    Use(1)->click();
    EXPECT_EQ(Edges(1), "400.00000 520.00000");
    Ok();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(dialog->ModelAccepted());
}

TEST_F(ModelTest, OkHandsTheCheckedBandsOver) {
    Show();
    Type(Low(1), "410");
    Type(High(3), "250");
    Use(2)->click();
    Use(4)->click(); // not a band of the model's mask: ignored
    All().ImageModelIdent = "XXXX";
    Ok();
    EXPECT_TRUE(dialog->ModelAccepted());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->Chosen().BandMask, 0x11);
    EXPECT_EQ(dialog->Chosen().BandLow, (std::array<double, 4>{410.0, 0.0, 220.0, 0.0}));
    EXPECT_EQ(dialog->Chosen().BandHigh, (std::array<double, 4>{520.0, 0.0, 250.0, 0.0}));
    EXPECT_EQ(dialog->Chosen().ImageModelIdent, "KQ57");
    EXPECT_FALSE(All().Modified);
}

TEST_F(ModelTest, AnEdgeTypedWithoutEnterCountsOnOk) {
    Show();
    Low(2)->selectAll();
    QTest::keyClicks(Low(2), "100");
    Ok();
    EXPECT_EQ(dialog->Chosen().BandLow[1], 134.0);
}

TEST_F(ModelTest, AModelWithoutBandChoiceOffersOneBandByRadioButtons) {
    AddCraftedModel();
    All().ModelName = "Crafted Radio";
    Show();
    EXPECT_EQ(Get<QComboBox>("cxModel")->currentText(), "Crafted Radio");
    // Three bands: the fourth is numbered 3.
    EXPECT_EQ(dialog->height(), 49 + 41 + 35 + 3 * 32);
    EXPECT_FALSE(Get<QWidget>("pRang3")->isVisible());
    EXPECT_EQ(Get<QLabel>("lFreq_4")->text(), "Freq. Range3");
    for (int band : {1, 2, 4}) {
        EXPECT_TRUE(Sel(band)->isVisible()) << band;
        EXPECT_FALSE(Use(band)->isVisible()) << band;
        EXPECT_EQ(Sel(band)->x(), Use(band)->x()) << band;
    }
    EXPECT_TRUE(Sel(1)->isEnabled());
    EXPECT_FALSE(Sel(2)->isEnabled());
    EXPECT_TRUE(Sel(4)->isEnabled());
    // The image's first band in use is the one offered; band 4's lower edge is fixed.
    EXPECT_TRUE(Sel(1)->isChecked());
    EXPECT_TRUE(Low(4)->isReadOnly());
    EXPECT_FALSE(High(4)->isReadOnly());

    Sel(4)->click();
    EXPECT_FALSE(Sel(1)->isChecked());
    EXPECT_TRUE(High(4)->isEnabled());
    EXPECT_FALSE(Low(1)->isEnabled());
    Type(High(4), "390");
    Ok();
    EXPECT_EQ(dialog->Chosen().BandMask, 0x40);
    EXPECT_EQ(dialog->Chosen().BandLow, (std::array<double, 4>{0.0, 0.0, 0.0, 350.0}));
    EXPECT_EQ(dialog->Chosen().BandHigh, (std::array<double, 4>{0.0, 0.0, 0.0, 390.0}));
    EXPECT_EQ(dialog->Chosen().ImageModelIdent, "TST1");
}

TEST_F(ModelTest, BandCaptionsFollowTheLanguage) {
    std::string content;
    ASSERT_TRUE(ReadFileContents(ZORVA_LANG_DIR "/Chinese.Ini", content));
    dir.Write("Chinese.Ini", content);
    All().LanguageName = "Chinese";
    All().LanguageId = 1;
    Show();
    EXPECT_EQ(Get<QLabel>("lFreq_1")->text(), QString::fromUtf8("频段1"));
    EXPECT_EQ(Get<QLabel>("lFreq_4")->text(), QString::fromUtf8("频段4"));
    // Model names are never translated.
    EXPECT_EQ(Get<QComboBox>("cxModel")->currentText(), "ZORVA-520SX");
}

// The main window's model command: the accepted dialog's choice becomes the new image.
class ModelCommandTest : public ModelTest {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        DataModuleCreate(TheMaindb(), dir.Path());
        form = std::make_unique<TfMainFrm>();
        form->portLister = [] { return std::vector<ListedPort>{}; };
        RegisterFunctionEditors(*form);
        form->execDialog = [this](QDialog& shown) {
            if (shown.objectName() != "fModel") return int(QDialog::Rejected);
            ++runs;
            shown.show();
            if (choose) {
                auto* model = static_cast<TfModel*>(&shown);
                Type(model->findChild<QLineEdit*>("cxFreq_1L"), "410");
                Type(model->findChild<QLineEdit*>("cxFreq_3H"), "250.0025");
                model->findChild<QCheckBox*>("cxUse_2")->click();
                model->findChild<QPushButton*>("btnOk")->click();
            } else {
                shown.findChild<QPushButton*>("btnCancel")->click();
            }
            return shown.result();
        };
        form->show();
    }

    std::unique_ptr<TfMainFrm> form;
    int runs = 0;
    bool choose = true;
};

TEST_F(ModelCommandTest, AcceptedOverChangedDataAsksAndBuildsTheChosenImage) {
    ScriptedMessages messages({kResultYes, kResultNo});
    All().Modified = true;
    All().Image[0x100] = 0x42;
    form->RunCommand(cmd::Model);
    ASSERT_EQ(runs, 1);
    ASSERT_GE(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Do you wish to Clear Data?");
    EXPECT_EQ(messages.shown[0].kind, kMsgYesNo);

    const auto& image = All().Image;
    EXPECT_NE(image[0x100], 0x42);
    EXPECT_EQ(image[kBandMaskByte], 0x11);
    EXPECT_EQ(All().U32At(0x1200), 41000000u);
    EXPECT_EQ(All().U32At(0x1204), 52000000u);
    EXPECT_EQ(All().U32At(0x1208), 0u);
    EXPECT_EQ(All().U32At(0x120C), 0u);
    EXPECT_EQ(All().U32At(0x1210), 22000000u);
    EXPECT_EQ(All().U32At(0x1214), 25000250u);
    EXPECT_EQ(All().BandLow, (std::array<double, 4>{410.0, 0.0, 220.0, 0.0}));
    EXPECT_EQ(All().BandSummary, "410.00000 - 520.00000/220.00000 - 250.00250MHz");
    EXPECT_FALSE(All().Modified);
}

TEST_F(ModelCommandTest, DeclinedClearingOrCancelKeepsTheImage) {
    ScriptedMessages messages({kResultNo});
    All().Modified = true;
    All().Image[0x100] = 0x42;
    const std::array<double, 4> low = All().BandLow;
    const std::array<double, 4> high = All().BandHigh;
    form->RunCommand(cmd::Model);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(All().Image[0x100], 0x42);
    EXPECT_TRUE(All().Modified);
    // The ranges in effect still describe the image that stays, not the declined choice.
    EXPECT_EQ(All().BandMask, 0x15);
    EXPECT_EQ(All().BandLow, low);
    EXPECT_EQ(All().BandHigh, high);
    EXPECT_EQ(All().ImageModelIdent, "KQ57");

    choose = false;
    form->RunCommand(cmd::Model);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(All().Image[0x100], 0x42);
}

TEST_F(ModelCommandTest, AcceptedOverUnchangedDataBuildsTheImageWithoutAsking) {
    ScriptedMessages messages;
    All().Modified = false;
    form->RunCommand(cmd::Model);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(All().Image[kBandMaskByte], 0x11);
    EXPECT_EQ(All().U32At(0x1200), 41000000u);
}

} // namespace
} // namespace zorva
