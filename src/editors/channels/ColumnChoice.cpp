#include "editors/channels/ColumnChoice.h"

#include "core/TAll.h"
#include "editors/ChildWindow.h"
#include "fields/ChannelColumns.h"
#include "settings/FormTexts.h"
#include "settings/ui/LocaliseForm.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace zorva {

TfColumns::TfColumns(const TALL& all, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fColumns"));
    setWindowTitle(QStringLiteral("Columns"));
    auto* label = new QLabel(QStringLiteral("Columns &shown:"), this);
    label->setObjectName(QStringLiteral("lColumns"));
    lbColumns_ = new QListWidget(this);
    lbColumns_->setObjectName(QStringLiteral("lbColumns"));
    // The items are the table's captions, worded by the table's own section.
    lbColumns_->setProperty("tag", kTagNeverLocalised);
    label->setBuddy(lbColumns_);
    const ChannelWording wording = ChannelColumnWording(FormTexts(all, kChannelTableSection));
    const auto columns = ChannelColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        QString caption = QString::fromStdString(wording.columns[i].caption);
        caption.replace('|', ' ');
        auto* item = new QListWidgetItem(caption, lbColumns_);
        item->setData(Qt::UserRole, columns[i].field);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        const bool hidden =
            std::ranges::find(all.HiddenFields, columns[i].field) != all.HiddenFields.end();
        item->setCheckState(hidden ? Qt::Unchecked : Qt::Checked);
    }
    lbColumns_->setCurrentRow(0);

    btnOk_ = new QPushButton(QStringLiteral("&OK"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOk_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // A table without a column would show nothing to edit.
    connect(lbColumns_, &QListWidget::itemChanged, this,
            [this] { btnOk_->setEnabled(HiddenFields().size() < ChannelColumns().size()); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(lbColumns_);
    layout->addLayout(ButtonRow({btnOk_, cancel}));
    LocaliseForm(*this, false);
}

std::vector<int> TfColumns::HiddenFields() const {
    std::vector<int> hidden;
    for (int i = 0; i < lbColumns_->count(); ++i) {
        const QListWidgetItem* item = lbColumns_->item(i);
        if (item->checkState() != Qt::Checked) hidden.push_back(item->data(Qt::UserRole).toInt());
    }
    return hidden;
}

} // namespace zorva
