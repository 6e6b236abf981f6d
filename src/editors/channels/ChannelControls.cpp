#include "editors/channels/ChannelControls.h"

#include "codec/ChannelRecord.h"
#include "codec/ToneCodec.h"
#include "editors/ImageText.h"

#include <QCheckBox>
#include <QComboBox>

namespace zorva {

void StoreChannelControls(TALL& all, int channel, const ChannelControls& controls) {
    for (auto [list, field] :
         {std::pair{controls.rxTone, kFieldRxTone}, std::pair{controls.txTone, kFieldTxTone}}) {
        const QString shown = list->currentText().trimmed();
        std::string tone = shown.isEmpty() || shown == list->itemText(0)
                               ? std::string()
                               : NormaliseTone(ToImageText(shown));
        SetChannelField(all, channel, field, tone);
    }
    for (auto [list, field] : controls.lists) {
        if (list->currentIndex() < 0) continue;
        std::string value = std::to_string(list->currentIndex());
        SetChannelField(all, channel, field, value);
    }
    std::string epilogue = controls.epilogue->isChecked() ? "1" : "0";
    SetChannelField(all, channel, kFieldEpilogue, epilogue);
    SetOn(all, channel, OnFlag::BusyLock, controls.busyLock->isChecked());
    SetOn(all, channel, OnFlag::Vox, controls.vox->isChecked());
    SetOn(all, channel, OnFlag::Ani, controls.ani->isChecked());
    if (controls.scan) SetOn(all, channel, OnFlag::Scan, controls.scan->isChecked());
}

} // namespace zorva
