// The main window driven for real, without a display: start-up, the command table, the
// dispatcher, the data file commands with their questions, and closing.
#include "shell/ui/MainFrm.h"

#include "TestSupport.h"
#include "VirtualRadioProcess.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "link/PtyPair.h"
#include "link/ui/TransferDialog.h"
#include "settings/ui/ShowMsg.h"
#include "shell/DataFile.h"
#include "shell/Startup.h"

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

namespace zorva {
namespace {

using test::TempDir;

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

TEST_F(MainFrmTest, StartUpLeavesANewImageNoFileAndTheChosenPort) {
    EXPECT_EQ(Caption(), "ZORVA-520SX");
    EXPECT_TRUE(form->Document().FileName().empty());
    EXPECT_FALSE(All().Modified);
    EXPECT_EQ(All().ImageModelIdent, "KQ57");
    EXPECT_EQ(All().ChannelCount, 128);
    // "Com1" is not listed: the first listed port is taken.
    EXPECT_EQ(All().PortName, "COM3");
    EXPECT_EQ(form->findChild<QComboBox*>("cbCom")->count(), 2);
    ASSERT_NE(table, nullptr); // the channel table was opened
    EXPECT_EQ(form->MdiArea()->subWindowList().size(), 1);

    // The swap is told, so that a read does not reach another device unnoticed.
    EXPECT_EQ(form->StatusPanel(0)->text(), "Com1 not found, using COM3");
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}\D\d{2}\D\d{2}$)")
                    .match(form->StatusPanel(1)->text())
                    .hasMatch())
        << form->StatusPanel(1)->text().toStdString();
    EXPECT_TRUE(QRegularExpression(R"(^\d{2}:\d{2}:\d{2}$)")
                    .match(form->StatusPanel(2)->text())
                    .hasMatch());
    EXPECT_EQ(form->StatusPanel(3)->text(), "Port: COM3");
    EXPECT_EQ(form->StatusPanel(4)->text().toStdString(), All().ModelName);
    EXPECT_EQ(form->StatusPanel(5)->text().toStdString(), All().BandSummary);
    EXPECT_FALSE(All().BandSummary.empty());

    // A stored lower-case name that is listed is kept, upper-cased.
    form.reset();
    All().PortName = "com5";
    form = MakeForm();
    form->show();
    WaitForPorts();
    EXPECT_EQ(All().PortName, "COM5");
    EXPECT_EQ(form->StatusPanel(0)->text(), "");
}

TEST_F(MainFrmTest, CaptionMarksUnsavedChangesWhoeverMadeThem) {
    EXPECT_EQ(Caption(), "ZORVA-520SX");
    All().Modified = true; // as an editor window does
    EXPECT_TRUE(form->isWindowModified());
    EXPECT_EQ(Caption(), "ZORVA-520SX*");
    savePath = dir.File("saved.dat");
    Run(cmd::Save);
    EXPECT_EQ(Caption().toStdString(), "ZORVA-520SX [" + savePath + "]");
}

