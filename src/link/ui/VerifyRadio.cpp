#include "link/ui/VerifyRadio.h"

#include "core/Maindb.h"
#include "dump/ReadBackCheck.h"
#include "settings/UserMessages.h"
#include "settings/ui/ShowMsg.h"

#include <QShowEvent>
#include <QTimer>

namespace zorva {

namespace {

// A message box shows this many differences; the rest is summed up by "…".
constexpr std::size_t kShownDifferences = 20;

} // namespace

TfVerifyRadio::TfVerifyRadio(const TALL& written, QWidget* parent)
    : TransferDialog(written, parent, "fVerifyRadio", "Verify data in radio",
                     ReadEngine::kProgressMax) {
    Attach(std::make_unique<ReadEngine>(Context()));
    pause_ = new QTimer(this);
    pause_->setSingleShot(true);
    connect(pause_, &QTimer::timeout, this, [this] { engine().Start(); });
}

void TfVerifyRadio::showEvent(QShowEvent* event) {
    TransferDialog::showEvent(event);
    if (event->spontaneous()) return;
    SetOkEnabled(false);
    pause_->start(kAfterWritePauseMs);
}

int TfVerifyRadio::ShowMsg(const std::string& caption, const std::string& text, MsgKind kind) {
    if (kind == kMsgInfo && text == Language().ReadOk) return kResultOk;
    return TransferDialog::ShowMsg(caption, text, kind);
}

void VerifyWrittenImage(const TALL& written, QWidget* parent) {
    TfVerifyRadio dialog(written, parent);
    dialog.exec();
    const TLanguage& texts = Language();
    if (!dialog.ReadCompleted()) {
        ShowMsg(texts.Confirmation, texts.VerifyFailed, kMsgInfo);
        return;
    }
    const std::vector<std::string> differences =
        ReadBackDifferences(written, dialog.Engine().Blocks());
    if (differences.empty()) {
        ShowMsg(texts.Confirmation, texts.VerifyOk, kMsgInfo);
        return;
    }
    std::string text = texts.VerifyMismatch;
    for (std::size_t i = 0; i < differences.size() && i < kShownDifferences; ++i)
        text += "\n" + differences[i];
    if (differences.size() > kShownDifferences) text += "\n…";
    ShowMsg(texts.Confirmation, text, kMsgInfo);
}

} // namespace zorva
