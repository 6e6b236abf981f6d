// What the printed configuration sheet shows, in the language in use: the channel table and
// the settings every window shows, worded as the windows word them (their sections of the
// language file), taken from the catalogues of channel columns and settings.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <string>
#include <variant>
#include <vector>

namespace zorva {

class TALL;

struct SheetTable {
    QString title;
    QStringList headers;
    QList<QStringList> rows;
    QString empty; // the line printed when there is no row; without one the table is left out
};

// "label: value" rows of one window (or one part of it).
struct SheetList {
    QString title;
    QList<QPair<QString, QString>> rows;
};

struct SheetContent {
    // The header of every page.
    QString product;
    QString model;
    QString bands;
    QString file;       // the image's file, or the "not saved" text
    QString date;       // when the sheet was made
    QString pageFormat; // "Page %1 / %2"

    SheetTable channels;
    // After the channels, in this order.
    std::vector<std::variant<SheetTable, SheetList>> parts;
};

// The sheet of the image `state` holds, in its language. `fileName` is the image's file,
// empty when it has none. Makes no window.
SheetContent GatherSheet(const TALL& state, const std::string& fileName);

} // namespace zorva
