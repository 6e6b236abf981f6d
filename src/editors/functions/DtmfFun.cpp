#include "editors/functions/DtmfFun.h"

#include "codec/ChannelRecord.h"
#include "codec/DtmfCodes.h"
#include "codec/OptionCodes.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "editors/ChildWindow.h"
#include "editors/ChoiceItems.h"
#include "editors/ImageText.h"
#include "settings/ui/LocaliseForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValidator>
#include <utility>

namespace zorva {

namespace {

constexpr int kPttModeBoth = 3;
constexpr int kAutodialRows = 16;
constexpr int kAutodialDigits = 16;

bool IsDtmfChar(QChar c) {
    return c.isDigit() || c == '#' || c == '*' || (c >= 'A' && c <= 'D') || (c >= 'a' && c <= 'd');
}

bool IsAccepted(QChar c, bool digitsOnly) {
    // Only ASCII digits: the digit code knows no others.
    if (c.unicode() > 0x7F) return false;
    return digitsOnly ? c.isDigit() : IsDtmfChar(c);
}

// Whatever reaches a code edit (typed, pasted or dropped) holds DTMF characters only, with
// the letters in upper case.
class DtmfTextValidator : public QValidator {
public:
    DtmfTextValidator(QObject* parent, bool digitsOnly)
        : QValidator(parent), digitsOnly_(digitsOnly) {}

    State validate(QString& input, int&) const override {
        for (QChar& c : input) {
            if (!IsAccepted(c, digitsOnly_)) return Invalid;
            c = c.toUpper();
        }
        return Acceptable;
    }

private:
    bool digitsOnly_;
};

// The autodial codes are edited in the grid with the same characters as the PTT ID codes.
class AutodialDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* edit = new QLineEdit(parent);
        edit->setMaxLength(kAutodialDigits);
        edit->setValidator(new DtmfTextValidator(edit, false));
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        return edit;
    }
};

QStringList Numbers(int first, int last, int step) {
    QStringList items;
    for (int n = first; n <= last; n += step)
        items << QString::number(n);
    return items;
}

// The item a stored code is shown at; -1 (no item) for a code the list lacks.
int IndexIn(const QComboBox& list, int code) {
    return code >= 0 && code < list.count() ? code : -1;
}

QLabel* AddRow(QGridLayout& grid, QWidget* parent, const char* name, const char* caption,
               QWidget* control) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setBuddy(control);
    const int row = grid.rowCount();
    grid.addWidget(label, row, 0);
    grid.addWidget(control, row, 1);
    return label;
}

QGroupBox* AddGroup(QWidget* page, const char* name, const char* caption) {
    auto* group = new QGroupBox(caption, page);
    group->setObjectName(name);
    return group;
}

QWidget* AddPage(QTabWidget& tabs, const char* name, const char* caption) {
    auto* page = new QWidget(&tabs);
    page->setObjectName(name);
    tabs.addTab(page, caption);
    return page;
}

} // namespace

