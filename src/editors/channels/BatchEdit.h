// Batch channel edit: programs a range of memory channels in one go (frequencies with a step,
// tones with a spacing or at random, common settings), or clears the range.
#pragma once

#include <QWidget>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace zorva {

class RadioDocument;

class TfBatch : public QWidget {
    Q_OBJECT

public:
    explicit TfBatch(RadioDocument& document, QWidget* parent = nullptr);
    ~TfBatch() override;

    // Writes every channel of the chosen range as the inputs say. Sets Modified when the
    // image changed.
    void ApplyBatch();

    // A uniform random number from 0 to `highest`; tests replace it.
    std::function<int(int highest)> randomIndex;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void btnOkClick();
    void ApplyEnabling();
    void cxRxFreqChange();
    void cxTxFreqChange();
    void StepChange(QLineEdit& edit);
    void cxFromChange();
    void cxToChange();

    QLineEdit* AddNumberEdit(const char* name);
    QRadioButton* AddRadio(const char* name, const char* caption, QButtonGroup& group);
    QCheckBox* AddCheck(const char* name, const char* caption);
    QComboBox* AddList(const char* name, const QStringList& items, int selected);

    RadioDocument& document_;
    bool shown_ = false;
    bool checking_ = false;
    // What the start frequencies held when last accepted: a refused one shows them again.
    QString acceptedRx_;
    QString acceptedTx_;

    QRadioButton* cxAll_ = nullptr;
    QRadioButton* cxChs_ = nullptr;
    QSpinBox* cxFrom_ = nullptr;
    QSpinBox* cxTo_ = nullptr;
    QCheckBox* cxClear_ = nullptr;

    QLineEdit* cxRx_freq_ = nullptr;
    QLineEdit* cxRx_Step_ = nullptr;
    QRadioButton* cxRx_asc_ = nullptr;
    QRadioButton* cxRx_dec_ = nullptr;

    QRadioButton* cxTx_def_ = nullptr;
    QRadioButton* cxTx_Exc_ = nullptr;
    QRadioButton* cxTx_Self_ = nullptr;
    QLineEdit* cxExc_Freq_ = nullptr;
    QRadioButton* cxDup_add_ = nullptr;
    QRadioButton* cxDup_Dec_ = nullptr;
    QLineEdit* cxTx_Freq_ = nullptr;
    QLineEdit* cxTx_step_ = nullptr;
    QRadioButton* cxTx_asc_ = nullptr;
    QRadioButton* cxTx_dec_ = nullptr;

    QComboBox* cxRx_Dcts_ = nullptr;
    QCheckBox* cxRx_Ran_ = nullptr;
    QSpinBox* cxRx_Dcts_step_ = nullptr;
    QRadioButton* cxRx_Dcts_asc_ = nullptr;
    QRadioButton* cxRx_Dcts_dec_ = nullptr;

    QRadioButton* cxTx_Dcts_def_ = nullptr;
    QRadioButton* cxTx_Dcts_self_ = nullptr;
    QComboBox* cxTx_Dcts_ = nullptr;
    QCheckBox* cxTx_ran_ = nullptr;
    QSpinBox* cxTx_Dcts_step_ = nullptr;
    QRadioButton* cxTx_Dcts_asc_ = nullptr;
    QRadioButton* cxTx_Dcts_dec_ = nullptr;

    QComboBox* cxPower_ = nullptr;
    QComboBox* cxWn_ = nullptr;
    QComboBox* cxApro_ = nullptr;
    QLineEdit* cxName_ = nullptr;
    QCheckBox* cxUse_Chs_ = nullptr;
    QCheckBox* cxBclo_ = nullptr;
    QCheckBox* cxScan_ = nullptr;
    QCheckBox* cxVox_ = nullptr;
    QCheckBox* cxTxRev_ = nullptr;

    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace zorva