TEST_F(MainFrmTest, MainShortcutsWorkWhileAChildWindowHasFocus) {
    QApplication::setActiveWindow(form.get());
    ASSERT_NE(table, nullptr);
    table->setFocusPolicy(Qt::StrongFocus);
    table->setFocus();
    ASSERT_TRUE(table->hasFocus());
    QTest::keyClick(table, Qt::Key_W, Qt::ControlModifier);
    QTest::keyClick(table, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(dialogs, (std::vector<std::string>{"fWriteRadio", "fReadRadio"}));
    EXPECT_FALSE(form->MdiArea()->subWindowList().empty()); // the child stayed open
}

TEST_F(MainFrmTest, MenusHoldTheCommandTableInOrderWithShortcutsAndVisibility) {
    auto items = [&](const char* menu) {
        std::string names;
        for (QAction* action : form->findChild<QMenu*>(menu)->actions())
            names += action->isSeparator() ? (action->isVisible() ? "- " : "(-) ")
                                           : action->objectName().toStdString() + " ";
        return names;
    };
    EXPECT_EQ(items("mFile"), "N1 O1 nOpenBackup S2 A1 - nImportCsv nExportCsv - P2 V2 (-) "
                              "nRecent1 nRecent2 nRecent3 nRecent4 nRecent5 nRecent6 - nExit ");
    EXPECT_EQ(items("mEdit"), "nUndo nRedo - nCut nCopy nPaste nDelete nSelectAll - nInsertChannel "
                              "nRemoveChannel nMoveUp nMoveDown nSortByRx nFind - nInfo nFreq - "
                              "nChInfo nChEdit nBatch - nFm nVox nScan nOpt nKey nDTMF (-) E10 ");
    EXPECT_EQ(items("mProgram"), "R1 W2 nVerify - T1 ");
    EXPECT_EQ(items("mSetup"), "N4 - C2 nLanguage ");
    EXPECT_EQ(items("mView"), "T4 - nCool nBar ");
    EXPECT_EQ(items("mWindow"), "nC nH nV npl - nCloseAll ");
    EXPECT_EQ(items("mHelp"), "nHelpTopics - nAbout ");

    QStringList titles;
    for (QAction* menu : form->menuBar()->actions())
        if (menu->isVisible()) titles << menu->text();
    EXPECT_EQ(titles.join(","), "&File,&Edit,&Program,&Setup,&View,&Help");

    struct Row {
        int tag;
        const char* caption;
        const char* shortcut;
    };
    for (const Row& row : {Row{1, "&New", "Ctrl+N"}, Row{4, "Save &As", "Ctrl+Shift+S"},
                           Row{6, "Print Pre&view", "Ctrl+T"}, Row{7, "&Exit", "Ctrl+Q"},
                           Row{84, "Cu&t", "Ctrl+X"}, Row{94, "Select &All", "Ctrl+A"},
                           Row{11, "Memory C&hannel", ""}, Row{21, "&Write To Radio", "Ctrl+W"},
                           Row{32, "Language File Setup", ""}, Row{61, "About...", ""}}) {
        QAction* action = form->CommandAction(row.tag);
        ASSERT_NE(action, nullptr) << row.tag;
        EXPECT_EQ(action->property("tag").toInt(), row.tag);
        EXPECT_EQ(action->text(), row.caption);
        EXPECT_EQ(action->shortcut(), QKeySequence(row.shortcut)) << row.tag;
    }
    EXPECT_FALSE(form->CommandAction(cmd::Key)->isVisible());
    EXPECT_FALSE(form->CommandAction(cmd::TestFrequency)->isVisible());
    EXPECT_TRUE(form->CommandAction(cmd::Test)->isVisible());
    EXPECT_TRUE(form->CommandAction(cmd::Language)->isVisible());
    EXPECT_TRUE(form->CommandAction(cmd::Toolbar)->isChecked());

    QStringList tools;
    for (QAction* action : form->findChild<QToolBar*>("tbar")->actions())
        tools << (action->isSeparator() ? "|"
                                        : action->objectName() + "=" + action->toolTip() + ":" +
                                              action->property("tag").toString());
    EXPECT_EQ(tools.join(" "), "tbNew=New:1 tbOpen=Open:2 tbSave=Save:3 | "
                               "tbChEdit=Channel Edit:12 | tbPrint=Print:5 | tbCom=Com:31 | "
                               "tbRead=Read:20 | tbWrite=Write:21 | tbHelp=Help:60");

    // The flags of the start-up decide about the test and language items.
    form.reset();
    All().PowerTestAvailable = false;
    All().LanguageSelectable = false;
    form = MakeForm();
    form->show();
    EXPECT_FALSE(form->CommandAction(cmd::Test)->isVisible());
    EXPECT_FALSE(form->CommandAction(cmd::Language)->isVisible());
}

TEST_F(MainFrmTest, TreeNodesRunTheirCommandOnlyWhenDoubleClickedWhileSelected) {
    auto* tree = form->findChild<QTreeWidget*>("cxTree");
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), "ZORVA-520SX");
    // The node of the active window is the current one: the channel table opened at start.
    EXPECT_EQ(tree->currentItem(), root->child(2));
    QStringList texts;
    for (int i = 0; i < root->childCount(); ++i)
        texts << root->child(i)->text(0) + "=" + root->child(i)->data(0, Qt::UserRole).toString();
    EXPECT_EQ(texts.join(","), "Radio Information=16,Freq. Information=10,Channel "
                               "Information=11,Fm Information=13,Vox Function=14,Scan "
                               "Information=19,Optional Function=15,DTMF Function=18");
    EXPECT_EQ(root->data(0, Qt::UserRole).toInt(), 16);
    ExpectTreeNodesFit();

    // The channel table minimised, then asked for through an unselected and a selected node.
    QMdiSubWindow* window = form->ChildWindow(cmd::ChsInfo);
    window->showMinimized();
    tree->setCurrentItem(root);
    QTreeWidgetItem* channels = root->child(2);
    const QPoint at = tree->visualItemRect(channels).center();
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, tree->viewport()->mapToGlobal(at),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &doubleClick);
    EXPECT_TRUE(window->isMinimized());

    tree->setCurrentItem(channels);
    QMouseEvent again(QEvent::MouseButtonDblClick, at, tree->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree->viewport(), &again);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_EQ(form->ChildWindow(cmd::ChsInfo), window); // restored, not a second table
    EXPECT_EQ(form->MdiArea()->subWindowList().size(), 1);
    EXPECT_GE(table->deactivations, 1);
}

