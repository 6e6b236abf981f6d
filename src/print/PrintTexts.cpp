#include "print/PrintTexts.h"

#include "settings/ui/LocaliseForm.h"

#include <QLabel>

namespace zorva {

TfPrintTexts::TfPrintTexts(QWidget* parent) : QWidget(parent) {
    setObjectName("fPrint");
    const auto label = [this](const char* name, const char* text) {
        auto* made = new QLabel(QString::fromLatin1(text), this);
        made->setObjectName(name);
        return made;
    };
    lNotSaved_ = label("lNotSaved", "not saved");
    lPage_ = label("lPage", "Page %1 / %2");
    lNoChannels_ = label("lNoChannels", "No channel is in use.");
    lWriteFailed_ = label("lWriteFailed", "The sheet could not be written to %1: %2");
    LocaliseForm(*this, false);
}

QString TfPrintTexts::NotSaved() const {
    return lNotSaved_->text();
}

QString TfPrintTexts::PageFormat() const {
    return lPage_->text();
}

QString TfPrintTexts::NoChannels() const {
    return lNoChannels_->text();
}

QString TfPrintTexts::WriteFailed() const {
    return lWriteFailed_->text();
}

} // namespace zorva
