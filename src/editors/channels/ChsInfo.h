// The memory channel table: one row per memory channel (its number the row header), one
// column per channel field, edited in place. The rows are a model over the document's image
// (ChannelTableModel): the table keeps no copy of the channels.
#pragma once

#include "shell/Commands.h"

#include <QModelIndex>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <map>
#include <vector>

class QComboBox;
class QKeyEvent;
class QTableView;

namespace zorva {

class CellDelegate;
class ChannelFindBar;
class ChannelTableActions;
class ChannelTableFilter;
class ChannelTableModel;
class RadioDocument;
struct CellEditor;

class TfChsInfo : public QWidget, public EditingWindow {
    Q_OBJECT

public:
    explicit TfChsInfo(RadioDocument& document, QWidget* parent = nullptr);
    ~TfChsInfo() override;

    RadioDocument& Document() const { return document_; }
    // Stores what is being typed into a cell and closes its editors.
    void FormDeactivate();
    void FinishEditing() override { FormDeactivate(); }

    // Words the columns in the language in use and sizes them and the window.
    void FormShow();

    QTableView* Grid() const { return gvChs_; }
    ChannelTableModel& Model() const { return *model_; }
    // The rows and columns shown (the view's model).
    ChannelTableFilter& Filter() const { return *filter_; }
    // The cell shown of `field` of `channel` (invalid when the row or the column is hidden).
    QModelIndex Cell(int channel, int field) const;
    // The channel of a cell shown, and its field.
    int ChannelOf(const QModelIndex& shown) const;
    int FieldOf(const QModelIndex& shown) const;
    // Shows the channels and columns the user chose (the settings' view choices).
    void ViewChoicesChanged() override;
    // What the table does with whole channels (clipboard, row operations, Find).
    ChannelTableActions& Actions() const { return *actions_; }
    ChannelFindBar* FindBar() const { return findBar_; }
    // The list editor of a choice or tone field (null for other fields).
    QComboBox* ListEditor(int field) const;
    QString NoToneText() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildListEditors();
    CellEditor EditorOf(const QModelIndex& index) const;
    void CommitLine(const QModelIndex& index, const QString& text, bool fill);
    void FitColumn(int column);
    void CellPressed(const QModelIndex& index);
    void CurrentChanged(const QModelIndex& current);
    // Puts the current cell on the document's current channel.
    void FollowCurrentChannel(int channel);
    // Shows the list editor over the current cell; `focus` hands it the keyboard.
    QComboBox* ShowCellEditor(bool focus);
    void HideList(QComboBox* list);
    void HideListEditors();
    void LeaveListEditor(QComboBox* combo);
    // Stores the list's choice into the cell it is shown for.
    void ComBoxSetData(QComboBox* combo);
    // Stores a tone typed into the tone list into the cell the list was shown for.
    void CommitOpenTone();
    bool GridKey(QKeyEvent* key);
    bool ListKey(QComboBox* combo, QKeyEvent* key);

    RadioDocument& document_;
    ChannelTableModel* model_ = nullptr;
    ChannelTableFilter* filter_ = nullptr;
    QTableView* gvChs_ = nullptr;
    CellDelegate* delegate_ = nullptr;
    ChannelFindBar* findBar_ = nullptr;
    ChannelTableActions* actions_ = nullptr;
    QComboBox* cxDcts_ = nullptr;
    std::vector<QComboBox*> lists_;
    std::map<int, QComboBox*> listOfField_;
    QPointer<QComboBox> openList_;
    // The cell the shown list belongs to.
    QPersistentModelIndex listIndex_;
    bool openingList_ = false;
    bool showing_ = false;
};

} // namespace zorva
