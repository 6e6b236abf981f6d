// The radio information window against the image's model, bands, serial number and write time.
#include "editors/functions/InfoMsg.h"

#include "TestSupport.h"
#include "codec/DerivedFields.h"
#include "core/Maindb.h"
#include "core/TAll.h"
#include "document/RadioDocument.h"
#include "shell/Startup.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace zorva {
namespace {

using test::TempDir;

class InfoMsgTest : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
        All().Modified = false;
        document.ForgetHistory();
    }

    QString Text(const char* name) const {
        auto* edit = window.findChild<QLineEdit*>(name);
        EXPECT_NE(edit, nullptr) << name;
        return edit ? edit->text() : QString();
    }

    TempDir dir;
    RadioDocument document{All(), MacList()};
    TfInfoMsg window{document};
};

TEST_F(InfoMsgTest, ShowsTheImageReadOnlyAndChangesNothing) {
    const auto before = All().Image;
    window.show();
    EXPECT_EQ(window.objectName(), "fInfoMsg");
    EXPECT_EQ(window.windowTitle(), "Radio Information");
    EXPECT_EQ(Text("cxModel").toStdString(), All().ModelName);
    EXPECT_EQ(Text("cxFreq").toStdString(), All().BandSummary);
    // A new image carries the time it was made.
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(Text("cxRadioTime"))
                    .hasMatch())
        << Text("cxRadioTime").toStdString();
    EXPECT_EQ(Text("cxRadioTime").toStdString(), WriteTimeText(All()));

    const QColor buttonFace = window.palette().color(QPalette::Button);
    for (const char* name : {"cxModel", "cxFreq", "cxSerial", "cxRadioTime"}) {
        auto* edit = window.findChild<QLineEdit*>(name);
        ASSERT_NE(edit, nullptr) << name;
        EXPECT_TRUE(edit->isReadOnly()) << name;
        EXPECT_EQ(edit->palette().color(QPalette::Base), buttonFace) << name;
    }
    EXPECT_EQ(window.findChild<QLineEdit*>("cxSerial")->maxLength(), 16);
    EXPECT_TRUE(window.findChild<QPushButton*>("btnOk")->isHidden());
    EXPECT_EQ(All().Image, before);
    EXPECT_FALSE(All().Modified);
}

TEST_F(InfoMsgTest, SerialNumberShowsLettersAndDigitsOnly) {
    const uint8_t serial[] = {'A', 'B', '1', '2', '-', '9'};
    std::fill_n(&All().Image[kSerialNumber], kSerialLength, 0xFF);
    std::copy(std::begin(serial), std::end(serial), &All().Image[kSerialNumber]);
    window.show();
    EXPECT_EQ(Text("cxSerial"), "AB12 9" + QString(10, ' '));

    const uint8_t lower[] = {'z', 'x', '0', 0x00, 0xC9, 'q'};
    std::copy(std::begin(lower), std::end(lower), &All().Image[kSerialNumber]);
    window.ShowInfo();
    EXPECT_EQ(Text("cxSerial"), "ZX0  Q" + QString(10, ' '));
}

TEST_F(InfoMsgTest, ShowsTheStoredWriteTimeAndTheBandsInUse) {
    const uint8_t time[] = {0xE8, 0x07, 0x03, 0x05, 0x07, 0x08, 0x09};
    std::copy(std::begin(time), std::end(time), &All().Image[kWriteTime]);
    // The first and the third band, with ranges of their own.
    All().PutU32At(kBandRanges, 41000000);
    All().PutU32At(kBandRanges + 4, 47000000);
    All().PutU32At(kBandRanges + 16, 22000000);
    All().PutU32At(kBandRanges + 20, 25000000);
    All().Image[kBandMaskByte] = 0x11;
    DeriveBandRanges(All(), MacList());
    window.show();
    EXPECT_EQ(Text("cxRadioTime"), "2024-03-05 07:08:09");
    EXPECT_EQ(Text("cxFreq"), "410.00000 - 470.00000/220.00000 - 250.00000MHz");
}

TEST_F(InfoMsgTest, CloseButtonClosesItsSubWindow) {
    QMdiArea area;
    auto* info = new TfInfoMsg(document);
    QMdiSubWindow* frame = area.addSubWindow(info);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    area.show();
    frame->show();
    EXPECT_EQ(frame->pos(), QPoint(20, 20));
    QTest::mouseClick(info->findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

} // namespace
} // namespace zorva