TEST_F(MainFrmTest, CommandsWithoutAnActionChangeNothing) {
    ScriptedMessages messages;
    All().Modified = true;
    const auto image = All().Image;
    for (int command : {cmd::Print, cmd::PrintPreview, cmd::Key, cmd::HelpTopics,
                        cmd::TestFrequency, cmd::TreeView, cmd::Toolbar, cmd::StatusBar, cmd::Test,
                        cmd::Model, 0, -1, 8, 62, 99, 1000})
        Run(command);
    form->ToolButton(cmd::HelpTopics)->trigger();
    form->ToolButton(cmd::Print)->trigger();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(All().Image, image);
    EXPECT_TRUE(All().Modified);
    EXPECT_FALSE(form->findChild<QToolBar*>("tbar")->isHidden());
    EXPECT_FALSE(form->findChild<QWidget*>("pTree")->isHidden());

    // Their own handlers do act.
    form->CommandAction(cmd::Toolbar)->trigger();
    form->CommandAction(cmd::StatusBar)->trigger();
    form->CommandAction(cmd::TreeView)->trigger();
    EXPECT_TRUE(form->findChild<QToolBar*>("tbar")->isHidden());
    EXPECT_TRUE(form->statusBar()->isHidden());
    EXPECT_TRUE(form->findChild<QWidget*>("pTree")->isHidden());
}

TEST_F(MainFrmTest, ChildWindowsOpenOnceAndCloseAlone) {
    // A command stores what a window is typing first.
    const int before = table->deactivations;
    Run(cmd::ChsEdit);
    EXPECT_GT(table->deactivations, before);
    ASSERT_NE(edit, nullptr);

    // Closing a window clears its reference; Close All closes them all.
    Run(cmd::ChsEdit);
    form->ChildWindow(cmd::ChsEdit)->close();
    EXPECT_TRUE(test::WaitFor([&] { return form->ChildWindow(cmd::ChsEdit) == nullptr; }, 2000));
    Run(cmd::ChsEdit);
    Run(cmd::CloseAll);
    EXPECT_TRUE(test::WaitFor([&] { return form->ChildWindow(cmd::ChsInfo) == nullptr; }, 2000));
    EXPECT_TRUE(form->MdiArea()->subWindowList().isEmpty());
}

TEST_F(MainFrmTest, NewAsksToSaveChangesFirst) {
    savePath = dir.File("kept.dat");
    All().Image[0x100] = 0x42;
    All().Modified = true;
    {
        ScriptedMessages messages({kResultNo});
        Run(cmd::New);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Do you wish to save the changes?");
        EXPECT_EQ(messages.shown[0].caption, "Confirmation");
    }
    EXPECT_EQ(saveDialogs, 0);
    EXPECT_NE(All().Image[0x100], 0x42);
    EXPECT_FALSE(All().Modified);

    All().Image[0x100] = 0x42;
    All().Modified = true;
    ScriptedMessages messages({kResultYes});
    Run(cmd::New);
    EXPECT_EQ(saveDialogs, 1);
    EXPECT_EQ(static_cast<uint8_t>(dir.Read("kept.dat").at(0x100)), 0x42);
    EXPECT_TRUE(form->Document().FileName().empty()); // New forgets the file it just saved
    EXPECT_EQ(Caption(), "ZORVA-520SX");
}

