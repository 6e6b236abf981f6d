#include "editors/functions/OptFun.h"

#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "editors/ChildWindow.h"
#include "editors/ImageText.h"
#include "editors/functions/FunctionLists.h"
#include "settings/ui/LocaliseForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>
#include <utility>

namespace zorva {

namespace {

// The window's client area; the fourth-range pair sits below it, out of sight.
constexpr int kClientWidth = 634;
constexpr int kClientHeight = 394;
constexpr int kHiddenTop = 481;

} // namespace

TfOptFun::TfOptFun(RadioDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    for (auto changed : {&RadioDocument::settingsChanged, &RadioDocument::imageReplaced})
        connect(&document_, changed, this, [this] {
            // What this window stored it shows already, as the user chose it.
            if (!loading_) ShowOptions();
        });
    setObjectName("fOptFun");
    setWindowTitle("Optional Function");

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    const auto place = [&](const char* labelName, const char* caption, QWidget* control, int row,
                           int column) {
        QLabel* label = AddFunctionLabel(*this, labelName, caption);
        label->setBuddy(control);
        grid->addWidget(label, row, 2 * column);
        grid->addWidget(control, row, 2 * column + 1);
    };
    const auto list = [&](const char* name, const QStringList& items, SettingField field) {
        QComboBox* combo = AddFunctionList(*this, name, items);
        plainLists_.emplace_back(combo, field);
        return combo;
    };

    cxOpenSw_ = list("cxOpenSw", {"None", "Msg", "DC"}, kOpenShow);
    place("cl00", "Open Show", cxOpenSw_, 0, 0);
    cxOpenMsg_ = new QLineEdit(this);
    cxOpenMsg_->setObjectName("cxOpenMsg");
    cxOpenMsg_->setMaxLength(kPowerOnTextLength);
    // The radio shows a few ASCII characters only: no clipboard, no drops, no input method.
    cxOpenMsg_->setContextMenuPolicy(Qt::PreventContextMenu);
    cxOpenMsg_->setAcceptDrops(false);
    cxOpenMsg_->setAttribute(Qt::WA_InputMethodEnabled, false);
    cxOpenMsg_->installEventFilter(this);
    place("cl01", "Radio Name", cxOpenMsg_, 1, 0);
    cxModeSw_ =
        AddFunctionList(*this, "cxModeSw", {"Freq.", "Chs Freq.", "Chs.", "FM Freq.", "FM Chs."});
    place("cl02", "Mode", cxModeSw_, 2, 0);
    place("cl03", "Double Wait", list("cxDWait", {"Off", "On"}, kDualWatch), 3, 0);
    place("cl04", "Chs Name", list("cxChsNs", {"Yes", "No"}, kChannelName), 4, 0);
    cxRxSav_ = AddFunctionList(*this, "cxRxSav", {"OFF", "1:1", "1:2", "1:3", "1:4"});
    place("cl05", "Battery Save", cxRxSav_, 5, 0);
    place("cl06", "Key Lock", list("cxLockSw", {"Auto", "Manual"}, kKeyLock), 4, 1);
    place("cl07", "Vol Inhibit Tx",
          list("cxBatTx", {"None", "Low", "High", "Both"}, kVolumeInhibitTx), 6, 1);
    place("cl08", "Beep", list("cxToneEs", {"Off", "On"}, kBeep), 0, 1);
    cxWavsSw_ = AddFunctionList(*this, "cxWavsSw", {"Off", "English", "Chinese"});
    place("cl09", "Voice", cxWavsSw_, 1, 1);
    place("cl10", "Lamp", list("cxLamp", {"Off", "On", "Auto"}, kLamp), 2, 1);
    place("cl11", "Tx Over Tone", list("cxRoger", {"On", "Off"}, kRogerTone), 5, 1);
    place("cl12", "Color", list("cxColor", {"Color-1", "Color-2", "Color-3"}, kColour), 3, 1);
    place("cl13", "Cross-band function", list("cxRelay", {"On", "Off"}, kCrossBand), 7, 1);
    QComboBox* squelch = list("cxSqlLv", NumberItems(0, 9), kSquelch);
    squelch->setProperty("tag", kTagNeverLocalised);
    place("cl14", "Squelch level ", squelch, 6, 0);
    QComboBox* timeOut = list("cxTotSv", QStringList{"Off"} + NumberItems(30, 360, 30), kTxTimeOut);
    timeOut->setProperty("tag", kTagFirstItemOnly);
    place("cl15", "TX Time Out[s]", timeOut, 7, 0);
    place("cl16", "Super Save",
          list("cxSaveLs", QStringList{"Off"} + NumberItems(1, 9, 1, "s"), kSuperSave), 8, 0);
    cxFrq_Use_ = AddFunctionList(*this, "cxFrq_Use", {"Yes", "No"});
    place("cl17", "Manual Freq.", cxFrq_Use_, 8, 1);

    // The fourth range's transmit switch is kept out of sight, yet loaded and stored.
    QLabel* la26 = AddFunctionLabel(*this, "La26", "Freq. Range-4");
    QComboBox* fourthRange = list("cx3xxM", {"Can Rx & Tx", "Inhibit Tx"}, kFourthRangeTx);
    la26->setBuddy(fourthRange);
    la26->setGeometry(24, kHiddenTop, 120, 21);
    // Out of sight, so out of reach of the keyboard too: an arrow key must not change it
    // unseen.
    fourthRange->setFocusPolicy(Qt::NoFocus);
    fourthRange->setGeometry(150, kHiddenTop, 140, 21);

    auto* checks = new QHBoxLayout;
    for (auto [name, caption, field] :
         {std::tuple{"cxRelaySet", "Cross-band setting", kCrossBandSetting},
          std::tuple{"cxMenuSet", "Manual setting", kManualSetting}}) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(name);
        checks_.emplace_back(box, field);
        checks->addWidget(box);
    }
    checks->addStretch();

