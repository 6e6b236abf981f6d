// The channels and columns the user chose to see: a filter over the channel table's model, so
// that the view, the keyboard and an accessibility client all meet only the rows and columns
// shown. Hiding empty channels keeps the first empty one, to type a new channel into.
#pragma once

#include <QSortFilterProxyModel>
#include <set>

namespace zorva {

class ChannelTableModel;

class ChannelTableFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit ChannelTableFilter(ChannelTableModel& source, QObject* parent = nullptr);

    // Shows only the channels in use and the first empty one.
    void SetHideEmpty(bool hide);
    bool HidesEmpty() const { return hideEmpty_; }
    // The fields whose columns are not shown.
    void SetHiddenFields(std::set<int> fields);

    // The channel of a row shown; 0 for none.
    int ChannelOfRow(int row) const;
    // The model's column of a column shown.
    int SourceColumn(int column) const;
    // The row shown for `channel`, or the row of the nearest channel shown after it (before
    // it when none is after); -1 when no row is shown.
    int RowOfChannel(int channel) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool filterAcceptsColumn(int sourceColumn, const QModelIndex& sourceParent) const override;

private:
    int FirstEmptyRow() const;

    ChannelTableModel& source_;
    bool hideEmpty_ = false;
    std::set<int> hiddenFields_;
};

} // namespace zorva
