#include "editors/channels/ChsInfo.h"

#include "codec/ChannelRecord.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "codec/ToneCodec.h"
#include "codec/ToneList.h"
#include "core/Maindb.h"
#include "core/TAll.h"
#include "document/RadioDocument.h"
#include "editors/ChildWindow.h"
#include "editors/ImageText.h"
#include "editors/channels/ChannelFind.h"
#include "editors/channels/ChannelTableActions.h"
#include "editors/channels/FieldMessages.h"
#include "settings/Language.h"
#include "settings/ui/LocaliseForm.h"
#include "settings/ui/ShowMsg.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <optional>

namespace zorva {

namespace {

struct CatalogueRow {
    const char* key;
    const char* value;
};

// Keys are fixed (show flag, alignment, kind); values (width@caption) are localisable.
constexpr CatalogueRow kCatalogue[TfChsInfo::kCatalogueRows] = {
    {"S-M-N", "045@No."},           {"S-R-R", "080@RX Frequency"}, {"S-R-T", "080@TX Frequency"},
    {"N-R-O", "080@Dup Frequency"}, {"N-M-S", "070@Dup Way"},      {"S-R-S", "065@QT/DQT Dec"},
    {"S-R-S", "065@QT/DQT Enc"},    {"N-M-S", "060@Revs"},         {"S-M-S", "065@TX Power"},
    {"S-M-S", "065@W/N"},           {"S-M-S", "065@Scan Add"},     {"S-M-S", "065@Busy Lock"},
    {"S-M-S", "065@Vox"},           {"N-M-S", "065@Voice Mode"},   {"S-M-S", "065@Epilogue"},
    {"S-M-S", "065@PTT ID"},        {"S-M-S", "065@DTMF"},         {"S-M-E", "065@NAME"},
    {"S-M-E", "065@ID Code"},       {"N-M-M", "065@More..."},
};

constexpr int kDefaultWidth = 65;
constexpr int kHeaderHeight = 35;
constexpr int kRowHeight = 20;

Qt::Alignment AlignmentOf(const QString& key) {
    const QChar a = key.size() > 2 ? key[2] : QChar('L');
    const Qt::Alignment horizontal = a == 'R'   ? Qt::AlignRight
                                     : a == 'M' ? Qt::AlignHCenter
                                                : Qt::AlignLeft;
    return horizontal | Qt::AlignVCenter;
}

int WidthOf(const QString& value) {
    bool ok = false;
    const int width = value.section('@', 0, 0).toInt(&ok);
    return ok && width > 0 ? width : kDefaultWidth;
}

QString CaptionOf(const QString& value) {
    const int at = value.indexOf('@');
    QString caption = at < 0 ? value : value.mid(at + 1);
    const int bar = caption.indexOf('|');
    if (bar >= 0) caption[bar] = '\n';
    return caption;
}

int MaxLengthOf(int field) {
    switch (field) {
    case kFieldRxFreq:
    case kFieldTxFreq:
        return 9;
    case kFieldName:
        return 7;
    case kFieldIdCode:
        return 6;
    default:
        return 0;
    }
}

bool IsEditKey(int key) {
    return key == Qt::Key_Backspace || key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Keys that move the caret: not text, so they cannot put a refused character in a cell.
bool IsCaretKey(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home ||
           key == Qt::Key_End || key == Qt::Key_Delete;
}

// The text a typed key adds to a cell of `field`: empty when the key is refused.
QString AcceptedText(int field, const QString& typed) {
    if (typed.size() != 1) return {};
    const QChar c = typed[0];
    switch (field) {
    case kFieldRxFreq:
    case kFieldTxFreq:
        if (c.isDigit() && c.unicode() < 128) return typed;
        if (c == '.' || c == ',') return QStringLiteral(".");
        return {};
    case kFieldName:
        return c.unicode() >= ' ' && c.unicode() <= 'z' ? typed : QString();
    case kFieldIdCode:
        return c.isDigit() && c.unicode() < 128 ? typed : QString();
    default:
        return {};
    }
}

// A key that would put a character into a cell (not a shortcut, not a control key).
bool IsTypedKey(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString typed = key.text();
    return !typed.isEmpty() && typed[0].isPrint();
}

bool IsToneKey(const QString& typed) {
    if (typed.size() != 1) return false;
    const QChar c = typed[0];
    return (c.isDigit() && c.unicode() < 128) || QStringLiteral(".DINdin").contains(c);
}

// The in-cell editor: drops every key its column does not accept.
class CellEdit : public QLineEdit {
public:
    CellEdit(int field, QWidget* parent) : QLineEdit(parent), field_(field) {
        setMaxLength(MaxLengthOf(field));
        setFrame(false);
        setContextMenuPolicy(Qt::NoContextMenu); // no paste around the key filter
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (IsEditKey(key) || IsCaretKey(key)) {
            QLineEdit::keyPressEvent(event);
            // Enter ends the edit (the delegate commits); it must not reach the grid, which
            // would take it for a request to edit the cell again.
            event->accept();
            return;
        }
        // A paste is filtered as typing is, up to the first line break (rows copied from
        // the table paste only their first line's characters the column takes).
        if (event->matches(QKeySequence::Paste)) {
            const QString pasted = QApplication::clipboard()->text().section('\n', 0, 0);
            QString accepted;
            for (const QChar c : pasted)
                accepted += AcceptedText(field_, QString(c));
            if (!accepted.isEmpty()) insert(accepted);
            event->accept();
            return;
        }
        if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
            event->matches(QKeySequence::SelectAll)) {
            QLineEdit::keyPressEvent(event);
            event->accept();
            return;
        }
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            event->accept();
            return;
        }
        const QString text = AcceptedText(field_, event->text());
        if (!text.isEmpty()) {
            insert(text);
        } else if (field_ == kFieldTxFreq && IsSign(event->text())) {
            // A TX typed with a sign is an offset from RX; the sign can only lead.
            const int start = hasSelectedText() ? selectionStart() : cursorPosition();
            const QString rest = hasSelectedText() ? this->text().mid(selectionEnd())
                                                   : this->text().mid(cursorPosition());
            if (start == 0 && !IsSign(rest.left(1))) insert(event->text());
        }
        event->accept();
    }

private:
    static bool IsSign(const QString& typed) {
        return typed == QLatin1String("+") || typed == QLatin1String("-");
    }

