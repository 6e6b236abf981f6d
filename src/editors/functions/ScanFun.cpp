#include "editors/functions/ScanFun.h"

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
#include <algorithm>

namespace zorva {

TfScanFun::TfScanFun(QWidget* parent) : QWidget(parent) {
    setObjectName("fScanFun");
    setWindowTitle("Scan Information");

    QLabel* title = AddFunctionLabel(*this, "lx00", "Scan Information");
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
        return list;
    };
    QStringList speeds, delays;
    for (int ms = 100; ms <= 500; ms += 50)
        speeds << QString::number(ms);
    for (int s = 3; s <= 30; ++s)
        delays << QString::number(s);
    add("lx01", "Scan Mode", "cxScanMode", {"CO", "TO", "SE"}, kScanMode);
    add("lx02", "Scan Speed[ms]", "cxScanRate", speeds, kScanSpeed);
    add("lx03", "Dropout Delay Time[s]", "cxScanBack", delays, kDropoutDelay);
    // The channel numbers follow when the window is shown.
    cxScanPris_ = add("lx04", "Priority Channel", "cxScanPris", {"OFF"}, kPriorityChannel);

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

void TfScanFun::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TfScanFun::FormShow() {
    PlaceFunctionWindow(*this);
    loading_ = true;
    LocaliseForm(*this, false);
    ShowScan();
    loading_ = false;
}

void TfScanFun::ShowScan() {
    const bool wasLoading = loading_;
    loading_ = true;
    // Rebuilt each time from the first item, so showing again never adds the numbers twice.
    // The field is one byte: no channel number beyond 255 could be stored.
    while (cxScanPris_->count() > 1)
        cxScanPris_->removeItem(cxScanPris_->count() - 1);
    const int channels = std::clamp(All().ChannelCount, 0, FieldMax(kPriorityChannel));
    for (int channel = 1; channel <= channels; ++channel)
        cxScanPris_->addItem(QString::number(channel));
    for (const auto& [list, field] : lists_)
        ShowFunctionCode(*list, ReadField(All(), field));
    loading_ = wasLoading;
}

void TfScanFun::StoreScan() {
    for (const auto& [list, field] : lists_)
        WriteField(All(), field, list->currentIndex());
    All().Modified = true;
}

void TfScanFun::ComborPropertiesChange() {
    if (!loading_) StoreScan();
}

} // namespace zorva
