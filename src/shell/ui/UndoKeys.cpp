// Undo and redo in the main window: the items name the step they take, a text field keeps
// Ctrl+Z for its own typing while it has some, and what is being typed is stored first.
#include "document/RadioDocument.h"
#include "shell/ui/MainFrm.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace zorva {

void TfMainFrm::KeepUndoCaptions() {
    for (int command : {cmd::Undo, cmd::Redo}) {
        QAction* action = menuItems_.at(command);
        action->setProperty("caption", action->text());
    }
    UpdateUndoActions();
}

void TfMainFrm::UpdateUndoActions() {
    const QUndoStack& stack = document_->History().Stack();
    const auto show = [this](int command, bool enabled, const QString& step) {
        QAction* action = menuItems_.at(command);
        const QString caption = action->property("caption").toString();
        action->setText(step.isEmpty() ? caption : caption + ' ' + step);
        action->setEnabled(enabled);
    };
    show(cmd::Undo, stack.canUndo(), stack.undoText());
    show(cmd::Redo, stack.canRedo(), stack.redoText());
}

void TfMainFrm::CommitPendingEdits() {
    for (const auto& [command, window] : children_)
        if (window)
            if (auto* editing = dynamic_cast<EditingWindow*>(window->widget()))
                editing->FinishEditing();
    // A field stores what was typed into it when it loses the focus, which then returns.
    QWidget* focused = QApplication::focusWidget();
    if (focused && mdi_->isAncestorOf(focused)) {
        focused->clearFocus();
        focused->setFocus();
    }
}

bool TfMainFrm::TakesUndoKey(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride) return false;
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || !isAncestorOf(edit)) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Undo)) return !edit->isUndoAvailable();
    if (key->matches(QKeySequence::Redo) ||
        menuItems_.at(cmd::Redo)->shortcuts().contains(QKeySequence(key->keyCombination())))
        return !edit->isRedoAvailable();
    return false;
}

} // namespace zorva
