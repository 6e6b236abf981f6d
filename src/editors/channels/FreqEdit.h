// The frequency mode window: the radio's two VFO records ("Freq_Down" and "Freq_Up") and the
// frequency step that sets their raster.
#pragma once

#include "editors/ImageText.h"
#include "shell/Commands.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zorva {

// Which typed characters a text control takes.
enum class TypedKeys {
    Frequency, // digits and "."; "," becomes "."
    Tone,      // digits, ".", D, I, N in either case
    Name,      // space to "z", shown in upper case
};

// Applies the key rules of `keys` to a key press in `edit`: drops a character the control
// does not take, types a replacement where one is due, and lets everything else (editing
// and navigation keys, Enter, Backspace) through. True when the event was dealt with.
bool FilterTypedKey(QLineEdit& edit, const QKeyEvent& key, TypedKeys keys);

class RadioDocument;
class TALL;

class TfFreqEdit : public QWidget, public EditingWindow {
    Q_OBJECT

public:
    explicit TfFreqEdit(RadioDocument& document, QWidget* parent = nullptr);
    void FinishEditing() override { CommitPendingEdits(); }
    ~TfFreqEdit() override;

    // 129 while "Freq_Down" is selected, 130 while "Freq_Up" is.
    int SelectedRecord() const;
    // Loads the controls from the selected record and the step setting.
    void ShowVfo();

    // Opens the tone picker and gives its choice, empty when none was made.
    std::function<QString()> pickTone;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void StoreVfo();
    // Every control into record `record` of `all`.
    void StoreControls(TALL& all, int record) const;
    void cxRxSvChange();
    void cxTxSvChange();
    void cxStepChange(int index);
    void ToneChange(QComboBox& list);
    void ToneDblClick(QComboBox& list);
    // Applies a typed frequency or offset that was not yet taken over.
    void CommitPendingEdits();
    void ShowFrequencies();
    QComboBox* AddList(const char* name, const QStringList& items);
    QCheckBox* AddCheck(const char* name, const char* caption);

    RadioDocument& document_;
    bool loading_ = false;
    bool shown_ = false;
    bool rxGuard_ = false;
    bool txGuard_ = false;
    bool toneGuard_ = false;

    QRadioButton* cxDown_ = nullptr;
    QRadioButton* cxUps_ = nullptr;
    QLineEdit* cxRxSv_ = nullptr;
    QLineEdit* cxTxSv_ = nullptr;
    QComboBox* cxDups_ = nullptr;
    QComboBox* cxStep_ = nullptr;
    QComboBox* cxRxDcts_ = nullptr;
    QComboBox* cxTxDcts_ = nullptr;
    QComboBox* cxBand_ = nullptr;
    QComboBox* cxPwrv_ = nullptr;
    QComboBox* cxPtts_ = nullptr;
    QComboBox* cxApro_ = nullptr;
    QCheckBox* cxBclo_ = nullptr;
    QCheckBox* cxTail_ = nullptr;
    QCheckBox* cxVoxs_ = nullptr;
    QCheckBox* cxAnis_ = nullptr;
    QCheckBox* cxWhis_ = nullptr;
    QPushButton* btnClose_ = nullptr;
};

} // namespace zorva
