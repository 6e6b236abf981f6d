#include "editors/CellDelegate.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace zorva {

namespace {

bool IsEditKey(int key) {
    return key == Qt::Key_Backspace || key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Keys that move the caret: not text, so they cannot put a refused character in a cell.
bool IsCaretKey(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home ||
           key == Qt::Key_End || key == Qt::Key_Delete;
}

bool IsSign(const QString& typed) {
    return typed == QLatin1String("+") || typed == QLatin1String("-");
}

// The in-cell line editor: drops every key its field does not accept.
class CellLine : public QLineEdit {
public:
    CellLine(const CellEditor& setup, QWidget* parent) : QLineEdit(parent), setup_(setup) {
        if (setup.maxLength > 0) setMaxLength(setup.maxLength);
        setFrame(false);
        setAlignment(setup.alignment);
        setContextMenuPolicy(Qt::NoContextMenu); // no paste around the key filter
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (IsEditKey(key) || IsCaretKey(key)) {
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                setProperty("fill", bool(event->modifiers() & Qt::ControlModifier));
            QLineEdit::keyPressEvent(event);
            // Enter ends the edit (the delegate commits); it must not reach the grid, which
            // would take it for a request to edit the cell again.
            event->accept();
            return;
        }
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && setup_.arrowsMove) {
            // The grid moves on to the next row, storing what was typed.
            event->ignore();
            return;
        }
        // A paste is filtered as typing is, up to the first line break (rows copied from
        // the table paste only their first line's characters the field takes).
        if (event->matches(QKeySequence::Paste)) {
            const QString pasted = QApplication::clipboard()->text().section('\n', 0, 0);
            QString accepted;
            for (const QChar c : pasted)
                accepted += Accepted(c);
            if (!accepted.isEmpty()) insert(accepted);
            event->accept();
            return;
        }
        if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
            event->matches(QKeySequence::SelectAll)) {
            QLineEdit::keyPressEvent(event);
            event->accept();
            return;
        }
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            event->accept();
            return;
        }
        const QString typed = event->text();
        const QString text = typed.size() == 1 ? Accepted(typed[0]) : QString();
        if (!text.isEmpty()) {
            insert(text);
        } else if (setup_.signedOffset && IsSign(typed)) {
            // A value typed with a sign is an offset; the sign can only lead.
            const int start = hasSelectedText() ? selectionStart() : cursorPosition();
            const QString rest = hasSelectedText() ? this->text().mid(selectionEnd())
                                                   : this->text().mid(cursorPosition());
            if (start == 0 && !IsSign(rest.left(1))) insert(typed);
        }
        event->accept();
    }

private:
    QString Accepted(QChar c) const {
        const char32_t accepted = AcceptedChar(setup_.chars, c.unicode());
        return accepted ? QString(QChar(static_cast<char16_t>(accepted))) : QString();
    }

    CellEditor setup_;
};

} // namespace

CellDelegate::CellDelegate(QString lineName, EditorOf editorOf, CommitLine commit, QObject* parent)
    : QStyledItemDelegate(parent), lineName_(std::move(lineName)), editorOf_(std::move(editorOf)),
      commit_(std::move(commit)) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex& index) const {
    const CellEditor setup = editorOf_(index);
    switch (setup.kind) {
    case CellEditor::Kind::Line: {
        auto* line = new CellLine(setup, parent);
        line->setObjectName(lineName_);
        line_ = line;
        return line;
    }
    case CellEditor::Kind::List:
        if (!setup.list) return nullptr;
        setup.list->setParent(parent);
        return setup.list;
    case CellEditor::Kind::None:
        break;
    }
    return nullptr;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        const QSignalBlocker quiet(list);
        if (list->isEditable()) {
            list->setEditText(index.data(Qt::DisplayRole).toString());
            // Typing replaces the value shown, as it replaces the text of a frequency cell.
            list->lineEdit()->selectAll();
        } else {
            const int value = index.data(kCellChoiceRole).toInt();
            list->setCurrentIndex(value >= 0 && value < list->count() ? value : 0);
        }
        return;
    }
    auto* line = static_cast<QLineEdit*>(editor);
    line->setText(index.data(Qt::DisplayRole).toString());
    line->selectAll();
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                const QModelIndex& index) const {
    // A list stores its choice as it is made (the window's rule), not when it closes.
    if (qobject_cast<QComboBox*>(editor)) return;
    const QString text = static_cast<QLineEdit*>(editor)->text();
    const bool fill = editor->property("fill").toBool();
    // A message box shown while committing takes the focus from the editor, which would
    // commit the same text a second time; leaving a cell unchanged is no edit (unless it is
    // to fill the selection with it).
    if (committing_ || (text == index.data(Qt::DisplayRole).toString() && !fill)) return;
    committing_ = true;
    commit_(index, text, fill);
    committing_ = false;
}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex&) const {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        list->setGeometry(option.rect.left() + 2, option.rect.top() + 2, option.rect.width(),
                          list->sizeHint().height());
        return;
    }
    editor->setGeometry(option.rect);
}

void CellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        // The window's list serves the next cell.
        list->hidePopup();
        list->hide();
        return;
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

QLineEdit* CellDelegate::Line() const {
    return line_ && line_->isVisible() ? line_.data() : nullptr;
}

void CellDelegate::Finish() {
    // An editor already closed waits for its deletion; the view no longer knows it.
    QLineEdit* line = Line();
    if (!line) return;
    line_ = nullptr;
    emit commitData(line);
    emit closeEditor(line, QAbstractItemDelegate::NoHint);
}

bool CellDelegate::eventFilter(QObject* watched, QEvent* event) {
    // The lists' keys and focus are the window's rules.
    if (qobject_cast<QComboBox*>(watched)) return false;
    return QStyledItemDelegate::eventFilter(watched, event);
}

} // namespace zorva
