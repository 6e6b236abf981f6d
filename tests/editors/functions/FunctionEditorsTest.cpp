// The main window's commands open the function editors and the model dialog.
#include "editors/functions/FunctionEditors.h"

#include "TestSupport.h"
#include "core/Maindb.h"
#include "settings/UserMessages.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Startup.h"
#include "shell/ui/MainFrm.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zorva {
namespace {

TEST(FunctionEditors, EachCommandOpensItsWindowOnce) {
    test::TempDir dir;
    DataModuleCreate(TheMaindb(), dir.Path());
    StartImage(TheMaindb());
    TfMainFrm mainForm;
    RegisterFunctionEditors(mainForm);
    const std::vector<std::pair<int, std::string>> windows = {
        {cmd::FmFun, "fFmFun"},     {cmd::VoxFun, "fVoxFun"},   {cmd::OptFun, "fOptFun"},
        {cmd::InfoMsg, "fInfoMsg"}, {cmd::DtmfFun, "fDtmfFun"}, {cmd::ScanFun, "fScanFun"},
    };
    for (const auto& [command, name] : windows) {
        mainForm.RunCommand(command);
        QMdiSubWindow* frame = mainForm.ChildWindow(command);
        ASSERT_NE(frame, nullptr) << name;
        EXPECT_EQ(frame->widget()->objectName().toStdString(), name);
        mainForm.RunCommand(command);
        EXPECT_EQ(mainForm.ChildWindow(command), frame) << name;
    }
    // Opening them changed nothing the user would be asked to save.
    EXPECT_FALSE(All().Modified);
}

TEST(FunctionEditors, ModelCommandRunsTheModelDialog) {
    test::TempDir dir;
    DataModuleCreate(TheMaindb(), dir.Path());
    StartImage(TheMaindb());
    TfMainFrm mainForm;
    RegisterFunctionEditors(mainForm);
    std::vector<std::string> opened;
    mainForm.execDialog = [&](QDialog& dialog) {
        opened.push_back(dialog.objectName().toStdString());
        return int(QDialog::Rejected);
    };
    mainForm.RunCommand(cmd::Model);
    EXPECT_EQ(opened, std::vector<std::string>{"fModel"});
}

// The power-on text of the optional functions window is stored when the edit is left: by
// closing the window, or by a command that replaces the image (which then asks to save it).
class TypedButNotConfirmed : public testing::Test {
protected:
    void SetUp() override {
        DataModuleCreate(TheMaindb(), dir.Path());
        StartImage(TheMaindb());
        RegisterFunctionEditors(mainForm);
        mainForm.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&mainForm));
        mainForm.RunCommand(cmd::OptFun);
        edit = mainForm.findChild<QLineEdit*>("cxOpenMsg");
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        QTest::keyClicks(edit, "AB");
        ASSERT_FALSE(All().Modified);
    }

    uint8_t TextByte(int i) const { return All().Image[kSettingsBase + 16 + i]; }

    test::TempDir dir;
    TfMainFrm mainForm;
    QLineEdit* edit = nullptr;
};

TEST_F(TypedButNotConfirmed, ClosingTheWindowTakesTheTextOver) {
    mainForm.ChildWindow(cmd::OptFun)->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(mainForm.ChildWindow(cmd::OptFun), nullptr);
    EXPECT_EQ(TextByte(0), 'A' - 32);
    EXPECT_EQ(TextByte(1), 'B' - 32);
    EXPECT_TRUE(All().Modified);
}

TEST_F(TypedButNotConfirmed, ANewImageAsksToSaveTheTextAndTheWindowShowsTheNewImage) {
    ScriptedMessages messages({kResultNo});
    mainForm.RunCommand(cmd::New);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, Language().SaveProgram);
    EXPECT_EQ(TextByte(0), 0xFF);
    EXPECT_FALSE(All().Modified);
    ASSERT_NE(mainForm.ChildWindow(cmd::OptFun), nullptr);
    EXPECT_EQ(edit->text(), "");
}

} // namespace
} // namespace zorva
