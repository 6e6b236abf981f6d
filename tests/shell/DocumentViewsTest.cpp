// Every open window shows what the image holds, whoever changed it, so that a change made in
// it later never stores old values back; and the views agree on the current channel, the
// active window and the shown panes.
#include "TestSupport.h"
#include "VirtualRadioProcess.h"
#include "codec/ChannelRecord.h"
#include "codec/OptionCodes.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "editors/channels/ChannelEditors.h"
#include "editors/channels/ChannelTableActions.h"
#include "editors/channels/ChannelTableModel.h"
#include "editors/channels/ChsInfo.h"
#include "editors/functions/FunctionEditors.h"
#include "link/PtyPair.h"
#include "link/ui/TransferDialog.h"
#include "settings/ui/ShowMsg.h"
#include "shell/DataFile.h"
#include "shell/Startup.h"
#include "shell/ui/MainFrm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

namespace zorva {
namespace {

constexpr int kChannel = 5;

class DocumentViewsTest : public testing::Test {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        DataModuleCreate(TheMaindb(), dir.Path());
        form = std::make_unique<TfMainFrm>();
        form->portLister = [] { return std::vector<ListedPort>{}; };
        form->execDialog = [this](QDialog& dialog) {
            return onDialog ? onDialog(dialog) : int(QDialog::Rejected);
        };
        RegisterChannelEditors(*form);
        RegisterFunctionEditors(*form);
        form->resize(1100, 760);
        form->show();
        Doc().Change("set up", [](TALL& all) {
            for (int channel : {kChannel, kChannel + 1, 9})
                InitNewChannel(all, channel, "145.50000");
            WriteField(all, kPriorityChannel, kChannel);
        });
        Doc().ForgetHistory();
        Doc().SetCurrentChannel(kChannel);
    }
    RadioDocument& Doc() { return form->Document(); }
    TfChsInfo& Table() {
        form->RunCommand(cmd::ChsInfo);
        return dynamic_cast<TfChsInfo&>(*form->ChildWindow(cmd::ChsInfo)->widget());
    }
    template <typename T>
    T* Control(int window, const char* name) {
        form->RunCommand(window);
        T* control = form->ChildWindow(window)->widget()->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    // The saved file read back on its own: what the windows stored, whatever they show.
    TALL Saved() {
        const std::string path = dir.File("saved.dat");
        EXPECT_TRUE(SaveDataFile(Doc().State(), path));
        auto db = test::MakeStartedDb();
        EXPECT_TRUE(LoadDataFile(db->All, db->MacList, path));
        return db->All;
    }
    static TChannel ChannelOf(const TALL& all, int channel) {
        TChannel c;
        EXPECT_TRUE(LoadChannel(all, channel, c)) << channel;
        return c;
    }

    test::TempDir dir;
    ScriptedMessages messages;
    std::unique_ptr<TfMainFrm> form;
    std::function<int(QDialog&)> onDialog;
};

// Each row: a window is open; something else changes what it shows; the window shows that;
// then a change in the window itself is stored with the other change kept.
TEST_F(DocumentViewsTest, AnOpenWindowShowsEveryChangeAndStoresNoOldValueBack) {
    struct Row {
        const char* what;
        int window;
        const char* control;
        std::function<void()> elsewhere;
        QString shown;
        std::function<void()> own;
        std::function<void(const TALL&)> check;
    };
    const auto combo = [this](int window, const char* name) {
        return Control<QComboBox>(window, name);
    };
    const int voxGain = ReadField(Doc().State(), kVoxGain);
    const QString voxGainShown = combo(cmd::VoxFun, "cxVoxLv")->currentText();
    const std::vector<Row> rows{
        {"a row moved in the table: the priority channel follows it", cmd::ScanFun, "cxScanPris",
         [&] {
             Table().Actions().SelectChannels(kChannel, kChannel);
             Table().Actions().Move(+1);
         },
         QString::number(kChannel + 1),
         [&] { combo(cmd::ScanFun, "cxScanRate")->setCurrentIndex(3); },
         [](const TALL& all) {
             EXPECT_EQ(ReadField(all, kPriorityChannel), kChannel + 1);
             EXPECT_EQ(ReadField(all, kScanSpeed), 3);
         }},
        {"a name typed into the table", cmd::ChsEdit, "cxNameSv",
         [&] {
             Table().Model().setData(Table().Cell(kChannel, kFieldName), "TABLE", Qt::EditRole);
         },
         "TABLE", [&] { Control<QCheckBox>(cmd::ChsEdit, "cxBclo")->click(); },
         [](const TALL& all) {
             EXPECT_EQ(ChannelOf(all, kChannel).Name, "TABLE");
             EXPECT_EQ(ChannelOf(all, kChannel).BusyLock, 0);
         }},
        {"a batch edit of every channel", cmd::ChsEdit, "cxPwrv",
         [&] {
             combo(cmd::Batch, "cxPower")->setCurrentIndex(0);
             Control<QPushButton>(cmd::Batch, "btnOk")->click();
         },
         "Low", [&] { Control<QCheckBox>(cmd::ChsEdit, "cxVoxs")->click(); },
         [](const TALL& all) {
             EXPECT_EQ(ChannelOf(all, kChannel).Power, 0);
             EXPECT_EQ(ChannelOf(all, kChannel).Vox, 0);
         }},
        {"an undo", cmd::VoxFun, "cxVoxLv",
         [&] {
             Doc().WriteSetting("vox", kVoxGain, voxGain == 7 ? 6 : 7);
             form->RunCommand(cmd::Undo);
         },
         voxGainShown, [&] { combo(cmd::VoxFun, "cxVoxDv")->setCurrentIndex(2); },
         [&](const TALL& all) {
             EXPECT_EQ(ReadField(all, kVoxGain), voxGain);
             EXPECT_EQ(ReadField(all, kVoxDelay), 2);
         }},
        {"a redo", cmd::OptFun, "cxSqlLv",
         [&] {
             Doc().WriteSetting("squelch", kSquelch, 7);
             form->RunCommand(cmd::Undo);
             form->RunCommand(cmd::Redo);
         },
         "7", [&] { combo(cmd::OptFun, "cxTotSv")->setCurrentIndex(2); },
         [](const TALL& all) {
             EXPECT_EQ(ReadField(all, kSquelch), 7);
             EXPECT_EQ(ReadField(all, kTxTimeOut), 2);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Doc().SetCurrentChannel(kChannel);
        form->RunCommand(row.window);
        QWidget* control =
            form->ChildWindow(row.window)->widget()->findChild<QWidget*>(row.control);
        ASSERT_NE(control, nullptr) << row.control;
        row.elsewhere();
        const auto* list = qobject_cast<QComboBox*>(control);
        const auto* line = qobject_cast<QLineEdit*>(control);
        EXPECT_EQ(list ? list->currentText() : line->text(), row.shown);
        row.own();
        row.check(Saved());
    }
}

// Through the virtual radio: an end-to-end suite.
class DocumentViewsRead : public DocumentViewsTest {};

TEST_F(DocumentViewsRead, AReadShowsInEveryOpenWindow) {
    // The radio holds another channel 5, scan speed, VOX gain and FM range.
    {
        auto db = test::MakeStartedDb();
        InitNewChannel(db->All, kChannel, "440.12500");
        WriteField(db->All, kScanSpeed, 4);
        WriteField(db->All, kVoxGain, 5);
        ASSERT_TRUE(SaveDataFile(db->All, dir.File("radio.dat")));
    }
    test::VirtualRadio sim({"--load", dir.File("radio.dat")});
    ASSERT_FALSE(sim.Path().empty());
    All().PortName = sim.Path();
    All().CurrentChannel = kChannel;
    QComboBox* speed = Control<QComboBox>(cmd::ScanFun, "cxScanRate");
    QComboBox* gain = Control<QComboBox>(cmd::VoxFun, "cxVoxLv");
    QLineEdit* rx = Control<QLineEdit>(cmd::ChsEdit, "cxRxSv");
    onDialog = [](QDialog& dialog) {
        dialog.show();
        auto& transfer = dynamic_cast<TransferDialog&>(dialog);
        test::WaitFor([&] { return transfer.Port().IsOpen(); }, 5000);
        QTest::mouseClick(dialog.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
        test::WaitFor([&] { return !dialog.isVisible(); }, 60000);
        return dialog.result();
    };
    form->RunCommand(cmd::Read);
    EXPECT_EQ(speed->currentIndex(), 4);
    EXPECT_EQ(gain->currentIndex(), 5);
    EXPECT_EQ(rx->text(), "440.12500");
    EXPECT_EQ(Table().Cell(kChannel, kFieldRxFreq).data().toString(), "440.12500");
}

// The current channel, the active window and the tree's pane each have one place, and every
// view follows it.
TEST_F(DocumentViewsTest, TheViewsAgreeOnTheCurrentChannelTheActiveWindowAndThePanes) {
    TfChsInfo& table = Table();
    table.Grid()->setCurrentIndex(table.Cell(1, kFieldRxFreq));
    Doc().SetCurrentChannel(7);
    QComboBox* channels = Control<QComboBox>(cmd::ChsEdit, "cxChs");
    EXPECT_EQ(channels->currentText(), "7");
    EXPECT_EQ(table.Grid()->currentIndex().row(), 7 - 1);
    channels->setCurrentIndex(8); // channel 9 chosen in the channel edit window
    EXPECT_EQ(table.Grid()->currentIndex().row(), 9 - 1);
    EXPECT_EQ(Doc().CurrentChannel(), 9);

    auto* tree = form->findChild<QTreeWidget*>("cxTree");
    form->RunCommand(cmd::VoxFun);
    ASSERT_NE(tree->currentItem(), nullptr);
    EXPECT_EQ(tree->currentItem()->data(0, Qt::UserRole).toInt(), cmd::VoxFun);
    form->RunCommand(cmd::FmFun);
    EXPECT_EQ(tree->currentItem()->data(0, Qt::UserRole).toInt(), cmd::FmFun);

    QAction* treeView = form->CommandAction(cmd::TreeView);
    EXPECT_TRUE(treeView->isChecked());
    QTest::mouseClick(form->findChild<QToolButton*>("TreeHide"), Qt::LeftButton);
    EXPECT_FALSE(treeView->isChecked());
    treeView->trigger();
    EXPECT_TRUE(form->findChild<QWidget*>("pTree")->isVisible());
    EXPECT_TRUE(treeView->isChecked());
}

} // namespace
} // namespace zorva
