// The window that writes an image to the radio. It opens the port when shown; Ok writes the
// whole image, and the window closes once the write is done. State() holds the image with the
// time it was written.
#pragma once

#include "link/WriteEngine.h"
#include "link/ui/TransferDialog.h"

namespace zorva {

class TfWriteRadio : public TransferDialog {
    Q_OBJECT

public:
    explicit TfWriteRadio(const TALL& state, QWidget* parent = nullptr);

    // Writes that reached the end command since the window opened.
    int WritesCompleted() const { return Engine().WritesCompleted(); }
    const WriteEngine& Engine() const { return static_cast<const WriteEngine&>(engine()); }
};

} // namespace zorva
