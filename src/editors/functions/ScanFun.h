// The scan window: scan mode and speed, dropout delay and the priority channel.
#pragma once

#include "editors/functions/SettingListsWindow.h"

namespace zorva {

class TfScanFun : public SettingListsWindow {
    Q_OBJECT

public:
    explicit TfScanFun(RadioDocument& document, QWidget* parent = nullptr);

protected:
    void FillLists() override;
};

} // namespace zorva
