#include "print/SheetContent.h"

#include "codec/ChannelRecord.h"
#include "codec/FmCodec.h"
#include "codec/Numbers.h"
#include "core/TAll.h"
#include "core/TChannel.h"
#include "fields/ChannelColumns.h"
#include "fields/SettingFields.h"
#include "print/PrintTexts.h"
#include "settings/FormTexts.h"

#include <QDateTime>
#include <QRegularExpression>
#include <algorithm>

namespace zorva {

namespace {

constexpr const char* kPartSeparator = " \u2013 ";

// A caption without its mnemonic ("&Beep", "蜂鸣(&B)") or a closing colon.
QString Plain(const std::string& caption) {
    static const QRegularExpression mnemonic(QStringLiteral("\\(&[^&]\\)|&(?=[^&])"));
    QString text = QString::fromStdString(caption);
    text.remove(mnemonic).replace(QStringLiteral("&&"), QStringLiteral("&"));
    text = text.trimmed();
    while (text.endsWith(':') || text.endsWith(QChar(0xFF1A)))
        text.chop(1);
    return text;
}

QString WindowTitle(const FormTexts& texts, const char* form, const char* english) {
    return Plain(texts.Caption(form, english));
}

SheetTable ChannelTable(const TALL& all) {
    const FormTexts texts(all, kChannelTableSection);
    const ChannelWording wording = ChannelColumnWording(texts);
    SheetTable table;
    table.title = WindowTitle(texts, kChannelTableSection, "Channel Information");
    table.empty = PrintTextOf(all, kNoChannels);
    // A caption's line break is a blank on a one-line header.
    const auto header = [](const std::string& caption) {
        return QString::fromStdString(caption).replace('|', ' ');
    };
    table.headers.append(header(wording.numberCaption));
    for (const ColumnWording& column : wording.columns)
        table.headers.append(header(column.caption));
    // The channels the table window has rows for.
    const int channels = std::min(all.ChannelCount, kMemoryChannels);
    for (int channel = 1; channel <= channels; ++channel) {
        TChannel c;
        if (!LoadChannel(all, channel, c)) continue;
        QStringList cells{QString::number(channel)};
        for (std::size_t column = 0; column < wording.columns.size(); ++column)
            cells.append(QString::fromStdString(ChannelCellText(c, column, wording)));
        table.rows.append(cells);
    }
    return table;
}

// The FM stations in use, titled by the FM window's page of them.
SheetTable FmStations(const TALL& all, const FormTexts& texts, const QString& windowTitle) {
    SheetTable table;
    table.title =
        windowTitle + kPartSeparator + Plain(texts.Caption("cxChannel", "Memory Channel"));
    table.headers = {Plain(texts.Caption("LNo", "No.")),
                     Plain(texts.Caption("LFreq", "Frequency[MHz]"))};
    for (int slot = 1; slot <= kFmChannels; ++slot) {
        const double mhz = ReadFmChannel(all, slot);
        if (mhz >= 0)
            table.rows.append({QString::number(slot), QString::fromStdString(FormatFreq(mhz))});
    }
    return table;
}

SheetList ListOf(const SettingSection& section, const TALL& all, const FormTexts& texts,
                 const QString& windowTitle) {
    SheetList list{windowTitle, {}};
    if (section.part)
        list.title += kPartSeparator + Plain(texts.Caption(section.part, section.partCaption));
    for (const SettingRow& row : section.rows)
        if (!row.shown || row.shown(all))
            list.rows.append({Plain(texts.Caption(row.name, row.caption)),
                              QString::fromStdString(row.value(all, texts))});
    return list;
}

} // namespace

SheetContent GatherSheet(const TALL& state, const std::string& fileName) {
    SheetContent sheet;
    sheet.product = QString::fromStdString(state.ProductName);
    sheet.model = QString::fromStdString(state.ModelName);
    sheet.bands = QString::fromStdString(state.BandSummary);
    sheet.file =
        fileName.empty() ? PrintTextOf(state, kNotSaved) : QString::fromLocal8Bit(fileName);
    sheet.date = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    sheet.pageFormat = PrintTextOf(state, kPageFormat);

    sheet.channels = ChannelTable(state);
    for (const SettingSection& section : SettingSections()) {
        const FormTexts texts(state, section.form);
        const QString title = WindowTitle(texts, section.form, section.title);
        if (std::string_view(section.form) == "fFmFun")
            sheet.parts.emplace_back(FmStations(state, texts, title));
        sheet.parts.emplace_back(ListOf(section, state, texts, title));
    }
    return sheet;
}

} // namespace zorva