    int field_;
};

} // namespace

// Creates the in-cell editors and hands their text to the window's commit rules.
class ChsInfoCellDelegate : public QStyledItemDelegate {
public:
    explicit ChsInfoCellDelegate(TfChsInfo& form) : QStyledItemDelegate(&form), form_(form) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* edit = new CellEdit(form_.FieldOfColumn(index.column()), parent);
        edit->setObjectName(QStringLiteral("gvChsEditor"));
        edit->setAlignment(AlignmentOf(form_.gvChs_->item(TfChsInfo::kKeyRow, index.column())
                                           ? form_.gvChs_->item(0, index.column())->text()
                                           : QString()));
        editor_ = edit;
        return edit;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* edit = static_cast<QLineEdit*>(editor);
        edit->setText(index.data(Qt::DisplayRole).toString());
        edit->selectAll();
    }
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        QString text = static_cast<QLineEdit*>(editor)->text();
        // A message box shown while committing takes the focus from the editor, which
        // would commit the same text a second time.
        if (committing_ || text == index.data(Qt::DisplayRole).toString()) return;
        committing_ = true;
        form_.gvChsSetForeText(index.column(), index.row(), text);
        committing_ = false;
    }
    // The number column is drawn as a button-face strip between two lines.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (form_.KindOfColumn(index.column()) != 'N') return;
        painter->save();
        painter->setPen(option.palette.color(QPalette::Dark));
        painter->drawLine(option.rect.topLeft(), option.rect.bottomLeft());
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex&) const override {
        editor->setGeometry(option.rect);
    }

    // Commits and closes an open in-cell editor.
    void Finish() {
        // An editor already closed waits for its deletion; the view no longer knows it.
        if (!editor_ || !editor_->isVisible()) return;
        QWidget* editor = editor_;
        editor_ = nullptr;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }

private:
    TfChsInfo& form_;
    mutable QPointer<QWidget> editor_;
    mutable bool committing_ = false;
};

