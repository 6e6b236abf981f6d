#include "editors/functions/Model.h"

#include "codec/BandEdges.h"
#include "codec/Numbers.h"
#include "core/Maindb.h"
#include "editors/ChildWindow.h"
#include "editors/ImageText.h"
#include "editors/channels/FreqEdit.h"
#include "settings/UserMessages.h"
#include "settings/ui/LocaliseForm.h"
#include "settings/ui/ShowMsg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <optional>
#include <string>
#include <vector>

namespace zorva {

namespace {

// Shown only until the catalogue's bands replace them.
constexpr double kDesignLow[4] = {400.0, 134.0, 200.0, 320.0};
constexpr double kDesignHigh[4] = {520.0, 174.0, 260.0, 400.0};

constexpr int kWidth = 352;
constexpr int kModeHeight = 49;
constexpr int kBandHeight = 32;
constexpr int kKeysHeight = 41;
// The window's room beyond its panels.
constexpr int kSpareHeight = 35;

// Where a band's panel places its controls.
constexpr int kChoiceX = 12;
constexpr int kLabelX = 34;
constexpr int kLowX = 128;
constexpr int kDashX = 222;
constexpr int kHighX = 246;
constexpr int kEditWidth = 90;

// The number a hint holds; 0 when it holds none.
double NumberIn(const QString& text) {
    return ParseNumber(ToImageText(text.trimmed())).value_or(0.0);
}

QWidget* Panel(QWidget* parent, const QString& name, int height) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setFixedHeight(height);
    return panel;
}

} // namespace

TfModel::TfModel(const TALL& state, QWidget* parent) : QDialog(parent), chosen_(state) {
    setObjectName("fModel");
    setWindowTitle("Model Information");
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    pMode_ = Panel(this, "pMode", kModeHeight);
    auto* label1 = new QLabel("Model Type", pMode_);
    label1->setObjectName("Label1");
    label1->setGeometry(16, 16, 108, 17);
    cxModel_ = new QComboBox(pMode_);
    cxModel_->setObjectName("cxModel");
    // Model names are names: the same in every language.
    cxModel_->setProperty("tag", -2);
    cxModel_->setGeometry(kLowX, 12, kHighX + kEditWidth - kLowX, 22);
    label1->setBuddy(cxModel_);
    layout->addWidget(pMode_);

    selGroup_ = new QButtonGroup(this);
    for (int band = 0; band < 4; ++band) {
        BuildBand(band, kDesignLow[band], kDesignHigh[band]);
        layout->addWidget(bands_[band].panel);
    }
    layout->addStretch();

    pKeys_ = Panel(this, "pKeys", kKeysHeight);
    auto* btnOk = new QPushButton("&OK", pKeys_);
    btnOk->setObjectName("btnOk");
    btnOk->setGeometry(kWidth - 184, 8, 80, 25);
    btnOk->setDefault(true);
    auto* btnCancel = new QPushButton("&Cancel", pKeys_);
    btnCancel->setObjectName("btnCancel");
    btnCancel->setGeometry(kWidth - 96, 8, 80, 25);
    connect(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(pKeys_);

    // Never seen: lRang's caption is the prefix of the band captions, so that a language
    // file can give it; the other two are not used.
    lRang_ = new QLabel("Freq. Range", this);
    lRang_->setObjectName("lRang");
    lRang_->hide();
    auto* label2 = new QLabel("Frequency", this);
    label2->setObjectName("Label2");
    label2->hide();
    auto* cxRang = new QComboBox(this);
    cxRang->setObjectName("cxRang");
    cxRang->hide();

    connect(cxModel_, &QComboBox::currentTextChanged, this, [this] { cxModelPropertiesChange(); });
    setFixedSize(kWidth, kModeHeight + kKeysHeight + kSpareHeight + 4 * kBandHeight);
}

TfModel::~TfModel() {
    SilenceChildren(*this);
}

void TfModel::BuildBand(int band, double low, double high) {
    Band& b = bands_[band];
    const QString number = QString::number(band + 1);
    const auto name = [&](const char* prefix, const char* suffix = "") {
        return QString(prefix) + number + suffix;
    };
    b.panel = Panel(this, name("pRang"), kBandHeight);

    b.use = new QCheckBox(b.panel);
    b.use->setObjectName(name("cxUse_"));
    b.use->setProperty("tag", band);
    b.use->setGeometry(kChoiceX, 7, 18, 18);
    b.sel = new QRadioButton(b.panel);
    b.sel->setObjectName(name("cxSel_"));
    b.sel->setProperty("tag", band + 1);
    b.sel->setGeometry(kChoiceX, 7, 18, 18);
    b.sel->hide();
    selGroup_->addButton(b.sel, band);

    b.label = new QLabel(name("Freq. Range-"), b.panel);
    b.label->setObjectName(name("lFreq_"));
    b.label->setGeometry(kLabelX, 8, kLowX - kLabelX - 4, 17);
    b.label->setToolTip(FormatFreqText(low) + "-" + FormatFreqText(high));

    b.low = new QLineEdit(b.panel);
    b.low->setObjectName(name("cxFreq_", "L"));
    b.high = new QLineEdit(b.panel);
    b.high->setObjectName(name("cxFreq_", "H"));
    auto* dash = new QLabel("---", b.panel);
    dash->setObjectName(name("lDash_"));
    dash->setGeometry(kDashX, 8, kHighX - kDashX, 17);
    dash->setAlignment(Qt::AlignCenter);
    b.low->setGeometry(kLowX, 5, kEditWidth, 22);
    b.high->setGeometry(kHighX, 5, kEditWidth, 22);
    for (const bool upper : {false, true}) {
        QLineEdit* edit = upper ? b.high : b.low;
        edit->setMaxLength(10);
        edit->setToolTip(FormatFreqText(upper ? high : low));
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::editingFinished, this,
                [this, band, upper] { CommitEdge(band, upper); });
        SetEdge(band, upper, upper ? high : low);
    }

    connect(b.use, &QCheckBox::toggled, this, [this, band] { cxUsePropertiesChange(band); });
    connect(b.sel, &QRadioButton::clicked, this, [this, band] { cxSelClick(band); });
}

