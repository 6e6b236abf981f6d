// The main window's commands open the function editors and the model dialog.
#include "editors/functions/FunctionEditors.h"

#include "TestSupport.h"
#include "core/Maindb.h"
#include "shell/MainFrm.h"

#include <QDialog>
#include <QMdiSubWindow>
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

} // namespace
} // namespace zorva