TfDtmfFun::TfDtmfFun(RadioDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    for (auto changed : {&RadioDocument::settingsChanged, &RadioDocument::imageReplaced})
        connect(&document_, changed, this, [this] {
            // What this window stored it shows already, as the user chose it.
            if (!loading_) ShowDtmf();
        });
    setObjectName("fDtmfFun");
    setWindowTitle("DTMF Function");

    cxDtmfInfo_ = new QTabWidget(this);
    cxDtmfInfo_->setObjectName("cxDtmfInfo");
    cxEnCode_ = AddPage(*cxDtmfInfo_, "cxEnCode", "Encode");
    cxDecode_ = AddPage(*cxDtmfInfo_, "cxDecode", "Decode");
    cxAutoMemory_ = AddPage(*cxDtmfInfo_, "cxAutoMemory", "Autodial Memory");

    // "Encode": the PTT ID codes and the encoder's timing.
    QGroupBox* cgPtts = AddGroup(cxEnCode_, "cgPtts", "PTT ID");
    auto* ptts = new QGridLayout(cgPtts);
    cxEntv_ = AddCodeEdit(cgPtts, "cxEntv", 16, static_cast<int>(DtmfCode::Begin), false);
    AddRow(*ptts, cgPtts, "lEntv", "Begin of Tx", cxEntv_);
    cxEndv_ = AddCodeEdit(cgPtts, "cxEndv", 16, static_cast<int>(DtmfCode::End), false);
    AddRow(*ptts, cgPtts, "lEndv", "End of Tx", cxEndv_);
    // The radio always sends both codes: the mode is not offered, and stored as "Both".
    cxPtts_ = AddList(cgPtts, "cxPtts", ChoiceItems(kFieldPttId));
    cxPtts_->hide();

    QGroupBox* cgEnCode = AddGroup(cxEnCode_, "cgEnCode", "Encode");
    auto* encode = new QGridLayout(cgEnCode);
    QComboBox* cxRate = AddList(cgEnCode, "cxRate", Numbers(4, 15, 1));
    AddRow(*encode, cgEnCode, "lRate", "DTMF Speed[digit/s]", cxRate);
    QComboBox* cxFiSv = AddList(cgEnCode, "cxFiSv", Numbers(0, 1000, 100));
    AddRow(*encode, cgEnCode, "lFiSv", "First Digit Time [ms]", cxFiSv);
    QComboBox* cxFiDv = AddList(cgEnCode, "cxFiDv", Numbers(100, 1000, 100));
    AddRow(*encode, cgEnCode, "lFiDv", "First Digit Delay [ms]", cxFiDv);
    cxEfSv_ = AddList(cgEnCode, "cxEfSv", {"0", "100", "500", "1000"});
    AddRow(*encode, cgEnCode, "lEfSv", "* and # Tone [ms]", cxEfSv_);
    QComboBox* cxTxTs = AddList(cgEnCode, "cxTxTs", QStringList{"None"} + Numbers(600, 2000, 100));
    AddRow(*encode, cgEnCode, "lTxTs", "Code Space Time[ms]", cxTxTs);
    QComboBox* cxAbcd = AddList(cgEnCode, "cxAbcd", {"Inhibit", "On"});
    AddRow(*encode, cgEnCode, "lAbcd", "Code[A,B,C,D]", cxAbcd);
    cxBeep_ = new QCheckBox("DTMF Side Tone", cgEnCode);
    cxBeep_->setObjectName("cxBeep");
    encode->addWidget(cxBeep_, encode->rowCount(), 0, 1, 2);

    auto* encodePage = new QVBoxLayout(cxEnCode_);
    encodePage->addWidget(cgPtts);
    encodePage->addWidget(cgEnCode);
    encodePage->addStretch();

    // "Decode": the decoder and the stun code.
    QGroupBox* cgDeCode = AddGroup(cxDecode_, "cgDeCode", "Decode");
    auto* decode = new QGridLayout(cgDeCode);
    QComboBox* cxGroup = AddList(cgDeCode, "cxGroup", {"Off", "A", "B", "C", "D"});
    AddRow(*decode, cgDeCode, "lGroup", "Group Code", cxGroup);
    cxIdSv_ = AddCodeEdit(cgDeCode, "cxIdSv", 6, static_cast<int>(DtmfCode::Id), true);
    AddRow(*decode, cgDeCode, "lIdSv", "ID Code", cxIdSv_);
    QComboBox* cxBack = AddList(cgDeCode, "cxBack", QStringList{"Off"} + Numbers(1, 15, 1));
    AddRow(*decode, cgDeCode, "lBack", "Auto Reset Time [s]", cxBack);
    QComboBox* cxTxYs = AddList(cgDeCode, "cxTxYs", {"Off", "On"});
    AddRow(*decode, cgDeCode, "lTxYs", "Tx Decode", cxTxYs);
    QComboBox* cxIdEs = AddList(cgDeCode, "cxIdEs", {"Off", "On"});
    AddRow(*decode, cgDeCode, "lIdEs", "ID Edit", cxIdEs);
    QComboBox* cxRxTs = AddList(cgDeCode, "cxRxTs", Numbers(500, 1500, 100));
    AddRow(*decode, cgDeCode, "lRxTs", "Decode Time Out[ms]", cxRxTs);
    QComboBox* cxAcks = AddList(cgDeCode, "cxAcks", {"Off", "Alert", "ID Code"});
    AddRow(*decode, cgDeCode, "lAcks", "Transpond", cxAcks)->hide();
    cxAcks->hide();

    QGroupBox* cgStun = AddGroup(cxDecode_, "cgStun", "Stun");
    auto* stun = new QGridLayout(cgStun);
    cxStunSv_ = AddCodeEdit(cgStun, "cxStunSv", 10, static_cast<int>(DtmfCode::Stun), false);
    AddRow(*stun, cgStun, "lStunSv", "Stun Code", cxStunSv_);
    cxStunSw_ = AddList(cgStun, "cxStunSw", {"Tx/Rx Inhibit", "Tx Inhibit"});
    AddRow(*stun, cgStun, "lStunSw", "Stun Type", cxStunSw_);

    auto* decodePage = new QVBoxLayout(cxDecode_);
    decodePage->addWidget(cgDeCode);
    decodePage->addWidget(cgStun);
    decodePage->addStretch();

    // The autodial memory is not part of the image: its page is never offered.
    auto* lNo = new QLabel("No.", cxAutoMemory_);
    lNo->setObjectName("LNo");
    lNo->hide();
    auto* lFreq = new QLabel("Autodial Memory", cxAutoMemory_);
    lFreq->setObjectName("LFreq");
    lFreq->hide();
    gvData_ = new QTableWidget(cxAutoMemory_);
    gvData_->setObjectName("gvData");
    gvData_->setItemDelegateForColumn(2, new AutodialDelegate(gvData_));
    auto* autodialPage = new QVBoxLayout(cxAutoMemory_);
    autodialPage->addWidget(gvData_);
    const int autodial = cxDtmfInfo_->indexOf(cxAutoMemory_);
    cxDtmfInfo_->setTabVisible(autodial, false);
    cxDtmfInfo_->setTabEnabled(autodial, false);

    btnCancel_ = AddCloseButton(*this, "btnCancel");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cxDtmfInfo_);
    layout->addLayout(ButtonRow({btnCancel_}));

    fields_ = {
        {cxRate, kDtmfSpeed},         {cxFiSv, kDtmfFirstDigitTime}, {cxFiDv, kDtmfFirstDigitDelay},
        {cxTxTs, kDtmfCodeSpace},     {cxAbcd, kDtmfAbcd},           {cxGroup, kDtmfGroupCode},
        {cxBack, kDtmfResetTime},     {cxTxYs, kDtmfTxDecode},       {cxIdEs, kDtmfIdEdit},
        {cxRxTs, kDtmfDecodeTimeOut}, {cxAcks, kDtmfTranspond},      {cxStunSw_, kDtmfStunType},
    };
    for (const IndexField& field : fields_)
        if (field.list != cxStunSw_)
            connect(field.list, &QComboBox::currentIndexChanged, this,
                    [this] { ComborPropertiesChange(); });
    connect(cxEfSv_, &QComboBox::currentIndexChanged, this, [this] { ComborPropertiesChange(); });
    connect(cxBeep_, &QCheckBox::toggled, this, [this] { ComborPropertiesChange(); });
    for (QComboBox* list : {cxPtts_, cxStunSw_})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { cxPttIDPropertiesChange(); });
}

