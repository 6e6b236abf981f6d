#include "editors/functions/FmFun.h"

#include "codec/FmCodec.h"
#include "codec/Numbers.h"
#include "codec/OptionCodes.h"
#include "core/Maindb.h"
#include "core/TAll.h"
#include "document/RadioDocument.h"
#include "editors/CellDelegate.h"
#include "editors/ChildWindow.h"
#include "editors/ImageText.h"
#include "editors/channels/FreqEdit.h"
#include "settings/UserMessages.h"
#include "settings/ui/LocaliseForm.h"
#include "settings/ui/ShowMsg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>
#include <optional>

namespace zorva {

namespace {

constexpr int kHeaderHeight = 23;
constexpr int kRowHeight = 20;
constexpr int kNumberWidth = 50;
constexpr int kFrequencyWidth = 100;
constexpr int kMaxTyped = 9;

bool IsNumberColumn(int column) {
    return column == 1 || column == 3 || column == 5;
}

bool IsFrequencyColumn(int column) {
    return column == 2 || column == 4 || column == 6;
}

// What a typed character puts into a frequency: the character, "." for ",", or nothing.
QString AcceptedText(const QString& typed) {
    if (typed.size() != 1) return {};
    const char32_t c = AcceptedChar(CharSet::Frequency, typed[0].unicode());
    return c ? QString(QChar(static_cast<char16_t>(c))) : QString();
}

bool IsPrintable(const QKeyEvent& key) {
    const QString text = key.text();
    return !text.isEmpty() && text[0].unicode() >= ' ' && text[0].unicode() != 0x7F &&
           !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

bool IsClipboardKey(const QKeyEvent& key) {
    return key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Cut) ||
           key.matches(QKeySequence::Paste);
}

} // namespace

TfFmFun::TfFmFun(RadioDocument& document, QWidget* parent) : QWidget(parent), document_(document) {
    connect(&document_, &RadioDocument::fmChanged, this, [this] { ShowFmChannels(); });
    for (auto changed : {&RadioDocument::settingsChanged, &RadioDocument::imageReplaced})
        connect(&document_, changed, this, [this] { ShowFm(); });
    setObjectName(QStringLiteral("fFmFun"));
    setWindowTitle(QStringLiteral("FM Information"));

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pcFm"));

    // Page "Information".
    auto* base = new QWidget;
    base->setObjectName(QStringLiteral("cxtbBase"));
    auto* grid = new QGridLayout(base);
    int row = 0;
    const auto addRow = [&](const char* labelName, const char* caption, QWidget* control) {
        auto* label = new QLabel(QString::fromLatin1(caption), base);
        label->setObjectName(QString::fromLatin1(labelName));
        label->setBuddy(control);
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
        ++row;
        return label;
    };

    cxRx_ = new QLineEdit(base);
    cxRx_->setObjectName(QStringLiteral("cxRx"));
    cxRx_->setMaxLength(kMaxTyped);
    cxRx_->setContextMenuPolicy(Qt::NoContextMenu);
    cxRx_->installEventFilter(this);
    addRow("lRx", "Freq. Channel[MHz]", cxRx_);

    cxStep_ = new QComboBox(base);
    cxStep_->setObjectName(QStringLiteral("cxStep"));
    cxStep_->addItems({QStringLiteral("50"), QStringLiteral("100"), QStringLiteral("200")});
    // Numbers read the same in every language.
    cxStep_->setProperty("tag", -2);
    addRow("lStep", "FM Step[kHz]", cxStep_);

    cxFmDw_ = new QCheckBox(QStringLiteral("Inhibit Receiver When Radio Working"), base);
    cxFmDw_->setObjectName(QStringLiteral("cxFmDw"));
    grid->addWidget(cxFmDw_, row++, 0, 1, 2);

    cxFM_Min_ = new QLineEdit(base);
    cxFM_Min_->setObjectName(QStringLiteral("cxFM_Min"));
    cxLine_ = new QLineEdit(QStringLiteral("-------"), base);
    cxLine_->setObjectName(QStringLiteral("cxLine"));
    cxFM_Max_ = new QLineEdit(base);
    cxFM_Max_->setObjectName(QStringLiteral("cxFM_Max"));
    for (QLineEdit* edit : {cxFM_Min_, cxLine_, cxFM_Max_}) {
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignCenter);
    }
    cxLine_->setEnabled(false);
    QPalette red = cxLine_->palette();
    red.setColor(QPalette::Disabled, QPalette::Text, Qt::red);
    cxLine_->setPalette(red);
    cxLine_->setMaximumWidth(60);
    auto* bounds = new QWidget(base);
    auto* boundsLayout = new QHBoxLayout(bounds);
    boundsLayout->setContentsMargins(0, 0, 0, 0);
    boundsLayout->addWidget(cxFM_Min_);
    boundsLayout->addWidget(cxLine_);
    boundsLayout->addWidget(cxFM_Max_);
    addRow("lScan", "FM Scan bound[MHz]", bounds);

