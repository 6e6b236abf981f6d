#include "editors/functions/VoxFun.h"

#include "core/Maindb.h"
#include "editors/functions/OptFun.h"
#include "settings/LocaliseForm.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorva {

namespace {

// Only the first item of the gain list is localised.
constexpr int kTagFirstItemOnly = -3;

} // namespace

TfVoxFun::TfVoxFun(QWidget* parent) : QWidget(parent) {
    setObjectName("fVoxFun");
    setWindowTitle("Vox Function");

    QLabel* title = AddFunctionLabel(*this, "L0", "Vox Function");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto add = [&](const char* labelName, const char* caption, const char* name,
                         const QStringList& items, SettingField field) {
        QLabel* label = AddFunctionLabel(*this, labelName, caption);
        QComboBox* list = AddFunctionList(*this, name, items);
        label->setBuddy(list);
        grid->addWidget(label, row, 0);
        grid->addWidget(list, row, 1);
        ++row;
        lists_.emplace_back(list, field);
        return std::pair{label, list};
    };
    QStringList gains;
    for (int n = 1; n <= 9; ++n)
        gains << QString::number(n);
    add("L1", "VOX Gain Level", "cxVoxLv", gains, kVoxGain)
        .second->setProperty("tag", kTagFirstItemOnly);
    add("L2", "VOX Delay Time[s]", "cxVoxDv", {"0.5", "1.0", "2.0", "3.0"}, kVoxDelay);
    // The receive inhibit is not offered, but its field is kept as the window found it.
    const auto [inhibitLabel, inhibit] =
        add("L3", "Vox Inhibit on Receive", "cxVoxRs", {"No", "Yes"}, kVoxInhibitOnRx);
    inhibitLabel->hide();
    inhibit->hide();

    auto* close = new QPushButton("&Close", this);
    close->setObjectName("btnCancel");
    connect(close, &QPushButton::clicked, this, [this] { CloseFunctionWindow(*this); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    for (const auto& [list, field] : lists_)
        connect(list, &QComboBox::currentIndexChanged, this, [this] { ComborPropertiesChange(); });
}

void TfVoxFun::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TfVoxFun::FormShow() {
    PlaceFunctionWindow(*this);
    loading_ = true;
    LocaliseForm(*this, false);
    ShowVox();
    loading_ = false;
}

void TfVoxFun::ShowVox() {
    const bool wasLoading = loading_;
    loading_ = true;
    for (const auto& [list, field] : lists_)
        ShowFunctionCode(*list, ReadField(All(), field));
    loading_ = wasLoading;
}

void TfVoxFun::StoreVox() {
    for (const auto& [list, field] : lists_)
        WriteField(All(), field, list->currentIndex());
    All().Modified = true;
}

void TfVoxFun::ComborPropertiesChange() {
    if (!loading_) StoreVox();
}

} // namespace zorva
