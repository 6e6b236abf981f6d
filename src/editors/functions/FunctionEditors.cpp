#include "editors/functions/FunctionEditors.h"

#include "core/ImageState.h"
#include "core/Maindb.h"
#include "document/RadioDocument.h"
#include "editors/functions/DtmfFun.h"
#include "editors/functions/FmFun.h"
#include "editors/functions/InfoMsg.h"
#include "editors/functions/Model.h"
#include "editors/functions/OptFun.h"
#include "editors/functions/ScanFun.h"
#include "editors/functions/VoxFun.h"
#include "settings/UserMessages.h"
#include "settings/ui/ShowMsg.h"
#include "shell/Commands.h"

#include <QDialog>
#include <memory>

namespace zorva {

void RegisterFunctionEditors(MainWindowPort& mainForm) {
    using Document = RadioDocument&;
    mainForm.RegisterChildWindow(cmd::FmFun, [](Document doc) { return new TfFmFun(doc); });
    mainForm.RegisterChildWindow(cmd::VoxFun, [](Document doc) { return new TfVoxFun(doc); });
    mainForm.RegisterChildWindow(cmd::OptFun, [](Document doc) { return new TfOptFun(doc); });
    mainForm.RegisterChildWindow(cmd::InfoMsg, [](Document doc) { return new TfInfoMsg(doc); });
    mainForm.RegisterChildWindow(cmd::DtmfFun, [](Document doc) { return new TfDtmfFun(doc); });
    mainForm.RegisterChildWindow(cmd::ScanFun, [](Document doc) { return new TfScanFun(doc); });
    mainForm.RegisterDialog(
        cmd::Model,
        [&mainForm](QWidget* parent) -> std::unique_ptr<QDialog> {
            return std::make_unique<TfModel>(mainForm.Document().State(), parent);
        },
        [&mainForm](const QDialog& closed) {
            const auto& model = static_cast<const TfModel&>(closed);
            if (closed.result() != QDialog::Accepted || !model.ModelAccepted())
                return DialogEffect::None;
            // The image of the new model replaces this one: its data is cleared only when the
            // user agrees, and its unsaved changes are offered for saving first.
            RadioDocument& document = mainForm.Document();
            if (document.Modified() &&
                ShowMsg(Language().Confirmation, Language().ClearData, kMsgYesNo) != kResultYes)
                return DialogEffect::None;
            if (!mainForm.MayDiscard()) return DialogEffect::None;
            document.TakeNewModel(CaptureImageState(model.Chosen()), mainForm.StepName(cmd::Model));
            return DialogEffect::None;
        });
}

} // namespace zorva
