// What the read and write windows share: the progress bar and buttons, their own serial port
// and timers, the wiring of those to the exchange engine each window runs, and the copy of the
// image state the engine works on (the document takes over what it holds afterwards).
#pragma once

#include "core/TAll.h"
#include "link/ExchangeEngine.h"
#include "link/qt/LinkWiring.h"

#include <QDialog>
#include <memory>

class QProgressBar;
class QPushButton;

namespace zorva {

class TransferDialog : public QDialog, protected LinkUser {
    Q_OBJECT

public:
    ~TransferDialog() override;

    QtSerialPort& Port() { return link_.Port(); }
    // The state the exchange worked on: after a read the image read, after a write the image
    // with the time it was written.
    const TALL& State() const { return state_; }
    // Every way of closing (Cancel, Escape, the close box, the engine) comes here.
    void done(int result) override;

protected:
    // `state` is copied: the exchange works on the copy.
    TransferDialog(const TALL& state, QWidget* parent, const char* objectName, const char* caption,
                   int progressMax);
    // The context the subclass builds its engine with: the copy of the state, this window's
    // port, timers and messages.
    LinkContext Context();
    // Takes the engine and connects the port, the timers and the Ok button to it.
    void Attach(std::unique_ptr<ExchangeEngine> engine);
    ExchangeEngine& engine() const { return *engine_; }

    void showEvent(QShowEvent* event) override;
    int ShowMsg(const std::string& caption, const std::string& text, MsgKind kind) override;
    void SetOkEnabled(bool enabled) override;

private:
    void SetProgress(int value, int maximum) override;
    void CloseWindow() override;

    TALL state_;
    // Before the engine, which uses its port and timers to the end.
    LinkWiring link_;
    std::unique_ptr<ExchangeEngine> engine_;
    QProgressBar* pBar_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace zorva