TfChsInfo::TfChsInfo(RadioDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setObjectName(QStringLiteral("fChsInfo"));
    setWindowTitle(tr("Channel Information"));

    BuildCatalogue();

    lNone_ = new QLabel(QStringLiteral("None"), this);
    lNone_->setObjectName(QStringLiteral("lNone"));
    lNone_->hide();

    gvChs_ = new QTableWidget(this);
    gvChs_->setObjectName(QStringLiteral("gvChs"));
    gvChs_->setSelectionMode(QAbstractItemView::SingleSelection);
    gvChs_->setSelectionBehavior(QAbstractItemView::SelectItems);
    gvChs_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    gvChs_->verticalHeader()->hide();
    gvChs_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    gvChs_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    gvChs_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    gvChs_->horizontalHeader()->setFixedHeight(kHeaderHeight);
    gvChs_->horizontalHeader()->setHighlightSections(false);
    gvChs_->setWordWrap(false);
    delegate_ = new ChsInfoCellDelegate(*this);
    gvChs_->setItemDelegate(delegate_);
    gvChs_->installEventFilter(this);
    gvChs_->viewport()->installEventFilter(this);
    gvChs_->setContextMenuPolicy(Qt::CustomContextMenu);

    findBar_ = new ChannelFindBar(this);
    actions_ = new ChannelTableActions(*this, *findBar_);
    connect(gvChs_, &QWidget::customContextMenuRequested, actions_,
            &ChannelTableActions::ShowContextMenu);

    // Whoever changed the image, the table shows it.
    connect(&document_, &RadioDocument::channelsChanged, this, [this](int first, int last) {
        if (last - first > 16) {
            FillAllRows();
        } else {
            for (int channel = first; channel <= last; ++channel)
                FillChannelRow(channel);
        }
    });
    connect(&document_, &RadioDocument::imageReplaced, this, [this] {
        HideListEditors();
        if (gvChs_->rowCount() != document_.State().ChannelCount + 2) {
            FormShow();
        } else {
            FillAllRows();
        }
    });
    connect(&document_, &RadioDocument::currentChannelChanged, this,
            &TfChsInfo::FollowCurrentChannel);

    connect(gvChs_, &QTableWidget::cellPressed, this, &TfChsInfo::CellPressed);
    connect(gvChs_, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) { CurrentCellChanged(row, column); });
    // A floating list belongs to the cell it was opened on: scrolling takes it away.
    connect(gvChs_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { HideListEditors(); });
    connect(gvChs_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { HideListEditors(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gvChs_);
    layout->addWidget(findBar_);

    BuildListEditors();
    resize(800, 600);
}

TfChsInfo::~TfChsInfo() {
    SilenceChildren(*this);
}

void TfChsInfo::BuildCatalogue() {
    ColShow_ = new QTableWidget(kCatalogueRows + 1, 2, this);
    ColShow_->setObjectName(QStringLiteral("ColShow"));
    ColShow_->setProperty("valueList", true);
    ColShow_->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Key")));
    ColShow_->setItem(0, 1, new QTableWidgetItem(QStringLiteral("Value")));
    for (int r = 1; r <= kCatalogueRows; ++r) {
        ColShow_->setItem(r, 0, new QTableWidgetItem(QString::fromLatin1(kCatalogue[r - 1].key)));
        ColShow_->setItem(r, 1, new QTableWidgetItem(QString::fromLatin1(kCatalogue[r - 1].value)));
    }
    ColShow_->hide();
}

QComboBox* TfChsInfo::AddList(const char* name, const QStringList& items, bool editable) {
    auto* combo = new QComboBox(gvChs_->viewport());
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(editable);
    combo->addItems(items);
    combo->setMaxVisibleItems(12);
    combo->hide();
    combo->installEventFilter(this);
    if (editable) {
        // Only "None" of the tone list is a word; the tones themselves are not translated.
        combo->setProperty("tag", -3);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // What the user typed is what the normaliser gets, not a completion of it.
        combo->setCompleter(nullptr);
        combo->lineEdit()->installEventFilter(this);
    }
    connect(combo, &QComboBox::activated, this, [this, combo] { ComBoxSetData(combo); });
    lists_.push_back(combo);
    return combo;
}

void TfChsInfo::BuildListEditors() {
    QStringList tones;
    for (const std::string& tone : ToneList())
        tones << FromImageText(tone);

    QComboBox* cxPwrv = AddList("cxPwrv", {"Low", "High"}, false);
    QComboBox* cxBand = AddList("cxBand", {"Narrow", "Wide"}, false);
    const auto flagTexts = [](OnFlag flag) {
        return QStringList{FlagTexts(flag)[0], FlagTexts(flag)[1]};
    };
    QComboBox* cxScan = AddList("cxScan", flagTexts(OnFlag::Scan), false);
    QComboBox* cxBclo = AddList("cxBclo", flagTexts(OnFlag::BusyLock), false);
    // Also the list of the reverse field.
    QComboBox* cxYnSw = AddList("cxYnSw", flagTexts(OnFlag::Vox), false);
    QComboBox* cxTail = AddList("cxTail", {"Off", "On"}, false);
    QComboBox* cxPtts = AddList("cxPtts", {"Off", "BOT", "EOT", "Both"}, false);
    QComboBox* cxAnis = AddList("cxAnis", flagTexts(OnFlag::Ani), false);
    QComboBox* cxDups = AddList("cxDups", {"Off", "+", "-"}, false);
    QComboBox* cxApro = AddList("cxApro", {"Off", "Compander", "Scrambler", "Both"}, false);
    cxDcts_ = AddList("cxDcts", tones, true);

    listOfField_[kFieldShift] = cxDups;
    listOfField_[kFieldRxTone] = cxDcts_;
    listOfField_[kFieldTxTone] = cxDcts_;
    listOfField_[kFieldReverse] = cxYnSw;
    listOfField_[kFieldPower] = cxPwrv;
    listOfField_[kFieldBandwidth] = cxBand;
    listOfField_[kFieldScan] = cxScan;
    listOfField_[kFieldBusyLock] = cxBclo;
    listOfField_[kFieldVox] = cxYnSw;
    listOfField_[kFieldVoiceMode] = cxApro;
    listOfField_[kFieldEpilogue] = cxTail;
    listOfField_[kFieldPttId] = cxPtts;
    listOfField_[kFieldAni] = cxAnis;
}

QComboBox* TfChsInfo::ListEditor(int field) const {
    return field >= 0 && field <= kCatalogueRows ? listOfField_[field] : nullptr;
}

bool TfChsInfo::IsChoiceField(int field) const {
    return ListEditor(field) != nullptr;
}

QString TfChsInfo::NoToneText() const {
    return lNone_->text();
}

void TfChsInfo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TfChsInfo::FormShow() {
    showing_ = true;
    LocaliseForm(*this, false);
    lNone_->setText(cxDcts_->itemText(0));

    const TALL& all = document_.State();
    const int channels = all.ChannelCount;
    const QColor buttonFace = palette().color(QPalette::Button);
    const QColor infoBack = palette().color(QPalette::ToolTipBase);

    std::vector<int> shown;
    for (int r = 1; r <= kCatalogueRows; ++r) {
        const QTableWidgetItem* key = ColShow_->item(r, 0);
        if (key && key->text().startsWith('S')) shown.push_back(r);
    }

    gvChs_->setUpdatesEnabled(false);
    {
        const QSignalBlocker blocker(gvChs_);
        gvChs_->clear();
        gvChs_->setColumnCount(static_cast<int>(shown.size()) + 1);
        gvChs_->setRowCount(channels + 2);
        gvChs_->setRowHidden(kKeyRow, true);
        // The grid's own header is the fixed caption row; row 1 keeps the captions as cells.
        gvChs_->setRowHidden(kHeaderRow, true);
        gvChs_->setColumnHidden(0, true);

        int windowWidth = 50;
        for (int column = 1; column <= static_cast<int>(shown.size()); ++column) {
            const int r = shown[column - 1];
            const QString key = ColShow_->item(r, 0)->text();
            const QTableWidgetItem* valueItem = ColShow_->item(r, 1);
            const QString value = valueItem ? valueItem->text() : QString();
            const char kind = key.size() > 4 ? key[4].toLatin1() : '\0';
            const Qt::Alignment align = AlignmentOf(key);
            gvChs_->setColumnWidth(column, WidthOf(value));

            auto* keyItem = new QTableWidgetItem(key);
            keyItem->setData(kValueRole, r);
            keyItem->setFlags(Qt::ItemIsEnabled);
            gvChs_->setItem(kKeyRow, column, keyItem);

            const QString caption = CaptionOf(value);
            auto* header = new QTableWidgetItem(caption);
            header->setFlags(Qt::ItemIsEnabled);
            header->setTextAlignment(Qt::AlignCenter);
            header->setBackground(buttonFace);
            gvChs_->setItem(kHeaderRow, column, header);
            gvChs_->setHorizontalHeaderItem(column, new QTableWidgetItem(caption));

            for (int row = 2; row < channels + 2; ++row) {
                auto* item = new QTableWidgetItem;
                Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
                if (kind == 'R') flags |= Qt::ItemIsEditable;
                item->setFlags(flags);
                item->setTextAlignment(align);
                const int channel = row - 1;
                if (kind == 'N') {
                    item->setText(QString::number(channel));
                    item->setData(kValueRole, QStringLiteral("0"));
                    item->setBackground(buttonFace);
                } else if (channel % 16 == 0) {
                    item->setBackground(infoBack);
                }
                gvChs_->setItem(row, column, item);
            }
        }
        gvChs_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
        gvChs_->setFont(font());
        for (int column = 1; column < gvChs_->columnCount(); ++column) {
            FitColumn(column);
            windowWidth += gvChs_->columnWidth(column);
        }

        const int height = 15 + 25 * channels;
        QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
        frame->resize(windowWidth, std::min(frame->height(), height));
        frame->move(20, 20);
        // Inside the area it opens in: its scroll bars, last rows and find bar in sight.
        FitIntoArea(*this);
    }
    gvChs_->setUpdatesEnabled(true);

    FillAllRows();
    editColumn_ = 2;
    editRow_ = 2;
    {
        const QSignalBlocker blocker(gvChs_);
        if (gvChs_->rowCount() > 2 && gvChs_->columnCount() > 2) gvChs_->setCurrentCell(2, 2);
    }
    showing_ = false;
}

// The catalogue's width is a minimum: a column is as wide as its caption and its list's
// longest item at the current font, whatever language they are in.
void TfChsInfo::FitColumn(int column) {
    QHeaderView* header = gvChs_->horizontalHeader();
    int width = std::max(gvChs_->columnWidth(column), header->sectionSizeHint(column));
    if (const QComboBox* list = ListEditor(FieldOfColumn(column)); list && list != cxDcts_) {
        const QFontMetrics metrics = gvChs_->fontMetrics();
        const int margin = 2 * (gvChs_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        for (int i = 0; i < list->count(); ++i)
            width = std::max(width, metrics.horizontalAdvance(list->itemText(i)) + margin);
    }
    gvChs_->setColumnWidth(column, width);
}

int TfChsInfo::FieldOfColumn(int column) const {
    const QTableWidgetItem* key = column > 0 ? gvChs_->item(kKeyRow, column) : nullptr;
    return key ? key->data(kValueRole).toInt() : 0;
}

char TfChsInfo::KindOfColumn(int column) const {
    const QTableWidgetItem* key = column > 0 ? gvChs_->item(kKeyRow, column) : nullptr;
    return key && key->text().size() > 4 ? key->text()[4].toLatin1() : '\0';
}

int TfChsInfo::ColumnOfField(int field) const {
    for (int column = 1; column < gvChs_->columnCount(); ++column)
        if (FieldOfColumn(column) == field) return column;
    return -1;
}

bool TfChsInfo::InUse(int row) const {
    const int numberColumn = ColumnOfField(1);
    const QTableWidgetItem* item = numberColumn > 0 ? gvChs_->item(row, numberColumn) : nullptr;
    return item && item->data(kValueRole).toString() == QLatin1String("1");
}

std::vector<TfChsInfo::ColumnKey> TfChsInfo::ColumnKeys() const {
    std::vector<ColumnKey> keys(static_cast<std::size_t>(std::max(gvChs_->columnCount(), 0)));
    for (int column = 1; column < gvChs_->columnCount(); ++column)
        keys[static_cast<std::size_t>(column)] = {KindOfColumn(column), FieldOfColumn(column)};
    return keys;
}

void TfChsInfo::FillChannelRow(int channel) {
    FillChannelRow(channel, ColumnKeys());
}

void TfChsInfo::FillChannelRow(int channel, const std::vector<ColumnKey>& keys) {
    const int row = channel + 1;
    if (channel < 1 || row >= gvChs_->rowCount()) return;
    const bool updates = gvChs_->updatesEnabled();
    gvChs_->setUpdatesEnabled(false);
    const QSignalBlocker blocker(gvChs_);

    TChannel c;
    const bool inUse = LoadChannel(document_.State(), channel, c);
    for (int column = 1; column < gvChs_->columnCount(); ++column) {
        QTableWidgetItem* item = gvChs_->item(row, column);
        if (!item) continue;
        const auto [kind, field] = keys[static_cast<std::size_t>(column)];
        if (kind == 'N') {
            item->setData(kValueRole, inUse ? QStringLiteral("1") : QStringLiteral("0"));
            continue;
        }
        if (kind == 'T' || kind == 'E') {
            const Qt::ItemFlags flags = item->flags();
            item->setFlags(inUse ? flags | Qt::ItemIsEditable : flags & ~Qt::ItemIsEditable);
        }
        if (!inUse) {
            item->setText(QString());
            item->setData(kValueRole, QString());
            continue;
        }
        switch (field) {
        case kFieldRxFreq:
            item->setText(FormatFreqText(c.RxFreq));
            break;
        case kFieldTxFreq:
            item->setText(c.TxFreq == kNoFreq ? QString() : FormatFreqText(c.TxFreq));
            break;
        case kFieldRxTone:
        case kFieldTxTone: {
            const std::string& tone = field == kFieldRxTone ? c.RxTone : c.TxTone;
            item->setText(tone.empty() ? NoToneText() : FromImageText(tone));
            break;
        }
        case kFieldName:
            item->setText(FromImageText(c.Name));
            item->setData(kValueRole, QString());
            break;
        case kFieldIdCode:
            item->setText(FromImageText(c.IdCode));
            item->setData(kValueRole, QString());
            break;
        default:
            if (QComboBox* list = ListEditor(field)) {
                int value = 0;
                switch (field) {
                case kFieldShift:
                    value = c.Shift;
                    break;
                case kFieldReverse:
                    value = c.Reverse;
                    break;
                case kFieldPower:
                    value = c.Power;
                    break;
                case kFieldBandwidth:
                    value = c.Bandwidth;
                    break;
                case kFieldScan:
                    value = c.Scan;
                    break;
                case kFieldBusyLock:
                    value = c.BusyLock;
                    break;
                case kFieldVox:
                    value = c.Vox;
                    break;
                case kFieldVoiceMode:
                    value = c.VoiceMode;
                    break;
                case kFieldEpilogue:
                    value = c.Epilogue;
                    break;
                case kFieldPttId:
                    value = c.PttId;
                    break;
                case kFieldAni:
                    value = c.Ani;
                    break;
                default:
                    break;
                }
                item->setText(value < list->count() ? list->itemText(value) : QString());
                item->setData(kValueRole, QString::number(value));
            }
            break;
        }
    }
    gvChs_->setUpdatesEnabled(updates);
}

void TfChsInfo::FillAllRows() {
    gvChs_->setUpdatesEnabled(false);
    QAbstractItemModel* model = gvChs_->model();
    {
        // The view hears of the whole table once instead of cell by cell: thousands of
        // notices made filling the table the slowest part of opening it.
        const QSignalBlocker quiet(model);
        const std::vector<ColumnKey> keys = ColumnKeys();
        for (int channel = 1; channel + 1 < gvChs_->rowCount(); ++channel)
            FillChannelRow(channel, keys);
    }
    if (model->rowCount() > 0 && model->columnCount() > 0) {
        const QSignalBlocker blocker(gvChs_);
        emit model->dataChanged(model->index(0, 0),
                                model->index(model->rowCount() - 1, model->columnCount() - 1));
    }
    gvChs_->setUpdatesEnabled(true);
    gvChs_->viewport()->update();
}

void TfChsInfo::FormDeactivate() {
    CommitOpenTone();
    HideListEditors();
    delegate_->Finish();
}

// Hiding a widget that has the focus hands it on as Tab would, and the grid takes a Tab
// for a move to the next cell: the focus goes back to the grid before the list is hidden,
// so the current cell stays the one the list belongs to.
void TfChsInfo::HideList(QComboBox* list) {
    list->hidePopup();
    QWidget* focused = QApplication::focusWidget();
    if (focused && (focused == list || list->isAncestorOf(focused))) gvChs_->setFocus();
    list->hide();
    if (openList_ == list) openList_ = nullptr;
}

void TfChsInfo::HideListEditors() {
    for (QComboBox* list : lists_)
        if (list->isVisible()) HideList(list);
    openList_ = nullptr;
}

void TfChsInfo::SetCurrentChannel(int row) {
    if (row - 1 >= 1) document_.SetCurrentChannel(row - 1);
}

void TfChsInfo::FollowCurrentChannel(int channel) {
    const int row = channel + 1;
    if (showing_ || row >= gvChs_->rowCount() || row == gvChs_->currentRow()) return;
    gvChs_->setCurrentCell(row, std::max(gvChs_->currentColumn(), 1),
                           QItemSelectionModel::NoUpdate);
}

void TfChsInfo::CellPressed(int row, int column) {
    try {
        setFocus();
        gvChs_->setFocus();
        if (row < 2 || column < 1) return;
        editColumn_ = column;
        editRow_ = row;
        const int field = FieldOfColumn(column);
        QTableWidgetItem* item = gvChs_->item(row, column);
        if (field == kFieldRxFreq ||
            ((field == kFieldTxFreq || field == kFieldName || field == kFieldIdCode) &&
             InUse(row))) {
            if (item && (item->flags() & Qt::ItemIsEditable)) gvChs_->editItem(item);
        } else {
            ShowCellEditor(true);
        }
        if (KindOfColumn(column) == 'N')
            actions_->NumberPressed(row, QApplication::keyboardModifiers() & Qt::ShiftModifier);
        SetCurrentChannel(row);
    } catch (const std::exception&) {
        FillChannelRow(row - 1);
    }
}

void TfChsInfo::CurrentCellChanged(int row, int column) {
    if (showing_ || row < 2 || column < 1) return;
    try {
        // A tone typed into the list of the cell left is kept, as a typed value is anywhere.
        CommitOpenTone();
        editColumn_ = column;
        editRow_ = row;
        HideListEditors();
        ShowCellEditor(false);
        SetCurrentChannel(row);
    } catch (const std::exception&) {
        FillChannelRow(row - 1);
    }
}

QComboBox* TfChsInfo::ShowCellEditor(bool focus) {
    const int field = FieldOfColumn(editColumn_);
    QComboBox* list = ListEditor(field);
    if (!list || !InUse(editRow_)) return nullptr;
    const QTableWidgetItem* item = gvChs_->item(editRow_, editColumn_);
    if (!item) return nullptr;

    if (openList_ && openList_ != list) HideListEditors();
    {
        const QSignalBlocker blocker(list);
        if (list == cxDcts_) {
            list->setEditText(item->text());
            // Typing replaces the tone shown, as it replaces the text of a frequency cell.
            list->lineEdit()->selectAll();
        } else {
            bool ok = false;
            const int index = item->data(kValueRole).toString().toInt(&ok);
            list->setCurrentIndex(ok && index >= 0 && index < list->count() ? index : 0);
        }
    }
    const QRect cell = gvChs_->visualItemRect(item);
    list->setGeometry(cell.left() + 2, cell.top() + 2, gvChs_->columnWidth(editColumn_),
                      list->sizeHint().height());
    list->show();
    list->raise();
    openList_ = list;
    listRow_ = editRow_;
    listColumn_ = editColumn_;
    if (focus) list->setFocus();
    return list;
}

void TfChsInfo::LeaveListEditor(QComboBox* combo) {
    HideList(combo);
    gvChs_->setFocus();
}

void TfChsInfo::ComBoxSetData(QComboBox* combo) {
    if (showing_ || combo != openList_) return;
    // The list stores into the cell it was shown for, whichever cell is current by now.
    QTableWidgetItem* item = gvChs_->item(listRow_, listColumn_);
    if (!item || !InUse(listRow_)) return;
    try {
        QString text = combo->currentText();
        if (combo == cxDcts_) {
            const std::optional<std::string> tone = CheckedTone(text, NoToneText());
            if (!tone) {
                // Refused: the cell and the list show the tone the channel keeps.
                FillChannelRow(listRow_ - 1);
                const QSignalBlocker blocker(combo);
                combo->setEditText(item->text());
                return;
            }
            text = tone->empty() ? NoToneText() : FromImageText(*tone);
            const QSignalBlocker blocker(combo);
            combo->setEditText(text);
        } else {
            item->setData(kValueRole, QString::number(combo->currentIndex()));
        }
        item->setText(text);
        StoreCell(listColumn_, listRow_);
    } catch (const std::exception&) {
        FillChannelRow(listRow_ - 1);
    }
}

void TfChsInfo::CommitOpenTone() {
    if (!openList_ || openList_ != cxDcts_ || !cxDcts_->isVisible()) return;
    const QTableWidgetItem* item = gvChs_->item(listRow_, listColumn_);
    if (item && cxDcts_->currentText() != item->text()) ComBoxSetData(cxDcts_);
}

void TfChsInfo::StoreCell(int column, int row) {
    QTableWidgetItem* item = gvChs_->item(row, column);
    if (!item) return;
    const int field = FieldOfColumn(column);
    std::string text;
    if (field == kFieldRxTone || field == kFieldTxTone) {
        text = item->text() == NoToneText() ? std::string() : ToImageText(item->text());
    } else {
        text = item->data(kValueRole).toString().toStdString();
    }
    try {
        document_.SetChannelField(windowTitle(), row - 1, field, text);
    } catch (const ConversionError&) {
        // The record is unchanged; the row shows it again.
    }
    FillChannelRow(row - 1);
}

void TfChsInfo::gvChsSetForeText(int column, int row, QString& text) {
    QTableWidgetItem* item = gvChs_->item(row, column);
    const int numberColumn = ColumnOfField(1);
    if (!item || numberColumn < 0 || row < 2) return;
    const int channel = gvChs_->item(row, numberColumn)->text().toInt();
    const int field = FieldOfColumn(column);
    const TALL& all = document_.State();
    std::string stored;
    RadioDocument::Edit edit;
    switch (field) {
    case kFieldRxFreq:
        if (!text.trimmed().isEmpty()) {
            const std::optional<double> rx = CheckedRxFreq(all, text);
            if (!rx) {
                // Refused: the channel stays as it was, empty or in use.
                FillChannelRow(channel);
                text = item->text();
                return;
            }
            stored = FormatFreq(*rx);
            const bool wasInUse = InUse(row);
            edit = [&, wasInUse](TALL& image) {
                zorva::SetChannelField(image, channel, field, stored);
                if (!wasInUse) InitNewChannel(image, channel, stored);
            };
        } else {
            // An empty RX deletes the channel.
            edit = [&](TALL& image) { zorva::SetChannelField(image, channel, field, stored); };
        }
        break;
    case kFieldTxFreq:
        if (!text.trimmed().isEmpty()) {
            TChannel c;
            LoadChannel(all, channel, c);
            const std::optional<double> tx = CheckedTxFreq(all, text, c.RxFreq);
            if (!tx) {
                FillChannelRow(channel);
                text = item->text();
                return;
            }
            stored = FormatFreq(*tx);
        }
        edit = [&](TALL& image) { zorva::SetChannelField(image, channel, field, stored); };
        break;
    case kFieldName:
    case kFieldIdCode:
        while (text.endsWith(' '))
            text.chop(1);
        stored = ToImageText(text);
        edit = [&](TALL& image) { zorva::SetChannelField(image, channel, field, stored); };
        break;
    default:
        return;
    }
    try {
        document_.Change(windowTitle(), edit);
    } catch (const std::exception&) {
        // A text the codec could not take leaves the record as it was.
    }
    FillChannelRow(channel);
    text = item->text();
}

bool TfChsInfo::GridKey(QKeyEvent* key) {
    if (actions_->Key(*key)) return true;
    const int row = gvChs_->currentRow();
    const int column = gvChs_->currentColumn();
    if (row < 2 || column < 1) return false;
    editColumn_ = column;
    editRow_ = row;
    const int field = FieldOfColumn(column);
    const int k = key->key();
    const bool opens = k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_F2 ||
                       k == Qt::Key_Space || k == Qt::Key_F4;
    QTableWidgetItem* item = gvChs_->item(row, column);
    const bool editable = item && (item->flags() & Qt::ItemIsEditable);
    // The view would take a key typed into a cell that cannot be edited for a search and
    // jump to another row, where the following keys would edit another channel.
    const bool refused = IsTypedKey(*key) && !editable;
    if (!IsChoiceField(field)) {
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && editable) {
            gvChs_->editItem(item);
            return true;
        }
        return refused; // typing and F2 start the in-cell editor through the grid
    }
    if (opens) {
        if (QComboBox* list = ShowCellEditor(true)) {
            if (list == cxDcts_) {
                list->lineEdit()->selectAll();
            } else {
                list->showPopup();
            }
        }
        return true;
    }
    // Typing into a tone cell starts typing into its list.
    if (ListEditor(field) == cxDcts_ && IsToneKey(key->text())) {
        if (QComboBox* list = ShowCellEditor(true)) {
            list->lineEdit()->setText(key->text());
        }
        return true;
    }
    return refused;
}

bool TfChsInfo::ListKey(QComboBox* combo, QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (combo == cxDcts_) ComBoxSetData(combo);
        LeaveListEditor(combo);
        return true;
    case Qt::Key_Escape:
        LeaveListEditor(combo);
        if (combo == cxDcts_) FillChannelRow(listRow_ - 1);
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        // Only the tone list takes typed text, and only what a tone can be made of.
        return combo == cxDcts_ ? !IsToneKey(key->text()) : false;
    }
}