TEST_F(MainFrmTest, OpenTakesAGoodFileAndRefusesOthersWithoutTouchingTheImage) {
    const std::string good = GoodFile("good.dat");
    std::string other = good;
    other.replace(1, 4, "ZZ99");
    dir.Write("other.dat", other);
    dir.Write("short.dat", good.substr(0, 100));

    ScriptedMessages messages;
    openPath = dir.File("good.dat");
    Run(cmd::Open);
    EXPECT_EQ(All().Image[0x100], 0x42);
    EXPECT_FALSE(All().Modified);
    EXPECT_EQ(Caption().toStdString(), "ZORVA-520SX [" + dir.File("good.dat") + "]");
    EXPECT_TRUE(messages.shown.empty());

    const auto image = All().Image;
    for (const char* name : {"other.dat", "short.dat", "missing.dat"}) {
        messages.shown.clear();
        openPath = dir.File(name);
        Run(cmd::Open);
        EXPECT_EQ(All().Image, image) << name;
        // The image stays, and so does the file it came from.
        EXPECT_EQ(form->Document().FileName(), dir.File("good.dat")) << name;
        ASSERT_EQ(messages.shown.size(), 1u) << name;
        EXPECT_EQ(messages.shown[0].kind, kMsgInfo);
    }
    openPath = dir.File("other.dat");
    Run(cmd::Open);
    EXPECT_EQ(messages.shown.back().text, "Model Type Wrong.");
    openPath = dir.File("short.dat");
    Run(cmd::Open);
    EXPECT_EQ(messages.shown.back().text.rfind(Language().FileShort, 0), 0u);
}

