#include "link/WriteRadio.h"

#include "codec/DerivedFields.h"
#include "core/Maindb.h"
#include "link/WriteEngine.h"
#include "settings/Settings.h"
#include "settings/ShowMsg.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zorva {

TfWriteRadio::TfWriteRadio(QWidget* parent)
    : QDialog(parent), port_(All().ExeDir + kSettingsFileName) {
    setObjectName("fWriteRadio");
    setWindowTitle("Write data to radio");
    setModal(true);

    pBar_ = new QProgressBar(this);
    pBar_->setObjectName("pBar");
    pBar_->setRange(0, WriteEngine::kProgressMax);
    pBar_->setValue(0);
    pBar_->setTextVisible(false);
    btnOk_ = new QPushButton("&Ok", this);
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

    engine_ = std::make_unique<WriteEngine>(
        LinkContext{All(), MacList(), Language(), port_, timers_, *this,
                    [] { return static_cast<int>(QRandomGenerator::global()->bounded(5)); }},
        [] { return CurrentTimeText(); });
    port_.SetLanguage(Language());
    port_.SetBytesHandler(
        [this](const uint8_t* bytes, int count) { engine_->OnBytes(bytes, count); });
    port_.SetLineErrorHandler([this] { engine_->OnLineError(); });
    timers_.SetExpiryHandler([this](LinkTimer timer) { engine_->OnTimer(timer); });

    connect(btnOk_, &QPushButton::clicked, this, [this] { engine_->Start(); });
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

TfWriteRadio::~TfWriteRadio() {
    engine_->FormClose();
}

int TfWriteRadio::WritesCompleted() const {
    return engine_->WritesCompleted();
}

void TfWriteRadio::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The form localiser runs here (force false) once it exists.
    if (!event->spontaneous()) engine_->FormShow();
}

void TfWriteRadio::done(int result) {
    engine_->FormClose();
    QDialog::done(result);
}

int TfWriteRadio::ShowMsg(const std::string& caption, const std::string& text, int kind) {
    return zorva::ShowMsg(caption, text, kind);
}

void TfWriteRadio::SetProgress(int value, int maximum) {
    pBar_->setMaximum(maximum);
    pBar_->setValue(value);
}

void TfWriteRadio::SetOkEnabled(bool enabled) {
    btnOk_->setEnabled(enabled);
}

void TfWriteRadio::CloseWindow() {
    engine_->FormClose();
    close();
}

} // namespace zorva
