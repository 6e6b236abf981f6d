#include "shell/ui/BuiltInDialogs.h"

#include "core/ImageState.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "link/ui/ReadRadio.h"
#include "link/ui/SetPort.h"
#include "link/ui/TestFrm.h"
#include "link/ui/VerifyRadio.h"
#include "link/ui/WriteRadio.h"
#include "settings/UserMessages.h"
#include "settings/ui/FrmAbout.h"
#include "settings/ui/SetLanguage.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Backups.h"
#include "shell/Commands.h"

#include <ctime>
#include <memory>

namespace zorva {

namespace {

// Backs up every completed read. A backup that cannot be saved never undoes the read: the
// first failure of the run is shown in a box, later ones only in the status bar.
class ReadBackups {
public:
    void Save(MainWindowPort& mainForm, const TALL& read) {
        const BackupResult backup = WriteBackup(read, BackupFolder(), std::time(nullptr));
        if (backup.written) return;
        const std::string where = backup.path + ": " + backup.reason;
        if (reported_) {
            mainForm.ShowStatusNote(Language().BackupError + " " + where);
            return;
        }
        reported_ = true;
        ShowMsg(Language().Confirmation, Language().BackupError + "\n" + where, kMsgInfo);
    }

private:
    bool reported_ = false;
};

} // namespace

void RegisterLinkDialogs(MainWindowPort& mainForm) {
    auto backups = std::make_shared<ReadBackups>();
    mainForm.RegisterDialog(
        cmd::Read,
        [&mainForm](QWidget* parent) -> std::unique_ptr<QDialog> {
            return std::make_unique<TfReadRadio>(mainForm.Document().State(), parent);
        },
        [&mainForm, backups](const QDialog& closed) {
            // Only a read that completed replaces the image.
            const auto& read = static_cast<const TfReadRadio&>(closed);
            if (!read.ReadCompleted()) return DialogEffect::None;
            backups->Save(mainForm, read.State());
            mainForm.Document().TakeRead(CaptureImageState(read.State()),
                                         mainForm.StepName(cmd::Read));
            return DialogEffect::None;
        });
    mainForm.RegisterDialog(
        cmd::Write,
        [&mainForm](QWidget* parent) -> std::unique_ptr<QDialog> {
            return std::make_unique<TfWriteRadio>(mainForm.Document().State(), parent);
        },
        [&mainForm](const QDialog& closed) {
            const auto& write = static_cast<const TfWriteRadio&>(closed);
            if (write.WritesCompleted() == 0) return DialogEffect::None;
            // The radio now holds the image with the time it was written.
            RadioDocument& document = mainForm.Document();
            document.TakeWriteTime(CaptureImageState(write.State()));
            // The radio is read back into a copy: the image stays as it is.
            if (document.State().VerifyAfterWrite)
                VerifyWrittenImage(document.State(), closed.parentWidget());
            return DialogEffect::None;
        });
    mainForm.RegisterDialog(
        cmd::Port,
        [](QWidget* parent) -> std::unique_ptr<QDialog> {
            return std::make_unique<TfSetPort>(parent);
        },
        [](const QDialog&) { return DialogEffect::StatusChanged; });
}

void RegisterSettingsDialogs(MainWindowPort& mainForm) {
    mainForm.RegisterDialog(
        cmd::Language,
        [](QWidget* parent) -> std::unique_ptr<QDialog> {
            return std::make_unique<TfSetLanguage>(parent);
        },
        [](const QDialog& closed) {
            return static_cast<const TfSetLanguage&>(closed).LanguageChanged()
                       ? DialogEffect::LanguageChanged
                       : DialogEffect::None;
        });
    mainForm.RegisterDialog(cmd::About, [](QWidget* parent) -> std::unique_ptr<QDialog> {
        return std::make_unique<TfFrmAbout>(parent);
    });
}

void RegisterPowerTest(MainWindowPort& mainForm) {
    mainForm.RegisterDialog(cmd::Test, [&mainForm](QWidget* parent) -> std::unique_ptr<QDialog> {
        return std::make_unique<TfTestFrm>(mainForm.Document().State(), parent);
    });
}

} // namespace zorva
