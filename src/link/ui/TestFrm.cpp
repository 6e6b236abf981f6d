#include "link/ui/TestFrm.h"

#include "core/Maindb.h"
#include "link/PowerRanges.h"
#include "link/ui/PowerControls.h"
#include "settings/ui/LocaliseForm.h"
#include "settings/ui/ShowMsg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace zorva {

namespace {

constexpr int kOpenTimerMs = 1500;
constexpr std::array<int, 2> kTags{kLowPowerOffset, kHighPowerOffset};
constexpr int kSubRangeRole = Qt::UserRole;

QLabel* AddLabel(const char* name, const char* caption, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TfTestFrm::TfTestFrm(const TALL& state, QWidget* parent)
    : QDialog(parent), state_(state), link_(state.ExeDir, Language()) {
    setObjectName("fTestFrm");
    setWindowTitle("Power Test");
    setModal(true);

    cxAll_ = new QWidget(this);
    cxAll_->setObjectName("cxAll");

    QLabel* l00 = AddLabel("l00", "Select range for Frequency", cxAll_);
    cxFreq_Rang_ = new QTreeWidget(cxAll_);
    cxFreq_Rang_->setObjectName("cxFreq_Rang");
    cxFreq_Rang_->setHeaderHidden(true);
    cxFreq_Rang_->setRootIsDecorated(false);
    cxFreq_Rang_->setColumnCount(1);
    cxFreq_Rang_->setMinimumWidth(190);

    QLabel* l01 = AddLabel("l01", "Test Frequency", cxAll_);
    cxFreq_Selv_ = new QLineEdit(cxAll_);
    cxFreq_Selv_->setObjectName("cxFreq_Selv");
    cxFreq_Selv_->setReadOnly(true);

    auto* values = new QGridLayout;
    values->addWidget(l01, 0, 0, 1, 3);
    values->addWidget(cxFreq_Selv_, 1, 0, 1, 3);
    const std::array<const char*, 2> labelNames{"Ltx0", "Ltx1"};
    const std::array<const char*, 2> captions{"Low Power", "High Power"};
    for (int i = 0; i < 2; ++i) {
        QLabel* label = AddLabel(labelNames[i], captions[i], cxAll_);
        auto* slider = new PowerSlider(cxAll_);
        slider->setObjectName(QString("tbTx%1").arg(i));
        slider->setProperty("tag", kTags[i]);
        slider->setRange(0, kMaxPower);
        slider->setMinimumWidth(256);
        slider->onMouseUp = [this, i] { TrackBarMouseUp(i); };
        tbTx_[i] = slider;
        ceTx_[i] = new PowerEdit(cxAll_);
        ceTx_[i]->setObjectName(QString("ceTx%1").arg(i));
        fP_[i] = new Shape(true, Qt::yellow, cxAll_);
        fP_[i]->setObjectName(QString("fP%1").arg(i));
        fP_[i]->hide();

        const int row = 2 + 2 * i;
        values->addWidget(label, row, 0, 1, 3);
        values->addWidget(slider, row + 1, 0);
        values->addWidget(ceTx_[i], row + 1, 1);
        values->addWidget(fP_[i], row + 1, 2);
        connect(slider, &QSlider::valueChanged, this, [this, i] { TrackBarChange(i); });
        connect(ceTx_[i], &QSpinBox::valueChanged, this, [this, i] { EditValueChanged(i); });
    }
    fSTx_ = new Shape(false, Qt::white, cxAll_);
    fSTx_->setObjectName("fSTx");
    values->addWidget(fSTx_, 6, 0, 1, 3, Qt::AlignLeft);
    values->setRowStretch(7, 1);

    cxDebug_ = new QPushButton("Online", cxAll_);
    cxDebug_->setObjectName("cxDebug");
    cxClose_ = new QPushButton("Close", cxAll_);
    cxClose_->setObjectName("cxClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cxDebug_);
    buttons->addWidget(cxClose_);
    values->addLayout(buttons, 8, 0, 1, 3);

    auto* rangeColumn = new QVBoxLayout;
    rangeColumn->addWidget(l00);
    rangeColumn->addWidget(cxFreq_Rang_);
    auto* panel = new QHBoxLayout(cxAll_);
    panel->addLayout(rangeColumn);
    panel->addLayout(values, 1);

    auto* mainBar = new QStatusBar(this);
    mainBar->setObjectName("MainBar");
    mainBar->setSizeGripEnabled(false);
    portPanel_ = new QLabel(mainBar);
    portPanel_->setMinimumWidth(120);
    mainBar->addWidget(portPanel_);
    barPanel_ = new QWidget(mainBar);
    barPanel_->setMinimumHeight(16);
    barPanel_->installEventFilter(this);
    mainBar->addWidget(barPanel_, 1);
    cxBar_ = new QProgressBar(barPanel_);
    cxBar_->setObjectName("cxBar");
    cxBar_->setTextVisible(false);
    cxBar_->setRange(0, 1);
    cxBar_->setValue(0);
    cxBar_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(cxAll_, 1);
    layout->addWidget(mainBar);

    openTimer_ = new QTimer(this);
    openTimer_->setObjectName("Open_Timer");
    openTimer_->setSingleShot(true);
    openTimer_->setInterval(kOpenTimerMs);
    connect(openTimer_, &QTimer::timeout, this, &TfTestFrm::PlaceProgressBar);

    engine_ = std::make_unique<PowerTestEngine>(link_.PowerContext(state_, *this));
    link_.Connect(*engine_);

    connect(cxDebug_, &QPushButton::clicked, this, &TfTestFrm::cxDebugClick);
    connect(cxClose_, &QPushButton::clicked, this, &TfTestFrm::cxCloseClick);
    connect(cxFreq_Rang_, &QTreeWidget::currentItemChanged, this, &TfTestFrm::cxFreq_RangChange);
}

TfTestFrm::~TfTestFrm() {
    // The controls go after the engine: what they signal while being taken apart must not
    // reach it.
    for (QObject* child : findChildren<QObject*>())
        child->blockSignals(true);
    // Nor what the port or the timers report.
    link_.Disconnect();
    engine_->FormClose();
}

void TfTestFrm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous() && !shown_) {
        shown_ = true;
        FormShow();
    }
}

void TfTestFrm::FormShow() {
    EnableValueControls(false);
    LocaliseForm(*this, false);
    portPanel_->setText(" COM:  " + QString::fromStdString(Language().Close));
    BuildRangeList();
    openTimer_->start();
}

void TfTestFrm::BuildRangeList() {
    const QSignalBlocker blocker(cxFreq_Rang_);
    cxFreq_Rang_->clear();
    const QIcon icon = RangeIcon();
    for (const PowerSubRange& range : PowerSubRanges(state_)) {
        auto* item = new QTreeWidgetItem(cxFreq_Rang_, {QString::fromStdString(range.text)});
        item->setIcon(0, icon);
        item->setData(0, kSubRangeRole, range.number);
    }
    if (cxFreq_Rang_->topLevelItemCount() > 0)
        cxFreq_Rang_->setCurrentItem(cxFreq_Rang_->topLevelItem(0));
    cxFreq_RangChange();
}

// The progress bar fills status panel 1; the panel's place is known once it is laid out.
void TfTestFrm::PlaceProgressBar() {
    barPlaced_ = true;
    cxBar_->setGeometry(barPanel_->rect());
}

bool TfTestFrm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == barPanel_ && event->type() == QEvent::Resize && barPlaced_) PlaceProgressBar();
    return QDialog::eventFilter(watched, event);
}

