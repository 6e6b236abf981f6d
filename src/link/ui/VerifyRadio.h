// The window that reads the radio back after a write and the check of what it holds. It reads
// into a copy of the image, so a verification never changes the program's image, and starts by
// itself once the radio has had its pause after the write; Cancel stops it.
#pragma once

#include "link/ReadEngine.h"
#include "link/ui/TransferDialog.h"

class QTimer;

namespace zorva {

class TfVerifyRadio : public TransferDialog {
    Q_OBJECT

public:
    // `written` is the image as written; the radio is read into a copy of it.
    explicit TfVerifyRadio(const TALL& written, QWidget* parent = nullptr);

    bool ReadCompleted() const { return Engine().ReadCompleted(); }
    const ReadEngine& Engine() const { return static_cast<const ReadEngine&>(engine()); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The read's own "completed" box is left out: the outcome of the check follows.
    int ShowMsg(const std::string& caption, const std::string& text, MsgKind kind) override;

    QTimer* pause_ = nullptr;
};

// After a completed write: reads the radio back and tells in a message box whether it holds
// `written` (the fields that differ, when it does not), or that it could not be read back.
void VerifyWrittenImage(const TALL& written, QWidget* parent);

} // namespace zorva
