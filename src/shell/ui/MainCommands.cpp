// The main window's dispatcher: every command number to its work, the commands and dialogs
// other parts of the program register, the model dialog and the language switch.
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "settings/Language.h"
#include "settings/Settings.h"
#include "settings/UserMessages.h"
#include "settings/ui/LocaliseForm.h"
#include "settings/ui/ShowMsg.h"
#include "settings/ui/ToolkitTranslations.h"
#include "shell/ui/CommandTable.h"
#include "shell/ui/FrmHelp.h"
#include "shell/ui/MainFrm.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolButton>

namespace zorva {

void TfMainFrm::RunCommand(int command) {
    // What is being typed is stored first, as leaving the field would.
    CommitPendingEdits();

    switch (command) {
    case cmd::New:
        New();
        break;
    case cmd::Open:
        Open();
        break;
    case cmd::OpenBackup:
        OpenBackup();
        break;
    case cmd::Save:
        Save();
        break;
    case cmd::SaveAs:
        Save(true);
        break;
    case cmd::Exit:
        close();
        break;
    case cmd::Undo:
        document_->Undo();
        break;
    case cmd::Redo:
        document_->Redo();
        break;
    case cmd::Batch:
    case cmd::FreqEdit:
    case cmd::ChsInfo:
    case cmd::ChsEdit:
    case cmd::FmFun:
    case cmd::VoxFun:
    case cmd::OptFun:
    case cmd::InfoMsg:
    case cmd::DtmfFun:
    case cmd::ScanFun:
        OpenChild(command);
        break;
    case cmd::Read:
        ReadFromRadio();
        break;
    case cmd::Print:
    case cmd::PrintPreview:
    case cmd::Write:
    case cmd::Test:
    case cmd::Port:
    case cmd::Language:
    case cmd::About:
        RunRegisteredDialog(command);
        break;
    case cmd::Model:
        RunRegisteredDialog(command);
        break;
    case cmd::Cascade:
        mdi_->cascadeSubWindows();
        break;
    case cmd::TileHorizontally:
        TileChildren(Qt::Horizontal);
        break;
    case cmd::TileVertically:
        TileChildren(Qt::Vertical);
        break;
    case cmd::ArrangeIcons:
        ArrangeIcons();
        break;
    case cmd::CloseAll:
        CloseAllChildren();
        break;
    case cmd::HelpTopics:
        ShowHelp(*this);
        break;
    default:
        RunRegisteredCommand(command);
        break; // otherwise Key, Test Frequency, the View ticks
    }
}

// ---------------------------------------------------------------------------------------
// Commands of other parts of the program

void TfMainFrm::RegisterCommand(int command, int window, CommandRun run) {
    commands_[command] = {window, std::move(run)};
    UpdateWindowCommands();
}

QWidget* TfMainFrm::CommandWindow(int window) const {
    QMdiSubWindow* child = ChildWindow(window);
    return child && child == mdi_->currentSubWindow() ? child->widget() : nullptr;
}

void TfMainFrm::RunRegisteredCommand(int command) {
    const auto it = commands_.find(command);
    if (it == commands_.end() || !it->second.run) return;
    const auto& [window, run] = it->second;
    if (window == 0) {
        run(nullptr);
    } else if (QWidget* content = CommandWindow(window)) {
        run(content);
    }
}

void TfMainFrm::UpdateWindowCommands() {
    for (const auto& [command, registered] : commands_) {
        QAction* action = CommandAction(command);
        if (action && registered.window != 0)
            action->setEnabled(CommandWindow(registered.window) != nullptr);
    }
}

// ---------------------------------------------------------------------------------------
// Modal dialogs

void TfMainFrm::RegisterDialog(int command, DialogFactory create, DialogOutcome outcome) {
    dialogFactories_[command] = std::move(create);
    dialogOutcomes_[command] = std::move(outcome);
}

void TfMainFrm::RunRegisteredDialog(int command) {
    const auto it = dialogFactories_.find(command);
    if (it == dialogFactories_.end() || !it->second) return;
    const DialogOutcome outcome = dialogOutcomes_[command];
    // The language dialog chooses in the settings; the switch may still be stopped.
    const int languageId = All().LanguageId;
    const std::string languageName = All().LanguageName;
    const int replacements = replacements_;
    DialogEffect effect = DialogEffect::None;
    if (std::unique_ptr<QDialog> dialog = it->second(this)) {
        execDialog(*dialog);
        if (outcome) effect = outcome(*dialog);
    }
    // A new image (a read, another model) opens in the channel table, as after New.
    if (replacements_ != replacements) OpenChild(cmd::ChsInfo);
    // The dialog is gone before the main window acts on what it did.
    switch (effect) {
    case DialogEffect::None:
        break;
    case DialogEffect::StatusChanged:
        UpdateStatus();
        break;
    case DialogEffect::LanguageChanged:
        ApplyLanguage(languageId, languageName);
        break;
    case DialogEffect::ViewChanged:
        ShowViewChoices();
        break;
    }
}

void TfMainFrm::ReadFromRadio() {
    // A read replaces the image, as New and Open do.
    if (MayDiscard()) RunRegisteredDialog(cmd::Read);
}

void TfMainFrm::ApplyLanguage(int previousId, const std::string& previousName) {
    // The windows are made anew, the image stays: unsaved changes are offered for saving as
    // before New or Open, and stay marked as unsaved when the user keeps them. Stopped, the
    // language stays the one in use.
    if (!MayDiscard()) {
        All().LanguageId = previousId;
        All().LanguageName = previousName;
        return;
    }
    LoadLanguage(Language(), LanguageFilePath(All().ExeDir, All().LanguageName));
    InstallToolkitTranslations(Language().Locale);
    // Start from the built-in texts, so that whatever the new language's file lacks shows
    // in English rather than in the language just left.
    for (const MenuItemText& item : MenuItems()) {
        menuItems_.at(item.tag)->setText(QString::fromLatin1(item.caption));
        menuItems_.at(item.tag)->setStatusTip(QString::fromLatin1(item.hint));
    }
    for (const ToolButtonText& button : ToolButtons()) {
        if (button.tag == 0) continue;
        toolButtons_.at(button.tag)->setText(QString::fromLatin1(button.hint));
        toolButtons_.at(button.tag)->setStatusTip(QString::fromLatin1(button.hint));
        toolButtons_.at(button.tag)->setToolTip(QString::fromLatin1(button.hint));
    }
    for (const MenuText& menu : Menus())
        findChild<QMenu*>(menu.name)->setTitle(QString::fromLatin1(menu.caption));
    lCom_->setText("Port: ");
    findChild<QToolButton*>("TreeHide")->setText("X");

    LocaliseForm(*this, true);
    KeepUndoCaptions();
    UpdateStatus();
    DestroyChildren();
    SetTreeTexts();
    OpenChild(cmd::ChsInfo);
    // A new history: the windows that made its steps are gone, and their names with them.
    document_->ForgetHistory();
}

} // namespace zorva
