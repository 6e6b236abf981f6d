#include "link/ui/LinkDialogs.h"

#include "link/ui/ReadRadio.h"
#include "link/ui/SetPort.h"
#include "link/ui/WriteRadio.h"
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
    mainForm.RegisterDialog(cmd::Write, [](QWidget* parent) -> std::unique_ptr<QDialog> {
        return std::make_unique<TfWriteRadio>(parent);
    });
    mainForm.RegisterDialog(
        cmd::Port,
        [](QWidget* parent) -> std::unique_ptr<QDialog> {
            return std::make_unique<TfSetPort>(parent);
        },
        [](const QDialog&) { return DialogEffect::StatusChanged; });
}

} // namespace zorva
