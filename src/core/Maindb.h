// The data module: the program's global objects and the start-up that fills them.
#pragma once

#include "codec/ChannelRecord.h"
#include "core/MacType.h"
#include "core/TAll.h"
#include "settings/Language.h"

#include <string>

namespace zorva {

// The four global objects. The program has one (TheMaindb()); tests make fresh ones.
struct Maindb {
    TMacList MacList;
    TALL All;
    TChannel Channel;
    TLanguage Language;
};

// Start-up up to the first window: start values, model defaults, the settings file and the
// language file from `exeDir` (with its trailing separator), the installation identifier.
void DataModuleCreate(Maindb& db, const std::string& exeDir);

// The image part of the main window's first showing: a new image of the catalogue's first
// model, band ranges chosen, model selected and stamped, ranges written and derived,
// Modified cleared.
void StartImage(Maindb& db);

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
