// The memory channels as a table model: one row per channel (its number the row header), one
// column per field of the column catalogue. The model keeps no copy of the channels: a cell
// is decoded from the document's image when it is asked for, and a value given to a cell
// goes to the document with the checks and messages of every channel window.
#pragma once

#include "editors/CellDelegate.h"
#include "fields/ChannelColumns.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <QString>
#include <vector>

namespace zorva {

class RadioDocument;
class TChannel;

class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // A choice cell's stored value (an int); whether the row's channel is in use (a bool).
    static constexpr int kChoiceRole = kCellChoiceRole;
    static constexpr int kInUseRole = Qt::UserRole + 1;

    explicit ChannelTableModel(RadioDocument& document, QObject* parent = nullptr);

    // The captions and list texts of the language in use, read again.
    void ReadWording();
    const ChannelWording& Wording() const { return wording_; }
    void SetStepName(const QString& step) { step_ = step; }
    // Every sixteenth channel's row is drawn in this colour.
    void SetStripe(const QColor& colour) { stripe_ = colour; }

    static int ChannelOfRow(int row) { return row + 1; }
    static int RowOfChannel(int channel) { return channel - 1; }
    // The catalogue's column of a field, -1 when no column shows it.
    static int ColumnOfField(int field);
    static int FieldOfColumn(int column);
    static const ChannelColumn& Column(int column);
    bool InUse(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // EditRole: the typed text of a frequency, tone, name or ID cell, or a choice's value.
    // A refused value shows its message and is not stored; returns whether it was stored.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // A frequency, name or ID typed once into `column` of every channel of `channels` that is
    // in use, as one step; a value refused for one of them stores nothing.
    bool Fill(const std::vector<int>& channels, int column, const QString& typed);

private:
    bool Load(int row, TChannel& c) const;
    bool StoreText(int channel, int field, const QString& typed);

    // A view may outlive the window that made the document (a window closed late): the
    // model is then empty.
    QPointer<RadioDocument> document_;
    ChannelWording wording_;
    QString step_;
    QColor stripe_;
};

} // namespace zorva
