#include "editors/channels/ChannelEditors.h"

#include "editors/channels/BatchEdit.h"
#include "editors/channels/ChsEdit.h"
#include "editors/channels/ChsInfo.h"
#include "editors/channels/FreqEdit.h"
#include "shell/Commands.h"

namespace zorva {

void RegisterChannelEditors(MainWindowPort& mainForm) {
    mainForm.RegisterChildWindow(cmd::ChsInfo, [] { return new TfChsInfo; });
    mainForm.RegisterChildWindow(cmd::ChsEdit, [] { return new TfChsEdit; });
    mainForm.RegisterChildWindow(cmd::FreqEdit, [] { return new TfFreqEdit; });
    mainForm.RegisterChildWindow(cmd::Batch, [] { return new TfBatch; });
}

} // namespace zorva
