#include "settings/ui/LocaliseForm.h"

#include "core/Maindb.h"
#include "core/SafeFile.h"
#include "settings/IniFile.h"
#include "settings/Language.h"
#include "settings/TextEncoding.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <string>

namespace zorva {

namespace {

// Reads the keys of one window's section; a missing key gives the current text back.
class SectionTexts {
public:
    SectionTexts(const IniFile& ini, std::string section)
        : ini_(ini), section_(std::move(section)) {}

    QString Text(const QString& name, const char* suffix, const QString& current) const {
        return Text(name.toStdString() + suffix, current);
    }
    QString Item(const QString& name, int index, const QString& current) const {
        return Text(name.toStdString() + "." + std::to_string(index), current);
    }
    // Whether the key exists: a hint is only replaced when the file gives one, because a
    // control's current hint may come from elsewhere (an action's tool tip defaults to its
    // caption).
    bool Has(const QString& name, const char* suffix) const {
        return ini_.HasKey(section_, name.toStdString() + suffix);
    }

private:
    QString Text(const std::string& key, const QString& current) const {
        if (!ini_.HasKey(section_, key)) return current;
        return QString::fromStdString(ini_.Read(section_, key, current.toStdString()));
    }

    const IniFile& ini_;
    std::string section_;
};

int TagOf(const QObject& object) {
    return object.property("tag").toInt();
}

void LocaliseHint(const SectionTexts& texts, const QString& name, QAction& action) {
    if (!texts.Has(name, ".Hint")) return;
    const QString hint = texts.Text(name, ".Hint", action.statusTip());
    action.setStatusTip(hint);
    action.setToolTip(hint);
}

void LocaliseCombo(const SectionTexts& texts, const QString& name, QComboBox& combo) {
    const int tag = TagOf(combo);
    if (tag == kTagNeverLocalised) return;
    // Programmatic text changes are not the user's choice: the window must not react.
    const QSignalBlocker blocker(combo);
    const int selected = combo.currentIndex();
    const int count = tag == kTagFirstItemOnly ? std::min(1, combo.count()) : combo.count();
    for (int i = 0; i < count; ++i)
        combo.setItemText(i, texts.Item(name, i, combo.itemText(i)));
    combo.setCurrentIndex(selected);
}

void LocaliseList(const SectionTexts& texts, const QString& name, QListWidget& list) {
    if (TagOf(list) == kTagNeverLocalised) return;
    const QSignalBlocker blocker(list);
    for (int i = 0; i < list.count(); ++i) {
        QListWidgetItem* item = list.item(i);
        item->setText(texts.Item(name, i, item->text()));
    }
}

// The tab widget whose page `widget` is, or null.
QTabWidget* TabPageOwner(QWidget& widget) {
    QWidget* stack = widget.parentWidget();
    if (!qobject_cast<QStackedWidget*>(stack)) return nullptr;
    auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
    return tabs && tabs->indexOf(&widget) >= 0 ? tabs : nullptr;
}

// Localises one control by its kind; anything not listed is left alone.
void LocaliseControl(const SectionTexts& texts, QObject& object) {
    const QString name = object.objectName();
    if (name.isEmpty()) return;

    if (auto* action = qobject_cast<QAction*>(&object)) {
        action->setText(texts.Text(name, ".Caption", action->text()));
        LocaliseHint(texts, name, *action);
        return;
    }
    auto* widget = qobject_cast<QWidget*>(&object);
    if (!widget) return;

    if (auto* label = qobject_cast<QLabel*>(widget)) {
        // A label showing a picture is an image, not a text.
        if (label->pixmap().isNull()) label->setText(texts.Text(name, ".Caption", label->text()));
    } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
        menu->setTitle(texts.Text(name, ".Caption", menu->title()));
    } else if (qobject_cast<QTableView*>(widget)) {
        // Grids keep their texts: they show data.
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        LocaliseCombo(texts, name, *combo);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        LocaliseList(texts, name, *list);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(texts.Text(name, ".Caption", group->title()));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(texts.Text(name, ".Caption", button->text()));
        if (qobject_cast<QToolButton*>(button) && texts.Has(name, ".Hint")) {
            const QString hint = texts.Text(name, ".Hint", button->toolTip());
            button->setToolTip(hint);
            button->setStatusTip(hint);
        }
    } else if (QTabWidget* tabs = TabPageOwner(*widget)) {
        const int index = tabs->indexOf(widget);
        tabs->setTabText(index, texts.Text(name, ".Caption", tabs->tabText(index)));
    }
}

// Children in creation order, depth first. Windows of their own (dialogs parented to the
// form, child windows of a multi-document area) have sections of their own and are left
// to their own show handlers; menus are popups but belong to the form.
void LocaliseChildren(const SectionTexts& texts, QObject& parent) {
    for (QObject* child : parent.children()) {
        LocaliseControl(texts, *child);
        if (auto* widget = qobject_cast<QWidget*>(child)) {
            if (qobject_cast<QMdiSubWindow*>(widget)) continue;
            if (widget->isWindow() && !qobject_cast<QMenu*>(widget)) continue;
        }
        LocaliseChildren(texts, *child);
    }
}

} // namespace

void LocaliseForm(QWidget& form, bool force) {
    if (!force && All().LanguageId == 0) return;

    // Read afresh each time: windows are shown seldom, and a translator sees an edited file
    // at the next showing without restarting.
    std::string content;
    if (!ReadFileContents(LanguageFilePath(All().ExeDir, All().LanguageName), content)) return;
    IniFile ini;
    ini.Parse(ToUtf8(content));

    const SectionTexts texts(ini, form.objectName().toStdString());
    form.setWindowTitle(texts.Text(form.objectName(), ".Caption", form.windowTitle()));
    LocaliseChildren(texts, form);
}

} // namespace zorva
