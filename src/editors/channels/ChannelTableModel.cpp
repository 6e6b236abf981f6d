#include "editors/channels/ChannelTableModel.h"

#include "codec/ChannelRecord.h"
#include "codec/FreqCodec.h"
#include "codec/Numbers.h"
#include "core/TAll.h"
#include "document/RadioDocument.h"
#include "editors/ImageText.h"
#include "editors/channels/FieldMessages.h"
#include "settings/FormTexts.h"

#include <QBrush>
#include <exception>
#include <optional>

namespace zorva {

namespace {

Qt::Alignment AlignmentOf(ColumnAlign align) {
    switch (align) {
    case ColumnAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case ColumnAlign::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case ColumnAlign::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QString Caption(const std::string& text) {
    QString caption = QString::fromStdString(text);
    const qsizetype bar = caption.indexOf('|');
    if (bar >= 0) caption[bar] = '\n';
    return caption;
}

} // namespace

ChannelTableModel::ChannelTableModel(RadioDocument& document, QObject* parent)
    : QAbstractTableModel(parent), document_(&document) {
    ReadWording();
    // Whoever changed the image, the table shows it.
    connect(&document, &RadioDocument::channelsChanged, this, [this](int first, int last) {
        const int top = std::max(RowOfChannel(first), 0);
        const int bottom = std::min(RowOfChannel(last), rowCount() - 1);
        if (top <= bottom) emit dataChanged(index(top, 0), index(bottom, columnCount() - 1));
    });
    connect(&document, &RadioDocument::imageReplaced, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(&document, &QObject::destroyed, this, [this] {
        beginResetModel();
        document_ = nullptr;
        endResetModel();
    });
}

void ChannelTableModel::ReadWording() {
    if (!document_) return;
    wording_ = ChannelColumnWording(FormTexts(document_->State(), kChannelTableSection));
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int ChannelTableModel::ColumnOfField(int field) {
    const auto columns = ChannelColumns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].field == field) return static_cast<int>(i);
    return -1;
}

int ChannelTableModel::FieldOfColumn(int column) {
    const auto columns = ChannelColumns();
    return column >= 0 && column < static_cast<int>(columns.size())
               ? columns[static_cast<std::size_t>(column)].field
               : 0;
}

const ChannelColumn& ChannelTableModel::Column(int column) {
    return ChannelColumns()[static_cast<std::size_t>(column)];
}

int ChannelTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !document_
               ? 0
               : std::min(document_->State().ChannelCount, kMemoryChannels);
}

int ChannelTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ChannelColumns().size());
}

bool ChannelTableModel::Load(int row, TChannel& c) const {
    return row >= 0 && row < rowCount() && LoadChannel(document_->State(), ChannelOfRow(row), c);
}

bool ChannelTableModel::InUse(int row) const {
    return row >= 0 && row < rowCount() &&
           document_->State().IsSlotClear(kChannelBitmap, ChannelOfRow(row));
}

