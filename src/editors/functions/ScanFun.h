// The scan window: scan mode and speed, dropout delay and the priority channel.
#pragma once

#include "codec/OptionCodes.h"

#include <QWidget>
#include <utility>
#include <vector>

class QComboBox;

namespace zorva {

class TfScanFun : public QWidget {
    Q_OBJECT

public:
    explicit TfScanFun(QWidget* parent = nullptr);

    // Fills the priority list up to the channel count, then sets every control.
    void ShowScan();
    // Writes every control into the image and marks it modified.
    void StoreScan();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void ComborPropertiesChange();

    bool loading_ = false;
    bool shown_ = false;
    std::vector<std::pair<QComboBox*, SettingField>> lists_;
    QComboBox* cxScanPris_ = nullptr;
};

} // namespace zorva
