#include "link/ui/WriteRadio.h"

#include "codec/DerivedFields.h"

namespace zorva {

TfWriteRadio::TfWriteRadio(QWidget* parent)
    : TransferDialog(parent, "fWriteRadio", "Write data to radio", WriteEngine::kProgressMax) {
    Attach(std::make_unique<WriteEngine>(Context(), CurrentTimeText));
}

} // namespace zorva
