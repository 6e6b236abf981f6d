// The window that reads the radio's memory into the image. It opens the port when shown; the
// exchange starts on Ok. ReadCompleted() tells the main window to refresh its views.
#pragma once

#include "link/LinkPorts.h"
#include "link/qt/QtLinkTimers.h"
#include "link/qt/QtSerialPort.h"

#include <QDialog>
#include <memory>

class QProgressBar;
class QPushButton;

namespace zorva {

class ReadEngine;

class TfReadRadio : public QDialog, private LinkUser {
    Q_OBJECT

public:
    explicit TfReadRadio(QWidget* parent = nullptr);
    ~TfReadRadio() override;

    bool ReadCompleted() const;
    ReadEngine& Engine() { return *engine_; }
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
    std::unique_ptr<ReadEngine> engine_;
    QProgressBar* pBar_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace zorva
