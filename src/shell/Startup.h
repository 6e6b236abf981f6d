// Start-up: fills the data module's objects before the first window, as the program and the
// command-line companion start.
#pragma once

#include "core/Maindb.h"

#include <string>

namespace zorva {

// Start-up up to the first window: start values, model defaults, the settings file and the
// language file from `exeDir` (with its trailing separator), the installation identifier.
void DataModuleCreate(Maindb& db, const std::string& exeDir);

// The image part of the main window's first showing: a new image of the catalogue's first
// model, band ranges chosen, model selected and stamped, ranges written and derived,
// Modified cleared.
void StartImage(Maindb& db);

} // namespace zorva
