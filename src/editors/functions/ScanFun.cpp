#include "editors/functions/ScanFun.h"

#include "core/TAll.h"
#include "document/RadioDocument.h"
#include "editors/functions/FunctionLists.h"

#include <QComboBox>
#include <algorithm>

namespace zorva {

namespace {

constexpr std::size_t kPriorityRow = 3;

} // namespace

TfScanFun::TfScanFun(RadioDocument& document, QWidget* parent)
    : SettingListsWindow(
          document, "fScanFun", "lx00", "Scan Information",
          {{"lx01", "Scan Mode", "cxScanMode", {"CO", "TO", "SE"}, kScanMode},
           {"lx02", "Scan Speed[ms]", "cxScanRate", NumberItems(100, 500, 50), kScanSpeed},
           {"lx03", "Dropout Delay Time[s]", "cxScanBack", NumberItems(3, 30), kDropoutDelay},
           // The channel numbers follow when the window is shown.
           {"lx04", "Priority Channel", "cxScanPris", {"OFF"}, kPriorityChannel}},
          parent) {}

void TfScanFun::FillLists() {
    // Rebuilt each time from the first item, so showing again never adds the numbers twice.
    // The field is one byte: no channel number beyond 255 could be stored.
    QComboBox& priority = *RowList(kPriorityRow);
    while (priority.count() > 1)
        priority.removeItem(priority.count() - 1);
    const int channels = std::clamp(Document().State().ChannelCount, 0, FieldMax(kPriorityChannel));
    for (int channel = 1; channel <= channels; ++channel)
        priority.addItem(QString::number(channel));
}

} // namespace zorva
