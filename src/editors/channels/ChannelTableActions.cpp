#include "editors/channels/ChannelTableActions.h"

#include "codec/ChannelRows.h"
#include "core/Maindb.h"
#include "core/TAll.h"
#include "csv/ChannelCsv.h"
#include "document/RadioDocument.h"
#include "editors/channels/ChannelFind.h"
#include "editors/channels/ChannelTableFilter.h"
#include "editors/channels/ChsInfo.h"
#include "editors/channels/CsvTexts.h"
#include "settings/Language.h"
#include "settings/UserMessages.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Commands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTableView>
#include <algorithm>

namespace zorva {

namespace {

// An item's caption as a step name: without its mnemonic.
QString PlainCaption(QString caption) {
    static const QRegularExpression mnemonic(QStringLiteral("\\(&[^&]\\)|&(?=[^&])"));
    return caption.remove(mnemonic).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

void Tell(const QString& text) {
    ShowMsg(Language().Caution, text.toStdString(), kMsgInfo);
}

// The key with its modifiers, without the keypad's mark that arrows carry on some systems.
QKeySequence SequenceOf(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers =
        key.modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return QKeySequence(QKeyCombination(modifiers, Qt::Key(key.key())));
}

bool Is(const QKeyEvent& key, Qt::KeyboardModifiers modifiers, Qt::Key code) {
    return SequenceOf(key) == QKeySequence(QKeyCombination(modifiers, code));
}

} // namespace

ChannelTableActions::ChannelTableActions(TfChsInfo& table, ChannelFindBar& findBar)
    : QObject(&table), table_(table), findBar_(findBar) {
    AddAction(cmd::Cut, "nCut", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
    AddAction(cmd::Copy, "nCopy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
    AddAction(cmd::Paste, "nPaste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
    AddAction(cmd::DeleteChannels, "nDelete", "&Delete", QKeySequence(Qt::Key_Delete));
    AddAction(cmd::InsertChannel, "nInsertChannel", "&Insert Channel", {});
    AddAction(cmd::RemoveChannel, "nRemoveChannel", "Re&move Channel", {});
    AddAction(cmd::MoveUp, "nMoveUp", "Move &Up", QKeySequence(Qt::ALT | Qt::Key_Up));
    AddAction(cmd::MoveDown, "nMoveDown", "Move Do&wn", QKeySequence(Qt::ALT | Qt::Key_Down));
    AddAction(cmd::SortByRx, "nSortByRx", "S&ort by RX Frequency", {});
    AddAction(cmd::Find, "nFind", "&Find...", QKeySequence(Qt::CTRL | Qt::Key_F));

    connect(&findBar_, &ChannelFindBar::findNext, this, [this](const QString& text) {
        const int found = FindChannel(table_.Document().State(), text, CurrentChannel());
        findBar_.ShowNotFound(found == 0);
        if (found != 0) SelectChannels(found, found);
    });
    connect(&findBar_, &ChannelFindBar::closed, this, [this] { Grid().setFocus(); });
    // Shift+click extends from the row selected last, or from the cell current before it.
    connect(Grid().selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex&, const QModelIndex& previous) {
                previous_ = previous.isValid() ? table_.ChannelOf(previous) : 0;
            });
    connect(&Grid(), &QAbstractItemView::pressed, this, [this] { anchor_ = 0; });
    // The rows selected are where Batch Channel Edit starts from.
    connect(Grid().selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const std::vector<int> channels = SelectedChannels();
        const bool rows = channels.size() > 1;
        table_.Document().SetSelectedRange(rows ? channels.front() : 0, rows ? channels.back() : 0);
    });
}

void ChannelTableActions::AddAction(int command, const char* name, const char* caption,
                                    const QKeySequence& key) {
    // A child of the table, so that the table's language section names it; shown in the
    // context menu only, its key is the table's (Key()), never a short-cut of its own.
    auto* action = new QAction(QString::fromLatin1(caption), &table_);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    actions_[command] = action;
}

QAction* ChannelTableActions::Action(int command) const {
    const auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

QTableView& ChannelTableActions::Grid() const {
    return *table_.Grid();
}

int ChannelTableActions::Rows() const {
    return Grid().model()->rowCount();
}

int ChannelTableActions::CurrentChannel() const {
    const QModelIndex current = Grid().currentIndex();
    return current.isValid() ? table_.ChannelOf(current) : table_.Document().CurrentChannel();
}

void ChannelTableActions::MakeCurrent(int channel) {
    const int row = table_.Filter().RowOfChannel(channel);
    if (row < 0 || Grid().model()->columnCount() == 0) return;
    const int column = std::max(Grid().currentIndex().column(), 0);
    Grid().selectionModel()->setCurrentIndex(Grid().model()->index(row, column),
                                             QItemSelectionModel::NoUpdate);
}

std::vector<int> ChannelTableActions::SelectedChannels() const {
    std::vector<int> channels;
    const QItemSelectionModel* selection = Grid().selectionModel();
    for (int row = 0; row < Rows(); ++row)
        if (selection->isRowSelected(row, QModelIndex()))
            channels.push_back(table_.Filter().ChannelOfRow(row));
    if (channels.empty()) channels.push_back(CurrentChannel());
    return channels;
}

void ChannelTableActions::SelectChannels(int first, int last) {
    if (Rows() == 0 || Grid().model()->columnCount() == 0) return;
    const ChannelTableFilter& shown = table_.Filter();
    const auto rowOf = [&shown](int channel) { return std::max(shown.RowOfChannel(channel), 0); };
    MakeCurrent(shown.ChannelOfRow(rowOf(last)));
    const QAbstractItemModel* model = Grid().model();
    const QItemSelection range(
        model->index(std::min(rowOf(first), rowOf(last)), 0),
        model->index(std::max(rowOf(first), rowOf(last)), model->columnCount() - 1));
    Grid().selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
    anchor_ = shown.ChannelOfRow(rowOf(first));
}

void ChannelTableActions::SelectAll() {
    const QAbstractItemModel* model = Grid().model();
    if (Rows() == 0) return;
    const QItemSelection rows(model->index(0, 0),
                              model->index(Rows() - 1, model->columnCount() - 1));
    Grid().selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    anchor_ = 1;
}

void ChannelTableActions::NumberPressed(int row, bool extend) {
    const int channel = table_.Filter().ChannelOfRow(row);
    const int from = anchor_ > 0 ? anchor_ : previous_;
    SelectChannels(extend && from > 0 ? from : channel, channel);
}

void ChannelTableActions::RightPressed(int row, int column) {
    if (row < 0) return;
    if (Grid().selectionModel()->isRowSelected(row, QModelIndex())) return;
    Grid().setCurrentIndex(Grid().model()->index(row, column));
}

void ChannelTableActions::ExtendSelection(int by) {
    const ChannelTableFilter& shown = table_.Filter();
    const int current = CurrentChannel();
    const bool rowsSelected = anchor_ > 0 && Grid().selectionModel()->isRowSelected(
                                                 shown.RowOfChannel(anchor_), QModelIndex());
    // The next row shown, whichever channel it is.
    const int row = std::clamp(shown.RowOfChannel(current) + by, 0, std::max(Rows() - 1, 0));
    SelectChannels(rowsSelected ? anchor_ : current, shown.ChannelOfRow(row));
}

bool ChannelTableActions::Apply(int command, const std::function<void(TALL&)>& edit) {
    return table_.Document().Change(PlainCaption(actions_.at(command)->text()), edit);
}

void ChannelTableActions::Copy() {
    const std::string text = ExportChannelsCsv(table_.Document().State(), SelectedChannels()).text;
    QApplication::clipboard()->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void ChannelTableActions::Clear(int command, const std::vector<int>& channels) {
    Apply(command, [&channels](TALL& all) {
        for (int channel : channels)
            ClearChannel(all, channel);
    });
}

void ChannelTableActions::Cut() {
    const std::vector<int> channels = SelectedChannels();
    Copy();
    Clear(cmd::Cut, channels);
}

void ChannelTableActions::Delete() {
    Clear(cmd::DeleteChannels, SelectedChannels());
}

void ChannelTableActions::Paste() {
    const QByteArray text = QApplication::clipboard()->text().toUtf8();
    if (text.isEmpty()) return;
    CsvImportOptions options;
    options.firstChannel = SelectedChannels().front();
    options.headerOptional = true;
    const CsvImportPlan plan =
        PlanCsvImport(table_.Document().State(),
                      std::string_view(text.constData(), std::size_t(text.size())), options);
    const TfCsvTexts texts;
    if (plan.HasErrors()) {
        Tell(texts.PasteRefused() + '\n' + texts.Problems(plan.problems));
        return;
    }
    bool applied = false;
    Apply(cmd::Paste, [&](TALL& all) { applied = ApplyCsvImport(all, plan); });
    if (!applied) return;
    if (!plan.rows.empty()) SelectChannels(plan.rows.front().channel, plan.rows.back().channel);
    if (!plan.problems.empty()) Tell(texts.PasteWarnings() + '\n' + texts.Problems(plan.problems));
}

void ChannelTableActions::Insert() {
    const int channel = CurrentChannel();
    bool inserted = false;
    Apply(cmd::InsertChannel, [&](TALL& all) { inserted = InsertChannel(all, channel); });
    if (!inserted) {
        Tell(TfCsvTexts().InsertRefused());
        return;
    }
    SelectChannels(channel, channel);
}

void ChannelTableActions::Remove() {
    const int channel = CurrentChannel();
    Apply(cmd::RemoveChannel, [channel](TALL& all) { RemoveChannel(all, channel); });
    SelectChannels(channel, channel);
}

void ChannelTableActions::Move(int by) {
    const int channel = CurrentChannel();
    bool moved = false;
    Apply(by < 0 ? cmd::MoveUp : cmd::MoveDown,
          [&](TALL& all) { moved = MoveChannel(all, channel, by); });
    if (moved) SelectChannels(channel + by, channel + by);
}

void ChannelTableActions::Sort() {
    Apply(cmd::SortByRx, [](TALL& all) { SortChannelsByRx(all); });
}

void ChannelTableActions::Find() {
    findBar_.Open();
}

void ChannelTableActions::Run(int command) {
    // What is being typed into a cell is stored first, as before any other command.
    table_.FormDeactivate();
    switch (command) {
    case cmd::Cut:
        Cut();
        break;
    case cmd::Copy:
        Copy();
        break;
    case cmd::Paste:
        Paste();
        break;
    case cmd::DeleteChannels:
        Delete();
        break;
    case cmd::InsertChannel:
        Insert();
        break;
    case cmd::RemoveChannel:
        Remove();
        break;
    case cmd::MoveUp:
        Move(-1);
        break;
    case cmd::MoveDown:
        Move(+1);
        break;
    case cmd::SortByRx:
        Sort();
        break;
    case cmd::Find:
        Find();
        break;
    case cmd::SelectAll:
        SelectAll();
        break;
    default:
        break;
    }
}

bool ChannelTableActions::IsCommandKey(const QKeyEvent& key) const {
    for (const auto& [command, action] : actions_)
        if (!action->shortcut().isEmpty() && action->shortcut() == SequenceOf(key)) return true;
    return Is(key, Qt::ShiftModifier, Qt::Key_Up) || Is(key, Qt::ShiftModifier, Qt::Key_Down) ||
           Is(key, Qt::NoModifier, Qt::Key_F3) || key.matches(QKeySequence::SelectAll);
}

bool ChannelTableActions::Key(const QKeyEvent& key) {
    if (Is(key, Qt::ShiftModifier, Qt::Key_Up) || Is(key, Qt::ShiftModifier, Qt::Key_Down)) {
        ExtendSelection(key.key() == Qt::Key_Up ? -1 : +1);
        return true;
    }
    if (key.matches(QKeySequence::SelectAll)) {
        SelectAll();
        return true;
    }
    if (Is(key, Qt::NoModifier, Qt::Key_F3)) {
        if (findBar_.Text()->text().isEmpty()) {
            Find();
        } else {
            findBar_.FindNext();
        }
        return true;
    }
    for (const auto& [command, action] : actions_) {
        if (!action->shortcut().isEmpty() && action->shortcut() == SequenceOf(key)) {
            Run(command);
            return true;
        }
    }
    return false;
}

void ChannelTableActions::ShowContextMenu(const QPoint& at) {
    table_.FormDeactivate();
    QMenu menu(&table_);
    menu.setObjectName("pmChannels");
    for (int command :
         {cmd::Cut, cmd::Copy, cmd::Paste, cmd::DeleteChannels, 0, cmd::InsertChannel,
          cmd::RemoveChannel, cmd::MoveUp, cmd::MoveDown, cmd::SortByRx, 0, cmd::Find}) {
        if (command == 0) {
            menu.addSeparator();
        } else {
            menu.addAction(actions_.at(command));
        }
    }
    menu.exec(Grid().viewport()->mapToGlobal(at));
}

} // namespace zorva
