#include "shell/ui/BuiltInDialogs.h"

#include "core/Maindb.h"
#include "link/ui/ReadRadio.h"
#include "link/ui/SetPort.h"
#include "link/ui/TestFrm.h"
#include "link/ui/VerifyRadio.h"
#include "link/ui/WriteRadio.h"
#include "settings/ui/FrmAbout.h"
#include "settings/ui/SetLanguage.h"
#include "shell/Commands.h"

#include <memory>

namespace zorva {

void RegisterLinkDialogs(MainWindowPort& mainForm) {
    mainForm.RegisterDialog(
        cmd::Read,
        [](QWidget* parent) -> std::unique_ptr<QDialog> {
            return std::make_unique<TfReadRadio>(parent);
        },
        [](const QDialog& closed) {
            // Only a read that completed replaced the image.
            return static_cast<const TfReadRadio&>(closed).ReadCompleted()
                       ? DialogEffect::ImageReplaced
                       : DialogEffect::None;
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