QVariant ChannelTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole: {
        TChannel c;
        if (!Load(index.row(), c)) return QString();
        return QString::fromStdString(
            ChannelCellText(c, static_cast<std::size_t>(column), wording_));
    }
    case kChoiceRole: {
        TChannel c;
        if (!Load(index.row(), c)) return {};
        return ChoiceValue(c, FieldOfColumn(column));
    }
    case kInUseRole:
        return InUse(index.row());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(AlignmentOf(Column(column).align));
    case Qt::BackgroundRole:
        if (stripe_.isValid() && ChannelOfRow(index.row()) % 16 == 0) return QBrush(stripe_);
        return {};
    default:
        return {};
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return QString::number(ChannelOfRow(section));
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
        return {};
    }
    if (section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return Caption(wording_.columns[static_cast<std::size_t>(section)].caption);
    return {};
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // An empty channel takes only an RX frequency, which puts it in use.
    if (FieldOfColumn(index.column()) == kFieldRxFreq || InUse(index.row()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !document_) return false;
    const int channel = ChannelOfRow(index.row());
    const int field = FieldOfColumn(index.column());
    bool stored = false;
    try {
        if (Column(index.column()).kind == ColumnKind::Choice) {
            if (!InUse(index.row())) return false;
            std::string text = std::to_string(value.toInt());
            stored = document_->SetChannelField(step_, channel, field, text);
        } else {
            stored = StoreText(channel, field, value.toString());
        }
    } catch (const std::exception&) {
        // A text the codec could not take leaves the record as it was.
        stored = false;
    }
    // A refused value shows the channel as it is again (the view may show the typed text).
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return stored;
}

bool ChannelTableModel::Fill(const std::vector<int>& channels, int column, const QString& typed) {
    if (!document_ || column < 0 || column >= columnCount()) return false;
    const int field = FieldOfColumn(column);
    const ColumnKind kind = Column(column).kind;
    if (kind != ColumnKind::Frequency && kind != ColumnKind::Text) return false;
    const TALL& all = document_->State();
    // Every value is worked out before the image is touched: all channels or none.
    std::vector<std::pair<int, std::string>> stores;
    QString text = typed;
    while (kind == ColumnKind::Text && text.endsWith(' '))
        text.chop(1);
    for (const int channel : channels) {
        TChannel c;
        if (!LoadChannel(all, channel, c)) continue;
        std::string stored = ToImageText(text);
        if (kind == ColumnKind::Frequency && !text.trimmed().isEmpty()) {
            // A TX typed with a sign is an offset from each channel's own RX.
            const std::optional<double> mhz = field == kFieldRxFreq
                                                  ? CheckedRxFreq(all, text)
                                                  : CheckedTxFreq(all, text, c.RxFreq);
            if (!mhz) return false;
            stored = FormatFreq(*mhz);
        } else if (kind == ColumnKind::Frequency && field == kFieldRxFreq) {
            return false; // an empty RX would delete every channel selected
        }
        stores.emplace_back(channel, std::move(stored));
    }
    if (stores.empty()) return false;
    try {
        return document_->Change(step_, [&](TALL& image) {
            for (auto& [channel, stored] : stores)
                zorva::SetChannelField(image, channel, field, stored);
        });
    } catch (const std::exception&) {
        return false;
    }
}

bool ChannelTableModel::StoreText(int channel, int field, const QString& typed) {
    const TALL& all = document_->State();
    const bool inUse = InUse(RowOfChannel(channel));
    std::string stored;
    switch (field) {
    case kFieldRxFreq:
        if (typed.trimmed().isEmpty()) {
            // An empty RX deletes the channel.
            if (!inUse) return false;
            break;
        } else {
            const std::optional<double> rx = CheckedRxFreq(all, typed);
            if (!rx) return false; // refused: the channel stays as it was, empty or in use
            stored = FormatFreq(*rx);
            return document_->Change(step_, [&](TALL& image) {
                zorva::SetChannelField(image, channel, field, stored);
                if (!inUse) InitNewChannel(image, channel, stored);
            });
        }
    case kFieldTxFreq:
        if (!inUse) return false;
        if (!typed.trimmed().isEmpty()) {
            TChannel c;
            LoadChannel(all, channel, c);
            const std::optional<double> tx = CheckedTxFreq(all, typed, c.RxFreq);
            if (!tx) return false;
            stored = FormatFreq(*tx);
        }
        break;
    case kFieldRxTone:
    case kFieldTxTone: {
        if (!inUse) return false;
        const std::optional<std::string> tone =
            CheckedTone(typed, QString::fromStdString(wording_.noTone));
        if (!tone) return false;
        stored = *tone;
        break;
    }
    case kFieldName:
    case kFieldIdCode: {
        if (!inUse) return false;
        QString text = typed;
        while (text.endsWith(' '))
            text.chop(1);
        stored = ToImageText(text);
        break;
    }
    default:
        return false;
    }
    return document_->SetChannelField(step_, channel, field, stored);
}

} // namespace zorva
