// The window that writes the image to the radio. It opens the port when shown; each Ok writes
// the whole image, and the window stays open for another write.
#pragma once

#include "link/WriteEngine.h"
#include "link/ui/TransferDialog.h"

namespace zorva {

class TfWriteRadio : public TransferDialog {
    Q_OBJECT

public:
    explicit TfWriteRadio(QWidget* parent = nullptr);

    // Writes that reached the end command since the window opened.
    int WritesCompleted() const { return Engine().WritesCompleted(); }
    const WriteEngine& Engine() const { return static_cast<const WriteEngine&>(engine()); }
};

} // namespace zorva
