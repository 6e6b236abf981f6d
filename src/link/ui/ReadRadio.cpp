#include "link/ui/ReadRadio.h"

namespace zorva {

TfReadRadio::TfReadRadio(QWidget* parent)
    : TransferDialog(parent, "fReadRadio", "Read data from radio", ReadEngine::kProgressMax) {
    Attach(std::make_unique<ReadEngine>(Context()));
}

} // namespace zorva
