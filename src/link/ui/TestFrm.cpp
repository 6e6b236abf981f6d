#include "link/ui/TestFrm.h"

#include "core/Maindb.h"
#include "link/PowerRanges.h"
#include "settings/Settings.h"
#include "settings/ui/LocaliseForm.h"
#include "settings/ui/ShowMsg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <functional>
#include <limits>

namespace zorva {

namespace {

constexpr int kOpenTimerMs = 1500;
constexpr int kMaxPower = 255;
constexpr std::array<int, 2> kTags{kLowPowerOffset, kHighPowerOffset};
constexpr int kSubRangeRole = Qt::UserRole;

// A filled circle (the markers) or rectangle (the table mark) in the palette's window colour.
class Shape : public QWidget {
public:
    Shape(bool circle, const QColor& colour, QWidget* parent) : QWidget(parent), circle_(circle) {
        SetColour(colour);
        setFixedSize(circle ? QSize(14, 14) : QSize(40, 14));
    }
    void SetColour(const QColor& colour) {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, colour);
        setPalette(colours);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::black);
        painter.setBrush(palette().color(QPalette::Window));
        const QRect box = rect().adjusted(1, 1, -1, -1);
        if (circle_) {
            painter.drawEllipse(box);
        } else {
            painter.drawRect(box);
        }
    }

private:
    bool circle_;
};

// A power slider: the keys and the wheel that would move it do nothing (a value reaches the radio
// only on a deliberate mouse move or a typed value), and releasing the mouse is reported.
class PowerSlider : public QSlider {
public:
    explicit PowerSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}
    std::function<void()> onMouseUp;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            event->accept();
            return;
        default:
            QSlider::keyPressEvent(event);
        }
    }
    // The wheel would move the slider with no release to follow: the radio would not get
    // the value it shows.
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QSlider::mouseReleaseEvent(event);
        if (onMouseUp) onMouseUp();
    }
};

// A power value edit: a typed number outside 0..255 is taken as the nearest bound instead of
// being refused keystroke by keystroke.
class PowerEdit : public QSpinBox {
public:
    explicit PowerEdit(QWidget* parent) : QSpinBox(parent) {
        setRange(0, kMaxPower);
        // Only a confirmed value (Enter, leaving the edit, the arrows) counts as a change.
        setKeyboardTracking(false);
    }

protected:
    QValidator::State validate(QString& input, int&) const override {
        const QString text = input.trimmed();
        if (text.isEmpty() || text == "-" || text == "+") return QValidator::Intermediate;
        long long number = 0;
        if (!Parse(text, number)) return QValidator::Invalid;
        return number >= minimum() && number <= maximum() ? QValidator::Acceptable
                                                          : QValidator::Intermediate;
    }
    void fixup(QString& input) const override {
        long long number = 0;
        if (!Parse(input.trimmed(), number)) return;
        input = QString::number(std::clamp<long long>(number, minimum(), maximum()));
    }
    int valueFromText(const QString& text) const override {
        long long number = 0;
        if (!Parse(text.trimmed(), number)) return value();
        return static_cast<int>(std::clamp<long long>(number, minimum(), maximum()));
    }

private:
    // An optionally signed run of digits; a long run saturates rather than overflowing.
    static bool Parse(const QString& text, long long& number) {
        int i = 0;
        bool negative = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
        if (i == text.size()) return false;
        number = 0;
        for (; i < text.size(); ++i) {
            if (!text[i].isDigit() || text[i].digitValue() < 0) return false;
            number = std::min<long long>(number * 10 + text[i].digitValue(), 1000000);
        }
        if (negative) number = -number;
        return true;
    }
};

QIcon RangeIcon() {
    const auto dot = [](const QColor& colour) {
        QPixmap pixmap(12, 12);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::darkGray);
        painter.setBrush(colour);
        painter.drawEllipse(QRect(1, 1, 10, 10));
        return pixmap;
    };
    QIcon icon;
    icon.addPixmap(dot(Qt::lightGray), QIcon::Normal); // image 0
    icon.addPixmap(dot(Qt::green), QIcon::Selected);   // image 1
    return icon;
}

QLabel* AddLabel(const char* name, const char* caption, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TfTestFrm::TfTestFrm(const TALL& state, QWidget* parent)
    : QDialog(parent), state_(state), port_(SettingsFilePath(state.ExeDir)) {
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

    port_.SetLanguage(Language());
    engine_ = std::make_unique<PowerTestEngine>(
        PowerTestContext{state_, Language(), port_, timers_, *this,
                         [] { return static_cast<int>(QRandomGenerator::global()->bounded(5)); }});
    port_.SetBytesHandler(
        [this](const uint8_t* bytes, int count) { engine_->OnBytes(bytes, count); });
    timers_.SetExpiryHandler([this](LinkTimer timer) { engine_->OnTimer(timer); });

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
    timers_.SetExpiryHandler({});
    port_.SetBytesHandler({});
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

int TfTestFrm::ShowMsg(const std::string& caption, const std::string& text, int kind) {
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
