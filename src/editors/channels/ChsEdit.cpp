#include "editors/channels/ChsEdit.h"

#include "codec/ChannelRecord.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "codec/ToneList.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "editors/ChildWindow.h"
#include "editors/ChoiceItems.h"
#include "editors/ImageText.h"
#include "editors/channels/ChannelControls.h"
#include "editors/channels/FieldMessages.h"
#include "editors/channels/ToneOption.h"
#include "settings/ui/LocaliseForm.h"
#include "settings/ui/ShowMsg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

namespace zorva {

namespace {} // namespace

TfChsEdit::TfChsEdit(RadioDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setObjectName("fChsEdit");
    setWindowTitle("Channel Edit");

    auto* grid = new QGridLayout(this);
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
    const auto combo = [&](const char* name, const QStringList& items) {
        auto* box = new QComboBox(this);
        box->setObjectName(name);
        box->addItems(items);
        return box;
    };
    const auto edit = [&](const char* name) {
        auto* line = new QLineEdit(this);
        line->setObjectName(name);
        line->installEventFilter(this);
        return line;
    };
    const auto toneList = [&](const char* name) {
        QStringList items;
        for (const std::string& tone : ToneList())
            items << FromImageText(tone);
        auto* box = combo(name, items);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
        // Only "None" is a word; the tones are data.
        box->setProperty("tag", kTagFirstItemOnly);
        box->lineEdit()->installEventFilter(this);
        return box;
    };
    const auto check = [&](const char* name, const char* caption) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(name);
        grid->addWidget(box, row++, 1);
        return box;
    };

    cxChs_ = combo("cxChs", {});
    cxChs_->setProperty("tag", kTagNeverLocalised);
    cxChs_->installEventFilter(this);
    addRow("lChs", "Channel", cxChs_);
    cxRxSv_ = edit("cxRxSv");
    addRow("lRxSv", "RX Frequency[MHz]", cxRxSv_);
    cxTxSv_ = edit("cxTxSv");
    addRow("lTxSv", "TX Frequency[MHz]", cxTxSv_);
    cxRxDcts_ = toneList("cxRxDcts");
    addRow("lRxDcts", "QT/DQT Decode", cxRxDcts_);
    cxTxDcts_ = toneList("cxTxDcts");
    addRow("lTxDcts", "QT/DQT Encode", cxTxDcts_);
    cxPwrv_ = combo("cxPwrv", {"Low", "High"});
    addRow("lPwrv", "TX Power", cxPwrv_);
    cxBand_ = combo("cxBand", {"Narrow", "Wide"});
    addRow("lBand", "Wide/Narrow", cxBand_);
    cxPtts_ = combo("cxPtts", ChoiceItems(kFieldPttId));
    addRow("lPtts", "PTT ID", cxPtts_);
    cxIdSv_ = edit("cxIdSv");
    cxIdSv_->setMaxLength(kIdCodeLength);
    addRow("lIdSv", "ID Code", cxIdSv_);
    cxNameSv_ = edit("cxNameSv");
    cxNameSv_->setMaxLength(kNameLength);
    addRow("lNameSv", "CH Name", cxNameSv_);
    cxBclo_ = check("cxBclo", "Busy Lock");
    cxTail_ = check("cxTail", "Epilogue");
    cxVoxs_ = check("cxVoxs", "Vox");
    cxAnis_ = check("cxAnis", "Ani");
    cxScan_ = check("cxScan", "Scan Add");

    // Kept for the layout of the record but not offered to the user.
    cxApro_ = combo("cxApro", ChoiceItems(kFieldVoiceMode));
    addRow("lApro", "Voice Mode", cxApro_)->hide();
    cxApro_->hide();
    cxWhis_ = check("cxWhis", "Whisper");
    cxWhis_->hide();
    QStringList autodial{"Off"};
    for (int i = 1; i <= 15; ++i)
        autodial << QString::number(i);
    cxAuto_ = combo("cxAuto", autodial);
    addRow("lAuto", "Autodial Memory", cxAuto_)->hide();
    cxAuto_->hide();

    btnClose_ = AddCloseButton(*this, "btnClose");
    btnClose_->setAutoDefault(false);
    grid->addWidget(btnClose_, row++, 1);
    grid->setRowStretch(row, 1);

    FillChannelList();