TEST_F(MainFrmTest, SaveAsksForANameOnlyWhenThereIsNone) {
    ScriptedMessages messages;
    savePath = dir.File("first.dat");
    All().Modified = true;
    Run(cmd::Save);
    EXPECT_EQ(saveDialogs, 1);
    EXPECT_EQ(dir.Read("first.dat").size(), 4768u);
    EXPECT_FALSE(All().Modified);
    EXPECT_EQ(form->Document().FileName(), dir.File("first.dat"));

    All().Image[0x100] = 0x42;
    Run(cmd::Save);
    EXPECT_EQ(saveDialogs, 1);
    EXPECT_EQ(dir.Read("first.dat").at(0x100), 0x42);

    savePath = dir.File("second.dat");
    Run(cmd::SaveAs);
    EXPECT_EQ(saveDialogs, 2);
    EXPECT_TRUE(dir.Exists("second.dat"));
    EXPECT_EQ(Caption().toStdString(), "ZORVA-520SX [" + dir.File("second.dat") + "]");

    // Cancelling the dialog of Save As writes nothing and keeps the name.
    savePath.clear();
    Run(cmd::SaveAs);
    EXPECT_EQ(form->Document().FileName(), dir.File("second.dat"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainFrmTest, DecliningToReplaceAFileLeavesItAndNoName) {
    dir.Write("old.dat", "old content");
    savePath = dir.File("old.dat");
    All().Modified = true;
    {
        ScriptedMessages messages({kResultNo});
        Run(cmd::Save);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "The file exists. Replace it?");
    }
    EXPECT_EQ(dir.Read("old.dat"), "old content");
    EXPECT_TRUE(form->Document().FileName().empty());
    EXPECT_TRUE(All().Modified);

    ScriptedMessages messages({kResultYes});
    Run(cmd::Save);
    EXPECT_EQ(dir.Read("old.dat").size(), 4768u);
    EXPECT_EQ(form->Document().FileName(), dir.File("old.dat"));
}

// Writes beyond a few bytes fail while it lives, whoever the user is.
class FileSizeLimit {
public:
    FileSizeLimit() {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = saved_;
        tight.rlim_cur = 64;
        ::setrlimit(RLIMIT_FSIZE, &tight);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST_F(MainFrmTest, FailedSaveKeepsTheOldFileAndTheChanges) {
    ScriptedMessages messages;
    const std::string good = GoodFile("good.dat");
    openPath = dir.File("good.dat");
    Run(cmd::Open);
    All().Image[0x100] = 0x43;
    All().Modified = true;
    {
        FileSizeLimit limit;
        Run(cmd::Save);
    }
    EXPECT_EQ(dir.Read("good.dat"), good);
    EXPECT_TRUE(All().Modified);
    EXPECT_EQ(form->Document().FileName(),
              dir.File("good.dat")); // still the file the image came from
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind(Language().FileWriteError, 0), 0u);

    // A name just chosen that cannot be written is not taken: the image keeps its file.
    savePath = dir.File("good.dat") + "/inside.dat";
    Run(cmd::SaveAs);
    EXPECT_EQ(form->Document().FileName(), dir.File("good.dat"));
    EXPECT_TRUE(All().Modified);
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(MainFrmTest, ClosingAsksThenSavesOnRequestAndWritesTheSettings) {
    All().Modified = true;
    {
        ScriptedMessages messages({kResultNo});
        EXPECT_FALSE(form->close());
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(messages.shown.at(0).text, "Do you wish to exit program?");
        EXPECT_FALSE(dir.Exists("SysInfo.Ini"));
    }
    {
        // Yes to exit, No to saving: no file, but the settings.
        ScriptedMessages messages({kResultYes, kResultNo});
        EXPECT_TRUE(form->close());
        ASSERT_EQ(messages.shown.size(), 2u);
        EXPECT_EQ(messages.shown[1].text, "Do you wish to save the changes?");
        EXPECT_EQ(saveDialogs, 0);
        EXPECT_NE(dir.Read("SysInfo.Ini").find("Com=COM3"), std::string::npos);
    }
    // Yes to saving, then the save dialog cancelled: the program stays, with its changes.
    form->show();
    All().Modified = true;
    All().PortName = "COM5";
    {
        ScriptedMessages messages({kResultYes, kResultYes});
        EXPECT_FALSE(form->close());
        EXPECT_EQ(saveDialogs, 1);
        EXPECT_TRUE(All().Modified);
        EXPECT_EQ(dir.Read("SysInfo.Ini").find("Com=COM5"), std::string::npos);
    }
    ScriptedMessages messages({kResultYes, kResultNo});
    EXPECT_TRUE(form->close());
    EXPECT_NE(dir.Read("SysInfo.Ini").find("Com=COM5"), std::string::npos);
}

TEST_F(MainFrmTest, VerifyAfterWritingIsATickKeptInTheSettings) {
    QAction* tick = form->CommandAction(cmd::VerifyAfterWrite);
    ASSERT_TRUE(tick->isCheckable());
    EXPECT_FALSE(tick->isChecked());
    tick->trigger();
    EXPECT_TRUE(All().VerifyAfterWrite);
    {
        ScriptedMessages messages({kResultYes, kResultNo});
        ASSERT_TRUE(form->close());
    }
    EXPECT_NE(dir.Read("SysInfo.Ini").find("VerifyAfterWrite=1"), std::string::npos);

    // The next start shows it ticked.
    form.reset();
    DataModuleCreate(TheMaindb(), dir.Path());
    form = MakeForm();
    EXPECT_TRUE(form->CommandAction(cmd::VerifyAfterWrite)->isChecked());
}

TEST_F(MainFrmTest, ModalCommandsRunTheirDialogsAndRefreshAfterwards) {
    ScriptedMessages messages;
    onDialog = [](QDialog& dialog) {
        if (dialog.objectName() == "fSetPort") All().PortName = "COM9";
        return int(QDialog::Rejected);
    };
    for (int command : {cmd::Read, cmd::Write, cmd::Port, cmd::Language, cmd::About})
        Run(command);
    EXPECT_EQ(dialogs, (std::vector<std::string>{"fReadRadio", "fWriteRadio", "fSetPort",
                                                 "fSetLanguage", "fFrmAbout"}));
    EXPECT_EQ(form->StatusPanel(3)->text(), "Port: COM9");

    // A read replaces the image: unsaved changes are offered for saving first.
    All().Modified = true;
    dialogs.clear();
    messages.answers = {kResultNo};
    Run(cmd::Read);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Do you wish to save the changes?");
    EXPECT_EQ(dialogs, std::vector<std::string>{"fReadRadio"});
}

TEST_F(MainFrmTest, LanguageSwitchRelocalisesTheWindowAndBackAgain) {
    dir.Write("Chinese.Ini", "[Language]\nExitProgram=退出程序吗？\nLocale=zh_CN\n"
                             "[fMainFrm]\nN1.Caption=新建(&N)\nnInfo.Hint=电台信息\n"
                             "mFile.Caption=文件(&F)\ntbNew.Hint=新建\nlCom.Caption=端口：\n"
                             "nChInfo.Hint=Memory channel information of every channel\n");
    ScriptedMessages messages;
    int choose = 1;
    onDialog = [&choose](QDialog& dialog) {
        dialog.show();
        dialog.findChild<QRadioButton*>(QString("cxLang%1").arg(choose))->setChecked(true);
        QTest::mouseClick(dialog.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
        return dialog.result();
    };
    FakeTable* old = table;
    All().Modified = true;
    messages.answers = {kResultNo};
    Run(cmd::Language);
    // The changes were offered for saving, kept, and are still unsaved.
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Do you wish to save the changes?");
    EXPECT_TRUE(All().Modified);
    EXPECT_EQ(All().LanguageName, "Chinese");
    EXPECT_EQ(Language().ExitProgram, "退出程序吗？");
    EXPECT_EQ(form->CommandAction(cmd::New)->text(), "新建(&N)");
    EXPECT_EQ(form->findChild<QMenu*>("mFile")->title(), "文件(&F)");
    EXPECT_EQ(form->ToolButton(cmd::New)->toolTip(), "新建");
    EXPECT_EQ(form->findChild<QTreeWidget*>("cxTree")->topLevelItem(0)->child(0)->text(0),
              "电台信息");
    EXPECT_EQ(form->StatusPanel(3)->text(), "端口：COM3");
    // The toolkit's buttons speak the language too, where the system has its translations.
    const QString yes = QCoreApplication::translate("QPlatformTheme", "&Yes");
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm")) {
        EXPECT_NE(yes, "&Yes");
    }
    ExpectTreeNodesFit();
    ASSERT_NE(table, nullptr);
    EXPECT_NE(table, old); // the table was made again, in the new language

    // Back to English, which has no file here: the built-in texts return.
    choose = 0;
    Run(cmd::Language);
    EXPECT_EQ(form->CommandAction(cmd::New)->text(), "&New");
    EXPECT_EQ(form->findChild<QMenu*>("mFile")->title(), "&File");
    EXPECT_EQ(form->ToolButton(cmd::New)->toolTip(), "New");
    EXPECT_EQ(form->StatusPanel(3)->text(), "Port: COM3");
    EXPECT_EQ(Language().ExitProgram, "Do you wish to exit program?");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Yes");
}

TEST_F(MainFrmTest, CompletedReadForgetsTheFileName) {
    GoodFile("radio.dat");
    test::VirtualRadio sim({"--load", dir.File("radio.dat")});
    ASSERT_FALSE(sim.Path().empty());
    openPath = dir.File("radio.dat");
    Run(cmd::Open);
    All().Image[0x100] = 0;
    All().PortName = sim.Path();

    ScriptedMessages messages;
    ClickOkInTransferDialogs();
    Run(cmd::Read);
    EXPECT_EQ(All().Image[0x100], 0x42);
    EXPECT_TRUE(All().Modified);
    EXPECT_TRUE(form->Document().FileName().empty());
    EXPECT_EQ(Caption(), "ZORVA-520SX*");
}

// Backups go to a folder of the test while it lives.
struct DataHome {
    explicit DataHome(const std::string& path) : saved(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(path));
    }
    ~DataHome() { qputenv("XDG_DATA_HOME", saved); }
    QByteArray saved;
};

// The File menu's recent files as shown: the visible items' texts, "-" for their separator.
std::string RecentItems(TfMainFrm& form) {
    std::string shown;
    bool inRecent = false;
    for (QAction* action : form.findChild<QMenu*>("mFile")->actions()) {
        if (action->objectName() == "V2") inRecent = true;
        if (action->objectName() == "nExit") break;
        if (!inRecent || !action->isVisible() || action->objectName() == "V2") continue;
        shown += action->isSeparator() ? "- " : action->text().toStdString() + " | ";
    }
    return shown;
}

TEST_F(MainFrmTest, RecentFilesListOpenedAndSavedFilesAndDropThoseThatFail) {
    ScriptedMessages messages({kResultNo});
    EXPECT_EQ(RecentItems(*form), "- "); // only the separator above Exit
    GoodFile("a&b.dat");
    openPath = dir.File("a&b.dat");
    Run(cmd::Open);
    savePath = dir.File("copy.dat");
    Run(cmd::SaveAs);
    Run(cmd::Save);
    const std::string a = dir.File("a&&b.dat"), copy = dir.File("copy.dat");
    EXPECT_EQ(RecentItems(*form), "- &1 " + copy + " | &2 " + a + " | - ");

    // A good one is loaded after the question about the changes.
    All().Modified = true;
    form->findChild<QAction*>("nRecent2")->trigger();
    EXPECT_EQ(form->Document().FileName(), dir.File("a&b.dat"));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(RecentItems(*form), "- &1 " + a + " | &2 " + copy + " | - ");

    // A missing one is named and dropped; a refused one gets the load message and is dropped.
    std::filesystem::remove(dir.File("copy.dat"));
    form->findChild<QAction*>("nRecent2")->trigger();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[1].text.find(copy + " no longer exists"), std::string::npos);
    dir.Write("a&b.dat", "short");
    form->findChild<QAction*>("nRecent1")->trigger();
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[2].text.rfind(Language().FileShort, 0), 0u);
    EXPECT_TRUE(All().RecentFiles.empty());
    EXPECT_EQ(RecentItems(*form), "- ");
}