    // Kept for the layout of the radio's data; they touch no image byte.
    cxFMVol_ = new QSpinBox(base);
    cxFMVol_->setObjectName(QStringLiteral("cxFMVol"));
    addRow("lFMVol", "FM VOL", cxFMVol_)->hide();
    cxFMSql_ = new QSpinBox(base);
    cxFMSql_->setObjectName(QStringLiteral("cxFMSql"));
    addRow("lFMSql", "FM SQL", cxFMSql_)->hide();
    chpppy_ = new QCheckBox(QStringLiteral("Beat Shift"), base);
    chpppy_->setObjectName(QStringLiteral("chpppy"));
    grid->addWidget(chpppy_, row++, 0, 1, 2);
    for (QWidget* hidden : std::initializer_list<QWidget*>{cxFMVol_, cxFMSql_, chpppy_})
        hidden->hide();
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    pages_->addTab(base, QStringLiteral("Information"));

    // Page "Memory Channel".
    auto* channels = new QWidget;
    channels->setObjectName(QStringLiteral("cxChannel"));
    auto* channelsLayout = new QVBoxLayout(channels);
    LNo_ = new QLabel(QStringLiteral("No."), channels);
    LNo_->setObjectName(QStringLiteral("LNo"));
    LNo_->hide();
    LFreq_ = new QLabel(QStringLiteral("Frequency[MHz]"), channels);
    LFreq_->setObjectName(QStringLiteral("LFreq"));
    LFreq_->hide();
    gvData_ = new QTableWidget(channels);
    gvData_->setObjectName(QStringLiteral("gvData"));
    gvData_->setProperty("tag", -2);
    gvData_->setSelectionMode(QAbstractItemView::SingleSelection);
    gvData_->setSelectionBehavior(QAbstractItemView::SelectItems);
    // Editing starts only by the window's own mouse and key rules.
    gvData_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gvData_->setDragDropMode(QAbstractItemView::NoDragDrop);
    gvData_->setContextMenuPolicy(Qt::NoContextMenu);
    gvData_->verticalHeader()->hide();
    gvData_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    gvData_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    gvData_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    gvData_->horizontalHeader()->setFixedHeight(kHeaderHeight);
    gvData_->horizontalHeader()->setHighlightSections(false);
    gvData_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    gvData_->setWordWrap(false);
    CellEditor frequency;
    frequency.kind = CellEditor::Kind::Line;
    frequency.chars = CharSet::Frequency;
    frequency.maxLength = kMaxTyped;
    frequency.arrowsMove = true;
    frequency.alignment = Qt::AlignRight | Qt::AlignVCenter;
    delegate_ = new CellDelegate(
        QStringLiteral("gvDataEditor"), [frequency](const QModelIndex&) { return frequency; },
        [this](const QModelIndex& index, const QString& typed, bool) {
            QString text = typed;
            gvDataSetForeText(index.column(), index.row(), text);
            if (QTableWidgetItem* item = gvData_->item(index.row(), index.column()))
                item->setText(text);
        },
        this);
    gvData_->setItemDelegate(delegate_);
    gvData_->installEventFilter(this);
    connect(gvData_, &QTableWidget::cellPressed, this,
            [this](int r, int c) { gvDataMouseDown(r, c); });
    // The whole table in view: three pairs of columns, every channel row under the header.
    const int frame =
        2 * gvData_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, gvData_) + 2;
    gvData_->setMinimumSize(3 * (kNumberWidth + kFrequencyWidth) + frame,
                            kHeaderHeight + (kRows - kFirstChannelRow) * kRowHeight + frame);
    channelsLayout->addWidget(gvData_);
    pages_->addTab(channels, QStringLiteral("Memory Channel"));

    btnCancel_ = AddCloseButton(*this, "btnCancel");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(ButtonRow({btnCancel_}));

    connect(cxRx_, &QLineEdit::editingFinished, this, [this] { eRxPropertiesEditValueChanged(); });
    connect(cxStep_, &QComboBox::currentIndexChanged, this, [this] { StoreFm(); });
    connect(cxFmDw_, &QCheckBox::toggled, this, [this] { StoreFm(); });
    connect(cxFMVol_, &QSpinBox::valueChanged, this, [this] { StoreFm(); });
    connect(cxFMSql_, &QSpinBox::valueChanged, this, [this] { StoreFm(); });
    // The displays are read-only; should a value reach them anyway, it is validated.
    for (QLineEdit* edit : {cxFM_Min_, cxFM_Max_})
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
            if (!edit->isModified()) return;
            const std::optional<double> value = ParseNumber(ToImageText(edit->text()));
            if (!value) return;
            double v = *value;
            ScanBoundValidate(edit == cxFM_Max_, v);
        });
}