    btnCancel_ = AddCloseButton(*this, "btnCancel");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(checks);
    layout->addStretch();
    layout->addLayout(ButtonRow({btnCancel_}));

    // Tab goes down the left column, then down the right one.
    QWidget* previous = nullptr;
    for (const char* name :
         {"cxOpenSw",   "cxOpenMsg", "cxModeSw", "cxDWait",  "cxChsNs",  "cxRxSav",
          "cxSqlLv",    "cxTotSv",   "cxSaveLs", "cxToneEs", "cxWavsSw", "cxLamp",
          "cxColor",    "cxLockSw",  "cxRoger",  "cxBatTx",  "cxRelay",  "cxFrq_Use",
          "cxRelaySet", "cxMenuSet", "btnCancel"}) {
        QWidget* next = findChild<QWidget*>(name);
        if (previous) setTabOrder(previous, next);
        previous = next;
    }

    std::vector<QComboBox*> lists{cxModeSw_, cxRxSav_, cxWavsSw_, cxFrq_Use_};
    for (const auto& [combo, field] : plainLists_)
        lists.push_back(combo);
    for (QComboBox* combo : lists)
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { ComborPropertiesChange(); });
    for (const auto& [box, field] : checks_)
        connect(box, &QCheckBox::toggled, this, [this] { ComborPropertiesChange(); });
    // Leaving the edit after changing it stores the text; Enter does so at once.
    connect(cxOpenMsg_, &QLineEdit::editingFinished, this, [this] {
        if (cxOpenMsg_->isModified()) cxNamePropertiesEditValueChanged();
    });
}

TfOptFun::~TfOptFun() {
    SilenceChildren(*this);
}

QSize TfOptFun::sizeHint() const {
    return QSize(kClientWidth, kClientHeight).expandedTo(minimumSizeHint());
}

void TfOptFun::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FirstShow(shown_)) FormShow();
}

void TfOptFun::FormShow() {
    PlaceChildWindow(*this);
    cxOpenMsg_->setMaxLength(kPowerOnTextLength);
    loading_ = true;
    LocaliseForm(*this, false);
    ShowOptions();
    loading_ = false;
}

void TfOptFun::ShowOptions() {
    const bool wasLoading = loading_;
    loading_ = true;
    const TALL& all = document_.State();
    for (const auto& [combo, field] : plainLists_)
        ShowFunctionCode(*combo, ReadField(all, field));
    cxModeSw_->setCurrentIndex(ReadModeItem(all));
    cxRxSav_->setCurrentIndex(ReadBatterySave(all));
    cxWavsSw_->setCurrentIndex(ReadVoice(all));
    for (const auto& [box, field] : checks_)
        box->setChecked(ReadField(all, field) == 1);
    cxOpenMsg_->setText(FromImageText(ReadPowerOnText(all)));
    cxOpenMsg_->setModified(false);
    cxFrq_Use_->setCurrentIndex(ReadManualFreq(all) ? 0 : 1);
    loading_ = wasLoading;
}

void TfOptFun::StoreOptions() {
    const bool wasLoading = std::exchange(loading_, true);
    document_.Change(windowTitle(), [this](TALL& all) { StoreControls(all); });
    loading_ = wasLoading;
}

void TfOptFun::StoreControls(TALL& all) const {
    // A list showing no item (its code has none) leaves its field as it was.
    for (const auto& [combo, field] : plainLists_)
        WriteField(all, field, combo->currentIndex());
    WriteModeItem(all, cxModeSw_->currentIndex());
    WriteBatterySave(all, cxRxSav_->currentIndex());
    WriteVoice(all, cxWavsSw_->currentIndex());
    for (const auto& [box, field] : checks_)
        WriteField(all, field, box->isChecked() ? 1 : 0);
    WritePowerOnText(all, ToImageText(cxOpenMsg_->text()));
    // Only a changed choice is stored: any byte but the allow code reads "No", and such a
    // byte stays as the image has it until the user picks another answer.
    const int manual = cxFrq_Use_->currentIndex();
    if (manual >= 0 && (manual == 0) != ReadManualFreq(all)) WriteManualFreq(all, manual == 0);
}

void TfOptFun::ComborPropertiesChange() {
    if (!loading_) StoreOptions();
}

void TfOptFun::cxNamePropertiesEditValueChanged() {
    if (loading_) return;
    StoreOptions();
    cxOpenMsg_->setModified(false);
}

bool TfOptFun::cxOpenMsgKeyPress(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        cxNamePropertiesEditValueChanged();
        return true;
    }
    if (key.matches(QKeySequence::Paste)) return true;
    const QString text = key.text();
    // Keys without a character (arrows, Home, End, Delete) edit and move as usual; Tab moves
    // on to the next control.
    if (text.isEmpty() || key.key() == Qt::Key_Delete || key.key() == Qt::Key_Tab ||
        key.key() == Qt::Key_Backtab)
        return false;
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return true;
    const char16_t c = text.at(0).unicode();
    const bool passes = text.size() == 1 && (c == '\b' || (c >= ' ' && c <= 'z'));
    return !passes;
}

bool TfOptFun::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cxOpenMsg_) {
        if (event->type() == QEvent::KeyPress)
            return cxOpenMsgKeyPress(static_cast<const QKeyEvent&>(*event));
        // The selection paste of the middle button is a clipboard too.
        if ((event->type() == QEvent::MouseButtonRelease ||
             event->type() == QEvent::MouseButtonPress) &&
            static_cast<const QMouseEvent*>(event)->button() == Qt::MiddleButton)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorva
