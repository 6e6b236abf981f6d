#include "editors/channels/ToneOption.h"

#include "settings/ui/LocaliseForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace zorva {

namespace {

// The CTCSS tones the radio's users know by index and two-letter code.
constexpr const char* kCtcssLines[] = {
    "01-67.0-XZ",  "02-69.3-WZ",  "03-71.9-XA",  "04-74.4-WA",  "05-77.0-XB",  "06-79.7-WB",
    "07-82.5-YZ",  "08-85.4-YA",  "09-88.5-YB",  "0A-91.5-ZZ",  "0B-94.8-ZA",  "0C-97.4-ZB",
    "0D-100.0-1Z", "0E-103.5-1A", "0F-107.2-1B", "10-110.9-2Z", "11-114.8-2A", "12-118.8-2B",
    "13-123.0-3Z", "14-127.3-3A", "15-131.8-3B", "16-136.5-4Z", "17-141.3-4A", "18-146.2-4B",
    "19-151.4-5Z", "1A-156.7-5A", "1B-162.2-5B", "1C-167.9-6Z", "1D-173.8-6A", "1E-179.9-6B",
    "1F-186.2-7Z", "20-192.8-7A", "21-203.5-M1", "22-206.5-8Z", "23-210.7-M2", "24-218.1-M3",
    "25-225.7-M4", "26-229.1-9Z", "27-233.6-M5", "28-241.8-M6", "29-250.3-M7", "2A-254.1-0Z",
};

constexpr const char* kDcsCodes[] = {
    "023", "025", "026", "031", "032", "043", "047", "051", "054", "065", "071", "072", "073",
    "074", "114", "115", "116", "125", "131", "132", "134", "143", "152", "155", "156", "162",
    "165", "172", "174", "205", "223", "226", "243", "244", "245", "251", "261", "263", "265",
    "271", "306", "311", "315", "331", "343", "346", "351", "364", "365", "371", "411", "412",
    "413", "423", "431", "432", "445", "464", "465", "466", "503", "506", "516", "525", "532",
    "546", "565", "606", "612", "624", "627", "631", "632", "645", "654", "662", "664", "703",
    "712", "723", "731", "732", "734", "743", "754",
};

constexpr int kLineCount = 133;
constexpr int kDcsFirstLine = 45;

// A code line's three fields: before the first "-", up to the second "-" (or the rest) and
// after the second "-" (or again the rest).
std::array<QString, 3> SplitLine(const QString& line) {
    const int first = line.indexOf('-');
    if (first < 0) return {line, line, line};
    const QString rest = line.mid(first + 1);
    const int second = rest.indexOf('-');
    if (second < 0) return {line.left(first), rest, rest};
    return {line.left(first), rest.left(second), rest.mid(second + 1)};
}

struct GridLayout {
    const char* name;
    int groups;
    int rows;
    int columnsPerGroup;
    int rowHeight;
    int widths[3];
    QColor colours[3];
    int selectable; // column within a group (0-based) that holds the pickable tone
};

const GridLayout kGrids[3] = {
    {"gvCtcss",
     5,
     9,
     3,
     24,
     {32, 47, 32},
     {QColor(249, 141, 227), Qt::white, QColor(225, 249, 112)},
     1},
    {"gvDcsN", 8, 11, 2, 20, {23, 46, 0}, {QColor(47, 231, 220), Qt::white, Qt::white}, 1},
    {"gvDcsI", 8, 11, 2, 20, {23, 46, 0}, {QColor(47, 231, 220), Qt::white, Qt::white}, 1},
};

} // namespace

QStringList TfToneOption::CodeLines() {
    QStringList lines;
    for (const char* line : kCtcssLines)
        lines << QString::fromLatin1(line);
    while (lines.size() < kDcsFirstLine)
        lines << QString();
    int number = 1;
    for (const char* code : kDcsCodes)
        lines << QString("%1-D%2").arg(number++).arg(QString::fromLatin1(code));
    while (lines.size() < kLineCount)
        lines << QString();
    return lines;
}

TfToneOption::TfToneOption(QWidget* parent) : QDialog(parent) {
    setObjectName("fToneOption");
    setWindowTitle("Channel Tone Option");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowTitleHint);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* selection = new QGroupBox("Channel Voice Selection", this);
    selection->setObjectName("gbSel");
    auto* radioRow = new QHBoxLayout(selection);
    const char* radioNames[3] = {"rCTCSS", "rDCSN", "rDCSI"};
    const char* titles[3] = {"CTCSS", "DCS-N", "DCS-I"};
    for (int i = 0; i < 3; ++i) {
        radios_[i] = new QRadioButton(titles[i], selection);
        radios_[i]->setObjectName(radioNames[i]);
        radios_[i]->setProperty("tag", i);
        radioRow->addWidget(radios_[i]);
        connect(radios_[i], &QRadioButton::clicked, this, [this, i] { SelectList(i); });
    }
    layout->addWidget(selection);

    lbSel_ = new QListWidget(this);
    lbSel_->setObjectName("lbSel");
    lbSel_->addItems({"CTCSS", "DCS-N", "DCS-I"});
    lbSel_->hide();
    lbValue_ = new QListWidget(this);
    lbValue_->setObjectName("lbValue");
    lbValue_->setProperty("tag", kTagNeverLocalised);
    lbValue_->addItems(CodeLines());
    lbValue_->hide();

    gbList_ = new QGroupBox(" Code List", this);
    gbList_->setObjectName("gbList");
    auto* gridBox = new QVBoxLayout(gbList_);
    for (int i = 0; i < 3; ++i) {
        auto* grid = new QTableWidget(gbList_);
        grid->setObjectName(kGrids[i].name);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->horizontalHeader()->setMinimumSectionSize(0);
        grid->verticalHeader()->setMinimumSectionSize(0);
        grid->horizontalHeader()->hide();
        grid->verticalHeader()->hide();
        grid->setShowGrid(true);
        grid->installEventFilter(this);
        connect(grid, &QTableWidget::cellDoubleClicked, this,
                [this, i](int row, int column) { PickCell(i, row, column); });
        grids_[i] = grid;
        gridBox->addWidget(grid);
    }
    layout->addWidget(gbList_);
    FillCodeLists();
    radios_[0]->setChecked(true);
    SelectList(0);
}