void TfModel::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

bool TfModel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        for (int band = 0; band < 4; ++band)
            for (const bool upper : {false, true}) {
                QLineEdit* edit = upper ? bands_[band].high : bands_[band].low;
                if (watched != edit) continue;
                const auto& key = static_cast<const QKeyEvent&>(*event);
                // Enter takes the typed edge over; it does not close the dialog.
                if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
                    CommitEdge(band, upper);
                    return true;
                }
                // A fixed edge takes nothing, not even the "." a typed "," would become.
                if (edit->isReadOnly()) return false;
                return FilterTypedKey(*edit, key, TypedKeys::Frequency);
            }
    }
    return QDialog::eventFilter(watched, event);
}

void TfModel::FormShow() {
    LocaliseForm(*this, false);

    std::vector<std::string> names;
    MacList().FillNames(names);
    cxModel_->clear();
    for (const std::string& name : names)
        cxModel_->addItem(FromImageText(name));
    const int chosen = cxModel_->findText(FromImageText(chosen_.ModelName));
    cxModel_->setCurrentIndex(chosen >= 0 ? chosen : 0);

    loading_ = true;
    ShowBands(chosen_.Image[kBandMaskByte]);
    EnableEdges();
    accepted_ = false;
    loading_ = false;
}

void TfModel::cxModelPropertiesChange() {
    const QString text = cxModel_->currentText();
    if (text.isEmpty()) return;
    const TMacType* model = MacList().FindByName(ToImageText(text));
    if (!model) return;
    const bool wasLoading = loading_;
    loading_ = true;
    model_ = model;
    showBandChoice_ = model->ShowBandChoice;
    const uint8_t mask = model->BandMask;
    const uint8_t defaults = model->DefaultBandMask;

    int shown = 0;
    for (int band = 0; band < 4; ++band) {
        Band& b = bands_[band];
        const bool present = model->IsBandPresent(band);
        b.panel->setVisible(present);
        if (present) b.label->setText(lRang_->text() + QString::number(++shown));
    }
    setFixedHeight(pMode_->height() + pKeys_->height() + kSpareHeight + kBandHeight * shown);

    for (int band = 0; band < 4; ++band) {
        Band& b = bands_[band];
        b.sel->setEnabled(BandFlagSet(mask, band));
        b.use->setChecked(BandFlagSet(defaults & mask, band));
        b.use->setVisible(showBandChoice_);
        b.sel->setVisible(!showBandChoice_);
        if (!showBandChoice_) b.sel->move(b.use->x(), b.sel->y());
    }
    if (!showBandChoice_) {
        int first = -1;
        for (int band = 3; band >= 0; --band)
            if (BandFlagSet(defaults, band)) first = band;
        // A radio button means "this band only": the bands in use follow it.
        ChooseSingleBand(first);
    }

    for (int band = 0; band < 4; ++band) {
        Band& b = bands_[band];
        const auto [limitLow, limitHigh] = model->GetLimits(band);
        const auto [lowEditable, highEditable] = model->GetEditable(band);
        b.low->setToolTip(FormatFreqText(limitLow));
        b.high->setToolTip(FormatFreqText(limitHigh));
        b.low->setReadOnly(!lowEditable);
        b.high->setReadOnly(!highEditable);
        b.use->setEnabled(lowEditable && highEditable);
        const auto [low, high] = InitialBandRange(*model, band);
        b.label->setToolTip(FormatFreqText(low) + "-" + FormatFreqText(high));
        SetEdge(band, false, low);
        SetEdge(band, true, high);
    }
    EnableEdges();
    loading_ = wasLoading;
}

