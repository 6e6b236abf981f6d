#include "link/ui/WriteRadio.h"

#include "codec/DerivedFields.h"

namespace zorva {

TfWriteRadio::TfWriteRadio(const TALL& state, QWidget* parent)
    : TransferDialog(state, parent, "fWriteRadio", "Write data to radio",
                     WriteEngine::kProgressMax) {
    Attach(std::make_unique<WriteEngine>(Context(), CurrentTimeText));
}

} // namespace zorva
