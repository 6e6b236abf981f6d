// The VOX window: gain, delay and the receive inhibit of voice-operated transmit.
#pragma once

#include "codec/OptionCodes.h"

#include <QWidget>
#include <utility>
#include <vector>

class QComboBox;

namespace zorva {

class TfVoxFun : public QWidget {
    Q_OBJECT

public:
    explicit TfVoxFun(QWidget* parent = nullptr);

    void ShowVox();
    // Writes every control into the image and marks it modified.
    void StoreVox();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void ComborPropertiesChange();

    bool loading_ = false;
    bool shown_ = false;
    std::vector<std::pair<QComboBox*, SettingField>> lists_;
};

} // namespace zorva
