// The window that reads the radio's memory. It opens the port when shown; the exchange starts on
// Ok. It reads into a copy of the state it is given, which State() holds once ReadCompleted().
#pragma once

#include "link/ReadEngine.h"
#include "link/ui/TransferDialog.h"

namespace zorva {

class TfReadRadio : public TransferDialog {
    Q_OBJECT

public:
    explicit TfReadRadio(const TALL& state, QWidget* parent = nullptr);

    bool ReadCompleted() const { return Engine().ReadCompleted(); }
    const ReadEngine& Engine() const { return static_cast<const ReadEngine&>(engine()); }
};

} // namespace zorva