    connect(cxChs_, &QComboBox::currentIndexChanged, this, &TfChsEdit::ChannelPicked);
    connect(cxRxSv_, &QLineEdit::editingFinished, this, &TfChsEdit::RxChanged);
    connect(cxTxSv_, &QLineEdit::editingFinished, this, &TfChsEdit::TxChanged);
    for (QComboBox* list : {cxRxDcts_, cxTxDcts_}) {
        connect(list, &QComboBox::activated, this, [this, list] { ToneChanged(*list); });
        connect(list->lineEdit(), &QLineEdit::editingFinished, this, [this, list] {
            if (!Unchanged(*list->lineEdit())) ToneChanged(*list);
        });
    }
    for (QComboBox* list : {cxPwrv_, cxBand_, cxPtts_, cxApro_})
        connect(list, &QComboBox::currentIndexChanged, this, &TfChsEdit::FieldChanged);
    for (QCheckBox* box : {cxBclo_, cxTail_, cxVoxs_, cxAnis_, cxScan_})
        connect(box, &QCheckBox::toggled, this, &TfChsEdit::FieldChanged);
    // Name and ID code are stored when the user is done with them (Enter or leaving the
    // field): storing on every key would rewrite a half-typed ID code as a padded one.
    for (QLineEdit* line : {cxNameSv_, cxIdSv_})
        connect(line, &QLineEdit::editingFinished, this, [this, line] {
            if (!Unchanged(*line)) FieldChanged();
        });

    // Whoever changed the channel shown, or made another one current, the window shows it.
    connect(&document_, &RadioDocument::channelsChanged, this, [this](int first, int last) {
        const int channel = document_.CurrentChannel();
        if (channel >= first && channel <= last) ShowChannel();
    });
    connect(&document_, &RadioDocument::currentChannelChanged, this, &TfChsEdit::ShowChannel);
    connect(&document_, &RadioDocument::imageReplaced, this, [this] {
        FillChannelList();
        ShowChannel();
    });

    pickTone = [this] {
        TfToneOption picker(window());
        picker.exec();
        return picker.SelectedCode();
    };
}

TfChsEdit::~TfChsEdit() {
    SilenceChildren(*this);
}

void TfChsEdit::FillChannelList() {
    const QSignalBlocker blocker(cxChs_);
    cxChs_->clear();
    for (int n = 1; n <= document_.State().ChannelCount; ++n)
        cxChs_->addItem(QString::number(n));
}

void TfChsEdit::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TfChsEdit::FormShow() {
    loading_ = true;
    LocaliseForm(*this, false);
    FillChannelList();
    loading_ = false;
    ShowChannel();
    PlaceChildWindow(*this);
}

void TfChsEdit::EnableFields(bool enable) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             cxTxSv_, cxRxDcts_, cxTxDcts_, cxPwrv_, cxBand_, cxPtts_, cxIdSv_, cxNameSv_, cxBclo_,
             cxTail_, cxVoxs_, cxAnis_, cxScan_, cxApro_, cxWhis_})
        control->setEnabled(enable);
}

// The look of an empty channel, and the values a channel gets when it is put in use here.
void TfChsEdit::ClearFields() {
    const bool wasLoading = loading_;
    loading_ = true;
    cxRxSv_->clear();
    cxTxSv_->clear();
    cxRxDcts_->setCurrentIndex(0);
    cxRxDcts_->setEditText(cxRxDcts_->itemText(0));
    cxTxDcts_->setCurrentIndex(0);
    cxTxDcts_->setEditText(cxTxDcts_->itemText(0));
    cxBand_->setCurrentIndex(1);
    cxPwrv_->setCurrentIndex(1);
    cxPtts_->setCurrentIndex(0);
    cxApro_->setCurrentIndex(0);
    cxTail_->setChecked(true);
    for (QCheckBox* box : {cxBclo_, cxVoxs_, cxAnis_, cxScan_, cxWhis_})
        box->setChecked(false);
    cxNameSv_->clear();
    cxIdSv_->setText("000");
    loading_ = wasLoading;
}

void TfChsEdit::ShowChannel() {
    const TALL& all = document_.State();
    if (all.ChannelCount <= 0) return;
    const int channel = document_.CurrentChannel();
    if (cxChs_->count() != all.ChannelCount) FillChannelList();

    const bool wasLoading = std::exchange(loading_, true);
    ++chsGuard_;
    cxChs_->setCurrentIndex(channel - 1);
    --chsGuard_;

    TChannel c;
    if (LoadChannel(all, channel, c)) {
        EnableFields(true);
        cxRxSv_->setText(FormatFreqText(c.RxFreq));
        // No TX frequency shows as an empty field, as in the table, and stores back as none.
        cxTxSv_->setText(c.TxFreq == kNoFreq ? QString() : FormatFreqText(c.TxFreq));
        for (auto [list, tone] :
             {std::pair{cxRxDcts_, &c.RxTone}, std::pair{cxTxDcts_, &c.TxTone}}) {
            const int index = tone->empty() ? 0 : list->findText(FromImageText(*tone));
            list->setCurrentIndex(index < 0 ? 0 : index);
            list->setEditText(tone->empty() ? list->itemText(0) : FromImageText(*tone));
        }
        cxPwrv_->setCurrentIndex(c.Power);
        cxBand_->setCurrentIndex(c.Bandwidth);
        cxPtts_->setCurrentIndex(c.PttId);
        cxApro_->setCurrentIndex(c.VoiceMode);
        cxBclo_->setChecked(IsOn(c, OnFlag::BusyLock));
        cxTail_->setChecked(c.Epilogue == 1);
        cxVoxs_->setChecked(IsOn(c, OnFlag::Vox));
        cxAnis_->setChecked(IsOn(c, OnFlag::Ani));
        cxScan_->setChecked(IsOn(c, OnFlag::Scan));
        cxNameSv_->setText(FromImageText(c.Name));
        cxIdSv_->setText(FromImageText(c.IdCode));
    } else {
        ClearFields();
        EnableFields(false);
    }
    loading_ = wasLoading;
}

