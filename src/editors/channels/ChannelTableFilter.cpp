#include "editors/channels/ChannelTableFilter.h"

#include "editors/channels/ChannelTableModel.h"

namespace zorva {

ChannelTableFilter::ChannelTableFilter(ChannelTableModel& source, QObject* parent)
    : QSortFilterProxyModel(parent), source_(source) {
    setSourceModel(&source);
    setDynamicSortFilter(false);
    // Which channels are in use, and so which one is the first empty one, may change with any
    // edit of a row.
    connect(&source, &QAbstractItemModel::dataChanged, this, [this] {
        if (hideEmpty_) invalidateRowsFilter();
    });
}

void ChannelTableFilter::SetHideEmpty(bool hide) {
    if (hide == hideEmpty_) return;
    hideEmpty_ = hide;
    invalidateRowsFilter();
}

void ChannelTableFilter::SetHiddenFields(std::set<int> fields) {
    if (fields == hiddenFields_) return;
    hiddenFields_ = std::move(fields);
    invalidateColumnsFilter();
}

int ChannelTableFilter::FirstEmptyRow() const {
    for (int row = 0; row < source_.rowCount(); ++row)
        if (!source_.InUse(row)) return row;
    return -1;
}

bool ChannelTableFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    if (!hideEmpty_ || source_.InUse(sourceRow)) return true;
    return sourceRow == FirstEmptyRow();
}

bool ChannelTableFilter::filterAcceptsColumn(int sourceColumn, const QModelIndex&) const {
    return !hiddenFields_.contains(ChannelTableModel::FieldOfColumn(sourceColumn));
}

int ChannelTableFilter::ChannelOfRow(int row) const {
    const QModelIndex source = mapToSource(index(row, 0));
    return source.isValid() ? ChannelTableModel::ChannelOfRow(source.row()) : 0;
}

int ChannelTableFilter::SourceColumn(int column) const {
    // Counted over the model's columns: a table without rows still has its columns.
    for (int source = 0; source < source_.columnCount(); ++source)
        if (filterAcceptsColumn(source, {}) && column-- == 0) return source;
    return -1;
}

int ChannelTableFilter::RowOfChannel(int channel) const {
    const int rows = rowCount();
    if (rows == 0) return -1;
    int before = -1;
    for (int row = 0; row < rows; ++row) {
        const int shown = ChannelOfRow(row);
        if (shown >= channel) return row;
        before = row;
    }
    return before;
}

} // namespace zorva
