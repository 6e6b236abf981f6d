// The main window's own dialogs, entered in its command table: the windows themselves know
// nothing of the main window.
#pragma once

namespace zorva {

class MainWindowPort;

// Read From Radio, Write To Radio and Communication Port.
void RegisterLinkDialogs(MainWindowPort& mainForm);
// Language File Setup and About.
void RegisterSettingsDialogs(MainWindowPort& mainForm);
// Test Online: the power test window.
void RegisterPowerTest(MainWindowPort& mainForm);

} // namespace zorva