void TfChsEdit::StoreChannel() {
    if (loading_) return;
    const int channel = document_.CurrentChannel();
    loading_ = true;
    try {
        document_.Change(windowTitle(), [&](TALL& all) { StoreControls(all, channel); });
    } catch (const ConversionError&) {
        // A field that is no number keeps its old value.
    }
    loading_ = false;
    // The fields show the channel as it is stored, normalised or as it was.
    ShowChannel();
}

void TfChsEdit::StoreControls(TALL& all, int channel) const {
    std::string rx = ToImageText(cxRxSv_->text().trimmed());
    SetChannelField(all, channel, kFieldRxFreq, rx);
    if (!rx.empty()) {
        std::string tx = ToImageText(cxTxSv_->text().trimmed());
        SetChannelField(all, channel, kFieldTxFreq, tx);
        StoreChannelControls(all, channel,
                             {.rxTone = cxRxDcts_,
                              .txTone = cxTxDcts_,
                              .lists = {{cxBand_, kFieldBandwidth},
                                        {cxPwrv_, kFieldPower},
                                        {cxPtts_, kFieldPttId},
                                        {cxApro_, kFieldVoiceMode}},
                              .busyLock = cxBclo_,
                              .epilogue = cxTail_,
                              .vox = cxVoxs_,
                              .ani = cxAnis_,
                              .scan = cxScan_});
        std::string name = ToImageText(cxNameSv_->text());
        SetChannelField(all, channel, kFieldName, name);
        std::string id = ToImageText(cxIdSv_->text().trimmed());
        SetChannelField(all, channel, kFieldIdCode, id);
    }
}

void TfChsEdit::ChannelPicked(int index) {
    if (chsGuard_ || index < 0) return;
    // The document tells every channel view, this one too.
    document_.SetCurrentChannel(index + 1);
}

QString TfChsEdit::StoredText(const QObject* field) const {
    TChannel c;
    if (!LoadChannel(document_.State(), document_.CurrentChannel(), c)) return {};
    if (field == cxRxSv_) return FormatFreqText(c.RxFreq);
    if (field == cxTxSv_) return c.TxFreq == kNoFreq ? QString() : FormatFreqText(c.TxFreq);
    if (field == cxNameSv_) return FromImageText(c.Name);
    if (field == cxIdSv_) return FromImageText(c.IdCode);
    for (auto [list, tone] : {std::pair{cxRxDcts_, &c.RxTone}, std::pair{cxTxDcts_, &c.TxTone}})
        if (field == list->lineEdit())
            return tone->empty() ? list->itemText(0) : FromImageText(*tone);
    return {};
}

bool TfChsEdit::Unchanged(const QLineEdit& field) const {
    return field.text() == StoredText(&field);
}

void TfChsEdit::RxChanged() {
    if (loading_ || rxGuard_ || Unchanged(*cxRxSv_)) return;
    ++rxGuard_;
    TChannel before;
    const bool wasInUse = LoadChannel(document_.State(), document_.CurrentChannel(), before);
    const QString text = cxRxSv_->text().trimmed();
    if (!text.isEmpty()) {
        const std::optional<double> rx = CheckedRxFreq(document_.State(), text);
        if (!rx) {
            // Refused: the field shows what the channel holds (nothing for an empty one).
            cxRxSv_->setText(StoredText(cxRxSv_));
            --rxGuard_;
            return;
        }
        const QString freq = FormatFreqText(*rx);
        cxRxSv_->setText(freq);
        EnableFields(true);
        // A new channel transmits where it receives; a channel in use keeps its TX, or its
        // lack of one (which shows as an empty field).
        if (!wasInUse && cxTxSv_->text().trimmed().isEmpty()) {
            ++txGuard_;
            cxTxSv_->setText(freq);
            --txGuard_;
        }
    } else {
        ClearFields();
        EnableFields(false);
    }
    StoreChannel();
    --rxGuard_;
}