TfFmFun::~TfFmFun() {
    SilenceChildren(*this);
}

int TfFmFun::ChannelOfCell(int column, int row) {
    if (row < kFirstChannelRow || row >= kRows) return 0;
    int channel = 0;
    if (column == 2) channel = row - 1;
    if (column == 4) channel = row + 9;
    if (column == 6) channel = row + 19;
    return channel >= 1 && channel <= kFmChannels ? channel : 0;
}

int TfFmFun::ColumnOfChannel(int channel) {
    return channel <= 10 ? 2 : channel <= 20 ? 4 : 6;
}

int TfFmFun::RowOfChannel(int channel) {
    return channel <= 10 ? channel + 1 : channel <= 20 ? channel - 9 : channel - 19;
}

void TfFmFun::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FirstShow(shown_)) FormShow();
}

void TfFmFun::FormShow() {
    PlaceChildWindow(*this);
    loading_ = true;
    LocaliseForm(*this, false);
    BuildFmGrid();
    ShowFm();
    loading_ = false;
}

void TfFmFun::BuildFmGrid() {
    const QColor buttonFace = palette().color(QPalette::Button);
    gvData_->setUpdatesEnabled(false);
    {
        const QSignalBlocker blocker(gvData_);
        gvData_->clear();
        gvData_->setRowCount(kRows);
        gvData_->setColumnCount(kColumns);
        gvData_->setRowHidden(0, true);
        gvData_->setColumnHidden(0, true);
        // The grid's own header is the fixed caption row; row 1 keeps the captions as cells.
        gvData_->setRowHidden(1, true);
        for (int column = 1; column < kColumns; ++column) {
            const bool number = IsNumberColumn(column);
            gvData_->setColumnWidth(column, number ? kNumberWidth : kFrequencyWidth);
            const QString caption = number ? LNo_->text() : LFreq_->text();
            gvData_->setHorizontalHeaderItem(column, new QTableWidgetItem(caption));
            auto* header = new QTableWidgetItem(caption);
            header->setFlags(Qt::ItemIsEnabled);
            header->setBackground(buttonFace);
            gvData_->setItem(1, column, header);

            for (int row = kFirstChannelRow; row < kRows; ++row) {
                auto* item = new QTableWidgetItem;
                Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
                if (number) {
                    const int channel = ChannelOfCell(column + 1, row);
                    if (channel) item->setText(QString::number(channel));
                    item->setBackground(buttonFace);
                    item->setTextAlignment(Qt::AlignCenter);
                } else {
                    if (ChannelOfCell(column, row)) flags |= Qt::ItemIsEditable;
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                }
                item->setFlags(flags);
                gvData_->setItem(row, column, item);
            }
        }
        gvData_->setCurrentCell(kFirstChannelRow, 2);
    }
    gvData_->setUpdatesEnabled(true);
}

QString TfFmFun::ChannelText(int channel) const {
    const double mhz = ReadFmChannel(document_.State(), channel);
    return mhz >= 0 ? FormatFreqText(mhz) : QString();
}

void TfFmFun::ShowFmChannels() {
    const bool wasLoading = loading_;
    loading_ = true;
    rxGuard_ = true;
    const QString current = FormatFreqText(ReadFmChannel(document_.State(), kFmCurrentSlot));
    // A stored value longer than anyone may type is still shown whole.
    cxRx_->setMaxLength(std::max<int>(kMaxTyped, static_cast<int>(current.size())));
    cxRx_->setText(current);
    for (int channel = 1; channel <= kFmChannels; ++channel) {
        if (QTableWidgetItem* item = gvData_->item(RowOfChannel(channel), ColumnOfChannel(channel)))
            item->setText(ChannelText(channel));
    }
    rxGuard_ = false;
    loading_ = wasLoading;
}

void TfFmFun::ShowFm() {
    ShowFmChannels();
    const bool wasLoading = loading_;
    loading_ = true;
    const TALL& all = document_.State();
    const int index = std::max(ReadField(all, kFmStep) - 1, 0);
    cxStep_->setCurrentIndex(index < cxStep_->count() ? index : -1);
    cxFmDw_->setChecked(ReadField(all, kFmInhibit) == 0);
    cxFM_Min_->setText(FromImageText(FmBoundText(all.FmBandLow)));
    cxFM_Max_->setText(FromImageText(FmBoundText(all.FmBandHigh)));
    loading_ = wasLoading;
}

void TfFmFun::StoreFm() {
    if (loading_) return;
    const int step = cxStep_->currentIndex();
    const bool inhibit = cxFmDw_->isChecked();
    document_.Change(windowTitle(), [step, inhibit](TALL& all) {
        // A step the list cannot show stays as it is.
        if (step >= 0) WriteField(all, kFmStep, step + 1);
        WriteField(all, kFmInhibit, inhibit ? 0 : 1);
    });
}

void TfFmFun::eRxPropertiesEditValueChanged() {
    if (loading_ || rxGuard_ || !cxRx_->isModified()) return;
    rxGuard_ = true;
    const std::string typed = ToImageText(cxRx_->text().trimmed());
    try {
        std::string shown;
        document_.Change(windowTitle(),
                         [&](TALL& all) { shown = WriteFmChannel(all, kFmCurrentSlot, typed); });
        cxRx_->setText(FromImageText(shown));
    } catch (const ConversionError&) {
        // Nothing was stored: the edit shows the frequency the radio keeps.
        cxRx_->setText(FormatFreqText(ReadFmChannel(document_.State(), kFmCurrentSlot)));
        ShowMsg(Language().Caution, Language().ErrRange, kMsgInfo);
    }
    rxGuard_ = false;
}

void TfFmFun::gvDataSetForeText(int column, int row, QString& text) {
    const int channel = ChannelOfCell(column, row);
    if (!channel) return;
    const std::string typed = ToImageText(text.trimmed());
    try {
        std::string shown;
        document_.Change(windowTitle(),
                         [&](TALL& all) { shown = WriteFmChannel(all, channel, typed); });
        text = FromImageText(shown);
    } catch (const ConversionError&) {
        // The channel keeps its state and value, and the cell shows them again.
        text = ChannelText(channel);
        ShowMsg(Language().Caution, Language().ErrRange, kMsgInfo);
    }
}

