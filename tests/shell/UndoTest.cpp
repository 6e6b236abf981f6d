// Every change the windows make is one step of the image's history: undone and redone to the
// exact bytes, named in the Edit menu, with the unsaved mark following the history.
#include "TestSupport.h"
#include "codec/ChannelRecord.h"
#include "core/Maindb.h"
#include "document/ImageHistory.h"
#include "document/RadioDocument.h"
#include "editors/channels/ChannelEditors.h"
#include "editors/channels/ChsInfo.h"
#include "editors/functions/FunctionEditors.h"
#include "settings/ui/ShowMsg.h"
#include "shell/DataFile.h"
#include "shell/Startup.h"
#include "shell/ui/MainFrm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace zorva {
namespace {

using Bytes = std::array<uint8_t, kImageSize>;

TEST(ImageHistory, StepsGiveBackExactStatesAndModifiedFollowsTheSavedOne) {
    auto db = test::MakeStartedDb();
    TALL& all = db->All;
    ImageHistory history(all);
    history.Restart(true);
    const Bytes start = all.Image;

    all.Image[0x100] = 1;
    all.BandLow[0] = 150.0; // derived state travels with the bytes
    EXPECT_TRUE(history.Record("one"));
    EXPECT_FALSE(history.Record("nothing changed"));
    all.Image[0x100] = 2;
    history.Record("two");
    history.MarkSaved();
    EXPECT_FALSE(all.Modified);

    history.Undo();
    EXPECT_EQ(all.Image[0x100], 1);
    EXPECT_TRUE(all.Modified);
    history.Undo();
    EXPECT_EQ(all.Image, start);
    EXPECT_NE(all.BandLow[0], 150.0);
    history.Redo();
    history.Redo();
    EXPECT_EQ(all.Image[0x100], 2);
    EXPECT_FALSE(all.Modified); // back at the saved state

    // A new change after an undo drops the redo; a restart drops everything.
    history.Undo();
    all.Image[0x101] = 9;
    history.Record("three");
    EXPECT_FALSE(history.Stack().canRedo());
    history.Restart(false);
    EXPECT_FALSE(history.Stack().canUndo());
    EXPECT_TRUE(all.Modified); // a state no file holds

    for (int i = 0; i < 600; ++i) {
        all.Image[0x200] = static_cast<uint8_t>(i + 1);
        history.Record("many");
    }
    EXPECT_EQ(history.Stack().count(), 600);
}

// The main window with its real editors.
class UndoTest : public testing::Test {
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
        form->show();
        QApplication::setActiveWindow(form.get());
    }