TEST_F(MainFrmTest, OpenBackupStartsInTheBackupFolderAndLoadsAsOpenDoes) {
    const DataHome home(dir.File("data"));
    QString folder;
    form->backupDialog = [&](const QString& start) {
        folder = start;
        return QString::fromStdString(dir.File("radio.dat"));
    };
    GoodFile("radio.dat");
    Run(cmd::OpenBackup);
    EXPECT_EQ(folder.toStdString(), dir.File("data/zorva-520sx/backups"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(form->Document().FileName(), dir.File("radio.dat"));
    EXPECT_EQ(All().Image[0x100], 0x42);
}

TEST_F(MainFrmTest, EveryCompletedReadIsBackedUpAndAFailureIsShownOnce) {
    const DataHome home(dir.File("data"));
    const std::string radio = GoodFile("radio.dat");
    test::VirtualRadio sim({"--load", dir.File("radio.dat")});
    ASSERT_FALSE(sim.Path().empty());
    All().PortName = sim.Path();
    ClickOkInTransferDialogs();
    ScriptedMessages messages;
    Run(cmd::Read);
    const std::string backups = dir.File("data/zorva-520sx/backups");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(backups))
        names.push_back(entry.path().filename().string());
    ASSERT_EQ(names.size(), 1u);
    const std::string backup = dir.Read("data/zorva-520sx/backups/" + names[0]);
    EXPECT_EQ(backup.substr(16, 4752 - 16), radio.substr(16, 4752 - 16));

    // A file where the data folder belongs: the reads go on, the user is told once.
    std::filesystem::remove_all(dir.File("data"));
    dir.Write("data", "");
    for (int read = 0; read < 2; ++read) {
        All().Image[0x100] = 0;
        Run(cmd::Read);
        EXPECT_EQ(All().Image[0x100], 0x42);
    }
    const auto failures =
        std::count_if(messages.shown.begin(), messages.shown.end(), [](const auto& shown) {
            return shown.text.find(Language().BackupError) == 0;
        });
    EXPECT_EQ(failures, 1);
    test::WaitFor([&] { return !form->StatusPanel(0)->text().isEmpty(); }, 1000);
    EXPECT_TRUE(
        form->StatusPanel(0)->text().startsWith(QString::fromStdString(Language().BackupError)));
}

} // namespace
} // namespace zorva