void TfTestFrm::EnableValueControls(bool enabled) {
    cxFreq_Rang_->setEnabled(enabled);
    cxFreq_Selv_->setEnabled(enabled);
    for (int i = 0; i < 2; ++i) {
        tbTx_[i]->setEnabled(enabled);
        ceTx_[i]->setEnabled(enabled);
    }
}

int TfTestFrm::SelectedSubRange() const {
    const QTreeWidgetItem* item = cxFreq_Rang_->currentItem();
    return item ? item->data(0, kSubRangeRole).toInt() : -1;
}

void TfTestFrm::cxFreq_RangChange() {
    const QTreeWidgetItem* item = cxFreq_Rang_->currentItem();
    cxFreq_Selv_->setText(item ? item->text(0) : QString());
    const int subRange = SelectedSubRange();
    if (subRange < 0) return;
    // The table's values are shown, not changes of the user's: nothing is sent.
    loading_ = true;
    for (int i = 0; i < 2; ++i) {
        tbTx_[i]->setValue(engine_->Table()[CalibrationAddress(subRange, kTags[i])]);
        moved_[i] = false;
    }
    loading_ = false;
}

void TfTestFrm::ShowMarker(int index) {
    fP_[index]->show();
    fP_[1 - index]->hide();
}

void TfTestFrm::TrackBarChange(int index) {
    {
        const QSignalBlocker blocker(ceTx_[index]);
        ceTx_[index]->setValue(tbTx_[index]->value());
    }
    if (loading_) return;
    ShowMarker(index);
    moved_[index] = true;
}

