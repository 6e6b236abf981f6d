#include "print/SheetPainter.h"

#include "print/SheetContent.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <variant>
#include <vector>

namespace zorva {

namespace {

constexpr double kBasePoints = 8.5;
constexpr double kSmallestTablePoints = 5.0;
constexpr double kRowSpacing = 1.35; // line height over the font's height
constexpr double kCellPadding = 0.6; // of an "M" each side of a cell

enum class Style { Normal, Bold, Title, Table, TableBold };

struct Op {
    QRectF rect;
    QString text;
    Style style = Style::Normal;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool rule = false; // a line under the rectangle instead of text
};
using Page = std::vector<Op>;

class Layout {
public:
    Layout(QPagedPaintDevice& device, const QRectF& area, double tablePoints)
        : device_(device), area_(area), tablePoints_(tablePoints) {
        NewPage();
    }

    QFont Font(Style style) const {
        QFont font;
        const bool table = style == Style::Table || style == Style::TableBold;
        font.setPointSizeF(style == Style::Title ? kBasePoints + 2
                           : table               ? tablePoints_
                                                 : kBasePoints);
        font.setBold(style != Style::Normal && style != Style::Table);
        return font;
    }
    QFontMetricsF Metrics(Style style) const { return QFontMetricsF(Font(style), &device_); }
    double LineHeight(Style style) const { return Metrics(style).height() * kRowSpacing; }

    void NewPage() {
        pages_.emplace_back();
        y_ = area_.top();
    }
    // Starts a new page unless `height` fits on this one; true when it did.
    bool MakeRoom(double height) {
        if (y_ + height <= area_.bottom() || y_ == area_.top()) return false;
        NewPage();
        return true;
    }
    void Gap(double height) {
        if (y_ != area_.top()) y_ += height;
    }
    void Line(const QString& text, Style style) {
        const double height = LineHeight(style);
        MakeRoom(height);
        Add({QRectF(area_.left(), y_, area_.width(), height), text, style});
        y_ += height;
    }

    void Table(const SheetTable& table) {
        if (table.rows.isEmpty() && table.empty.isEmpty()) return;
        const double row = LineHeight(Style::Table);
        Gap(row);
        MakeRoom(LineHeight(Style::Title) + 2 * row);
        Line(table.title, Style::Title);
        if (table.rows.isEmpty()) {
            Line(table.empty, Style::Normal);
            return;
        }
        const std::vector<double> widths = ColumnWidths(table);
        const auto header = [&] {
            Cells(table.headers, widths, Style::TableBold, row);
            Add({QRectF(area_.left(), y_ - 1, area_.width(), 0), {}, Style::Normal, {}, true});
        };
        header();
        for (const QStringList& cells : table.rows) {
            if (MakeRoom(row)) header();
            Cells(cells, widths, Style::Table, row);
        }
    }

    void List(const SheetList& list) {
        if (list.rows.isEmpty()) return;
        const double row = LineHeight(Style::Normal);
        Gap(row);
        MakeRoom(LineHeight(Style::Title) + 2 * row);
        Line(list.title, Style::Title);
        const QFontMetricsF metrics = Metrics(Style::Normal);
        double labels = 0;
        for (const auto& [label, value] : list.rows)
            labels = std::max(labels, metrics.horizontalAdvance(label));
        labels =
            std::min(labels + metrics.horizontalAdvance(QStringLiteral("MM")), area_.width() * 0.6);
        for (const auto& [label, value] : list.rows) {
            MakeRoom(row);
            Add({QRectF(area_.left(), y_, labels, row), label});
            Add({QRectF(area_.left() + labels, y_, area_.width() - labels, row), value});
            y_ += row;
        }
    }

    std::vector<Page>& Pages() { return pages_; }