void TfToneOption::FillCodeLists() {
    QStringList lines;
    for (int i = 0; i < lbValue_->count(); ++i)
        lines << lbValue_->item(i)->text();
    QFont bold = font();
    bold.setBold(true);
    for (int i = 0; i < 3; ++i) {
        const GridLayout& g = kGrids[i];
        QTableWidget& grid = *grids_[i];
        grid.setUpdatesEnabled(false);
        grid.clear();
        grid.setRowCount(g.rows + 1);
        grid.setColumnCount(g.groups * g.columnsPerGroup + 1);
        grid.setRowHidden(0, true);
        grid.setColumnHidden(0, true);
        const QString suffix = i == 1 ? "N" : i == 2 ? "I" : "";
        for (int group = 1; group <= g.groups; ++group) {
            for (int k = 0; k < g.columnsPerGroup; ++k) {
                const int column = g.columnsPerGroup * (group - 1) + k + 1;
                grid.setColumnWidth(column, g.widths[k]);
                // The title row marks the columns whose cells can be picked.
                grid.setItem(0, column, new QTableWidgetItem(k == g.selectable ? "1" : ""));
                for (int row = 1; row <= g.rows; ++row) {
                    const int index = i == 0 ? 9 * (group - 1) + (row - 1)
                                             : kDcsFirstLine + 11 * (group - 1) + (row - 1);
                    const auto fields = SplitLine(index < lines.size() ? lines[index] : QString());
                    QString text = fields[static_cast<size_t>(k)];
                    if (k == 1 && !suffix.isEmpty() && !text.isEmpty()) text += suffix;
                    auto* item = new QTableWidgetItem(text);
                    item->setTextAlignment(Qt::AlignCenter);
                    item->setBackground(g.colours[k]);
                    item->setForeground(Qt::black);
                    if (k >= 1) item->setFont(bold);
                    grid.setItem(row, column, item);
                }
            }
        }
        // The layout's widths are minimums: every code stays readable at the current font.
        const QFontMetrics plainMetrics(grid.font());
        const QFontMetrics boldMetrics(bold);
        const int margin = 2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 1;
        for (int column = 1; column < grid.columnCount(); ++column) {
            int width = grid.columnWidth(column);
            if (width == 0) continue; // a column the layout leaves out
            for (int row = 1; row <= g.rows; ++row) {
                const QTableWidgetItem* item = grid.item(row, column);
                const QFontMetrics& metrics = item->font().bold() ? boldMetrics : plainMetrics;
                width = std::max(width, metrics.horizontalAdvance(item->text()) + margin);
            }
            grid.setColumnWidth(column, width);
        }
        for (int row = 1; row <= g.rows; ++row)
            grid.setRowHeight(row, g.rowHeight);
        int width = 4, height = 4;
        for (int c = 1; c < grid.columnCount(); ++c)
            width += grid.columnWidth(c);
        for (int r = 1; r < grid.rowCount(); ++r)
            height += grid.rowHeight(r);
        grid.setMinimumSize(width, height);
        grid.setUpdatesEnabled(true);
    }
}

void TfToneOption::SelectList(int index) {
    if (index < 0 || index > 2) return;
    gbList_->setEnabled(false);
    radios_[index]->setChecked(true);
    for (int i = 0; i < 3; ++i)
        grids_[i]->setVisible(i == index);
    if (index < lbSel_->count()) gbList_->setTitle(lbSel_->item(index)->text());
    gbList_->setEnabled(true);
    grids_[index]->setCurrentCell(1, 2);
}

void TfToneOption::PickCell(int index, int row, int column) {
    if (index < 0 || index > 2) return;
    QTableWidget& grid = *grids_[index];
    const QTableWidgetItem* marker = grid.item(0, column);
    if (row < 1 || !marker || marker->text() != "1") return;
    const QTableWidgetItem* item = grid.item(row, column);
    selectedCode_ = item ? item->text() : QString();
    accept();
}

void TfToneOption::showEvent(QShowEvent* event) {
    selectedCode_.clear();
    LocaliseForm(*this, false);
    SelectList(0);
    if (parentWidget()) {
        const QWidget* owner = parentWidget()->window();
        move(owner->geometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}

// Enter on a grid picks the current cell, as a double-click does.
bool TfToneOption::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            for (int i = 0; i < 3; ++i) {
                if (watched == grids_[i]) {
                    PickCell(i, grids_[i]->currentRow(), grids_[i]->currentColumn());
                    return true;
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zorva
