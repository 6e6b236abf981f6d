// The language dialog: up to three languages of the settings file's list.
#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QListWidget;
class QRadioButton;

namespace zorva {

class TfSetLanguage : public QDialog {
    Q_OBJECT

public:
    explicit TfSetLanguage(QWidget* parent = nullptr);
    // Whether Ok chose another language (LanguageId and LanguageName are then set).
    bool LanguageChanged() const { return accepted_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void btnOkClick();

    bool accepted_ = false;
    std::array<QRadioButton*, 3> cxLang_{};
    QComboBox* cxLangList_ = nullptr; // cxLang: the display names
    QListWidget* cxName_ = nullptr;
};

} // namespace zorva
