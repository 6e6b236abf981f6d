#include "editors/channels/ChsInfo.h"

#include "codec/ChannelRecord.h"
#include "codec/ToneList.h"
#include "core/TAll.h"
#include "document/RadioDocument.h"
#include "editors/CellDelegate.h"
#include "editors/ChildWindow.h"
#include "editors/ImageText.h"
#include "editors/channels/ChannelFind.h"
#include "editors/channels/ChannelTableActions.h"
#include "editors/channels/ChannelTableFilter.h"
#include "editors/channels/ChannelTableModel.h"
#include "settings/ui/LocaliseForm.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <set>

namespace zorva {

namespace {

constexpr int kHeaderHeight = 35;
constexpr int kRowHeight = 20;

// A key that would put a character into a cell (not a shortcut, not a control key).
bool IsTypedKey(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString typed = key.text();
    return !typed.isEmpty() && typed[0].isPrint();
}

bool IsToneKey(const QString& typed) {
    return typed.size() == 1 && Accepts(CharSet::Tone, typed[0].unicode());
}

Qt::Alignment AlignmentOf(ColumnAlign align) {
    return align == ColumnAlign::Right    ? Qt::AlignRight | Qt::AlignVCenter
           : align == ColumnAlign::Center ? Qt::AlignHCenter | Qt::AlignVCenter
                                          : Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

TfChsInfo::TfChsInfo(RadioDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setObjectName(QStringLiteral("fChsInfo"));
    setWindowTitle(tr("Channel Information"));

    model_ = new ChannelTableModel(document_, this);
    filter_ = new ChannelTableFilter(*model_, this);
    gvChs_ = new QTableView(this);
    gvChs_->setObjectName(QStringLiteral("gvChs"));
    gvChs_->setModel(filter_);
    gvChs_->setSelectionMode(QAbstractItemView::SingleSelection);
    gvChs_->setSelectionBehavior(QAbstractItemView::SelectItems);
    gvChs_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    gvChs_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    gvChs_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    gvChs_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    gvChs_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    gvChs_->horizontalHeader()->setFixedHeight(kHeaderHeight);
    gvChs_->horizontalHeader()->setHighlightSections(false);
    gvChs_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    gvChs_->setWordWrap(false);
    delegate_ = new CellDelegate(
        QStringLiteral("gvChsEditor"), [this](const QModelIndex& index) { return EditorOf(index); },
        [this](const QModelIndex& index, const QString& text, bool fill) {
            CommitLine(index, text, fill);
        },
        this);
    gvChs_->setItemDelegate(delegate_);
    gvChs_->installEventFilter(this);
    gvChs_->viewport()->installEventFilter(this);
    gvChs_->setContextMenuPolicy(Qt::CustomContextMenu);

    findBar_ = new ChannelFindBar(this);
    actions_ = new ChannelTableActions(*this, *findBar_);
    connect(gvChs_, &QWidget::customContextMenuRequested, actions_,
            &ChannelTableActions::ShowContextMenu);
    connect(gvChs_->verticalHeader(), &QHeaderView::sectionPressed, this, [this](int row) {
        actions_->NumberPressed(row, QApplication::keyboardModifiers() & Qt::ShiftModifier);
    });

    // A list shown over a cell leaves with the image it showed.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { HideListEditors(); });
    connect(&document_, &RadioDocument::currentChannelChanged, this,
            &TfChsInfo::FollowCurrentChannel);
    connect(gvChs_, &QAbstractItemView::pressed, this, &TfChsInfo::CellPressed);
    connect(gvChs_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { CurrentChanged(current); });
    // A list belongs to the cell it was opened on: scrolling takes it away.
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

void TfChsInfo::BuildListEditors() {
    const auto add = [this](const char* name, int field, bool editable) {
        auto* combo = new QComboBox(gvChs_->viewport());
        combo->setObjectName(QString::fromLatin1(name));
        combo->setEditable(editable);
        combo->setMaxVisibleItems(12);
        combo->hide();
        combo->installEventFilter(this);
        if (editable) {
            // Only "None" of the tone list is a word; the tones themselves are not translated.
            combo->setProperty("tag", kTagFirstItemOnly);
            combo->setInsertPolicy(QComboBox::NoInsert);
            // What the user typed is what the normaliser gets, not a completion of it.
            combo->setCompleter(nullptr);
            combo->lineEdit()->installEventFilter(this);
            // Item 0 is the list's "None".
            for (const std::string& tone : ToneList())
                combo->addItem(FromImageText(tone));
        } else {
            for (const char* item : ChoiceTexts(field))
                combo->addItem(QString::fromLatin1(item));
        }
        connect(combo, &QComboBox::activated, this, [this, combo] { ComBoxSetData(combo); });
        lists_.push_back(combo);
        return combo;
    };
    for (const ChannelColumn& column : ChannelColumns()) {
        if (!column.list) continue;
        QComboBox*& list = listOfField_[column.field];
        if (column.kind == ColumnKind::Tone) {
            if (!cxDcts_) cxDcts_ = add(column.list, column.field, true);
            list = cxDcts_;
        } else {
            list = add(column.list, column.field, false);
        }
    }
    // The fields the table has no column for keep their lists' texts in the language file.
    listOfField_[kFieldShift] = add("cxDups", kFieldShift, false);
    listOfField_[kFieldVoiceMode] = add("cxApro", kFieldVoiceMode, false);
    listOfField_[kFieldReverse] = listOfField_[kFieldVox];
}

QComboBox* TfChsInfo::ListEditor(int field) const {
    const auto it = listOfField_.find(field);
    return it == listOfField_.end() ? nullptr : it->second;
}

QString TfChsInfo::NoToneText() const {
    return QString::fromStdString(model_->Wording().noTone);
}

QModelIndex TfChsInfo::Cell(int channel, int field) const {
    const int column = ChannelTableModel::ColumnOfField(field);
    return column < 0 ? QModelIndex()
                      : filter_->mapFromSource(
                            model_->index(ChannelTableModel::RowOfChannel(channel), column));
}

int TfChsInfo::ChannelOf(const QModelIndex& shown) const {
    const QModelIndex source = filter_->mapToSource(shown);
    return source.isValid() ? ChannelTableModel::ChannelOfRow(source.row()) : 0;
}

int TfChsInfo::FieldOf(const QModelIndex& shown) const {
    const QModelIndex source = filter_->mapToSource(shown);
    return source.isValid() ? ChannelTableModel::FieldOfColumn(source.column()) : 0;
}

void TfChsInfo::ViewChoicesChanged() {
    FormDeactivate();
    const TALL& all = document_.State();
    filter_->SetHideEmpty(all.HideEmptyChannels);
    filter_->SetHiddenFields(std::set<int>(all.HiddenFields.begin(), all.HiddenFields.end()));
    for (int column = 0; column < filter_->columnCount(); ++column)
        FitColumn(column);
}

CellEditor TfChsInfo::EditorOf(const QModelIndex& index) const {
    CellEditor editor;
    const ChannelColumn& column = ChannelTableModel::Column(filter_->mapToSource(index).column());
    editor.alignment = AlignmentOf(column.align);
    if (column.kind == ColumnKind::Choice || column.kind == ColumnKind::Tone) {
        // Lists are shown by the table's own rules only (ShowCellEditor).
        if (openingList_) {
            editor.kind = CellEditor::Kind::List;
            editor.list = ListEditor(column.field);
        }
        return editor;
    }
    editor.kind = CellEditor::Kind::Line;
    editor.chars = column.chars;
    editor.maxLength = column.maxLength;
    editor.signedOffset = column.field == kFieldTxFreq;
    return editor;
}

void TfChsInfo::CommitLine(const QModelIndex& index, const QString& text, bool fill) {
    // Ctrl+Enter stores what was typed into that column of every row selected, as a
    // spreadsheet fills a selection.
    const std::vector<int> selected = actions_->SelectedChannels();
    if (fill && selected.size() > 1) {
        model_->Fill(selected, filter_->mapToSource(index).column(), text);
        return;
    }
    try {
        model_->setData(filter_->mapToSource(index), text, Qt::EditRole);
    } catch (const std::exception&) {
        // The model refuses what it cannot store; the row shows the channel as it is.
    }
}

void TfChsInfo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TfChsInfo::FormShow() {
    showing_ = true;
    LocaliseForm(*this, false);
    model_->SetStepName(windowTitle());
    model_->SetStripe(palette().color(QPalette::ToolTipBase));
    model_->ReadWording();
    if (cxDcts_) cxDcts_->setItemText(0, NoToneText());
    ViewChoicesChanged();

    int windowWidth = 50 + gvChs_->verticalHeader()->sizeHint().width();
    for (int column = 0; column < filter_->columnCount(); ++column) {
        FitColumn(column);
        windowWidth += gvChs_->columnWidth(column);
    }
    const int height = 15 + 25 * model_->rowCount();
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
    frame->resize(windowWidth, std::min(frame->height(), height));
    frame->move(20, 20);
    // Inside the area it opens in: its scroll bars, last rows and find bar in sight.
    FitIntoArea(*this);

    if (filter_->rowCount() > 0 && filter_->columnCount() > 0) {
        const QSignalBlocker blocker(gvChs_->selectionModel());
        gvChs_->setCurrentIndex(filter_->index(0, 0));
    }
    showing_ = false;
}

// The catalogue's width is a minimum: a column is as wide as its caption and its list's
// longest item at the current font, whatever language they are in.
void TfChsInfo::FitColumn(int column) {
    const int source = filter_->SourceColumn(column);
    if (source < 0) return;
    const ColumnWording& words = model_->Wording().columns.at(static_cast<std::size_t>(source));
    int width = std::max(words.width, gvChs_->horizontalHeader()->sectionSizeHint(column));
    const QFontMetrics metrics = gvChs_->fontMetrics();
    const int margin = 2 * (gvChs_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    for (const std::string& item : words.items)
        width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(item)) + margin);
    gvChs_->setColumnWidth(column, width);
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
    if (openList_ == list) {
        openList_ = nullptr;
        if (listIndex_.isValid()) gvChs_->closePersistentEditor(listIndex_);
    }
    list->hide();
}

void TfChsInfo::HideListEditors() {
    if (openList_) HideList(openList_);
    for (QComboBox* list : lists_)
        if (list->isVisible()) list->hide();
    openList_ = nullptr;
}

void TfChsInfo::FollowCurrentChannel(int channel) {
    const int row = filter_->RowOfChannel(channel);
    if (showing_ || row < 0 || filter_->ChannelOfRow(row) != channel ||
        row == gvChs_->currentIndex().row() || filter_->columnCount() == 0)
        return;
    gvChs_->selectionModel()->setCurrentIndex(
        filter_->index(row, std::max(gvChs_->currentIndex().column(), 0)),
        QItemSelectionModel::NoUpdate);
}

void TfChsInfo::CellPressed(const QModelIndex& index) {
    try {
        setFocus();
        gvChs_->setFocus();
        if (!index.isValid()) return;
        const ColumnKind kind =
            ChannelTableModel::Column(filter_->mapToSource(index).column()).kind;
        if (kind == ColumnKind::Frequency || kind == ColumnKind::Text) {
            if (index.flags() & Qt::ItemIsEditable) gvChs_->edit(index);
        } else {
            ShowCellEditor(true);
        }
        document_.SetCurrentChannel(ChannelOf(index));
    } catch (const std::exception&) {
        // The model shows the channel as it is.
    }
}

void TfChsInfo::CurrentChanged(const QModelIndex& current) {
    if (showing_ || !current.isValid()) return;
    try {
        // A tone typed into the list of the cell left is kept, as a typed value is anywhere.
        CommitOpenTone();
        HideListEditors();
        ShowCellEditor(false);
        document_.SetCurrentChannel(ChannelOf(current));
    } catch (const std::exception&) {
        // The model shows the channel as it is.
    }
}

QComboBox* TfChsInfo::ShowCellEditor(bool focus) {
    const QModelIndex index = gvChs_->currentIndex();
    if (!index.isValid() || !model_->InUse(filter_->mapToSource(index).row())) return nullptr;
    QComboBox* list = ListEditor(FieldOf(index));
    if (!list) return nullptr;
    if (openList_ != list || listIndex_ != index) {
        HideListEditors();
        openingList_ = true;
        gvChs_->openPersistentEditor(index);
        openingList_ = false;
        openList_ = list;
        listIndex_ = index;
    }
    list->show();
    list->raise();
    if (focus) list->setFocus();
    return list;
}

void TfChsInfo::LeaveListEditor(QComboBox* combo) {
    HideList(combo);
    gvChs_->setFocus();
}

void TfChsInfo::ComBoxSetData(QComboBox* combo) {
    if (showing_ || combo != openList_ || !listIndex_.isValid()) return;
    // The list stores into the cell it was shown for, whichever cell is current by now.
    const QModelIndex index = listIndex_;
    const QModelIndex source = filter_->mapToSource(index);
    try {
        if (combo == cxDcts_) {
            model_->setData(source, combo->currentText(), Qt::EditRole);
            // Stored or refused: the list shows the tone the channel has now.
            const QSignalBlocker blocker(combo);
            combo->setEditText(index.data(Qt::DisplayRole).toString());
        } else {
            model_->setData(source, combo->currentIndex(), Qt::EditRole);
        }
    } catch (const std::exception&) {
        // The model shows the channel as it is.
    }
}

void TfChsInfo::CommitOpenTone() {
    if (!openList_ || openList_ != cxDcts_ || !cxDcts_->isVisible() || !listIndex_.isValid())
        return;
    if (cxDcts_->currentText() != listIndex_.data(Qt::DisplayRole).toString())
        ComBoxSetData(cxDcts_);
}

bool TfChsInfo::GridKey(QKeyEvent* key) {
    if (actions_->Key(*key)) return true;
    const QModelIndex index = gvChs_->currentIndex();
    if (!index.isValid()) return false;
    const int field = FieldOf(index);
    const int k = key->key();
    const bool opens = k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_F2 ||
                       k == Qt::Key_Space || k == Qt::Key_F4;
    const bool editable = index.flags() & Qt::ItemIsEditable;
    // The view would take a key typed into a cell that cannot be edited for a search and
    // jump to another row, where the following keys would edit another channel.
    const bool refused = IsTypedKey(*key) && !editable;
    QComboBox* list = ListEditor(field);
    if (!list) {
        if ((k == Qt::Key_Return || k == Qt::Key_Enter) && editable) {
            gvChs_->edit(index);
            return true;
        }
        return refused; // typing and F2 start the in-cell editor through the grid
    }
    if (opens) {
        if (QComboBox* shown = ShowCellEditor(true)) {
            if (shown == cxDcts_) {
                shown->lineEdit()->selectAll();
            } else {
                shown->showPopup();
            }
        }
        return true;
    }
    // Typing into a tone cell starts typing into its list.
    if (list == cxDcts_ && IsToneKey(key->text())) {
        if (QComboBox* shown = ShowCellEditor(true)) shown->lineEdit()->setText(key->text());
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
        HideListEditors();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorva
