// Pieces the function windows share: their labels and lists, and how a list shows a stored
// code.
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QWidget;

namespace zorva {

QComboBox* AddFunctionList(QWidget& form, const char* name, const QStringList& items);
QLabel* AddFunctionLabel(QWidget& form, const char* name, const char* caption);
// Selects the item of a stored code; a code without an item selects nothing, so that a store
// leaves that field as it found it.
void ShowFunctionCode(QComboBox& list, int code);
// The items "first", "first + step" ... up to "last", each followed by `unit`.
QStringList NumberItems(int first, int last, int step = 1, const QString& unit = QString());

} // namespace zorva
