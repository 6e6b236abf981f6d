// The channel edit window: one memory channel (the current one) as a form of labelled
// fields, written back into the image field by field as the user edits it.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zorva {

class RadioDocument;
class TALL;

class TfChsEdit : public QWidget {
    Q_OBJECT

public:
    explicit TfChsEdit(RadioDocument& document, QWidget* parent = nullptr);
    ~TfChsEdit() override;

    // Reloads the controls from the current channel.
    void ShowChannel();
    // Writes every control into the current channel.
    void StoreChannel();

    // The tone picker, run modally; gives the picked tone or an empty text. Tests replace it.
    std::function<QString()> pickTone;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    // Every control into channel `channel` of `all`.
    void StoreControls(TALL& all, int channel) const;
    void FillChannelList();
    void EnableFields(bool enable);
    void ClearFields();
    void ChannelPicked(int index);
    void RxChanged();
    void TxChanged();
    void ToneChanged(QComboBox& list);
    void FieldChanged();
    void PickTone(QComboBox& list);
    bool FilterKey(QObject* watched, const QString& typed);
    // Typing into the channel selector: digits typed in quick succession form one number.
    void TypeChannelDigit(QChar digit);
    // The text `field` shows for the current channel as the image holds it: leaving a field
    // whose text is still that changes nothing.
    QString StoredText(const QObject* field) const;
    bool Unchanged(const QLineEdit& field) const;

    RadioDocument& document_;
    bool loading_ = false;
    int chsGuard_ = 0;
    int rxGuard_ = 0;
    int txGuard_ = 0;
    int toneGuard_ = 0;
    QString typedChannel_;
    QElapsedTimer typedAt_;

    QComboBox* cxChs_ = nullptr;
    QLineEdit* cxRxSv_ = nullptr;
    QLineEdit* cxTxSv_ = nullptr;
    QComboBox* cxRxDcts_ = nullptr;
    QComboBox* cxTxDcts_ = nullptr;
    QComboBox* cxPwrv_ = nullptr;
    QComboBox* cxBand_ = nullptr;
    QComboBox* cxPtts_ = nullptr;
    QLineEdit* cxIdSv_ = nullptr;
    QLineEdit* cxNameSv_ = nullptr;
    QCheckBox* cxBclo_ = nullptr;
    QCheckBox* cxTail_ = nullptr;
    QCheckBox* cxVoxs_ = nullptr;
    QCheckBox* cxAnis_ = nullptr;
    QCheckBox* cxScan_ = nullptr;
    QPushButton* btnClose_ = nullptr;
    QComboBox* cxApro_ = nullptr;
    QCheckBox* cxWhis_ = nullptr;
    QComboBox* cxAuto_ = nullptr;
};

} // namespace zorva
