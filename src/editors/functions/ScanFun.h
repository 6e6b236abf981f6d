// The scan window: scan mode and speed, dropout delay and the priority channel.
#pragma once

#include "editors/functions/SettingListsWindow.h"

namespace zorva {

class TfScanFun : public SettingListsWindow {
    Q_OBJECT

public:
    explicit TfScanFun(QWidget* parent = nullptr);

    // Fills the priority list up to the channel count, then sets every control.
    void ShowScan() { ShowLists(); }
    // Writes every control into the image and marks it modified.
    void StoreScan() { StoreLists(); }

protected:
    void FillLists() override;
};

} // namespace zorva