void TfModel::ShowBands(uint8_t flags) {
    for (int band = 0; band < 4; ++band) {
        const bool set = BandFlagSet(flags, band);
        bands_[band].use->setChecked(set);
        if (!set) continue;
        SetEdge(band, false, ImageBandEdge(chosen_, band, false));
        SetEdge(band, true, ImageBandEdge(chosen_, band, true));
    }
    if (!showBandChoice_) {
        int first = -1;
        for (int band = 3; band >= 0; --band)
            if (bands_[band].use->isChecked()) first = band;
        ChooseSingleBand(first);
    }
}

void TfModel::EnableEdges() {
    for (Band& b : bands_) {
        const bool used = b.use->isChecked();
        b.low->setEnabled(used);
        b.high->setEnabled(used);
        // Where radio buttons offer the bands, the check box under them stays hidden.
        b.use->setVisible(showBandChoice_ && b.use->isEnabled());
    }
}

void TfModel::cxUsePropertiesChange(int band) {
    if (loading_) return;
    Band& b = bands_[band];
    const bool used = b.use->isChecked();
    b.low->setEnabled(used);
    b.high->setEnabled(used);
    if (used) return;
    // Back to the band's initial range.
    const auto [low, high] =
        model_ ? InitialBandRange(*model_, band) : std::pair{kDesignLow[band], kDesignHigh[band]};
    SetEdge(band, false, low);
    SetEdge(band, true, high);
}

void TfModel::cxSelClick(int band) {
    for (int other = 0; other < 4; ++other)
        bands_[other].use->setChecked(other == band);
}

void TfModel::ChooseSingleBand(int band) {
    selGroup_->setExclusive(false);
    for (int other = 0; other < 4; ++other) {
        bands_[other].sel->setChecked(other == band);
        bands_[other].use->setChecked(other == band);
    }
    selGroup_->setExclusive(true);
}

void TfModel::CommitEdge(int band, bool upper) {
    Band& b = bands_[band];
    QLineEdit* edit = upper ? b.high : b.low;
    if (!edit->isModified()) return;
    const QString text = edit->text().trimmed();
    const std::optional<double> typed =
        text.isEmpty() ? std::optional<double>(0.0) : ParseNumber(ToImageText(text));
    if (!typed) {
        // Not a number: the edge keeps its value and shows it again.
        SetEdge(band, upper, upper ? b.highValue : b.lowValue);
        return;
    }
    (upper ? b.highValue : b.lowValue) = *typed;
    EdgeValueChanged(band, upper);
}

void TfModel::CommitPendingEdges() {
    for (int band = 0; band < 4; ++band) {
        CommitEdge(band, false);
        CommitEdge(band, true);
    }
}

void TfModel::EdgeValueChanged(int band, bool upper) {
    Band& b = bands_[band];
    const double limitLow = NumberIn(b.low->toolTip());
    const double limitHigh = NumberIn(b.high->toolTip());
    double low = b.lowValue;
    double high = b.highValue;
    if (upper) {
        UpperEdgeChanged(low, high, limitLow, limitHigh);
    } else {
        LowerEdgeChanged(low, high, limitLow, limitHigh);
    }
    SetEdge(band, false, low);
    SetEdge(band, true, high);
}

void TfModel::SetEdge(int band, bool upper, double mhz) {
    Band& b = bands_[band];
    (upper ? b.highValue : b.lowValue) = mhz;
    (upper ? b.high : b.low)->setText(FormatFreqText(mhz));
}

void TfModel::btnOkClick() {
    // An edge typed but not yet taken over (Ok reached by its short-cut) counts too.
    CommitPendingEdges();
    accepted_ = false;
    BandChoice choice;
    for (int band = 0; band < 4; ++band) {
        const Band& b = bands_[band];
        if (!b.use->isChecked()) continue;
        choice.used[band] = true;
        choice.low[band] = b.lowValue;
        choice.high[band] = b.highValue;
    }
    if (!model_ || !TakeBandChoice(chosen_, *model_, choice)) {
        ShowMsg(Language().Caution, Language().ErrRange, kMsgInfo);
        return;
    }
    accepted_ = true;
    accept();
}

} // namespace zorva