// Stores the TX frequency alone. Reporting the change and refilling the table row here too:
// a changed TX frequency is a change of the image like any other.
void TfChsEdit::TxChanged() {
    if (loading_ || txGuard_ || Unchanged(*cxTxSv_)) return;
    const TALL& all = document_.State();
    const int channel = document_.CurrentChannel();
    TChannel c;
    if (!LoadChannel(all, channel, c)) return;
    ++txGuard_;
    QString text = cxTxSv_->text().trimmed();
    if (!text.isEmpty()) {
        // "+5" or "-0.6" is an offset from RX.
        const std::optional<double> mhz = CheckedTxFreq(all, text, c.RxFreq);
        if (!mhz) {
            cxTxSv_->setText(StoredText(cxTxSv_));
            --txGuard_;
            return;
        }
        text = FormatFreqText(*mhz);
    }
    std::string tx = ToImageText(text);
    try {
        document_.SetChannelField(windowTitle(), channel, kFieldTxFreq, tx);
    } catch (const ConversionError&) {
    }
    cxTxSv_->setText(StoredText(cxTxSv_));
    --txGuard_;
    if (cxRxDcts_->isEnabled()) cxRxDcts_->setFocus();
}

void TfChsEdit::ToneChanged(QComboBox& list) {
    if (loading_ || toneGuard_) return;
    ++toneGuard_;
    const std::optional<std::string> tone = CheckedTone(list.currentText(), list.itemText(0));
    if (!tone) {
        // Refused: the list shows the channel's tone again and nothing is stored.
        list.setEditText(StoredText(list.lineEdit()));
    } else if (tone->empty()) {
        list.setCurrentIndex(0);
        list.setEditText(list.itemText(0));
    } else {
        const QString text = FromImageText(*tone);
        const int index = list.findText(text);
        if (index >= 0) list.setCurrentIndex(index);
        list.setEditText(text);
    }
    --toneGuard_;
    if (tone) StoreChannel();
}

void TfChsEdit::FieldChanged() {
    StoreChannel();
}

void TfChsEdit::PickTone(QComboBox& list) {
    if (!list.isEnabled() || !pickTone) return;
    const QString code = pickTone();
    if (code.isEmpty()) return;
    list.setEditText(code);
    ToneChanged(list);
}

// The list's own type-ahead matches the start of an item after the current one, so "6"
// would pick 60 while 11 is shown. A typed number picks the channel of that number instead;
// a digit that cannot continue the number typed so far starts a new one.
void TfChsEdit::TypeChannelDigit(QChar digit) {
    if (!typedAt_.isValid() || typedAt_.elapsed() > QApplication::keyboardInputInterval())
        typedChannel_.clear();
    typedAt_.start();
    int index = cxChs_->findText(typedChannel_ + digit, Qt::MatchExactly);
    typedChannel_ += digit;
    if (index < 0) {
        typedChannel_ = digit;
        index = cxChs_->findText(typedChannel_, Qt::MatchExactly);
    }
    if (index >= 0) cxChs_->setCurrentIndex(index);
}

// Drops the keys a field has no use for; returns true when the key was handled here.
bool TfChsEdit::FilterKey(QObject* watched, const QString& typed) {
    const QChar c = typed.at(0);
    if (watched == cxChs_) {
        if (Accepts(CharSet::Digits, c.unicode())) TypeChannelDigit(c);
        return true;
    }
    const auto* line = qobject_cast<QLineEdit*>(watched);
    if (watched == cxRxSv_ || watched == cxTxSv_) {
        if (c == ',' || c == '.') {
            const_cast<QLineEdit*>(line)->insert(".");
            return true;
        }
        // A TX typed with a leading sign is an offset from RX.
        if (watched == cxTxSv_ && (c == '+' || c == '-'))
            return (line->hasSelectedText() ? line->selectionStart() : line->cursorPosition()) != 0;
        return !Accepts(CharSet::Frequency, c.unicode());
    }
    if (watched == cxRxDcts_->lineEdit() || watched == cxTxDcts_->lineEdit())
        return !Accepts(CharSet::Tone, c.unicode());
    if (watched == cxNameSv_) return !Accepts(CharSet::Name, c.unicode());
    if (watched == cxIdSv_) return !Accepts(CharSet::Digits, c.unicode());
    return false;
}

bool TfChsEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        // Keys without a character (Tab, arrows, Enter, Backspace) keep their usual meaning,
        // and so do shortcuts.
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && !typed.isEmpty() && typed.at(0).isPrint() && FilterKey(watched, typed))
            return true;
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == cxRxDcts_->lineEdit()) {
            PickTone(*cxRxDcts_);
            return true;
        }
        if (watched == cxTxDcts_->lineEdit()) {
            PickTone(*cxTxDcts_);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorva
