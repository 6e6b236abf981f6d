#include "editors/channels/FreqEdit.h"

#include "codec/ChannelRecord.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "codec/OptionCodes.h"
#include "codec/ToneCodec.h"
#include "codec/ToneList.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "editors/ChildWindow.h"
#include "editors/ChoiceItems.h"
#include "editors/channels/ChannelControls.h"
#include "editors/channels/FieldMessages.h"
#include "editors/channels/ToneOption.h"
#include "settings/UserMessages.h"
#include "settings/ui/LocaliseForm.h"
#include "settings/ui/ShowMsg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <utility>

namespace zorva {

namespace {

std::string Trimmed(const QString& text) {
    return ToImageText(text.trimmed());
}

// The list index a field value is shown at; -1 (nothing shown) for a value the list lacks.
int IndexIn(const QComboBox& list, int value) {
    return value >= 0 && value < list.count() ? value : -1;
}

} // namespace

bool FilterTypedKey(QLineEdit& edit, const QKeyEvent& key, TypedKeys keys) {
    const QString text = key.text();
    // Keys without a printable character (Enter, Backspace, arrows, short-cuts) are the
    // control's own business.
    if (text.isEmpty() || text.at(0).unicode() < ' ' || text.at(0).unicode() == 0x7F ||
        (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QChar c = text.at(0);
    switch (keys) {
    case TypedKeys::Frequency:
        if (c == ',') {
            edit.insert(QStringLiteral("."));
            return true;
        }
        return !Accepts(CharSet::Frequency, c.unicode());
    case TypedKeys::Tone:
        return !Accepts(CharSet::Tone, c.unicode());
    case TypedKeys::Name:
        if (!Accepts(CharSet::Name, c.unicode())) return true;
        if (c.isLower()) {
            edit.insert(QString(c.toUpper()));
            return true;
        }
        return false;
    }
    return false;
}

TfFreqEdit::TfFreqEdit(RadioDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setObjectName("fFreqEdit");
    setWindowTitle("VFO Channels");
    // The records, their step (a setting) or a whole new image: shown whoever changed them.
    for (auto changed : {&RadioDocument::vfoChanged, &RadioDocument::settingsChanged,
                         &RadioDocument::imageReplaced})
        connect(&document_, changed, this, [this] { ShowVfo(); });
    pickTone = [this] {
        TfToneOption picker(this);
        picker.exec();
        return picker.SelectedCode();
    };

    auto* grid = new QGridLayout;
    int row = 0;
    const auto addRow = [&](const char* labelName, const char* caption, QWidget* control) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(labelName);
        label->setBuddy(control);
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
        ++row;
        return label;
    };

    cxDown_ = new QRadioButton("Freq_Down", this);
    cxDown_->setObjectName("cxDown");
    cxDown_->setChecked(true);
    cxUps_ = new QRadioButton("Freq_Up", this);
    cxUps_->setObjectName("cxUps");
    auto* records = new QHBoxLayout;
    records->addWidget(cxDown_);
    records->addWidget(cxUps_);
    records->addStretch();

    cxRxSv_ = new QLineEdit("0.00000", this);
    cxRxSv_->setObjectName("cxRxSv");
    cxRxSv_->setMaxLength(kFreqTextLength);
    addRow("lRxSv", "Frequency[MHz]", cxRxSv_);
    cxTxSv_ = new QLineEdit("0.00000", this);
    cxTxSv_->setObjectName("cxTxSv");
    cxTxSv_->setMaxLength(kFreqTextLength);
    addRow("lTxSv", "Offset Freq.[MHz]", cxTxSv_);
    cxDups_ = AddList("cxDups", {"OFF", "+Dup", "-Dup"});
    addRow("lDups", "Duplex", cxDups_);
    QStringList steps;
    for (const double khz : kVfoStepsKhz)
        steps << QString::fromStdString(FormatFixed(khz, 2)).rightJustified(6);
    cxStep_ = AddList("cxStep", steps);
    // Numbers read the same in every language.
    cxStep_->setProperty("tag", -2);
    addRow("lStep", "Freq. Step[kHz]", cxStep_);

    QStringList tones;
    for (const std::string& tone : ToneList())
        tones << FromImageText(tone);
    for (QComboBox** list : {&cxRxDcts_, &cxTxDcts_}) {
        *list = AddList(list == &cxRxDcts_ ? "cxRxDcts" : "cxTxDcts", tones);
        (*list)->setEditable(true);
        (*list)->setInsertPolicy(QComboBox::NoInsert);
        (*list)->setCompleter(nullptr);
        (*list)->setMaxVisibleItems(20);
        // Only the no-tone text is a word; the tones are the same in every language.
        (*list)->setProperty("tag", -3);
        (*list)->lineEdit()->installEventFilter(this);
        QComboBox* self = *list;
        connect(self, &QComboBox::activated, this, [this, self] { ToneChange(*self); });
        connect(self->lineEdit(), &QLineEdit::editingFinished, this,
                [this, self] { ToneChange(*self); });
    }
    addRow("lRxDcts", "QT/DQT Decode", cxRxDcts_);
    addRow("lTxDcts", "QT/DQT Encode", cxTxDcts_);
    cxBand_ = AddList("cxBand", {"Narrow", "Wide"});
    addRow("lBand", "Wide/Narrow", cxBand_);
    cxPwrv_ = AddList("cxPwrv", {"Low", "High"});
    addRow("lPwrv", "TX Power", cxPwrv_);
    cxPtts_ = AddList("cxPtts", ChoiceItems(kFieldPttId));
    addRow("lPtts", "PTT ID", cxPtts_);
    cxApro_ = AddList("cxApro", ChoiceItems(kFieldVoiceMode));
    addRow("lApro", "Apro", cxApro_)->hide();
    cxApro_->hide();

    cxBclo_ = AddCheck("cxBclo", "Busy Lock");
    cxTail_ = AddCheck("cxTail", "Epilogue");
    cxVoxs_ = AddCheck("cxVoxs", "Vox");
    cxAnis_ = AddCheck("cxAnis", "Ani");
    cxWhis_ = AddCheck("cxWhis", "Whisper");
    cxWhis_->hide();
    auto* checks = new QGridLayout;
    checks->addWidget(cxBclo_, 0, 0);
    checks->addWidget(cxTail_, 0, 1);
    checks->addWidget(cxVoxs_, 1, 0);
    checks->addWidget(cxAnis_, 1, 1);

    btnClose_ = AddCloseButton(*this, "btnClose");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(records);
    layout->addLayout(grid);
    layout->addLayout(checks);
    layout->addStretch();
    layout->addLayout(ButtonRow({btnClose_}));

    for (QLineEdit* edit : {cxRxSv_, cxTxSv_})
        edit->installEventFilter(this);
    connect(cxRxSv_, &QLineEdit::editingFinished, this, [this] { cxRxSvChange(); });
    connect(cxTxSv_, &QLineEdit::editingFinished, this, [this] { cxTxSvChange(); });
    // Switching the record shows the other one; what the controls hold is not stored.
    for (QRadioButton* button : {cxDown_, cxUps_})
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !loading_) ShowVfo();
        });
    connect(cxStep_, &QComboBox::currentIndexChanged, this,
            [this](int index) { cxStepChange(index); });
    for (QComboBox* list : {cxDups_, cxBand_, cxPwrv_, cxPtts_, cxApro_})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { StoreVfo(); });
    for (QCheckBox* box : {cxBclo_, cxTail_, cxVoxs_, cxAnis_, cxWhis_})
        connect(box, &QCheckBox::toggled, this, [this] { StoreVfo(); });
}

