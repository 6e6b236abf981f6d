// The VOX window: gain and delay of voice-operated transmit.
#pragma once

#include "editors/functions/SettingListsWindow.h"

namespace zorva {

class TfVoxFun : public SettingListsWindow {
    Q_OBJECT

public:
    explicit TfVoxFun(RadioDocument& document, QWidget* parent = nullptr);
};

} // namespace zorva
