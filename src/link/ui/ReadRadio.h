// The window that reads the radio's memory into the image. It opens the port when shown; the
// exchange starts on Ok. ReadCompleted() tells the main window to refresh its views.
#pragma once

#include "link/ReadEngine.h"
#include "link/ui/TransferDialog.h"

namespace zorva {

class TfReadRadio : public TransferDialog {
    Q_OBJECT

public:
    explicit TfReadRadio(QWidget* parent = nullptr);

    bool ReadCompleted() const { return Engine().ReadCompleted(); }
    const ReadEngine& Engine() const { return static_cast<const ReadEngine&>(engine()); }
};

} // namespace zorva
