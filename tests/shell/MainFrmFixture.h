// The main window's test fixture: a main window made for real, without a display, with
// scripted dialogs and messages.
#pragma once

#include "TestSupport.h"
#include "VirtualRadioProcess.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "link/PtyPair.h"
#include "link/ui/TransferDialog.h"
#include "settings/ui/ShowMsg.h"
#include "shell/DataFile.h"
#include "shell/Startup.h"
#include "shell/ui/MainFrm.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace zorva::test {

// Stand-ins for the channel table and the channel edit window; the table counts how often it
// was asked to store what is being typed.
struct FakeTable : QWidget, EditingWindow {
    void FinishEditing() override { ++deactivations; }
    int deactivations = 0;
};
struct FakeEdit : QWidget {};

class MainFrmTest : public testing::Test {
protected:
    void SetUp() override {
        // Closing the main window must not end the tests' application.
        QApplication::setQuitOnLastWindowClosed(false);
        DataModuleCreate(TheMaindb(), dir.Path());
        form = MakeForm();
        form->show();
        WaitForPorts();
    }

    // The port is chosen once the window has been painted.
    void WaitForPorts() {
        auto* ports = form->findChild<QComboBox*>("cbCom");
        test::WaitFor([ports] { return ports->count() > 0; }, 5000);
    }

    std::unique_ptr<TfMainFrm> MakeForm() {
        auto made = std::make_unique<TfMainFrm>();
        made->portLister = [] {
            return std::vector<ListedPort>{{3, "COM3", "/dev/ttyUSB0", ""},
                                           {5, "COM5", "/dev/ttyUSB1", ""}};
        };
        made->openDialog = [this] {
            ++openDialogs;
            return QString::fromStdString(openPath);
        };
        made->saveDialog = [this] {
            ++saveDialogs;
            return QString::fromStdString(savePath);
        };
        made->execDialog = [this](QDialog& dialog) {
            dialogs.push_back(dialog.objectName().toStdString());
            return onDialog ? onDialog(dialog) : int(QDialog::Rejected);
        };
        made->RegisterChildWindow(cmd::ChsInfo,
                                  [this](RadioDocument&) { return table = new FakeTable; });
        made->RegisterChildWindow(cmd::ChsEdit,
                                  [this](RadioDocument&) { return edit = new FakeEdit; });
        return made;
    }

    // A data file of the registered model with a changed image byte.
    std::string GoodFile(const std::string& name) {
        auto db = test::MakeStartedDb();
        db->All.Image[0x100] = 0x42;
        EXPECT_TRUE(SaveDataFile(db->All, dir.File(name)));
        return dir.Read(name);
    }
    void Run(int command) { form->RunCommand(command); }
    // The read and write dialogs run to their end, started by their OK button.
    void ClickOkInTransferDialogs() {
        onDialog = [](QDialog& dialog) {
            dialog.show();
            auto& transfer = dynamic_cast<TransferDialog&>(dialog);
            test::WaitFor([&] { return transfer.Port().IsOpen(); }, 5000);
            QTest::mouseClick(dialog.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
            test::WaitFor([&] { return !dialog.isVisible(); }, 60000);
            return dialog.result();
        };
    }
    // Every node of the tree shows its whole text.
    void ExpectTreeNodesFit() const {
        auto* tree = form->findChild<QTreeWidget*>("cxTree");
        QCoreApplication::processEvents();
        const int icon = tree->style()->pixelMetric(QStyle::PM_SmallIconSize);
        QTreeWidgetItem* root = tree->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i) {
            const QString text = root->child(i)->text(0);
            EXPECT_LE(tree->visualItemRect(root->child(i)).left() + icon +
                          tree->fontMetrics().horizontalAdvance(text),
                      tree->viewport()->width())
                << text.toStdString();
        }
    }
    // The caption as the desktop shows it (the unsaved-changes mark drawn or left out).
    QString Caption() const { return form->windowHandle()->title(); }

    TempDir dir;
    std::unique_ptr<TfMainFrm> form;
    std::string openPath, savePath;
    int openDialogs = 0, saveDialogs = 0;
    std::vector<std::string> dialogs;
    std::function<int(QDialog&)> onDialog;
    QPointer<FakeTable> table;
    QPointer<FakeEdit> edit;
};

} // namespace zorva::test
