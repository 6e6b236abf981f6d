// The window that writes the image to the radio. It opens the port when shown; the exchange
// starts on Ok and may be run again after a completed write.
#pragma once

#include "link/LinkPorts.h"
#include "link/qt/QtLinkTimers.h"
#include "link/qt/QtSerialPort.h"

#include <QDialog>
#include <memory>

class QProgressBar;
class QPushButton;

namespace zorva {

class WriteEngine;

class TfWriteRadio : public QDialog, private LinkUser {
    Q_OBJECT

public:
    explicit TfWriteRadio(QWidget* parent = nullptr);
    ~TfWriteRadio() override;

    // Writes that reached the end command since the window opened.
    int WritesCompleted() const;
    WriteEngine& Engine() { return *engine_; }
    QtSerialPort& Port() { return port_; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    int ShowMsg(const std::string& caption, const std::string& text, int kind) override;
    void SetProgress(int value, int maximum) override;
    void SetOkEnabled(bool enabled) override;
    void CloseWindow() override;

    QtSerialPort port_;
    QtLinkTimers timers_;
    std::unique_ptr<WriteEngine> engine_;
    QProgressBar* pBar_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace zorva
