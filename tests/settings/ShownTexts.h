// Every text a window shows, for comparing a window before and after localisation.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>
#include <QWidget>
#include <string>
#include <vector>

namespace zorva::test {

// "name: text" lines of the window's caption and of every named control; controls hidden
// on purpose (carriers of texts, hidden lists) are left out when `visibleOnly`.
inline std::vector<std::string> FormTexts(const QWidget& form, bool visibleOnly = false) {
    std::vector<std::string> texts{"caption: " + form.windowTitle().toStdString()};
    for (const QObject* object : form.findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (name.isEmpty()) continue;
        const auto* widget = qobject_cast<const QWidget*>(object);
        if (visibleOnly && widget && widget->isHidden()) continue;
        const auto add = [&](const QString& text) {
            texts.push_back((name + ": " + text).toStdString());
        };
        if (const auto* action = qobject_cast<const QAction*>(object)) {
            add(action->text());
            add(action->statusTip());
            add(action->toolTip());
        } else if (const auto* label = qobject_cast<const QLabel*>(object)) {
            add(label->text());
        } else if (const auto* menu = qobject_cast<const QMenu*>(object)) {
            add(menu->title());
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(object)) {
            add(button->text());
            add(button->toolTip());
        } else if (const auto* group = qobject_cast<const QGroupBox*>(object)) {
            add(group->title());
        } else if (const auto* combo = qobject_cast<const QComboBox*>(object)) {
            for (int i = 0; i < combo->count(); ++i)
                add(combo->itemText(i));
            add(QString::number(combo->currentIndex()));
        } else if (const auto* list = qobject_cast<const QListWidget*>(object)) {
            for (int i = 0; i < list->count(); ++i)
                add(list->item(i)->text());
        } else if (const auto* table = qobject_cast<const QTableWidget*>(object)) {
            for (int r = 0; r < table->rowCount(); ++r)
                for (int c = 0; c < table->columnCount(); ++c)
                    add(table->item(r, c) ? table->item(r, c)->text() : QString());
        } else if (const auto* tabs = qobject_cast<const QTabWidget*>(object)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs->tabText(i));
        }
    }
    return texts;
}

} // namespace zorva::test