TfFreqEdit::~TfFreqEdit() {
    SilenceChildren(*this);
}

QComboBox* TfFreqEdit::AddList(const char* name, const QStringList& items) {
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->addItems(items);
    return list;
}

QCheckBox* TfFreqEdit::AddCheck(const char* name, const char* caption) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(name);
    return box;
}

int TfFreqEdit::SelectedRecord() const {
    return cxUps_->isChecked() ? kVfoUp : kVfoDown;
}

void TfFreqEdit::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FirstShow(shown_)) FormShow();
}

void TfFreqEdit::FormShow() {
    loading_ = true;
    LocaliseForm(*this, false);
    cxDown_->setChecked(true);
    ShowVfo();
    loading_ = false;
    PlaceChildWindow(*this);
}

void TfFreqEdit::ShowFrequencies() {
    TChannel c;
    LoadChannel(document_.State(), SelectedRecord(), c);
    cxRxSv_->setText(FormatFreqText(c.RxFreq));
    cxTxSv_->setText(FormatFreqText(c.Offset));
}

void TfFreqEdit::ShowVfo() {
    const bool wasLoading = loading_;
    loading_ = true;
    TChannel c;
    LoadChannel(document_.State(), SelectedRecord(), c);
    cxRxSv_->setText(FormatFreqText(c.RxFreq));
    cxTxSv_->setText(FormatFreqText(c.Offset));
    cxDups_->setCurrentIndex(IndexIn(*cxDups_, c.Shift));
    cxStep_->setCurrentIndex(IndexIn(*cxStep_, ReadField(document_.State(), kVfoStep)));
    for (auto [list, tone] : {std::pair{cxRxDcts_, &c.RxTone}, std::pair{cxTxDcts_, &c.TxTone}}) {
        const int index = tone->empty() ? 0 : list->findText(FromImageText(*tone));
        list->setCurrentIndex(index);
        list->setEditText(index >= 0 ? list->itemText(index) : FromImageText(*tone));
    }
    cxBand_->setCurrentIndex(IndexIn(*cxBand_, c.Bandwidth));
    cxPwrv_->setCurrentIndex(IndexIn(*cxPwrv_, c.Power));
    cxPtts_->setCurrentIndex(IndexIn(*cxPtts_, c.PttId));
    cxApro_->setCurrentIndex(IndexIn(*cxApro_, c.VoiceMode));
    cxBclo_->setChecked(IsOn(c, OnFlag::BusyLock));
    cxTail_->setChecked(c.Epilogue == 1);
    cxVoxs_->setChecked(IsOn(c, OnFlag::Vox));
    cxAnis_->setChecked(IsOn(c, OnFlag::Ani));
    loading_ = wasLoading;
}

