// Registers the function editor windows and the model dialog with the main window's command
// table.
#pragma once

namespace zorva {

class MainWindowPort;

void RegisterFunctionEditors(MainWindowPort& mainForm);

} // namespace zorva
