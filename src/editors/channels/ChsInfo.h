// The memory channel table: one row per memory channel, one column per channel field, edited
// in place. The table keeps no copy of the channels; every row is decoded from the image when
// it is filled and every edit goes straight back into the image through the channel codec.
#pragma once

#include "shell/Commands.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace zorva {

class ChannelFindBar;
class ChannelTableActions;
class ChsInfoCellDelegate;

class RadioDocument;

class TfChsInfo : public QWidget, public EditingWindow {
    Q_OBJECT

public:
    // Grid rows: 0 holds each column's catalogue key and field id, 1 the captions, n + 1 is
    // channel n. Grid column 0 is an unused title column.
    static constexpr int kKeyRow = 0;
    static constexpr int kHeaderRow = 1;
    static constexpr int kCatalogueRows = 20;
    // Hidden value of a cell (the in-use marker of the number column, a choice's index).
    static constexpr int kValueRole = Qt::UserRole;

    explicit TfChsInfo(RadioDocument& document, QWidget* parent = nullptr);
    ~TfChsInfo() override;

    RadioDocument& Document() const { return document_; }
    // Stores what is being typed into a cell and closes its editors.
    void FormDeactivate();
    void FinishEditing() override { FormDeactivate(); }
    void FillChannelRow(int channel);
    void FillAllRows();

    // Builds the columns from the catalogue and fills every row.
    void FormShow();

    QTableWidget* Grid() const { return gvChs_; }
    // What the table does with whole channels (clipboard, row operations, Find).
    ChannelTableActions& Actions() const { return *actions_; }
    ChannelFindBar* FindBar() const { return findBar_; }
    // The grid column showing `field`, -1 when the field is not shown.
    int ColumnOfField(int field) const;
    // The field id and kind character of a grid column (0 and '\0' for none).
    int FieldOfColumn(int column) const;
    char KindOfColumn(int column) const;
    // The list editor of a choice field (null for other fields).
    QComboBox* ListEditor(int field) const;
    QString NoToneText() const;

    // Commits an in-cell edit of (column, row); `text` becomes the text the cell shows.
    void gvChsSetForeText(int column, int row, QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ChsInfoCellDelegate;

    // The kind character and field id of every grid column, by column.
    struct ColumnKey {
        char kind = '\0';
        int field = 0;
    };
    std::vector<ColumnKey> ColumnKeys() const;
    void FillChannelRow(int channel, const std::vector<ColumnKey>& keys);
    void BuildCatalogue();
    void BuildListEditors();
    void FitColumn(int column);
    QComboBox* AddList(const char* name, const QStringList& items, bool editable);
    bool InUse(int row) const;
    bool IsChoiceField(int field) const;
    void CellPressed(int row, int column);
    void CurrentCellChanged(int row, int column);
    void SetCurrentChannel(int row);
    // Puts the current cell on the document's current channel.
    void FollowCurrentChannel(int channel);
    // Shows the list editor of the current cell; `focus` hands it the keyboard.
    QComboBox* ShowCellEditor(bool focus);
    void HideList(QComboBox* list);
    void HideListEditors();
    void LeaveListEditor(QComboBox* combo);
    void ComBoxSetData(QComboBox* combo);
    void StoreCell(int column, int row);
    bool GridKey(QKeyEvent* key);
    bool ListKey(QComboBox* combo, QKeyEvent* key);
    // Stores a tone typed into the tone list into the cell the list was shown for.
    void CommitOpenTone();

    RadioDocument& document_;
    QTableWidget* ColShow_ = nullptr;
    QLabel* lNone_ = nullptr;
    QTableWidget* gvChs_ = nullptr;
    ChsInfoCellDelegate* delegate_ = nullptr;
    ChannelFindBar* findBar_ = nullptr;
    ChannelTableActions* actions_ = nullptr;
    QComboBox* cxDcts_ = nullptr;
    std::vector<QComboBox*> lists_;
    QComboBox* listOfField_[kCatalogueRows + 1] = {};
    QPointer<QComboBox> openList_;
    int editColumn_ = 2;
    int editRow_ = 2;
    // The cell the shown list belongs to.
    int listColumn_ = 2;
    int listRow_ = 2;
    bool showing_ = false;
};

} // namespace zorva
