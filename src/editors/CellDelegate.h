// The cell editors of the program's grids (the channel table, the FM stations): a line
// editor that takes only the characters its field accepts, or a list shown over the cell.
// The lists belong to the grid's window and outlive an edit, so that one list serves every
// row; the delegate shows and hides them.
#pragma once

#include "codec/FieldRules.h"

#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>

class QComboBox;
class QLineEdit;

namespace zorva {

// A list cell's stored value (an int): the item the list shows.
inline constexpr int kCellChoiceRole = Qt::UserRole;

struct CellEditor {
    enum class Kind { None, Line, List };
    Kind kind = Kind::None;
    CharSet chars = CharSet::Digits; // of a line
    int maxLength = 0;               // of a line; 0 for no limit
    bool signedOffset = false;       // a line may start with "+" or "-"
    bool arrowsMove = false;         // Up and Down leave a line for the next row
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QComboBox* list = nullptr; // of a list
};

class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using EditorOf = std::function<CellEditor(const QModelIndex&)>;
    // Hands a line's typed text to the grid's commit rule (only when it differs from the
    // cell's text); `fill` when the edit ended with Ctrl+Enter, which fills a selection.
    using CommitLine = std::function<void(const QModelIndex&, const QString&, bool fill)>;

    CellDelegate(QString lineName, EditorOf editorOf, CommitLine commit, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

    // The line editor open now, or null.
    QLineEdit* Line() const;
    // Commits and closes the open line editor.
    void Finish();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString lineName_;
    EditorOf editorOf_;
    CommitLine commit_;
    mutable QPointer<QLineEdit> line_;
    mutable bool committing_ = false;
};

} // namespace zorva