    // The font size at which the table's columns fit the page's width.
    static double TablePoints(QPagedPaintDevice& device, const SheetTable& table, double width) {
        for (double points = kBasePoints; points > kSmallestTablePoints; points -= 0.5) {
            Layout probe(device, QRectF(0, 0, width, 1), points);
            const std::vector<double> widths = probe.ColumnWidths(table);
            double total = 0;
            for (double w : widths)
                total += w;
            if (total <= width) return points;
        }
        return kSmallestTablePoints;
    }

private:
    std::vector<double> ColumnWidths(const SheetTable& table) const {
        const QFontMetricsF plain = Metrics(Style::Table);
        const QFontMetricsF bold = Metrics(Style::TableBold);
        const double padding = 2 * kCellPadding * plain.horizontalAdvance(QChar('M'));
        std::vector<double> widths;
        for (const QString& header : table.headers)
            widths.push_back(bold.horizontalAdvance(header) + padding);
        for (const QStringList& cells : table.rows)
            for (int i = 0; i < cells.size() && i < static_cast<int>(widths.size()); ++i)
                widths[i] = std::max(widths[i], plain.horizontalAdvance(cells[i]) + padding);
        return widths;
    }
    void Cells(const QStringList& cells, const std::vector<double>& widths, Style style,
               double height) {
        double x = area_.left();
        for (int i = 0; i < cells.size() && i < static_cast<int>(widths.size()); ++i) {
            Add({QRectF(x, y_, widths[i], height), cells[i], style, Qt::AlignCenter});
            x += widths[i];
        }
        y_ += height;
    }
    void Add(Op op) { pages_.back().push_back(std::move(op)); }

    QPagedPaintDevice& device_;
    QRectF area_;
    double tablePoints_;
    std::vector<Page> pages_;
    double y_ = 0;
};

void PaintOp(QPainter& painter, const Layout& layout, const Op& op) {
    if (op.rule) {
        painter.drawLine(op.rect.bottomLeft(), op.rect.bottomRight());
        return;
    }
    painter.setFont(layout.Font(op.style));
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(op.rect, static_cast<int>(op.align),
                     metrics.elidedText(op.text, Qt::ElideRight, op.rect.width()));
}

} // namespace

bool NeedsLandscape(const SheetContent& sheet, QPagedPaintDevice& device) {
    // Without a channel the table is one line of text.
    if (sheet.channels.rows.isEmpty()) return false;
    QPageLayout portrait = device.pageLayout();
    portrait.setOrientation(QPageLayout::Portrait);
    const double width = portrait.paintRectPixels(device.logicalDpiX()).width();
    return Layout::TablePoints(device, sheet.channels, width) < kBasePoints;
}

void ChooseOrientation(const SheetContent& sheet, QPagedPaintDevice& device) {
    device.setPageOrientation(NeedsLandscape(sheet, device) ? QPageLayout::Landscape
                                                            : QPageLayout::Portrait);
}

int PaintSheet(const SheetContent& sheet, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    const QRectF page(0, 0, device.width(), device.height());

    // The header: the radio, then the file, the date and the page.
    Layout probe(device, page, kBasePoints);
    const double headerLine = probe.LineHeight(Style::Normal);
    const double headerHeight = 2 * headerLine + headerLine * 0.8;
    const QRectF area = page.adjusted(0, headerHeight, 0, 0);

    Layout layout(device, area, Layout::TablePoints(device, sheet.channels, area.width()));
    layout.Table(sheet.channels);
    for (const auto& part : sheet.parts) {
        if (const auto* table = std::get_if<SheetTable>(&part)) layout.Table(*table);
        if (const auto* list = std::get_if<SheetList>(&part)) layout.List(*list);
    }

    const std::vector<Page>& pages = layout.Pages();
    const int count = static_cast<int>(pages.size());
    // A model named as its product is named once.
    QStringList radio{sheet.product};
    for (const QString& part : {sheet.model, sheet.bands})
        if (!part.isEmpty() && !radio.contains(part)) radio.append(part);
    for (int i = 0; i < count; ++i) {
        if (i > 0) device.newPage();
        PaintOp(painter, layout,
                {QRectF(0, 0, page.width(), headerLine), radio.join(QStringLiteral("  \u00b7  ")),
                 Style::Bold});
        const double w = page.width();
        PaintOp(painter, layout, {QRectF(0, headerLine, w * 0.55, headerLine), sheet.file});
        PaintOp(painter, layout, {QRectF(w * 0.58, headerLine, w * 0.22, headerLine), sheet.date});
        PaintOp(painter, layout,
                {QRectF(w * 0.8, headerLine, w * 0.2, headerLine),
                 sheet.pageFormat.arg(i + 1).arg(count), Style::Normal,
                 Qt::AlignRight | Qt::AlignVCenter});
        painter.drawLine(QPointF(0, 2 * headerLine + 2), QPointF(page.width(), 2 * headerLine + 2));
        for (const Op& op : pages[i])
            PaintOp(painter, layout, op);
    }
    painter.end();
    return count;
}

} // namespace zorva
