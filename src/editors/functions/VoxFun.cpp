#include "editors/functions/VoxFun.h"

#include "editors/functions/FunctionLists.h"
#include "settings/ui/LocaliseForm.h"

#include <QComboBox>
#include <QLabel>

namespace zorva {

namespace {

enum VoxRow : std::size_t { kGainRow, kDelayRow, kInhibitRow };

} // namespace

TfVoxFun::TfVoxFun(RadioDocument& document, QWidget* parent)
    : SettingListsWindow(
          document, "fVoxFun", "L0", "Vox Function",
          {{"L1", "VOX Gain Level", "cxVoxLv", NumberItems(1, 9), kVoxGain},
           {"L2", "VOX Delay Time[s]", "cxVoxDv", {"0.5", "1.0", "2.0", "3.0"}, kVoxDelay},
           {"L3", "Vox Inhibit on Receive", "cxVoxRs", {"No", "Yes"}, kVoxInhibitOnRx}},
          parent) {
    RowList(kGainRow)->setProperty("tag", kTagFirstItemOnly);
    // The receive inhibit is not offered, but its field is kept as the window found it.
    RowLabel(kInhibitRow)->hide();
    RowList(kInhibitRow)->hide();
}

} // namespace zorva
