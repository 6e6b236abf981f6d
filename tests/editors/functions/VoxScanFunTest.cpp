// The VOX and scan windows against the settings bytes they edit.
#include "TestSupport.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "editors/functions/ScanFun.h"
#include "editors/functions/VoxFun.h"
#include "shell/Startup.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace zorva {
namespace {

using test::TempDir;

constexpr int kVoxByte = 0x11C0;
constexpr int kScanByte = 0x11C2;
constexpr int kDropoutByte = 0x11C3;
constexpr int kPriorityByte = 0x11C4;

QComboBox* List(QWidget& window, const char* name) {
    auto* list = window.findChild<QComboBox*>(name);
    EXPECT_NE(list, nullptr) << name;
    return list;
}

void Choose(QWidget& window, const char* name, const QString& item) {
    QComboBox* list = List(window, name);
    const int index = list->findText(item);
    ASSERT_GE(index, 0) << name << " " << item.toStdString();
    list->setCurrentIndex(index);
}

class VoxScanFunTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
        ASSERT_EQ(All().ChannelCount, 128);
        document.ForgetHistory();
    }

    TempDir dir;
    RadioDocument document{All(), MacList()};
};

TEST_F(VoxScanFunTest, ANewImageShowsTheDefaultsAndClosingUnchangedTouchesNothing) {
    const auto before = All().Image;
    TfVoxFun vox{document};
    vox.show();
    EXPECT_EQ(vox.objectName(), "fVoxFun");
    EXPECT_EQ(vox.windowTitle(), "Vox Function");
    EXPECT_EQ(List(vox, "cxVoxLv")->currentText(), "5");
    EXPECT_EQ(List(vox, "cxVoxDv")->currentText(), "0.5");
    EXPECT_EQ(List(vox, "cxVoxRs")->currentText(), "Yes");
    EXPECT_TRUE(List(vox, "cxVoxRs")->isHidden());
    EXPECT_TRUE(vox.findChild<QLabel*>("L3")->isHidden());
    EXPECT_EQ(List(vox, "cxVoxLv")->property("tag").toInt(), -3);
    QTest::mouseClick(vox.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
    EXPECT_FALSE(vox.isVisible());

    TfScanFun scan{document};
    scan.show();
    EXPECT_EQ(scan.objectName(), "fScanFun");
    EXPECT_EQ(scan.windowTitle(), "Scan Information");
    EXPECT_EQ(List(scan, "cxScanMode")->currentText(), "CO");
    EXPECT_EQ(List(scan, "cxScanRate")->currentText(), "100");
    EXPECT_EQ(List(scan, "cxScanRate")->count(), 9);
    EXPECT_EQ(List(scan, "cxScanRate")->itemText(8), "500");
    EXPECT_EQ(List(scan, "cxScanBack")->currentText(), "15");
    EXPECT_EQ(List(scan, "cxScanBack")->count(), 28);
    EXPECT_EQ(List(scan, "cxScanPris")->currentText(), "OFF");
    QTest::mouseClick(scan.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
    EXPECT_FALSE(scan.isVisible());

    EXPECT_TRUE(All().Image == before);
    EXPECT_FALSE(All().Modified);
}

TEST_F(VoxScanFunTest, TheVoxByteKeepsItsHiddenAndUnusedBits) {
    All().Image[kVoxByte] = 0x94;
    TfVoxFun vox{document};
    vox.show();
    EXPECT_EQ(List(vox, "cxVoxLv")->currentText(), "5");
    EXPECT_EQ(List(vox, "cxVoxDv")->currentText(), "0.5");
    EXPECT_EQ(List(vox, "cxVoxRs")->currentText(), "Yes");
    Choose(vox, "cxVoxDv", "3.0");
    EXPECT_EQ(All().Image[kVoxByte], 0xF4);
    EXPECT_TRUE(All().Modified);
    Choose(vox, "cxVoxLv", "9");
    EXPECT_EQ(All().Image[kVoxByte], 0xF8);
    List(vox, "cxVoxRs")->setCurrentIndex(0);
    EXPECT_EQ(All().Image[kVoxByte], 0x78);

    // A gain code beyond the list shows nothing and stays when the delay changes.
    All().Image[kVoxByte] = 0x0C;
    TfVoxFun again{document};
    again.show();
    EXPECT_EQ(List(again, "cxVoxLv")->currentIndex(), -1);
    Choose(again, "cxVoxDv", "1.0");
    EXPECT_EQ(All().Image[kVoxByte], 0x2C);
}

TEST_F(VoxScanFunTest, ScanFieldsAreWrittenAsTheirItemPositions) {
    All().Image[kDropoutByte] = 0;
    TfScanFun scan{document};
    scan.show();
    EXPECT_EQ(List(scan, "cxScanBack")->currentText(), "3");
    Choose(scan, "cxScanBack", "30");
    EXPECT_EQ(All().Image[kDropoutByte], 27);
    EXPECT_TRUE(All().Modified);
    Choose(scan, "cxScanPris", "128");
    EXPECT_EQ(All().Image[kPriorityByte], 128);
    Choose(scan, "cxScanPris", "OFF");
    EXPECT_EQ(All().Image[kPriorityByte], 0);
    Choose(scan, "cxScanMode", "SE");
    Choose(scan, "cxScanRate", "450");
    EXPECT_EQ(All().Image[kScanByte], 0x72);
}

TEST_F(VoxScanFunTest, CodesWithoutAnItemShowNothingAndAreKept) {
    All().Image[kScanByte] = 0x9F; // speed 9, mode 15
    All().Image[kDropoutByte] = 200;
    All().Image[kPriorityByte] = 129; // passes the range check, yet has no channel
    TfScanFun scan{document};
    scan.show();
    for (const char* name : {"cxScanMode", "cxScanRate", "cxScanBack", "cxScanPris"})
        EXPECT_EQ(List(scan, name)->currentIndex(), -1) << name;
    Choose(scan, "cxScanMode", "TO");
    EXPECT_EQ(All().Image[kScanByte], 0x91);
    EXPECT_EQ(All().Image[kDropoutByte], 200);
    EXPECT_EQ(All().Image[kPriorityByte], 129);
}

TEST_F(VoxScanFunTest, ThePriorityListHoldsEachChannelOnceHoweverOftenItIsShown) {
    for (int round = 0; round < 2; ++round) {
        TfScanFun scan{document};
        scan.show();
        QComboBox* list = List(scan, "cxScanPris");
        ASSERT_EQ(list->count(), 129);
        EXPECT_EQ(list->itemText(0), "OFF");
        EXPECT_EQ(list->itemText(128), "128");
        scan.ShowLists();
        EXPECT_EQ(list->count(), 129);
        scan.close();
    }
    EXPECT_FALSE(All().Modified);

    All().ChannelCount = 16;
    All().Image[kPriorityByte] = 16;
    TfScanFun smaller{document};
    smaller.show();
    EXPECT_EQ(List(smaller, "cxScanPris")->count(), 17);
    EXPECT_EQ(List(smaller, "cxScanPris")->currentText(), "16");
}

TEST_F(VoxScanFunTest, OnlyTheFirstGainItemIsLocalised) {
    dir.Write("Chinese.Ini", "[fVoxFun]\ncxVoxLv.0=A\ncxVoxLv.1=B\ncxVoxDv.0=C\n"
                             "[fScanFun]\ncxScanPris.0=D\nlx04.Caption=E\n");
    All().LanguageId = 1;
    All().LanguageName = "Chinese";
    TfVoxFun vox{document};
    vox.show();
    EXPECT_EQ(List(vox, "cxVoxLv")->itemText(0), "A");
    EXPECT_EQ(List(vox, "cxVoxLv")->itemText(1), "2");
    EXPECT_EQ(List(vox, "cxVoxDv")->currentText(), "C");
    TfScanFun scan{document};
    scan.show();
    EXPECT_EQ(List(scan, "cxScanPris")->currentText(), "D");
    EXPECT_EQ(List(scan, "cxScanPris")->count(), 129);
    EXPECT_EQ(scan.findChild<QLabel*>("lx04")->text(), "E");
    EXPECT_FALSE(All().Modified);
}

} // namespace
} // namespace zorva
