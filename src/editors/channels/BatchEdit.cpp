#include "editors/channels/BatchEdit.h"

#include "codec/Batch.h"
#include "codec/ChannelRecord.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "codec/ToneList.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "editors/ChildWindow.h"
#include "editors/ChoiceItems.h"
#include "editors/ImageText.h"
#include "editors/channels/FieldMessages.h"
#include "editors/channels/FreqEdit.h"
#include "settings/ui/LocaliseForm.h"
#include "shell/Commands.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdint>
#include <random>

namespace zorva {

namespace {

constexpr int kFromEditorMaximum = 108;

// The frequency an edit shows, in 10 Hz units (0 when it shows no number).
int64_t UnitsOf(const QLineEdit& edit) {
    const std::optional<double> mhz = ParseNumber(ToImageText(edit.text().trimmed()));
    return mhz ? MhzToUnits(*mhz) : 0;
}

// A start frequency as the batch takes it: an empty text is the lowest band edge; one outside
// the bands is refused (after the message); then on the nearer of the two channel rasters.
std::optional<double> StartFrequency(const TALL& all, const QLineEdit& edit) {
    std::optional<double> mhz;
    if (edit.text().trimmed().isEmpty()) {
        mhz = NearestBandEdge(all, false, kNoFreq);
    } else {
        mhz = CheckedRxFreq(all, edit.text());
    }
    if (!mhz) return std::nullopt;
    Raster raster = Raster::Nearer;
    SnapToRaster(*mhz, raster);
    return mhz;
}

int RandomTone(int highest) {
    static std::mt19937 generator{std::random_device{}()};
    return std::uniform_int_distribution<int>(0, highest)(generator);
}

} // namespace

TfBatch::TfBatch(RadioDocument& document, QWidget* parent) : QWidget(parent), document_(document) {
    setObjectName("fBatch");
    setWindowTitle("Batch Channel Edit");
    randomIndex = RandomTone;

    const auto label = [this](const char* name, const char* caption) {
        auto* shown = new QLabel(caption, this);
        shown->setObjectName(name);
        return shown;
    };
    const auto group = [this](const char* name, const char* caption) {
        auto* box = new QGroupBox(caption, this);
        box->setObjectName(name);
        return box;
    };
    const auto buttons = [this] { return new QButtonGroup(this); };

    // Bound
    QButtonGroup* bound = buttons();
    cxAll_ = AddRadio("cxAll", "All Channel", *bound);
    cxChs_ = AddRadio("cxChs", "Channel", *bound);
    cxAll_->setChecked(true);
    cxFrom_ = new QSpinBox(this);
    cxFrom_->setObjectName("cxFrom");
    cxFrom_->setRange(1, kFromEditorMaximum);
    cxFrom_->setValue(1);
    cxTo_ = new QSpinBox(this);
    cxTo_->setObjectName("cxTo");
    cxTo_->setRange(1, kMemoryChannels);
    cxTo_->setValue(kMemoryChannels);
    cxClear_ = AddCheck("cxClear", "Clear Data");
    QGroupBox* gbBound = group("gbBound", "Bound:");
    auto* boundGrid = new QGridLayout(gbBound);
    boundGrid->addWidget(cxAll_, 0, 0);
    boundGrid->addWidget(cxChs_, 0, 1);
    boundGrid->addWidget(label("lFrom", "From"), 1, 0);
    boundGrid->addWidget(cxFrom_, 1, 1);
    boundGrid->addWidget(label("lTo", "To"), 1, 2);
    boundGrid->addWidget(cxTo_, 1, 3);
    boundGrid->addWidget(cxClear_, 0, 3);

    // RX frequency
    cxRx_freq_ = AddNumberEdit("cxRx_freq");
    cxRx_Step_ = AddNumberEdit("cxRx_Step");
    QButtonGroup* rxWay = buttons();
    cxRx_asc_ = AddRadio("cxRx_asc", "ASC", *rxWay);
    cxRx_dec_ = AddRadio("cxRx_dec", "DESC", *rxWay);
    cxRx_asc_->setChecked(true);
    QGroupBox* gbRx = group("gbRxFreq", "RX Freq.");
    auto* rxGrid = new QGridLayout(gbRx);
    rxGrid->addWidget(label("lRx_freq", "Begin Freq.(MHz)"), 0, 0);
    rxGrid->addWidget(cxRx_freq_, 0, 1);
    rxGrid->addWidget(label("lRx_Step", "Step Freq.(MHz)"), 1, 0);
    rxGrid->addWidget(cxRx_Step_, 1, 1);
    rxGrid->addWidget(cxRx_asc_, 1, 2);
    rxGrid->addWidget(cxRx_dec_, 1, 3);

    // TX frequency
    QButtonGroup* txWay = buttons();
    cxTx_def_ = AddRadio("cxTx_def", "Default", *txWay);
    cxTx_Exc_ = AddRadio("cxTx_Exc", "Excursion Freq.(MHz)", *txWay);
    cxTx_Self_ = AddRadio("cxTx_Self", "Begin Freq.(MHz)", *txWay);
    cxTx_def_->setChecked(true);
    cxExc_Freq_ = AddNumberEdit("cxExc_Freq");
    QButtonGroup* dup = buttons();
    cxDup_add_ = AddRadio("cxDup_add", "+Dup", *dup);
    cxDup_Dec_ = AddRadio("cxDup_Dec", "-Dup", *dup);
    cxDup_add_->setChecked(true);
    cxTx_Freq_ = AddNumberEdit("cxTx_Freq");
    cxTx_step_ = AddNumberEdit("cxTx_step");
    QButtonGroup* txStepWay = buttons();
    cxTx_asc_ = AddRadio("cxTx_asc", "ASC", *txStepWay);
    cxTx_dec_ = AddRadio("cxTx_dec", "DESC", *txStepWay);
    cxTx_asc_->setChecked(true);
    QGroupBox* gbTx = group("gbTxFreq", "TX Freq.");
    auto* txGrid = new QGridLayout(gbTx);
    txGrid->addWidget(cxTx_def_, 0, 0);
    txGrid->addWidget(cxTx_Exc_, 1, 0);
    txGrid->addWidget(cxExc_Freq_, 1, 1);
    txGrid->addWidget(cxDup_add_, 1, 2);
    txGrid->addWidget(cxDup_Dec_, 1, 3);
    txGrid->addWidget(cxTx_Self_, 2, 0);
    txGrid->addWidget(cxTx_Freq_, 2, 1);
    txGrid->addWidget(label("lTx_step", "Step Freq.(MHz)"), 3, 0);
    txGrid->addWidget(cxTx_step_, 3, 1);
    txGrid->addWidget(cxTx_asc_, 3, 2);
    txGrid->addWidget(cxTx_dec_, 3, 3);

    // Tones
    QStringList tones;
    for (const std::string& tone : ToneList())
        tones << FromImageText(tone);
    const auto toneSpace = [this](const char* name) {
        auto* space = new QSpinBox(this);
        space->setObjectName(name);
        space->setRange(0, kToneListSize - 1);
        return space;
    };
    cxRx_Dcts_ = AddList("cxRx_Dcts", tones, 0);
    cxRx_Dcts_->setProperty("tag", -3);
    cxRx_Ran_ = AddCheck("cxRx_Ran", "Random");
    cxRx_Dcts_step_ = toneSpace("cxRx_Dcts_step");
    QButtonGroup* rxToneWay = buttons();
    cxRx_Dcts_asc_ = AddRadio("cxRx_Dcts_asc", "ASC", *rxToneWay);
    cxRx_Dcts_dec_ = AddRadio("cxRx_Dcts_dec", "DESC", *rxToneWay);
    cxRx_Dcts_asc_->setChecked(true);
    QGroupBox* gbRxTone = group("gbRxTone", "RX QT/DQT:");
    auto* rxToneGrid = new QGridLayout(gbRxTone);
    rxToneGrid->addWidget(label("lRx_Dcts", "Begin"), 0, 0);
    rxToneGrid->addWidget(cxRx_Dcts_, 0, 1);
    rxToneGrid->addWidget(cxRx_Ran_, 0, 2);
    rxToneGrid->addWidget(label("lRx_Dcts_step", "Space"), 1, 0);
    rxToneGrid->addWidget(cxRx_Dcts_step_, 1, 1);
    rxToneGrid->addWidget(cxRx_Dcts_asc_, 1, 2);
    rxToneGrid->addWidget(cxRx_Dcts_dec_, 1, 3);

    QButtonGroup* txToneSource = buttons();
    cxTx_Dcts_def_ = AddRadio("cxTx_Dcts_def", "Default", *txToneSource);
    cxTx_Dcts_self_ = AddRadio("cxTx_Dcts_self", "Begin", *txToneSource);
    cxTx_Dcts_def_->setChecked(true);
    cxTx_Dcts_ = AddList("cxTx_Dcts", tones, 0);
    cxTx_Dcts_->setProperty("tag", -3);
    cxTx_ran_ = AddCheck("cxTx_ran", "Random");
    cxTx_Dcts_step_ = toneSpace("cxTx_Dcts_step");
    QButtonGroup* txToneWay = buttons();
    cxTx_Dcts_asc_ = AddRadio("cxTx_Dcts_asc", "ASC", *txToneWay);
    cxTx_Dcts_dec_ = AddRadio("cxTx_Dcts_dec", "DESC", *txToneWay);
    cxTx_Dcts_asc_->setChecked(true);
    QGroupBox* gbTxTone = group("gbTxTone", "TX QT/DQT:");
    auto* txToneGrid = new QGridLayout(gbTxTone);
    txToneGrid->addWidget(cxTx_Dcts_def_, 0, 0);
    txToneGrid->addWidget(cxTx_Dcts_self_, 1, 0);
    txToneGrid->addWidget(cxTx_Dcts_, 1, 1);
    txToneGrid->addWidget(cxTx_ran_, 1, 2);
    txToneGrid->addWidget(label("lTx_Dcts_step", "Space"), 2, 0);
    txToneGrid->addWidget(cxTx_Dcts_step_, 2, 1);
    txToneGrid->addWidget(cxTx_Dcts_asc_, 2, 2);
    txToneGrid->addWidget(cxTx_Dcts_dec_, 2, 3);

    // Common values
    cxPower_ = AddList("cxPower", {"Low", "High"}, 1);
    cxWn_ = AddList("cxWn", {"Narrow", "Wide"}, 1);
    cxApro_ = AddList("cxApro", ChoiceItems(kFieldVoiceMode), 0);
    cxName_ = new QLineEdit(this);
    cxName_->setObjectName("cxName");
    cxName_->setMaxLength(kNameLength);
    cxName_->installEventFilter(this);
    cxUse_Chs_ = AddCheck("cxUse_Chs", "Use Channel");
    cxBclo_ = AddCheck("cxBclo", "Busy Lock");
    cxScan_ = AddCheck("cxScan", "Scan Add");
    cxVox_ = AddCheck("cxVox", "Vox");
    cxTxRev_ = AddCheck("cxTxRev", "Epilogue");
    cxTxRev_->setChecked(true);
    auto* options = new QGroupBox(this);
    auto* optionGrid = new QGridLayout(options);
    optionGrid->addWidget(label("lPower", "TX Power"), 0, 0);
    optionGrid->addWidget(cxPower_, 0, 1);
    optionGrid->addWidget(label("lWn", "W/N"), 0, 2);
    optionGrid->addWidget(cxWn_, 0, 3);
    optionGrid->addWidget(label("lApro", "Voice Mode"), 1, 0);
    optionGrid->addWidget(cxApro_, 1, 1);
    optionGrid->addWidget(label("lName", "Name"), 1, 2);
    optionGrid->addWidget(cxName_, 1, 3);
    optionGrid->addWidget(cxUse_Chs_, 1, 4);
    optionGrid->addWidget(cxBclo_, 2, 0);
    optionGrid->addWidget(cxScan_, 2, 1);
    optionGrid->addWidget(cxVox_, 2, 2);
    optionGrid->addWidget(cxTxRev_, 2, 3);

    btnOk_ = new QPushButton("&OK", this);
    btnOk_->setObjectName("btnOk");
    btnCancel_ = new QPushButton("&Cancel", this);
    btnCancel_->setObjectName("btnCancel");

    auto* layout = new QVBoxLayout(this);
    for (QGroupBox* box : {gbBound, gbRx, gbTx, gbRxTone, gbTxTone, options})
        layout->addWidget(box);
    layout->addLayout(ButtonRow({btnOk_, btnCancel_}));

    connect(btnOk_, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(btnCancel_, &QPushButton::clicked, this, [this] { CloseChildWindow(*this); });
    connect(cxRx_freq_, &QLineEdit::editingFinished, this, [this] { cxRxFreqChange(); });
    connect(cxTx_Freq_, &QLineEdit::editingFinished, this, [this] { cxTxFreqChange(); });
    for (QLineEdit* edit : {cxRx_Step_, cxTx_step_, cxExc_Freq_})
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { StepChange(*edit); });
    connect(cxFrom_, &QSpinBox::editingFinished, this, [this] { cxFromChange(); });
    connect(cxTo_, &QSpinBox::editingFinished, this, [this] { cxToChange(); });
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             cxAll_, cxChs_, cxTx_def_, cxTx_Exc_, cxTx_Self_, cxRx_Ran_, cxClear_, cxTx_Dcts_def_,
             cxTx_Dcts_self_, cxTx_ran_})
        connect(button, &QAbstractButton::toggled, this, [this] { ApplyEnabling(); });
    ApplyEnabling();
}

