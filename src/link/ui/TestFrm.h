// The power test window: reads the radio's calibration table ("Online"), shows the low and
// high power values of the selected 10 MHz sub-range on two sliders, and writes each value the
// user changes straight back to the radio. It touches neither the image nor the data file.
#pragma once

#include "link/PowerTestEngine.h"
#include "link/qt/LinkWiring.h"

#include <QDialog>
#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;
class QTimer;
class QTreeWidget;
class QWidget;

namespace zorva {

class TALL;

class TfTestFrm : public QDialog, private PowerTestUser {
    Q_OBJECT

public:
    // `state` gives the port and the bands whose power is tuned.
    explicit TfTestFrm(const TALL& state, QWidget* parent = nullptr);
    ~TfTestFrm() override;

    const PowerTestEngine& Engine() const { return *engine_; }
    QtSerialPort& Port() { return link_.Port(); }
    // Every way of closing (Close, Escape, the close box, the engine) comes here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // PowerTestUser
    int ShowMsg(const std::string& caption, const std::string& text, MsgKind kind) override;
    void PortStateChanged(bool open) override;
    void SetProgress(int value, int maximum) override;
    void ShowProgress(bool visible) override;
    void SetPanelEnabled(bool enabled) override;
    void SequenceCompleted(PowerSequence sequence) override;
    void CloseWindow() override;

    void FormShow();
    void BuildRangeList();
    void cxDebugClick();
    void cxCloseClick();
    void cxFreq_RangChange();
    void TrackBarChange(int index);
    void TrackBarMouseUp(int index);
    void EditValueChanged(int index);
    void PlaceProgressBar();
    // The range list, its text, the sliders and their edits: usable only with a table read.
    void EnableValueControls(bool enabled);
    void ShowMarker(int index);
    // The calibration row of the selected sub-range, -1 when none is selected.
    int SelectedSubRange() const;
    void SendValue(int index, int value);

    const TALL& state_;
    // Before the engine, which uses its port and timers to the end.
    LinkWiring link_;
    std::unique_ptr<PowerTestEngine> engine_;
    bool shown_ = false;
    bool loading_ = false;
    bool barPlaced_ = false;
    // A slider moved by the user and not yet sent.
    std::array<bool, 2> moved_{};

    QWidget* cxAll_ = nullptr;
    QTreeWidget* cxFreq_Rang_ = nullptr;
    QLineEdit* cxFreq_Selv_ = nullptr;
    std::array<QSlider*, 2> tbTx_{};
    std::array<QSpinBox*, 2> ceTx_{};
    std::array<QWidget*, 2> fP_{};
    QWidget* fSTx_ = nullptr;
    QPushButton* cxDebug_ = nullptr;
    QPushButton* cxClose_ = nullptr;
    QLabel* portPanel_ = nullptr;
    QWidget* barPanel_ = nullptr;
    QProgressBar* cxBar_ = nullptr;
    QTimer* openTimer_ = nullptr;
};

} // namespace zorva