    template <typename T>
    T* Control(int command, const char* name) {
        form->RunCommand(command);
        T* control = form->ChildWindow(command)->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QTableView* Grid() {
        form->RunCommand(cmd::ChsInfo);
        return dynamic_cast<TfChsInfo&>(*form->ChildWindow(cmd::ChsInfo)->widget()).Grid();
    }
    // Starts typing `text` into the RX cell of `channel`, leaving the cell's editor open.
    QLineEdit* TypeRx(int channel, const QString& text) {
        QTableView* grid = Grid();
        auto& table = dynamic_cast<TfChsInfo&>(*form->ChildWindow(cmd::ChsInfo)->widget());
        grid->setCurrentIndex(table.Cell(channel, kFieldRxFreq));
        QTest::keyClick(grid, Qt::Key_F2);
        auto* editor = grid->findChild<QLineEdit*>("gvChsEditor");
        EXPECT_NE(editor, nullptr);
        if (!editor) return nullptr;
        editor->selectAll();
        QTest::keyClicks(editor, text);
        return editor;
    }
    void Run(int command) { form->RunCommand(command); }
    QString Text(int command) const { return form->CommandAction(command)->text(); }
    bool Enabled(int command) const { return form->CommandAction(command)->isEnabled(); }

    test::TempDir dir;
    ScriptedMessages messages;
    std::unique_ptr<TfMainFrm> form;
    std::function<int(QDialog&)> onDialog;
};

TEST_F(UndoTest, EveryWindowsEditIsOneStepUndoneAndRedoneToTheExactBytes) {
    struct Edit {
        int window; // its caption names the step
        std::function<void()> make;
    };
    const std::vector<Edit> edits = {
        {cmd::ChsInfo,
         [&] {
             TypeRx(7, "146.5");
             QTest::keyClick(Grid()->findChild<QLineEdit*>("gvChsEditor"), Qt::Key_Return);
             QCoreApplication::processEvents();
         }},
        {cmd::ChsEdit,
         [&] {
             auto* rx = Control<QLineEdit>(cmd::ChsEdit, "cxRxSv");
             rx->setFocus();
             rx->selectAll();
             QTest::keyClicks(rx, "147.25");
             QTest::keyClick(rx, Qt::Key_Return);
         }},
        {cmd::Batch, [&] { Control<QPushButton>(cmd::Batch, "btnOk")->click(); }},
        {cmd::FreqEdit,
         [&] {
             auto* step = Control<QComboBox>(cmd::FreqEdit, "cxStep");
             step->setCurrentIndex((step->currentIndex() + 1) % step->count());
         }},
        {cmd::FmFun, [&] { Control<QCheckBox>(cmd::FmFun, "cxFmDw")->click(); }},
        {cmd::VoxFun, [&] { Control<QComboBox>(cmd::VoxFun, "cxVoxLv")->setCurrentIndex(7); }},
        {cmd::ScanFun, [&] { Control<QComboBox>(cmd::ScanFun, "cxScanMode")->setCurrentIndex(2); }},
        {cmd::OptFun,
         [&] {
             auto* wait = Control<QComboBox>(cmd::OptFun, "cxDWait");
             wait->setCurrentIndex(1 - wait->currentIndex());
         }},
        {cmd::DtmfFun, [&] { Control<QCheckBox>(cmd::DtmfFun, "cxBeep")->click(); }},
    };
    EXPECT_FALSE(Enabled(cmd::Undo));
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.window);
        Run(edit.window); // what a window repairs when it opens is no step of the user's
        const Bytes before = All().Image;
        edit.make();
        const Bytes after = All().Image;
        ASSERT_NE(after, before);
        EXPECT_TRUE(Enabled(cmd::Undo));
        EXPECT_EQ(Text(cmd::Undo),
                  "&Undo " + form->ChildWindow(edit.window)->widget()->windowTitle());
        if (edit.window == cmd::Batch) {
            EXPECT_EQ(Text(cmd::Undo), "&Undo Batch Channel Edit");
        }
        Run(cmd::Undo);
        EXPECT_EQ(All().Image, before);
        EXPECT_TRUE(Text(cmd::Redo).startsWith("&Redo "));
        Run(cmd::Redo);
        EXPECT_EQ(All().Image, after);
        EXPECT_TRUE(form->isWindowModified());
    }
    // All the way back is the state of New: nothing left to save.
    while (Enabled(cmd::Undo))
        Run(cmd::Undo);
    EXPECT_FALSE(All().Modified);
    EXPECT_FALSE(form->isWindowModified());
}

TEST_F(UndoTest, ATypedValueIsStoredBeforeTheUndoNeverAfterIt) {
    const Bytes before = All().Image;
    ASSERT_NE(TypeRx(9, "150"), nullptr);
    Run(cmd::Undo); // from the menu, the cell's editor still open
    QCoreApplication::processEvents();
    EXPECT_EQ(All().Image, before);
    Run(cmd::Redo);
    TChannel c;
    ASSERT_TRUE(LoadChannel(All(), 9, c));
    EXPECT_EQ(c.RxFreq, 150.0);
}

