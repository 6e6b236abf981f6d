// The model information dialog: which catalogue model a new image is for, which of its bands
// are in use and the edges of each. It works on a copy of the document's state; on Ok that copy
// holds the choice, from which the document builds the new image.
#pragma once

#include "core/TAll.h"

#include <QDialog>
#include <array>
#include <cstdint>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace zorva {

class TMacType;

class TfModel : public QDialog {
    Q_OBJECT

public:
    explicit TfModel(const TALL& state, QWidget* parent = nullptr);
    ~TfModel() override;

    // Whether Ok made a choice.
    bool ModelAccepted() const { return accepted_; }
    // The state shown, with the choice once Ok made one (BandMask, BandLow/BandHigh,
    // ImageModelIdent).
    const TALL& Chosen() const { return chosen_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls of one band's panel and the edges it shows.
    struct Band {
        QWidget* panel = nullptr;
        QLabel* label = nullptr;
        QCheckBox* use = nullptr;
        QRadioButton* sel = nullptr;
        QLineEdit* low = nullptr;
        QLineEdit* high = nullptr;
        double lowValue = 0.0;
        double highValue = 0.0;
    };

    void BuildBand(int band, double low, double high);
    void FormShow();
    void cxModelPropertiesChange();
    void ShowBands(uint8_t flags);
    void EnableEdges();
    void cxUsePropertiesChange(int band);
    void cxSelClick(int band);
    // The rule of the eight edge handlers: `upper` tells which edge of `band` changed.
    void EdgeValueChanged(int band, bool upper);
    void btnOkClick();

    // Takes over what was typed into an edge edit, if anything was.
    void CommitEdge(int band, bool upper);
    void CommitPendingEdges();
    void SetEdge(int band, bool upper, double mhz);
    // Checks the radio button of `band` alone (none when -1) and its check box alone.
    void ChooseSingleBand(int band);

    TALL chosen_;
    std::array<Band, 4> bands_{};
    QWidget* pMode_ = nullptr;
    QWidget* pKeys_ = nullptr;
    QComboBox* cxModel_ = nullptr;
    QLabel* lRang_ = nullptr;
    QButtonGroup* selGroup_ = nullptr;

    const TMacType* model_ = nullptr;
    bool showBandChoice_ = true;
    bool loading_ = false;
    bool accepted_ = false;
    bool shown_ = false;
};

} // namespace zorva