TfDtmfFun::~TfDtmfFun() {
    SilenceChildren(*this);
}

QComboBox* TfDtmfFun::AddList(QWidget* parent, const char* name, const QStringList& items) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    return list;
}

QLineEdit* TfDtmfFun::AddCodeEdit(QWidget* parent, const char* name, int maxLength, int tag,
                                  bool digitsOnly) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    edit->setProperty("tag", tag);
    edit->setProperty("digitsOnly", digitsOnly);
    edit->setValidator(new DtmfTextValidator(edit, digitsOnly));
    // No clipboard menu, and nothing dropped in from elsewhere.
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAcceptDrops(false);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this,
            [this, edit] { cxEntPropertiesEditValueChanged(*edit); });
    return edit;
}

void TfDtmfFun::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FirstShow(shown_)) FormShow();
}

void TfDtmfFun::FormShow() {
    PlaceChildWindow(*this);
    loading_ = true;
    LocaliseForm(*this, false);
    const int decode = cxDtmfInfo_->indexOf(cxDecode_);
    cxDtmfInfo_->setTabVisible(decode, document_.State().DtmfDecodeVisible);
    cxDtmfInfo_->setTabEnabled(decode, document_.State().DtmfDecodeVisible);
    BuildAutodialGrid();
    ShowDtmf();
    loading_ = false;
}

