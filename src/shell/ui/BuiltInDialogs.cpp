#include "shell/ui/BuiltInDialogs.h"

#include "core/Maindb.h"
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
    void Save(MainWindowPort& mainForm) {
        const BackupResult backup = WriteBackup(All(), BackupFolder(), std::time(nullptr));
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
        [](QWidget* parent) -> std::unique_ptr<QDialog> {
            return std::make_unique<TfReadRadio>(parent);
        },
        [&mainForm, backups](const QDialog& closed) {
            // Only a read that completed replaced the image.
            if (!static_cast<const TfReadRadio&>(closed).ReadCompleted()) return DialogEffect::None;
            backups->Save(mainForm);
            return DialogEffect::ImageReplaced;
        });
    mainForm.RegisterDialog(
        cmd::Write,
        [](QWidget* parent) -> std::unique_ptr<QDialog> {
            return std::make_unique<TfWriteRadio>(parent);
        },
        [](const QDialog& closed) {
            // The radio is read back into a copy: the image stays as it is.
            if (All().VerifyAfterWrite &&
                static_cast<const TfWriteRadio&>(closed).WritesCompleted() > 0)
                VerifyWrittenImage(closed.parentWidget());
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
    mainForm.RegisterDialog(cmd::Test, [](QWidget* parent) -> std::unique_ptr<QDialog> {
        return std::make_unique<TfTestFrm>(parent);
    });
}

} // namespace zorva
