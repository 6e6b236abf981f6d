// Print and Print Preview of the main window: both paint one sheet, so what is previewed is
// what is printed. The paper is turned to landscape when the channel table needs it, before
// the dialog opens; what the user chooses there stands.
#pragma once

namespace zorva {

class MainWindowPort;

void RegisterPrintCommands(MainWindowPort& mainForm);

} // namespace zorva
