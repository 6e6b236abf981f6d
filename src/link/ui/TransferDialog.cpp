#include "link/ui/TransferDialog.h"

#include "core/Maindb.h"
#include "settings/Settings.h"
#include "settings/ui/LocaliseForm.h"
#include "settings/ui/ShowMsg.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zorva {

TransferDialog::TransferDialog(const TALL& state, QWidget* parent, const char* objectName,
                               const char* caption, int progressMax)
    : QDialog(parent), state_(state), port_(SettingsFilePath(state.ExeDir)) {
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

    port_.SetLanguage(Language());
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

TransferDialog::~TransferDialog() {
    if (engine_) engine_->FormClose();
}

LinkContext TransferDialog::Context() {
    return LinkContext{state_, MacList(), Language(), port_, timers_, *this, [] {
                           return static_cast<int>(QRandomGenerator::global()->bounded(5));
                       }};
}

void TransferDialog::Attach(std::unique_ptr<ExchangeEngine> engine) {
    engine_ = std::move(engine);
    port_.SetBytesHandler(
        [this](const uint8_t* bytes, int count) { engine_->OnBytes(bytes, count); });
    port_.SetLineErrorHandler([this] { engine_->OnLineError(); });
    timers_.SetExpiryHandler([this](LinkTimer timer) { engine_->OnTimer(timer); });
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

int TransferDialog::ShowMsg(const std::string& caption, const std::string& text, int kind) {
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
