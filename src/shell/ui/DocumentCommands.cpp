// The main window's commands on its document: New, Open, Open Backup, the recent files, Save
// and Save As, and the one question asked before unsaved work is discarded.
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "link/qt/LocalPath.h"
#include "settings/Settings.h"
#include "settings/UserMessages.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Backups.h"
#include "shell/DataFile.h"
#include "shell/ui/MainFrm.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <filesystem>

namespace zorva {

bool TfMainFrm::MayDiscard() {
    CommitPendingEdits();
    if (!document_->Modified()) return true;
    switch (ShowMsg(Language().Confirmation, Language().SaveProgram, kMsgYesNoCancel)) {
    case kResultYes:
        return Save();
    case kResultNo:
        return true;
    default:
        return false;
    }
}

void TfMainFrm::New() {
    if (!MayDiscard()) return;
    document_->NewImage();
    OpenChild(cmd::ChsInfo);
}

void TfMainFrm::Open() {
    if (!MayDiscard()) return;
    const QString chosen = openDialog ? openDialog() : QString();
    if (!chosen.isEmpty()) OpenFile(ToLocalPath(chosen));
    UpdateStatus();
}

bool TfMainFrm::OpenFile(const std::string& path) {
    // Read into a copy: a refused file leaves the image as it was.
    TALL read = document_->State();
    const FileResult opened = LoadDataFile(read, document_->Models(), path);
    if (!opened) {
        ShowMsg(Language().Confirmation, FileProblemMessage(opened, Language()), kMsgInfo);
        return false;
    }
    document_->TakeFile(CaptureImageState(read), path);
    RememberFile(path);
    OpenChild(cmd::ChsInfo);
    return true;
}

void TfMainFrm::OpenBackup() {
    if (!MayDiscard()) return;
    const std::string folder = BackupFolder();
    // The first time there is nothing in it yet; the dialog still starts there.
    std::error_code ec;
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    const QString chosen = backupDialog ? backupDialog(FromLocalPath(folder)) : QString();
    if (!chosen.isEmpty()) OpenFile(ToLocalPath(chosen));
    UpdateStatus();
}

void TfMainFrm::OpenRecent(int index) {
    std::vector<std::string>& recent = All().RecentFiles;
    if (index < 0 || index >= static_cast<int>(recent.size())) return;
    const std::string path = recent[static_cast<std::size_t>(index)];
    if (!QFileInfo::exists(FromLocalPath(path))) {
        ShowMsg(
            Language().Confirmation,
            QString::fromStdString(Language().FileMissing).arg(FromLocalPath(path)).toStdString(),
            kMsgInfo);
        RemoveRecentFile(recent, path);
        ShowRecentFiles();
        return;
    }
    if (!MayDiscard()) return;
    if (!OpenFile(path)) {
        RemoveRecentFile(recent, path);
        ShowRecentFiles();
    }
}

void TfMainFrm::BuildRecentItems() {
    // Between Print Preview and the separator above Exit, behind a separator of their own.
    QMenu* file = findChild<QMenu*>("mFile");
    const QList<QAction*> items = file->actions();
    QAction* before = items.at(items.indexOf(menuItems_.at(cmd::Exit)) - 1);
    recentSeparator_ = file->insertSeparator(before);
    for (int i = 0; i < kRecentFilesKept; ++i) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("nRecent%1").arg(i + 1));
        action->setProperty("tag", -2); // a path, never translated
        connect(action, &QAction::triggered, this, [this, i] { OpenRecent(i); });
        file->insertAction(before, action);
        recentItems_.push_back(action);
    }
    ShowRecentFiles();
}

void TfMainFrm::ShowRecentFiles() {
    const std::vector<std::string>& recent = All().RecentFiles;
    for (std::size_t i = 0; i < recentItems_.size(); ++i) {
        const bool used = i < recent.size();
        QString path = used ? FromLocalPath(recent[i]) : QString();
        path.replace(u'&', QStringLiteral("&&"));
        recentItems_[i]->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        recentItems_[i]->setVisible(used);
    }
    recentSeparator_->setVisible(!recent.empty());
}

void TfMainFrm::RememberFile(const std::string& path) {
    AddRecentFile(All().RecentFiles, path);
    ShowRecentFiles();
}

bool TfMainFrm::Save(bool askName) {
    std::string path = askName ? std::string() : document_->FileName();
    if (path.empty()) {
        const QString chosen = saveDialog ? saveDialog() : QString();
        if (chosen.isEmpty()) return false;
        // A name that was declined is not the image's file.
        if (QFileInfo::exists(chosen) && !AskYes(Language().FileExists)) return false;
        path = ToLocalPath(chosen);
    }
    const FileResult saved = SaveDataFile(document_->State(), path);
    if (!saved) {
        ShowMsg(Language().Confirmation, FileProblemMessage(saved, Language()), kMsgInfo);
        return false;
    }
    document_->Saved(path);
    RememberFile(path);
    UpdateStatus();
    return true;
}

} // namespace zorva
