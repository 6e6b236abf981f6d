// The one question before unsaved work is discarded: Yes saves and goes on only when the
// save succeeded, No goes on, Cancel (and Escape) stop; every command that discards asks it.
#include "TestSupport.h"
#include "codec/OptionCodes.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "editors/channels/ChannelEditors.h"
#include "editors/functions/FunctionEditors.h"
#include "settings/UserMessages.h"
#include "settings/ui/ShowMsg.h"
#include "shell/DataFile.h"
#include "shell/Startup.h"
#include "shell/ui/MainFrm.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace zorva {
namespace {

enum class Answer { YesSaveCancelled, YesSaveFails, No, Cancel };

const char* NameOf(Answer answer) {
    switch (answer) {
    case Answer::YesSaveCancelled:
        return "Yes, the save dialog cancelled";
    case Answer::YesSaveFails:
        return "Yes, the save failing";
    case Answer::No:
        return "No";
    case Answer::Cancel:
        return "Cancel";
    }
    return "";
}

struct Command {
    const char* name;
    std::vector<int> before; // the answers to questions asked before the save question
    std::function<void(TfMainFrm&)> run;
    // What the command leaves when it went on: history depth, Modified, a file name.
    int steps;
    bool modified;
    bool named;
};

class DiscardQuestionTest : public testing::Test {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        DataModuleCreate(TheMaindb(), dir.Path());
        auto db = test::MakeStartedDb();
        WriteField(db->All, kSquelch, 9);
        ASSERT_TRUE(SaveDataFile(db->All, good));
    }

    std::unique_ptr<TfMainFrm> Form() {
        auto form = std::make_unique<TfMainFrm>();
        form->portLister = [] { return std::vector<ListedPort>{}; };
        form->openDialog = [this] { return QString::fromStdString(good); };
        form->backupDialog = [this](const QString&) { return QString::fromStdString(good); };
        form->saveDialog = [this] { return QString::fromStdString(savePath); };
        form->execDialog = [](QDialog& dialog) {
            if (dialog.objectName() != "fModel") return int(QDialog::Accepted);
            dialog.show();
            dialog.findChild<QPushButton*>("btnOk")->click();
            return dialog.result();
        };
        RegisterChannelEditors(*form);
        RegisterFunctionEditors(*form);
        TfMainFrm* made = form.get();
        // A read of a radio that holds the image with another squelch.
        form->RegisterDialog(
            cmd::Read, [](QWidget* parent) { return std::make_unique<QDialog>(parent); },
            [made](const QDialog&) {
                TALL read = made->Document().State();
                WriteField(read, kSquelch, 3);
                made->Document().TakeRead(CaptureImageState(read), "Read");
                return DialogEffect::None;
            });
        // A language chosen that has no file here: the built-in texts stay.
        form->RegisterDialog(
            cmd::Language, [](QWidget* parent) { return std::make_unique<QDialog>(parent); },
            [](const QDialog&) {
                All().LanguageId = 1;
                All().LanguageName = "Nowhere";
                return DialogEffect::LanguageChanged;
            });
        form->show();
        // An edit not yet saved; the image has no file.
        form->Document().WriteSetting("Squelch", kSquelch, 8);
        return form;
    }

    test::TempDir dir;
    const std::string good = dir.File("good.dat");
    std::string savePath;
};

TEST_F(DiscardQuestionTest, EveryCommandThatDiscardsAsksAndAFailedOrCancelledSaveStopsIt) {
    const auto trigger = [](const char* item) {
        return [item](TfMainFrm& form) { form.findChild<QAction*>(item)->trigger(); };
    };
    const std::vector<Command> commands{
        {"New", {}, trigger("N1"), 0, false, false},
        {"Open", {}, trigger("O1"), 0, false, true},
        {"Open Backup", {}, trigger("nOpenBackup"), 0, false, true},
        {"a recent file",
         {},
         [&](TfMainFrm& form) {
             All().RecentFiles = {good};
             form.findChild<QAction*>("nRecent1")->trigger();
         },
         0,
         false,
         true},
        {"Read From Radio", {}, trigger("R1"), 2, true, false},
        {"the model dialog's clearing", {kResultYes}, trigger("N4"), 2, false, false},
        {"the language switch", {}, trigger("nLanguage"), 0, true, false},
        {"Exit", {kResultYes}, [](TfMainFrm& form) { form.close(); }, 1, true, false},
    };
    for (const Command& command : commands) {
        for (const Answer answer :
             {Answer::YesSaveCancelled, Answer::YesSaveFails, Answer::No, Answer::Cancel}) {
            SCOPED_TRACE(std::string(command.name) + ", " + NameOf(answer));
            All().LanguageId = 0;
            All().LanguageName = "English";
            std::unique_ptr<TfMainFrm> form = Form();
            const RadioDocument& document = form->Document();
            const auto image = document.State().Image;
            const std::string language = All().LanguageName;
            savePath = answer == Answer::YesSaveFails ? dir.File("missing/x.dat") : "";
            std::vector<int> answers = command.before;
            answers.push_back(answer == Answer::No       ? kResultNo
                              : answer == Answer::Cancel ? kResultCancel
                                                         : kResultYes);
            ScriptedMessages messages(answers);
            command.run(*form);

            const bool questionAsked = std::any_of(
                messages.shown.begin(), messages.shown.end(), [](const ScriptedMessages::Shown& m) {
                    return m.text == Language().SaveProgram && m.kind == kMsgYesNoCancel;
                });
            EXPECT_TRUE(questionAsked);
            if (answer == Answer::No) {
                EXPECT_EQ(document.History().Stack().count(), command.steps);
                EXPECT_EQ(document.Modified(), command.modified);
                EXPECT_EQ(document.FileName(), command.named ? good : "");
                EXPECT_EQ(form->isVisible(), std::string(command.name) != "Exit");
            } else {
                // Stopped: the image, its file name, its history and the language as they were.
                EXPECT_EQ(document.State().Image, image);
                EXPECT_EQ(document.FileName(), "");
                EXPECT_EQ(document.History().Stack().count(), 1);
                EXPECT_TRUE(document.Modified());
                EXPECT_EQ(All().LanguageName, language);
                EXPECT_TRUE(form->isVisible());
            }
            form->setAttribute(Qt::WA_DeleteOnClose, false);
            All().Modified = false;
        }
    }
}

// Escape on the question is Cancel, not No.
TEST_F(DiscardQuestionTest, EscapeOnTheQuestionStops) {
    int result = 0;
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    result = ShowMsg("Confirmation", "Do you wish to save the changes?", kMsgYesNoCancel);
    EXPECT_EQ(result, kResultCancel);
}

} // namespace
} // namespace zorva
