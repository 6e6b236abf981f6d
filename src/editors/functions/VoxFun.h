// The VOX window: gain, delay and the receive inhibit of voice-operated transmit.
#pragma once

#include "editors/functions/SettingListsWindow.h"

namespace zorva {

class TfVoxFun : public SettingListsWindow {
    Q_OBJECT

public:
    explicit TfVoxFun(QWidget* parent = nullptr);

    void ShowVox() { ShowLists(); }
    // Writes every control into the image and marks it modified.
    void StoreVox() { StoreLists(); }
};

} // namespace zorva
