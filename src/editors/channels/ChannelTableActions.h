// What the memory channel table does with whole channels: rows selected by their number,
// the clipboard as CSV text, emptying, inserting, removing, moving and sorting channels, and
// finding one. Every change is one step of the image's history.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QKeyEvent;
class QPoint;
class QTableView;

namespace zorva {

class ChannelFindBar;
class TALL;
class TfChsInfo;

class ChannelTableActions : public QObject {
    Q_OBJECT

public:
    // `findBar` is the table's, shown by Find.
    ChannelTableActions(TfChsInfo& table, ChannelFindBar& findBar);

    // The channels whose rows are selected, in order; the current channel when none is.
    std::vector<int> SelectedChannels() const;
    // Selects the rows of channels `first` to `last` (either order) and makes `last` current.
    void SelectChannels(int first, int last);
    // Selects every channel's row; the current cell stays.
    void SelectAll();

    void Copy();
    void Cut();
    void Paste();
    void Delete();
    void Insert();
    void Remove();
    // Swaps the current channel with the one above (-1) or below (+1); it stays current.
    void Move(int by);
    void Sort();
    void Find();
    // Runs a command of the Edit menu, cmd::Cut to cmd::SelectAll.
    void Run(int command);
    // The context menu's item of a command.
    QAction* Action(int command) const;

    // --- The table's hooks ---
    // A press of the row header of `row`: selects the row, or with `extend` the rows from
    // the last one selected.
    void NumberPressed(int row, bool extend);
    // A right-button press on `row`: a row outside the selection becomes the current one.
    void RightPressed(int row, int column);
    // The table's command keys: the table takes them before the main window's short-cuts.
    bool IsCommandKey(const QKeyEvent& key) const;
    // Handles a key of the grid; false when it is not one of the table's commands.
    bool Key(const QKeyEvent& key);
    void ShowContextMenu(const QPoint& at);

private:
    QTableView& Grid() const;
    int Rows() const;
    int CurrentChannel() const;
    void MakeCurrent(int channel);
    // Changes the image as one step named after the command's item.
    bool Apply(int command, const std::function<void(TALL&)>& edit);
    void Clear(int command, const std::vector<int>& channels);
    void ExtendSelection(int by);
    void AddAction(int command, const char* name, const char* caption, const QKeySequence& key);

    TfChsInfo& table_;
    ChannelFindBar& findBar_;
    std::map<int, QAction*> actions_;
    int anchor_ = 0;   // the channel a selection of rows started from, 0 for none
    int previous_ = 0; // the channel current before the current one
};

} // namespace zorva
