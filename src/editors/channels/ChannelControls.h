// The controls the channel edit and VFO windows have in common, stored into a record the
// same way by both.
#pragma once

#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;

namespace zorva {

class TALL;

struct ChannelControls {
    QComboBox* rxTone = nullptr; // editable tone lists; item 0 is "no tone"
    QComboBox* txTone = nullptr;
    std::vector<std::pair<QComboBox*, int>> lists; // list position -> field
    QCheckBox* busyLock = nullptr;
    QCheckBox* epilogue = nullptr;
    QCheckBox* vox = nullptr;
    QCheckBox* ani = nullptr;
    QCheckBox* scan = nullptr; // memory channels only
};

// Writes the tones, the list positions and the check boxes into record `channel`. A list
// without a selection leaves its field as it is. Throws ConversionError for a tone that is
// not one; the fields before it are then written.
void StoreChannelControls(TALL& all, int channel, const ChannelControls& controls);

} // namespace zorva
