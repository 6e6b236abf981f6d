#include "link/ui/TransferDialog.h"

#include "core/Maindb.h"
#include "settings/ui/LocaliseForm.h"
#include "settings/ui/ShowMsg.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zorva {

TransferDialog::TransferDialog(const TALL& state, QWidget* parent, const char* objectName,
                               const char* caption, int progressMax)
    : QDialog(parent), state_(state), link_(state.ExeDir, Language()) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(true);

    pBar_ = new QProgressBar(this);
    pBar_->setObjectName("pBar");
    pBar_->setRange(0, progressMax);
    pBar_->setValue(0);
    pBar_->setTextVisible(false);
    btnOk_ = new QPushButton("&OK", this);
    btnOk_->setObjectName("btnOk");
    btnCancel_ = new QPushButton("&Cancel", this);
    btnCancel_->setObjectName("btnCancel");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pBar_);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

TransferDialog::~TransferDialog() {
    link_.Disconnect();
    if (engine_) engine_->FormClose();
}

LinkContext TransferDialog::Context() {
    return link_.ExchangeContext(state_, MacList(), *this);
}

void TransferDialog::Attach(std::unique_ptr<ExchangeEngine> engine) {
    engine_ = std::move(engine);
    link_.Connect(*engine_);
    connect(btnOk_, &QPushButton::clicked, this, [this] { engine_->Start(); });
}

void TransferDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        LocaliseForm(*this, false);
        engine_->FormShow();
    }
}

void TransferDialog::done(int result) {
    engine_->FormClose();
    QDialog::done(result);
}

int TransferDialog::ShowMsg(const std::string& caption, const std::string& text, MsgKind kind) {
    return zorva::ShowMsg(caption, text, kind);
}

void TransferDialog::SetProgress(int value, int maximum) {
    pBar_->setMaximum(maximum);
    pBar_->setValue(value);
}

void TransferDialog::SetOkEnabled(bool enabled) {
    btnOk_->setEnabled(enabled);
}

void TransferDialog::CloseWindow() {
    engine_->FormClose();
    close();
}

} // namespace zorva