TEST_F(UndoTest, CtrlZInATextFieldUndoesItsTypingFirstThenTheImage) {
    auto* rx = Control<QLineEdit>(cmd::ChsEdit, "cxRxSv");
    rx->setFocus();
    const Bytes before = All().Image;
    rx->selectAll();
    QTest::keyClicks(rx, "147.25");
    QTest::keyClick(rx, Qt::Key_Z, Qt::ControlModifier); // the field's own typing
    EXPECT_EQ(All().Image, before);
    QTest::keyClicks(rx, "147.25");
    QTest::keyClick(rx, Qt::Key_Return);
    ASSERT_NE(All().Image, before);
    const Bytes typed = All().Image;
    QTest::keyClick(rx, Qt::Key_Z, Qt::ControlModifier); // the field shows what is stored
    EXPECT_EQ(All().Image, before);
    QTest::keyClick(rx, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(All().Image, typed);
    QTest::keyClick(rx, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(rx, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(All().Image, typed);
}

TEST_F(UndoTest, ReadAndModelChangeAreStepsBackToTheUnsavedEdits) {
    Control<QComboBox>(cmd::VoxFun, "cxVoxLv")->setCurrentIndex(7);
    const Bytes edited = All().Image;
    // A read that failed or was cancelled changed nothing and is no step.
    form->RegisterDialog(
        cmd::Read, [](QWidget* parent) { return std::make_unique<QDialog>(parent); },
        [](const QDialog&) { return DialogEffect::None; });
    messages.answers = {kResultNo};
    Run(cmd::Read);
    EXPECT_EQ(Text(cmd::Undo), "&Undo " + form->ChildWindow(cmd::VoxFun)->widget()->windowTitle());
    form->RegisterDialog(
        cmd::Read, [](QWidget* parent) { return std::make_unique<QDialog>(parent); },
        [this](const QDialog&) {
            TALL read = All();
            read.Image[0x100] = 0x77; // what the radio held
            form->Document().TakeRead(CaptureImageState(read), form->StepName(cmd::Read));
            return DialogEffect::None;
        });
    messages.answers = {kResultNo}; // do not save first
    Run(cmd::Read);
    EXPECT_EQ(All().Image[0x100], 0x77);
    EXPECT_EQ(Text(cmd::Undo), "&Undo Read From Radio");
    Run(cmd::Undo);
    EXPECT_EQ(All().Image, edited);
    EXPECT_TRUE(All().Modified);

    onDialog = [](QDialog& dialog) {
        if (dialog.objectName() != "fModel") return int(QDialog::Rejected);
        dialog.show();
        dialog.findChild<QPushButton*>("btnOk")->click();
        return dialog.result();
    };
    messages.answers = {kResultYes, kResultNo}; // clear the data, do not save it
    Run(cmd::Model);
    EXPECT_NE(All().Image, edited);
    EXPECT_FALSE(All().Modified); // a new model's image, as after New
    Run(cmd::Undo);
    EXPECT_EQ(All().Image, edited);
    EXPECT_TRUE(All().Modified);
}

TEST_F(UndoTest, AWritesTimeStampIsNoStepAndSurvivesAnUndo) {
    form->RegisterDialog(
        cmd::Write, [](QWidget* parent) { return std::make_unique<QDialog>(parent); },
        [this](const QDialog&) {
            TALL written = All();
            written.Image[kWriteTime] ^= 0xFF; // as a write stamps its time
            form->Document().TakeWriteTime(CaptureImageState(written));
            return DialogEffect::None;
        });
    Run(cmd::Write);
    const uint8_t stamped = All().Image[kWriteTime];
    EXPECT_FALSE(Enabled(cmd::Undo));
    Control<QComboBox>(cmd::VoxFun, "cxVoxLv")->setCurrentIndex(7);
    Run(cmd::Undo);
    EXPECT_EQ(All().Image[kWriteTime], stamped);
}

TEST_F(UndoTest, NewAndOpenStartANewHistoryAFailedOpenKeepsIt) {
    const std::string good = dir.File("good.dat");
    {
        auto db = test::MakeStartedDb();
        ASSERT_TRUE(SaveDataFile(db->All, good));
    }
    dir.Write("short.dat", std::string(100, '\0'));
    std::string chosen;
    form->openDialog = [&] { return QString::fromStdString(chosen); };
    const auto edit = [&] { Control<QCheckBox>(cmd::DtmfFun, "cxBeep")->click(); };

    edit();
    chosen = dir.File("short.dat");
    messages.answers = {kResultNo, kResultOk};
    Run(cmd::Open);
    EXPECT_TRUE(Enabled(cmd::Undo));
    chosen = good;
    messages.answers = {kResultNo};
    Run(cmd::Open);
    EXPECT_FALSE(Enabled(cmd::Undo));
    EXPECT_FALSE(All().Modified);
    EXPECT_EQ(Text(cmd::Undo), "&Undo");

    edit();
    messages.answers = {kResultNo};
    Run(cmd::New);
    EXPECT_FALSE(Enabled(cmd::Undo));
    EXPECT_FALSE(Enabled(cmd::Redo));

    // A language switch keeps the unsaved changes, not the steps of the windows it replaced.
    edit();
    form->RegisterDialog(
        cmd::Language, [](QWidget* parent) { return std::make_unique<QDialog>(parent); },
        [](const QDialog&) { return DialogEffect::LanguageChanged; });
    messages.answers = {kResultNo};
    Run(cmd::Language);
    EXPECT_FALSE(Enabled(cmd::Undo));
    EXPECT_TRUE(All().Modified);
}

} // namespace
} // namespace zorva
