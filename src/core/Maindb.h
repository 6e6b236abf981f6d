// The data module: the program's global objects (shell/Startup.h fills them).
#pragma once

#include "core/MacType.h"
#include "core/TAll.h"
#include "core/TChannel.h"
#include "core/TLanguage.h"

#include <string>

namespace zorva {

// The four global objects. The program has one (TheMaindb()); tests make fresh ones.
struct Maindb {
    TMacList MacList;
    TALL All;
    TChannel Channel;
    TLanguage Language;
};

// The process-wide instance and one accessor for each object.
Maindb& TheMaindb();
inline TMacList& MacList() {
    return TheMaindb().MacList;
}
inline TALL& All() {
    return TheMaindb().All;
}
inline TChannel& Channel() {
    return TheMaindb().Channel;
}
inline TLanguage& Language() {
    return TheMaindb().Language;
}

} // namespace zorva
