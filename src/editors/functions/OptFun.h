// The optional functions window: the radio's general settings, each control one bit field of
// the settings bytes, written back into the image as soon as any control changes.
#pragma once

#include "codec/OptionCodes.h"

#include <QSize>
#include <QWidget>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;

namespace zorva {

class RadioDocument;
class TALL;

class TfOptFun : public QWidget {
    Q_OBJECT

public:
    explicit TfOptFun(RadioDocument& document, QWidget* parent = nullptr);
    ~TfOptFun() override;

    // Sets every control from the image.
    void ShowOptions();
    // Writes every control into the image and marks it modified.
    void StoreOptions();

    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void ComborPropertiesChange();
    void cxNamePropertiesEditValueChanged();
    // True when the key is dropped.
    bool cxOpenMsgKeyPress(const QKeyEvent& key);

    // Every control into the settings of `all`.
    void StoreControls(TALL& all) const;

    RadioDocument& document_;
    bool loading_ = false;
    bool shown_ = false;

    // The controls whose code is the position of the shown item.
    std::vector<std::pair<QComboBox*, SettingField>> plainLists_;
    std::vector<std::pair<QCheckBox*, SettingField>> checks_;
    QComboBox* cxOpenSw_ = nullptr;
    QLineEdit* cxOpenMsg_ = nullptr;
    QComboBox* cxModeSw_ = nullptr;
    QComboBox* cxRxSav_ = nullptr;
    QComboBox* cxWavsSw_ = nullptr;
    QComboBox* cxFrq_Use_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace zorva