void TfFreqEdit::CommitPendingEdits() {
    if (cxRxSv_->isModified()) cxRxSvChange();
    if (cxTxSv_->isModified()) cxTxSvChange();
}

void TfFreqEdit::StoreVfo() {
    if (loading_) return;
    CommitPendingEdits();
    const int record = SelectedRecord();
    // Every text below comes from the controls' own normalisation, so none should fail to
    // convert; if one does, the record keeps what it had and the window shows that again.
    try {
        document_.Change(windowTitle(), [&](TALL& all) { StoreControls(all, record); });
    } catch (const ConversionError&) {
        ShowVfo();
    }
}

void TfFreqEdit::StoreControls(TALL& all, int record) const {
    std::string rx = Trimmed(cxRxSv_->text());
    SetChannelField(all, record, kFieldRxFreq, rx);
    if (!rx.empty()) {
        std::string offset = Trimmed(cxTxSv_->text());
        SetChannelField(all, record, kFieldOffset, offset);
        // A value a list cannot show stays as it is.
        StoreChannelControls(all, record,
                             {.rxTone = cxRxDcts_,
                              .txTone = cxTxDcts_,
                              .lists = {{cxDups_, kFieldShift},
                                        {cxBand_, kFieldBandwidth},
                                        {cxPwrv_, kFieldPower},
                                        {cxPtts_, kFieldPttId},
                                        {cxApro_, kFieldVoiceMode}},
                              .busyLock = cxBclo_,
                              .epilogue = cxTail_,
                              .vox = cxVoxs_,
                              .ani = cxAnis_,
                              .scan = nullptr});
    }
}

void TfFreqEdit::cxRxSvChange() {
    if (loading_ || rxGuard_) return;
    rxGuard_ = true;
    const std::optional<double> value = CheckedRxFreq(document_.State(), cxRxSv_->text());
    if (!value) {
        // Refused: the record keeps its frequency, and the field shows it again.
        ShowFrequencies();
        rxGuard_ = false;
        return;
    }
    std::string stored = FormatFreq(*value);
    try {
        document_.SetChannelField(windowTitle(), SelectedRecord(), kFieldRxFreq, stored);
    } catch (const ConversionError&) {
        // Nothing was written; the field shows the record again.
    }
    // The offset follows the frequency's raster, so both are shown as the record now holds
    // them.
    ShowFrequencies();
    rxGuard_ = false;
}

void TfFreqEdit::cxTxSvChange() {
    if (loading_ || txGuard_) return;
    txGuard_ = true;
    const std::string text = Trimmed(cxTxSv_->text());
    const std::optional<double> parsed = text.empty() ? 0.0 : ParseNumber(text);
    if (parsed) {
        std::string stored = FormatFreq(std::min(*parsed, kMaxOffsetMhz));
        try {
            document_.SetChannelField(windowTitle(), SelectedRecord(), kFieldOffset, stored);
        } catch (const ConversionError&) {
        }
    }
    // A text that is no number leaves the offset as it was, and shows it again.
    ShowFrequencies();
    txGuard_ = false;
}

void TfFreqEdit::cxStepChange(int index) {
    if (loading_ || index < 0) return;
    CommitPendingEdits();
    loading_ = true;
    const int record = SelectedRecord();
    const std::optional<double> rx = ParseNumber(Trimmed(cxRxSv_->text()));
    const std::optional<double> offset = ParseNumber(Trimmed(cxTxSv_->text()));
    document_.Change(windowTitle(), [&](TALL& all) {
        WriteField(all, kVfoStep, index);
        TChannel shown;
        LoadChannel(all, record, shown);
        try {
            std::string text = FormatFreq(rx ? *rx : shown.RxFreq);
            SetChannelField(all, record, kFieldRxFreq, text);
            text = FormatFreq(offset ? std::min(*offset, kMaxOffsetMhz) : shown.Offset);
            SetChannelField(all, record, kFieldOffset, text);
        } catch (const ConversionError&) {
        }
        // The other record's frequency and offset go on the new raster too.
        RepairChannel(all, record == kVfoDown ? kVfoUp : kVfoDown);
    });
    loading_ = false;
    ShowFrequencies();
}

void TfFreqEdit::ToneChange(QComboBox& list) {
    if (loading_) return;
    if (toneGuard_) return;
    toneGuard_ = true;
    const std::optional<std::string> tone = CheckedTone(list.currentText(), list.itemText(0));
    {
        const QSignalBlocker blocker(list);
        if (!tone) {
            // Refused: the record keeps its tone, and the list shows it again.
            ShowVfo();
        } else if (tone->empty()) {
            list.setCurrentIndex(0);
            list.setEditText(list.itemText(0));
        } else {
            const QString text = FromImageText(*tone);
            const int index = list.findText(text);
            if (index >= 0) list.setCurrentIndex(index);
            list.setEditText(text);
        }
    }
    toneGuard_ = false;
    if (tone) StoreVfo();
}

void TfFreqEdit::ToneDblClick(QComboBox& list) {
    const QString tone = pickTone ? pickTone() : QString();
    if (tone.isEmpty()) return;
    list.setEditText(tone);
    ToneChange(list);
}

bool TfFreqEdit::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit) return QWidget::eventFilter(watched, event);
    QComboBox* toneList = edit == cxRxDcts_->lineEdit()   ? cxRxDcts_
                          : edit == cxTxDcts_->lineEdit() ? cxTxDcts_
                                                          : nullptr;
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        return FilterTypedKey(*edit, key, toneList ? TypedKeys::Tone : TypedKeys::Frequency);
    }
    if (toneList && event->type() == QEvent::MouseButtonDblClick) {
        ToneDblClick(*toneList);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorva
