// Every child window opens at the same place in the main window's area and its Close button
// closes the frame around it.
#include "editors/ChildWindow.h"

#include "TestSupport.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "editors/channels/BatchEdit.h"
#include "editors/channels/ChsEdit.h"
#include "editors/channels/FreqEdit.h"
#include "editors/functions/DtmfFun.h"
#include "editors/functions/FmFun.h"
#include "editors/functions/InfoMsg.h"
#include "editors/functions/OptFun.h"
#include "editors/functions/ScanFun.h"
#include "editors/functions/VoxFun.h"
#include "shell/Startup.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace zorva {
namespace {

struct Window {
    const char* closeButton;
    std::function<QWidget*()> create;
};

TEST(ChildWindow, EachWindowOpensAtItsPlaceAndItsCloseButtonClosesTheFrame) {
    test::TempDir dir;
    DataModuleCreate(TheMaindb(), dir.Path());
    StartImage(TheMaindb());
    RadioDocument doc(All(), MacList());
    const std::vector<Window> windows = {
        {"btnClose", [&] { return new TfFreqEdit(doc); }},
        {"btnClose", [&] { return new TfChsEdit(doc); }},
        {"btnCancel", [&] { return new TfBatch(doc); }},
        {"btnCancel", [&] { return new TfDtmfFun(doc); }},
        {"btnCancel", [&] { return new TfFmFun(doc); }},
        {"btnCancel", [&] { return new TfInfoMsg(doc); }},
        {"btnCancel", [&] { return new TfOptFun(doc); }},
        {"btnCancel", [&] { return new TfVoxFun(doc); }},
        {"btnCancel", [&] { return new TfScanFun(doc); }},
    };
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    for (const Window& window : windows) {
        QWidget* form = window.create();
        const std::string name = form->objectName().toStdString();
        QMdiSubWindow* frame = area.addSubWindow(form);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->move(200, 100);
        frame->show();
        EXPECT_EQ(frame->pos(), QPoint(20, 20)) << name;
        auto* close = form->findChild<QPushButton*>(window.closeButton);
        ASSERT_NE(close, nullptr) << name;
        QTest::mouseClick(close, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(area.subWindowList().isEmpty()) << name;
    }
    EXPECT_FALSE(All().Modified);
}

TEST(ChildWindow, AWindowWithoutAFrameStaysWhereItIsAndClosesItself) {
    QWidget form;
    form.move(70, 80);
    form.show();
    PlaceChildWindow(form);
    EXPECT_EQ(form.pos(), QPoint(70, 80));
    QPushButton* close = AddCloseButton(form, "btnClose");
    EXPECT_EQ(close->text(), "&Close");
    close->click();
    EXPECT_FALSE(form.isVisible());

    bool shown = false;
    EXPECT_TRUE(FirstShow(shown));
    EXPECT_FALSE(FirstShow(shown));
    EXPECT_TRUE(shown);
}

} // namespace
} // namespace zorva
