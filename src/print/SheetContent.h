// What the printed configuration sheet shows. The texts are taken from the editor windows
// themselves, made offscreen for the purpose, so the sheet reads as the windows do in the
// current language and there is no second description of the radio's settings.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <string>

namespace zorva {

class TALL;

struct SheetTable {
    QString title;
    QStringList headers;
    QList<QStringList> rows;
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
    QString noChannels; // the channel table's line when no channel is in use

    SheetTable channels;
    SheetTable fmChannels;
    QList<SheetList> lists;
};

// The sheet of the image `state` holds, in the current language. `fileName` is the image's
// file, empty when it has none. Needs a QApplication; shows nothing on the screen.
SheetContent GatherSheet(const TALL& state, const std::string& fileName);

} // namespace zorva
