// The main window's data file commands: their questions, the recent files, the backups and
// the reads that replace the image.
#include "shell/MainFrmFixture.h"

#include <gtest/gtest.h>

namespace zorva {
namespace {

using test::FakeTable;
using test::MainFrmTest;
using test::TempDir;

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