void TfDtmfFun::BuildAutodialGrid() {
    const auto fixed = [](const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        return item;
    };
    gvData_->clear();
    gvData_->setColumnCount(3);
    gvData_->setRowCount(kAutodialRows + 2);
    gvData_->horizontalHeader()->hide();
    gvData_->verticalHeader()->hide();
    // Row 0 and column 0 are the grid's own titles, never shown.
    gvData_->hideRow(0);
    gvData_->hideColumn(0);
    gvData_->setColumnWidth(1, 50);
    gvData_->setColumnWidth(2, 250);
    gvData_->setItem(1, 1, fixed(findChild<QLabel*>("LNo")->text()));
    gvData_->setItem(1, 2, fixed(findChild<QLabel*>("LFreq")->text()));
    for (int n = 1; n <= kAutodialRows; ++n) {
        gvData_->setItem(n + 1, 1, fixed(QString::number(n)));
        gvData_->setItem(n + 1, 2, new QTableWidgetItem);
    }
}

void TfDtmfFun::ShowDtmf() {
    const bool wasLoading = loading_;
    loading_ = true;
    const TALL& all = document_.State();
    for (const IndexField& field : fields_)
        field.list->setCurrentIndex(IndexIn(*field.list, ReadField(all, field.field)));
    cxEfSv_->setCurrentIndex(StarToneItemOfCode(ReadField(all, kDtmfStarTone)));
    cxBeep_->setChecked(ReadField(all, kDtmfSideTone) == 1);
    cxPtts_->setCurrentIndex(IndexIn(*cxPtts_, all.GetSetting(kPttIdByte, kPttModeMask)));
    cxPtts_->setCurrentIndex(kPttModeBoth);
    EnablePttEdits();
    cxEntv_->setText(FromImageText(ReadDtmfCode(all, DtmfCode::Begin)));
    cxEndv_->setText(FromImageText(ReadDtmfCode(all, DtmfCode::End)));
    cxIdSv_->setText(FromImageText(ReadDtmfCode(all, DtmfCode::Id)));
    cxStunSv_->setText(FromImageText(ReadDtmfCode(all, DtmfCode::Stun)));
    loading_ = wasLoading;
}

void TfDtmfFun::StoreDtmf() {
    const bool wasLoading = std::exchange(loading_, true);
    document_.Change(windowTitle(), [this](TALL& all) { StoreLists(all); });
    loading_ = wasLoading;
}

void TfDtmfFun::StoreLists(TALL& all) const {
    // A list showing no item (a code it has no item for) keeps the code it was shown with.
    for (const IndexField& field : fields_)
        WriteField(all, field.field, field.list->currentIndex());
    WriteField(all, kDtmfStarTone, StarToneCodeOfItem(cxEfSv_->currentIndex()));
    WriteField(all, kDtmfSideTone, cxBeep_->isChecked() ? 1 : 0);
    if (cxPtts_->currentIndex() >= 0)
        all.PutSetting(kPttIdByte, kPttModeMask, cxPtts_->currentIndex());
}

void TfDtmfFun::ComborPropertiesChange() {
    if (!loading_) StoreDtmf();
}

void TfDtmfFun::cxPttIDPropertiesChange() {
    EnablePttEdits();
    if (!loading_) StoreDtmf();
}

void TfDtmfFun::EnablePttEdits() {
    const int mode = cxPtts_->currentIndex();
    cxEntv_->setEnabled(mode == 1 || mode == kPttModeBoth);
    cxEndv_->setEnabled(mode == 2 || mode == kPttModeBoth);
}

void TfDtmfFun::cxEntPropertiesEditValueChanged(QLineEdit& edit) {
    if (loading_) return;
    loading_ = true;
    const auto code = static_cast<DtmfCode>(edit.property("tag").toInt());
    const std::string text = ToImageText(edit.text());
    document_.Change(windowTitle(), [&](TALL& all) { StoreDtmfCode(all, code, text); });
    loading_ = false;
}

bool TfDtmfFun::FilterKey(QLineEdit& edit, const QKeyEvent& key) {
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        cxEntPropertiesEditValueChanged(edit);
        return true;
    }
    const QString text = key.text();
    // Keys without a character (Backspace, Delete, arrows, short-cuts) are the edit's own.
    if (text.isEmpty() || text.at(0).unicode() < ' ' || text.at(0).unicode() == 0x7F ||
        (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    return !IsAccepted(text.at(0), edit.property("digitsOnly").toBool());
}

bool TfDtmfFun::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && event->type() == QEvent::KeyPress)
        return FilterKey(*edit, static_cast<const QKeyEvent&>(*event));
    return QWidget::eventFilter(watched, event);
}

} // namespace zorva
