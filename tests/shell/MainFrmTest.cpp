// The main window driven for real, without a display: start-up, the command table, the
// dispatcher, the menus, the tree and the child windows.
#include "shell/MainFrmFixture.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

using test::FakeEdit;
using test::FakeTable;
using test::MainFrmTest;
using test::TempDir;

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
    EXPECT_EQ(items("mView"), "T4 - nCool nBar - nHideEmpty nColumns ");
    EXPECT_EQ(items("mWindow"), "nC nH nV npl - nCloseAll ");
    EXPECT_EQ(items("mHelp"), "nHelpTopics - nAbout ");

    QStringList titles;
    for (QAction* menu : form->menuBar()->actions())
        if (menu->isVisible()) titles << menu->text();
    EXPECT_EQ(titles.join(","), "&File,&Edit,&Program,&Setup,&View,&Window,&Help");

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

    // The Window menu lists the open windows, the active one ticked; choosing one activates it.
    auto* windows = form->findChild<QMenu*>("mWindow");
    const auto listed = [&] {
        emit windows->aboutToShow();
        QStringList shown;
        for (QAction* action : windows->actions())
            if (action->property("openWindow").toBool() && !action->isSeparator())
                shown << (action->isChecked() ? "*" : "") + action->text();
        return shown;
    };
    Run(cmd::ChsEdit);
    const QStringList both = listed();
    ASSERT_EQ(both.size(), 2);
    EXPECT_EQ(both.filter(QStringLiteral("*")).size(), 1);
    for (QAction* action : windows->actions())
        if (action->property("openWindow").toBool() && !action->isChecked() &&
            !action->isSeparator())
            action->trigger();
    EXPECT_EQ(listed().filter(QStringLiteral("*")).size(), 1);
    EXPECT_NE(listed(), both);

    // Closing a window clears its reference; Close All closes them all.
    Run(cmd::ChsEdit);
    form->ChildWindow(cmd::ChsEdit)->close();
    EXPECT_TRUE(test::WaitFor([&] { return form->ChildWindow(cmd::ChsEdit) == nullptr; }, 2000));
    Run(cmd::ChsEdit);
    Run(cmd::CloseAll);
    EXPECT_TRUE(test::WaitFor([&] { return form->ChildWindow(cmd::ChsInfo) == nullptr; }, 2000));
    EXPECT_TRUE(form->MdiArea()->subWindowList().isEmpty());
}

} // namespace
} // namespace zorva