void TfFmFun::cxFM_MinPropertiesValidate(double& value) {
    ScanBoundValidate(false, value);
}

void TfFmFun::cxFM_MaxPropertiesValidate(double& value) {
    ScanBoundValidate(true, value);
}

void TfFmFun::ScanBoundValidate(bool upper, double& value) {
    QLineEdit* edit = upper ? cxFM_Max_ : cxFM_Min_;
    QLineEdit* other = upper ? cxFM_Min_ : cxFM_Max_;
    const TALL& state = document_.State();
    const std::optional<double> shown = ParseNumber(ToImageText(other->text()));
    const double otherBound = shown ? *shown : upper ? state.FmBandLow : state.FmBandHigh;
    document_.Change(windowTitle(), [&](TALL& all) {
        value = FmUnitsToMhz(WriteFmScanBound(all, upper, value, otherBound));
    });
    edit->setText(FromImageText(FmBoundText(value)));
    ShowFmChannels();
}

bool TfFmFun::HasNumber(int row, int column) const {
    const QTableWidgetItem* item = gvData_->item(row, column);
    return IsNumberColumn(column) && item && !item->text().isEmpty();
}

bool TfFmFun::EditFrequency(int row, int column) {
    QTableWidgetItem* item = gvData_->item(row, column);
    if (!item || !(item->flags() & Qt::ItemIsEditable)) return false;
    gvData_->setCurrentCell(row, column);
    gvData_->editItem(item);
    if (QLineEdit* editor = delegate_->Line()) editor->selectAll();
    return true;
}

void TfFmFun::gvDataMouseDown(int row, int column) {
    if (row < kFirstChannelRow) return;
    if (IsFrequencyColumn(column)) {
        if (HasNumber(row, column - 1)) EditFrequency(row, column);
    } else if (IsNumberColumn(column)) {
        if (HasNumber(row, column)) EditFrequency(row, column + 1);
    }
}

bool TfFmFun::gvDataKeyPress(QKeyEvent& key) {
    // Cells are not copied, cut or pasted.
    if (IsClipboardKey(key)) return true;
    const int row = gvData_->currentRow();
    const int column = gvData_->currentColumn();
    if (row < kFirstChannelRow || column < 1) return false;
    // A number cell stands for the frequency to its right.
    const int frequencyColumn = IsNumberColumn(column) ? column + 1 : column;
    const bool hasChannel = HasNumber(row, frequencyColumn - 1);
    const int k = key.key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_F2) {
        if (hasChannel) EditFrequency(row, frequencyColumn);
        return true;
    }
    if (k == Qt::Key_Delete && !(key.modifiers() & ~Qt::KeypadModifier)) {
        // Empties the station under the cursor, as clearing its cell does.
        QTableWidgetItem* item = gvData_->item(row, frequencyColumn);
        if (hasChannel && item && !item->text().isEmpty()) {
            QString text;
            gvDataSetForeText(frequencyColumn, row, text);
            item->setText(text);
        }
        return true;
    }
    if (!IsPrintable(key)) return false;
    // Typing starts an edit with the typed character; a refused key does nothing.
    const QString text = AcceptedText(key.text());
    if (hasChannel && !text.isEmpty() && EditFrequency(row, frequencyColumn)) {
        if (QLineEdit* editor = delegate_->Line()) editor->insert(text);
    }
    return true;
}

bool TfFmFun::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto& key = static_cast<QKeyEvent&>(*event);
        if (watched == gvData_) return gvDataKeyPress(key);
        if (watched == cxRx_) {
            if (IsClipboardKey(key) && !key.matches(QKeySequence::Copy)) return true;
            return FilterTypedKey(*cxRx_, key, TypedKeys::Frequency);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorva
