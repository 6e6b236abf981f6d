// Registers the language and about dialogs with the main window's command table.
#pragma once

namespace zorva {

class MainWindowPort;

// Language File Setup and About.
void RegisterSettingsDialogs(MainWindowPort& mainForm);

} // namespace zorva
