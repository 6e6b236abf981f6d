#include "link/ui/ReadRadio.h"

namespace zorva {

TfReadRadio::TfReadRadio(const TALL& state, QWidget* parent)
    : TransferDialog(state, parent, "fReadRadio", "Read data from radio",
                     ReadEngine::kProgressMax) {
    Attach(std::make_unique<ReadEngine>(Context()));
}

} // namespace zorva
