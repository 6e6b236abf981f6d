// What the read and write windows share: the progress bar and buttons, their own serial port
// and timers, and the wiring of those to the exchange engine each window runs.
#pragma once

#include "link/ExchangeEngine.h"
#include "link/qt/QtLinkTimers.h"
#include "link/qt/QtSerialPort.h"

#include <QDialog>
#include <memory>

class QProgressBar;
class QPushButton;

namespace zorva {

class TransferDialog : public QDialog, protected LinkUser {
    Q_OBJECT

public:
    ~TransferDialog() override;

    QtSerialPort& Port() { return port_; }
    // Every way of closing (Cancel, Escape, the close box, the engine) comes here.
    void done(int result) override;

protected:
    TransferDialog(QWidget* parent, const char* objectName, const char* caption, int progressMax);
    // The context the subclass builds its engine with: the program's state, this window's
    // port, timers and messages.
    LinkContext Context();
    // The same with another state than the program's (a copy the engine may change).
    LinkContext Context(TALL& all);
    // Takes the engine and connects the port, the timers and the Ok button to it.
    void Attach(std::unique_ptr<ExchangeEngine> engine);
    ExchangeEngine& engine() const { return *engine_; }

    void showEvent(QShowEvent* event) override;
    int ShowMsg(const std::string& caption, const std::string& text, int kind) override;
    void SetOkEnabled(bool enabled) override;

private:
    void SetProgress(int value, int maximum) override;
    void CloseWindow() override;

    QtSerialPort port_;
    QtLinkTimers timers_;
    std::unique_ptr<ExchangeEngine> engine_;
    QProgressBar* pBar_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace zorva
