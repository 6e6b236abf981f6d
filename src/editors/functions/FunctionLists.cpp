#include "editors/functions/FunctionLists.h"

#include <QComboBox>
#include <QLabel>

namespace zorva {

QComboBox* AddFunctionList(QWidget& form, const char* name, const QStringList& items) {
    auto* list = new QComboBox(&form);
    list->setObjectName(name);
    list->addItems(items);
    list->setMaxVisibleItems(20);
    return list;
}

QLabel* AddFunctionLabel(QWidget& form, const char* name, const char* caption) {
    auto* label = new QLabel(caption, &form);
    label->setObjectName(name);
    return label;
}

void ShowFunctionCode(QComboBox& list, int code) {
    list.setCurrentIndex(code >= 0 && code < list.count() ? code : -1);
}

QStringList NumberItems(int first, int last, int step, const QString& unit) {
    QStringList items;
    for (int n = first; n <= last; n += step)
        items << QString::number(n) + unit;
    return items;
}

} // namespace zorva
