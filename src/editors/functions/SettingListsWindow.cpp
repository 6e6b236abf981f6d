#include "editors/functions/SettingListsWindow.h"

#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "editors/ChildWindow.h"
#include "editors/functions/FunctionLists.h"
#include "settings/ui/LocaliseForm.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorva {

SettingListsWindow::SettingListsWindow(RadioDocument& document, const char* formName,
                                       const char* titleName, const char* caption,
                                       std::initializer_list<Row> rows, QWidget* parent)
    : QWidget(parent), document_(document) {
    setObjectName(formName);
    setWindowTitle(caption);

    QLabel* title = AddFunctionLabel(*this, titleName, caption);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    auto* grid = new QGridLayout;
    for (const Row& row : rows) {
        QLabel* label = AddFunctionLabel(*this, row.labelName, row.caption);
        QComboBox* list = AddFunctionList(*this, row.name, row.items);
        label->setBuddy(list);
        const int at = static_cast<int>(rows_.size());
        grid->addWidget(label, at, 0);
        grid->addWidget(list, at, 1);
        rows_.push_back({label, list, row.field});
    }

    QPushButton* close = AddCloseButton(*this, "btnCancel");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(ButtonRow({close}));

    for (std::size_t row = 0; row < rows_.size(); ++row)
        connect(rows_[row].list, &QComboBox::currentIndexChanged, this,
                [this, row] { ComborPropertiesChange(row); });
    // The settings (and, for the priority channel, the channels) as they are now, whoever
    // changed them: a window open meanwhile never stores an old value back.
    for (auto changed : {&RadioDocument::settingsChanged, &RadioDocument::imageReplaced})
        connect(&document_, changed, this, [this] { ShowLists(); });
}

void SettingListsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FirstShow(shown_)) FormShow();
}

void SettingListsWindow::FormShow() {
    PlaceChildWindow(*this);
    loading_ = true;
    LocaliseForm(*this, false);
    ShowLists();
    loading_ = false;
}

void SettingListsWindow::ShowLists() {
    const bool wasLoading = loading_;
    loading_ = true;
    FillLists();
    for (const Control& row : rows_)
        ShowFunctionCode(*row.list, ReadField(document_.State(), row.field));
    loading_ = wasLoading;
}

void SettingListsWindow::ComborPropertiesChange(std::size_t row) {
    if (loading_) return;
    const Control& changed = rows_.at(row);
    document_.WriteSetting(windowTitle(), changed.field, changed.list->currentIndex());
}

} // namespace zorva
