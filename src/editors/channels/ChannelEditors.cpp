#include "editors/channels/ChannelEditors.h"

#include "document/RadioDocument.h"
#include "editors/channels/BatchEdit.h"
#include "editors/channels/ChannelCsvCommands.h"
#include "editors/channels/ChannelTableActions.h"
#include "editors/channels/ChsEdit.h"
#include "editors/channels/ChsInfo.h"
#include "editors/channels/ColumnChoice.h"
#include "editors/channels/FreqEdit.h"
#include "shell/Commands.h"

#include <memory>

namespace zorva {

void RegisterChannelEditors(MainWindowPort& mainForm) {
    using Document = RadioDocument&;
    mainForm.RegisterChildWindow(cmd::ChsInfo, [](Document doc) { return new TfChsInfo(doc); });
    mainForm.RegisterChildWindow(cmd::ChsEdit, [](Document doc) { return new TfChsEdit(doc); });
    mainForm.RegisterChildWindow(cmd::FreqEdit, [](Document doc) { return new TfFreqEdit(doc); });
    mainForm.RegisterChildWindow(cmd::Batch, [](Document doc) { return new TfBatch(doc); });
    // The Edit menu's row and clipboard commands act on the channel table while it is current.
    for (int command = cmd::Cut; command <= cmd::SelectAll; ++command) {
        mainForm.RegisterCommand(command, cmd::ChsInfo, [command](QWidget* window) {
            if (auto* table = dynamic_cast<TfChsInfo*>(window)) table->Actions().Run(command);
        });
    }
    // View → Columns: the channel table's columns, a setting of the program.
    mainForm.RegisterDialog(
        cmd::Columns,
        [&mainForm](QWidget* parent) {
            return std::make_unique<TfColumns>(mainForm.Document().State(), parent);
        },
        [&mainForm](const QDialog& closed) {
            if (closed.result() != QDialog::Accepted) return DialogEffect::None;
            mainForm.Document().SetHiddenFields(
                static_cast<const TfColumns&>(closed).HiddenFields());
            return DialogEffect::ViewChanged;
        });
    RegisterChannelCsvCommands(mainForm);
}

} // namespace zorva
