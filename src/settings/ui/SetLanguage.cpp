#include "settings/ui/SetLanguage.h"

#include "core/Maindb.h"
#include "settings/Settings.h"
#include "settings/ui/LocaliseForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <string>
#include <vector>

namespace zorva {

namespace {

// A name that can stand for a language file beside the program; start-up refuses any
// other, so offering it would give a choice that does not last.
bool IsLanguageFileName(const QString& name) {
    return !name.trimmed().isEmpty() && !name.contains('/') && !name.contains('\\');
}

} // namespace

TfSetLanguage::TfSetLanguage(QWidget* parent) : QDialog(parent) {
    setObjectName("fSetLanguage");
    setWindowTitle("Language File Setup");
    setModal(true);

    auto* cxSels = new QGroupBox("Language", this);
    cxSels->setObjectName("cxSels");
    auto* choices = new QVBoxLayout(cxSels);
    for (std::size_t i = 0; i < cxLang_.size(); ++i) {
        auto* button = new QRadioButton(QString("Language-%1").arg(i), cxSels);
        button->setObjectName(QString("cxLang%1").arg(i));
        button->hide();
        choices->addWidget(button);
        cxLang_[i] = button;
    }

    // The display names are the languages' own words for themselves: never translated.
    cxLangList_ = new QComboBox(this);
    cxLangList_->setObjectName("cxLang");
    cxLangList_->setProperty("tag", -2);
    cxLangList_->hide();
    cxName_ = new QListWidget(this);
    cxName_->setObjectName("cxName");
    cxName_->hide();

    auto* btnOk = new QPushButton("&OK", this);
    btnOk->setObjectName("btnOk");
    btnOk->setDefault(true);
    auto* btnCancel = new QPushButton("&Cancel", this);
    btnCancel->setObjectName("btnCancel");
    connect(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cxSels);
    layout->addLayout(buttons);
    setMinimumWidth(280);
}

void TfSetLanguage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TfSetLanguage::FormShow() {
    cxLangList_->clear();
    cxName_->clear();
    std::vector<std::string> displayNames;
    std::vector<std::string> names;
    ReadLanguageLists(All(), SettingsFilePath(All().ExeDir), displayNames, names);
    for (const std::string& name : displayNames)
        cxLangList_->addItem(QString::fromStdString(name));
    for (const std::string& name : names)
        cxName_->addItem(QString::fromStdString(name));

    LocaliseForm(*this, false);

    // A language is offered only when it has a file name, so choosing it always works.
    for (int i = 0; i < static_cast<int>(cxLang_.size()); ++i) {
        QRadioButton* button = cxLang_[static_cast<std::size_t>(i)];
        const bool offered = i < cxLangList_->count() && i < cxName_->count() &&
                             IsLanguageFileName(cxName_->item(i)->text());
        if (offered) button->setText(cxLangList_->itemText(i));
        button->setVisible(offered);
    }

    // An exclusive group never unchecks its checked button by itself.
    for (QRadioButton* button : cxLang_) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
    if (All().LanguageId >= 0 && All().LanguageId < static_cast<int>(cxLang_.size()))
        cxLang_[static_cast<std::size_t>(All().LanguageId)]->setChecked(true);
    accepted_ = false;
}

void TfSetLanguage::btnOkClick() {
    int chosen = 0;
    if (cxLang_[2]->isChecked()) {
        chosen = 2;
    } else if (cxLang_[1]->isChecked()) {
        chosen = 1;
    }
    if (chosen != All().LanguageId && chosen < cxName_->count() &&
        IsLanguageFileName(cxName_->item(chosen)->text())) {
        All().LanguageId = chosen;
        All().LanguageName = cxName_->item(chosen)->text().toStdString();
        accepted_ = true;
    }
    accept();
}

} // namespace zorva
