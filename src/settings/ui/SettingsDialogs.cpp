#include "settings/ui/SettingsDialogs.h"

#include "settings/ui/FrmAbout.h"
#include "settings/ui/SetLanguage.h"
#include "shell/Commands.h"

#include <memory>

namespace zorva {

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

} // namespace zorva