TfBatch::~TfBatch() {
    SilenceChildren(*this);
}

QLineEdit* TfBatch::AddNumberEdit(const char* name) {
    auto* edit = new QLineEdit("0.00000", this);
    edit->setObjectName(name);
    edit->setMaxLength(kFreqTextLength);
    edit->installEventFilter(this);
    return edit;
}

QRadioButton* TfBatch::AddRadio(const char* name, const char* caption, QButtonGroup& group) {
    auto* button = new QRadioButton(caption, this);
    button->setObjectName(name);
    group.addButton(button);
    return button;
}

QCheckBox* TfBatch::AddCheck(const char* name, const char* caption) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(name);
    return box;
}

QComboBox* TfBatch::AddList(const char* name, const QStringList& items, int selected) {
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->addItems(items);
    list->setCurrentIndex(selected);
    return list;
}

void TfBatch::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FirstShow(shown_)) FormShow();
}

void TfBatch::FormShow() {
    LocaliseForm(*this, false);
    const double start = NearestBandEdge(document_.State(), false, kNoFreq);
    acceptedRx_ = acceptedTx_ = FormatFreqText(start);
    cxRx_freq_->setText(acceptedRx_);
    cxTx_Freq_->setText(acceptedTx_);
    const int count = std::max(1, document_.State().ChannelCount);
    cxTo_->setMaximum(count);
    cxTo_->setValue(count);
    // The range may start anywhere in the radio's channels, not only up to channel 108.
    cxFrom_->setMaximum(count);
    // Opened with rows of the channel table selected: their range.
    if (const auto [first, last] = document_.SelectedRange(); first > 0 && last > first) {
        cxChs_->setChecked(true);
        cxFrom_->setValue(first);
        cxTo_->setValue(last);
        ApplyEnabling();
    }
    PlaceChildWindow(*this);
}

void TfBatch::ApplyEnabling() {
    const bool range = !cxAll_->isChecked();
    cxFrom_->setEnabled(range);
    cxTo_->setEnabled(range);
    for (QWidget* control : std::initializer_list<QWidget*>{cxExc_Freq_, cxDup_add_, cxDup_Dec_})
        control->setEnabled(cxTx_Exc_->isChecked());
    for (QWidget* control :
         std::initializer_list<QWidget*>{cxTx_Freq_, cxTx_step_, cxTx_asc_, cxTx_dec_})
        control->setEnabled(cxTx_Self_->isChecked());
    for (QWidget* control : std::initializer_list<QWidget*>{cxRx_Dcts_, cxRx_Dcts_step_,
                                                            cxRx_Dcts_asc_, cxRx_Dcts_dec_})
        control->setEnabled(!cxRx_Ran_->isChecked());
    const bool txOwn = cxTx_Dcts_self_->isChecked();
    cxTx_ran_->setEnabled(txOwn);
    for (QWidget* control : std::initializer_list<QWidget*>{cxTx_Dcts_, cxTx_Dcts_step_,
                                                            cxTx_Dcts_asc_, cxTx_Dcts_dec_})
        control->setEnabled(txOwn && !cxTx_ran_->isChecked());
}

void TfBatch::cxRxFreqChange() {
    if (checking_) return;
    checking_ = true;
    // A refused frequency leaves the one the field held before.
    if (const std::optional<double> rx = StartFrequency(document_.State(), *cxRx_freq_))
        acceptedRx_ = FormatFreqText(*rx);
    cxRx_freq_->setText(acceptedRx_);
    checking_ = false;
}

