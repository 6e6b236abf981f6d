// The shape of the small function windows: a bold title, one row of label and list for each
// settings field, and a Close button. The lists are set from the image when the window is
// first shown and whenever the image changes, and each change is written back into the image
// at once.
#pragma once

#include "codec/OptionCodes.h"

#include <QStringList>
#include <QWidget>
#include <cstddef>
#include <initializer_list>
#include <vector>

class QComboBox;
class QLabel;

namespace zorva {

class RadioDocument;

class SettingListsWindow : public QWidget {
    Q_OBJECT

public:
    // One row: its label's name and caption, its list's name and items, and the field the
    // list's item position is the code of.
    struct Row {
        const char* labelName;
        const char* caption;
        const char* name;
        QStringList items;
        SettingField field;
    };

    // Sets every list from the image.
    void ShowLists();

protected:
    // `formName` is the window's objectName; `caption` is both its title and its caption.
    SettingListsWindow(RadioDocument& document, const char* formName, const char* titleName,
                       const char* caption, std::initializer_list<Row> rows, QWidget* parent);

    RadioDocument& Document() const { return document_; }

    QLabel* RowLabel(std::size_t row) const { return rows_.at(row).label; }
    QComboBox* RowList(std::size_t row) const { return rows_.at(row).list; }
    // Refills the lists whose items follow the image; runs before the lists are set.
    virtual void FillLists() {}

    void showEvent(QShowEvent* event) override;

private:
    struct Control {
        QLabel* label;
        QComboBox* list;
        SettingField field;
    };

    void FormShow();
    // Stores the field of the list that changed, and only that one.
    void ComborPropertiesChange(std::size_t row);

    RadioDocument& document_;
    bool loading_ = false;
    bool shown_ = false;
    std::vector<Control> rows_;
};

} // namespace zorva