void TfTestFrm::TrackBarMouseUp(int index) {
    if (!moved_[index]) return;
    moved_[index] = false;
    SendValue(index, tbTx_[index]->value());
}

void TfTestFrm::EditValueChanged(int index) {
    if (loading_) return;
    const int value = ceTx_[index]->value();
    {
        // The slider follows the edit; the value goes out once, from here.
        const QSignalBlocker blocker(tbTx_[index]);
        tbTx_[index]->setValue(value);
    }
    ShowMarker(index);
    moved_[index] = false;
    SendValue(index, value);
}

void TfTestFrm::SendValue(int index, int value) {
    const int subRange = SelectedSubRange();
    if (subRange < 0) return;
    engine_->SetPower(subRange, kTags[index], static_cast<uint8_t>(value));
}

void TfTestFrm::cxDebugClick() {
    EnableValueControls(false);
    engine_->Online();
}

void TfTestFrm::cxCloseClick() {
    cxAll_->setEnabled(false);
    engine_->CloseRequested();
}

void TfTestFrm::done(int result) {
    engine_->FormClose();
    QDialog::done(result);
}

int TfTestFrm::ShowMsg(const std::string& caption, const std::string& text, MsgKind kind) {
    return zorva::ShowMsg(caption, text, kind);
}

void TfTestFrm::PortStateChanged(bool open) {
    const std::string& state = open ? Language().Open : Language().Close;
    portPanel_->setText(" COM: " + QString::fromStdString(state));
    // Values cannot reach a radio without a port, and the table may no longer be the radio's.
    if (!open) EnableValueControls(false);
}

void TfTestFrm::SetProgress(int value, int maximum) {
    cxBar_->setMaximum(std::max(maximum, 1));
    cxBar_->setValue(std::clamp(value, 0, std::max(maximum, 1)));
}

void TfTestFrm::ShowProgress(bool visible) {
    if (visible) PlaceProgressBar();
    cxBar_->setVisible(visible);
}

void TfTestFrm::SetPanelEnabled(bool enabled) {
    cxAll_->setEnabled(enabled);
}

void TfTestFrm::SequenceCompleted(PowerSequence sequence) {
    if (sequence != PowerSequence::Online) return;
    static_cast<Shape*>(fSTx_)->SetColour(Qt::red);
    cxFreq_RangChange();
    EnableValueControls(true);
}

void TfTestFrm::CloseWindow() {
    close();
}

} // namespace zorva
