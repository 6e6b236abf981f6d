#include "print/SheetContent.h"

#include "codec/ChannelRecord.h"
#include "codec/FmCodec.h"
#include "core/Maindb.h"
#include "core/TAll.h"
#include "document/RadioDocument.h"
#include "editors/ImageText.h"
#include "editors/channels/ChsInfo.h"
#include "editors/channels/FreqEdit.h"
#include "editors/functions/DtmfFun.h"
#include "editors/functions/FmFun.h"
#include "editors/functions/OptFun.h"
#include "editors/functions/ScanFun.h"
#include "editors/functions/VoxFun.h"
#include "print/PrintTexts.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTableWidget>
#include <memory>

namespace zorva {

namespace {

// A caption without its mnemonic ("&Beep", "蜂鸣(&B)") or a closing colon.
QString Plain(QString text) {
    static const QRegularExpression mnemonic(QStringLiteral("\\(&[^&]\\)|&(?=[^&])"));
    text.remove(mnemonic).replace(QStringLiteral("&&"), QStringLiteral("&"));
    text = text.trimmed();
    while (text.endsWith(':') || text.endsWith(QChar(0xFF1A)))
        text.chop(1);
    return text;
}

QString ValueOf(const QWidget& control) {
    if (const auto* list = qobject_cast<const QComboBox*>(&control)) return list->currentText();
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) return edit->text();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(&control)) return spin->text();
    if (const auto* label = qobject_cast<const QLabel*>(&control)) return label->text();
    // A group of controls under one label (a range): the values of those in use.
    QStringList parts;
    for (const QWidget* part : control.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (part->isEnabled() && part->isVisibleTo(&control))
            if (const QString value = ValueOf(*part); !value.isEmpty()) parts.append(value);
    return parts.join(QStringLiteral(" \u2013 "));
}

// A window made for reading only: loaded as when it is shown, never on the screen.
template <typename Window>
std::unique_ptr<Window> Made(RadioDocument& document) {
    auto window = std::make_unique<Window>(document);
    window->setAttribute(Qt::WA_DontShowOnScreen);
    window->show();
    return window;
}

// The labelled controls and the check boxes of `page` that it shows, in the order they were
// made (which is the windows' reading order), each control once.
void AddRows(const QWidget& page, QList<QPair<QString, QString>>& rows,
             QSet<const QWidget*>& taken) {
    for (const QWidget* widget : page.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&page)) continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            const QWidget* control = label->buddy();
            if (!control || taken.contains(control) || !control->isVisibleTo(&page)) continue;
            taken.insert(control);
            rows.append({Plain(label->text()), ValueOf(*control)});
        } else if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
            if (taken.contains(box)) continue;
            taken.insert(box);
            rows.append({Plain(box->text()),
                         box->isChecked() ? QStringLiteral("\u2611") : QStringLiteral("\u2610")});
        }
    }
}

// What a window shows, page by page of its tabs.
SheetList ListOf(const QWidget& window, const QString& title) {
    SheetList list{title, {}};
    QSet<const QWidget*> taken;
    AddRows(window, list.rows, taken);
    for (const QTabWidget* tabs : window.findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->isTabVisible(i)) AddRows(*tabs->widget(i), list.rows, taken);
    return list;
}

SheetTable ChannelTable(RadioDocument& document) {
    auto window = Made<TfChsInfo>(document);
    const QTableWidget& grid = *window->Grid();
    SheetTable table{Plain(window->windowTitle()), {}, {}};
    QList<int> columns;
    for (int column = 0; column < grid.columnCount(); ++column) {
        if (grid.isColumnHidden(column)) continue;
        columns.append(column);
        const QTableWidgetItem* header = grid.horizontalHeaderItem(column);
        table.headers.append(header ? header->text() : QString());
    }
    for (int channel = 1; channel <= kMemoryChannels; ++channel) {
        TChannel c;
        if (!LoadChannel(document.State(), channel, c)) continue;
        QStringList cells;
        for (int column : columns) {
            const QTableWidgetItem* item = grid.item(channel + 1, column);
            cells.append(item ? item->text() : QString());
        }
        table.rows.append(cells);
    }
    return table;
}

void AddVfoLists(SheetContent& sheet, RadioDocument& document) {
    auto window = Made<TfFreqEdit>(document);
    for (const char* record : {"cxDown", "cxUps"}) {
        auto* choice = window->findChild<QRadioButton*>(record);
        if (!choice) continue;
        choice->setChecked(true);
        SheetList list =
            ListOf(*window, Plain(window->windowTitle()) + " \u2013 " + Plain(choice->text()));
        sheet.lists.append(list);
    }
}

void AddFm(SheetContent& sheet, RadioDocument& document) {
    auto window = Made<TfFmFun>(document);
    const auto text = [&](const char* name) {
        const auto* label = window->findChild<QLabel*>(name);
        return label ? Plain(label->text()) : QString();
    };
    sheet.fmChannels.title = Plain(window->windowTitle());
    sheet.fmChannels.headers = {text("LNo"), text("LFreq")};
    for (int slot = 1; slot <= kFmChannels; ++slot) {
        const double mhz = ReadFmChannel(document.State(), slot);
        if (mhz >= 0) sheet.fmChannels.rows.append({QString::number(slot), FormatFreqText(mhz)});
    }
    sheet.lists.append(ListOf(*window, Plain(window->windowTitle())));
}

template <typename Window>
void AddList(SheetContent& sheet, RadioDocument& document) {
    auto window = Made<Window>(document);
    sheet.lists.append(ListOf(*window, Plain(window->windowTitle())));
}

} // namespace

SheetContent GatherSheet(const TALL& state, const std::string& fileName) {
    // The windows are made on a document of their own, over a copy of the state.
    TALL all = state;
    RadioDocument document(all, MacList());

    const TfPrintTexts texts;
    SheetContent sheet;
    sheet.product = QString::fromStdString(all.ProductName);
    sheet.model = QString::fromStdString(all.ModelName);
    sheet.bands = QString::fromStdString(all.BandSummary);
    sheet.file = fileName.empty() ? texts.NotSaved() : QString::fromLocal8Bit(fileName);
    sheet.date = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    sheet.pageFormat = texts.PageFormat();
    sheet.noChannels = texts.NoChannels();

    sheet.channels = ChannelTable(document);
    AddVfoLists(sheet, document);
    AddFm(sheet, document);
    AddList<TfDtmfFun>(sheet, document);
    AddList<TfOptFun>(sheet, document);
    AddList<TfVoxFun>(sheet, document);
    AddList<TfScanFun>(sheet, document);
    return sheet;
}

} // namespace zorva
