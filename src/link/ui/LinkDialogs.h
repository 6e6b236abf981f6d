// Registers the dialogs that talk to the radio's port with the main window's command table.
#pragma once

namespace zorva {

class MainWindowPort;

// Read From Radio, Write To Radio and Communication Port.
void RegisterLinkDialogs(MainWindowPort& mainForm);

} // namespace zorva