void TfBatch::cxTxFreqChange() {
    if (checking_) return;
    checking_ = true;
    if (std::optional<double> tx = StartFrequency(document_.State(), *cxTx_Freq_)) {
        const int64_t rx = UnitsOf(*cxRx_freq_);
        if (std::llabs(MhzToUnits(*tx) - rx) > kMaxOffsetUnits) tx = UnitsToMhz(rx);
        acceptedTx_ = FormatFreqText(*tx);
    }
    cxTx_Freq_->setText(acceptedTx_);
    checking_ = false;
}

void TfBatch::StepChange(QLineEdit& edit) {
    const std::optional<double> step = ParseNumber(ToImageText(edit.text().trimmed()));
    const double value = step && *step >= 0.0 && *step <= kMaxOffsetMhz ? *step : 0.0;
    edit.setText(FormatFreqText(value));
}

void TfBatch::cxFromChange() {
    const int count = std::max(1, document_.State().ChannelCount);
    cxFrom_->setValue(std::min(std::clamp(cxFrom_->value(), 1, count), cxTo_->value()));
}

void TfBatch::cxToChange() {
    cxTo_->setValue(std::clamp(cxTo_->value(), 1, std::max(1, document_.State().ChannelCount)));
}

void TfBatch::ApplyBatch() {
    const TALL& all = document_.State();
    BatchOptions o;
    o.first = cxChs_->isChecked() ? cxFrom_->value() : 1;
    o.last = cxChs_->isChecked() ? cxTo_->value() : all.ChannelCount;
    if (std::min(all.ChannelCount, o.last) < std::max(1, o.first)) return;

    // Whatever the edits show is taken as their change handlers would leave it.
    cxRxFreqChange();
    cxTxFreqChange();
    for (QLineEdit* edit : {cxRx_Step_, cxTx_step_, cxExc_Freq_})
        StepChange(*edit);

    o.clear = cxClear_->isChecked();
    o.rx = UnitsOf(*cxRx_freq_);
    o.rxStep = UnitsOf(*cxRx_Step_);
    o.rxDescending = !cxRx_asc_->isChecked();
    o.txSource = cxTx_def_->isChecked()    ? BatchTx::Default
                 : cxTx_Exc_->isChecked()  ? BatchTx::Offset
                 : cxTx_Self_->isChecked() ? BatchTx::Own
                                           : BatchTx::Default;
    o.offset = UnitsOf(*cxExc_Freq_);
    o.offsetDown = !cxDup_add_->isChecked();
    o.tx = UnitsOf(*cxTx_Freq_);
    o.txStep = UnitsOf(*cxTx_step_);
    o.txDescending = !cxTx_asc_->isChecked();
    o.rxTone = cxRx_Dcts_->currentIndex();
    o.rxToneSpace = cxRx_Dcts_step_->value();
    o.rxToneDescending = !cxRx_Dcts_asc_->isChecked();
    o.rxToneRandom = cxRx_Ran_->isChecked();
    o.txOwnTone = cxTx_Dcts_self_->isChecked();
    o.txTone = cxTx_Dcts_->currentIndex();
    o.txToneSpace = cxTx_Dcts_step_->value();
    o.txToneDescending = !cxTx_Dcts_asc_->isChecked();
    o.txToneRandom = cxTx_ran_->isChecked();
    o.power = cxPower_->currentIndex();
    o.bandwidth = cxWn_->currentIndex();
    o.voiceMode = cxApro_->currentIndex();
    o.name = ToImageText(cxName_->text().toUpper());
    o.numberAsName = cxUse_Chs_->isChecked();
    o.busyLock = cxBclo_->isChecked();
    o.scan = cxScan_->isChecked();
    o.vox = cxVox_->isChecked();
    o.epilogue = cxTxRev_->isChecked();
    document_.Change(windowTitle(), [&](TALL& image) { zorva::ApplyBatch(image, o, randomIndex); });
}

void TfBatch::btnOkClick() {
    ApplyBatch();
}

bool TfBatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            return FilterTypedKey(*edit, key,
                                  edit == cxName_ ? TypedKeys::Name : TypedKeys::Frequency);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorva
