#include "core/Maindb.h"

namespace zorva {

Maindb& TheMaindb() {
    static Maindb instance;
    return instance;
}

} // namespace zorva
