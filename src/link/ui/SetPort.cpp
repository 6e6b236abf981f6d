#include "link/ui/SetPort.h"

#include "core/Maindb.h"
#include "link/PortNames.h"
#include "settings/Settings.h"
#include "settings/ui/LocaliseForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zorva {

namespace {

constexpr int kColumns = 5;

// The number in characters 4 to 6 of a port name, 0 when they are not a number.
int ButtonNumberOf(const std::string& portName) {
    return ComNumber(portName.substr(0, 6));
}

} // namespace

TfSetPort::TfSetPort(QWidget* parent, PortLister lister)
    : QDialog(parent), lister_(std::move(lister)) {
    if (!lister_) {
        lister_ = [] { return ListPorts(SettingsFilePath(All().ExeDir)); };
    }
    setObjectName("fSetPort");
    setWindowTitle("Communication Port");
    setModal(true);

    cxPort_ = new QGroupBox(this);
    cxPort_->setObjectName("cxPort");
    auto* grid = new QGridLayout(cxPort_);
    for (int i = 0; i < kButtons; ++i) {
        auto* button = new QRadioButton(QString("COM%1").arg(i + 1), cxPort_);
        button->setObjectName(QString("cxPort%1").arg(i + 1));
        button->setEnabled(false);
        grid->addWidget(button, i / kColumns, i % kColumns);
        cxPortN_[static_cast<std::size_t>(i)] = button;
    }

    // Carries only the localisable word the buttons are named with; never seen.
    lbName_ = new QLabel("Port:", this);
    lbName_->setObjectName("lbName");
    lbName_->hide();
    cxCom_ = new QListWidget(this);
    cxCom_->setObjectName("cxCom");
    cxCom_->hide();

    btnOk_ = new QPushButton("&OK", this);
    btnOk_->setObjectName("btnOk");
    btnOk_->setDefault(true);
    btnCancel_ = new QPushButton("&Cancel", this);
    btnCancel_->setObjectName("btnCancel");
    connect(btnOk_, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(btnCancel_, &QPushButton::clicked, this, [this] { btnCancelClick(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cxPort_);
    layout->addLayout(buttons);
}

QRadioButton* TfSetPort::PortButton(int number) const {
    if (number < 1 || number > kButtons) return nullptr;
    return cxPortN_[static_cast<std::size_t>(number - 1)];
}

void TfSetPort::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TfSetPort::FormShow() {
    if (All().LanguageId > 0) {
        LocaliseForm(*this, false);
        // The buttons take the localised word of lbName.
        for (int n = 1; n <= kButtons; ++n)
            PortButton(n)->setText(lbName_->text() + QString::number(n));
    }
    cxPort_->setTitle(windowTitle());

    cxCom_->clear();
    for (const ListedPort& port : lister_()) {
        cxCom_->addItem(QString::fromStdString(port.name));
        QRadioButton* button = PortButton(ComNumber(port.name));
        if (!button) continue;
        button->setEnabled(true);
        QString tip = QString::fromUtf8(port.device);
        if (!port.description.empty()) tip += "\n" + QString::fromUtf8(port.description);
        button->setToolTip(tip);
    }
    if (QRadioButton* current = PortButton(ButtonNumberOf(All().PortName))) {
        current->setChecked(true);
    }
}

void TfSetPort::btnOkClick() {
    for (int n = 1; n <= kButtons; ++n) {
        if (PortButton(n)->isChecked()) All().PortName = ComName(n);
    }
    accept();
}

void TfSetPort::btnCancelClick() {
    reject();
}

} // namespace zorva
