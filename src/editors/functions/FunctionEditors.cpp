#include "editors/functions/FunctionEditors.h"

#include "editors/functions/DtmfFun.h"
#include "editors/functions/FmFun.h"
#include "editors/functions/InfoMsg.h"
#include "editors/functions/Model.h"
#include "editors/functions/OptFun.h"
#include "editors/functions/ScanFun.h"
#include "editors/functions/VoxFun.h"
#include "shell/Commands.h"

#include <QDialog>
#include <memory>

namespace zorva {

void RegisterFunctionEditors(MainWindowPort& mainForm) {
    mainForm.RegisterChildWindow(cmd::FmFun, [] { return new TfFmFun; });
    mainForm.RegisterChildWindow(cmd::VoxFun, [] { return new TfVoxFun; });
    mainForm.RegisterChildWindow(cmd::OptFun, [] { return new TfOptFun; });
    mainForm.RegisterChildWindow(cmd::InfoMsg, [] { return new TfInfoMsg; });
    mainForm.RegisterChildWindow(cmd::DtmfFun, [] { return new TfDtmfFun; });
    mainForm.RegisterChildWindow(cmd::ScanFun, [] { return new TfScanFun; });
    mainForm.RegisterDialog(cmd::Model, [](QWidget* parent) -> std::unique_ptr<QDialog> {
        return std::make_unique<TfModel>(parent);
    });
}

} // namespace zorva