bool TfChsInfo::eventFilter(QObject* watched, QEvent* event) {
    try {
        // The table's commands win over the main window's short-cuts (Ctrl+C, Ctrl+F).
        if (watched == gvChs_ && event->type() == QEvent::ShortcutOverride &&
            actions_->IsCommandKey(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        if (watched == gvChs_->viewport() && event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            // The context menu acts on the rows selected: a right click keeps them.
            const QModelIndex index =
                gvChs_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            gvChs_->setFocus();
            if (index.isValid()) actions_->RightPressed(index.row(), index.column());
            return true;
        }
        if (watched == gvChs_ && event->type() == QEvent::KeyPress) {
            return GridKey(static_cast<QKeyEvent*>(event));
        }
        QComboBox* combo = qobject_cast<QComboBox*>(watched);
        // A choice list shown over its cell is the table to the user: the table's commands
        // work there too (the tone list's text keeps its own Ctrl+C, Ctrl+V and Delete).
        if (combo && combo != cxDcts_ && event->type() == QEvent::ShortcutOverride &&
            actions_->IsCommandKey(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        if (combo && combo != cxDcts_ && event->type() == QEvent::KeyPress &&
            actions_->Key(*static_cast<QKeyEvent*>(event)))
            return true;
        if (!combo && cxDcts_ && watched == cxDcts_->lineEdit()) combo = cxDcts_;
        if (combo && event->type() == QEvent::KeyPress) {
            return ListKey(combo, static_cast<QKeyEvent*>(event));
        }
        if (combo == cxDcts_ && event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
            // A click into the tone list shown over its cell enters the cell: select its
            // text once the click has placed the caret.
            QTimer::singleShot(0, cxDcts_->lineEdit(), &QLineEdit::selectAll);
        }
        if (combo && event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            // Leaving a list hides it; a typed tone is kept, as a user expects of a cell.
            QPointer<QComboBox> left = combo;
            QTimer::singleShot(0, this, [this, left] {
                if (!left || !left->isVisible() || left->hasFocus() || left->view()->isVisible())
                    return;
                if (left == cxDcts_) CommitOpenTone();
                HideList(left);
            });
        }
    } catch (const std::exception&) {
        FillAllRows();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorva
