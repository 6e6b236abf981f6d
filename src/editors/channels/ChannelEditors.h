// Registers the channel editor windows with the main window's command table.
#pragma once

namespace zorva {

class MainWindowPort;

void RegisterChannelEditors(MainWindowPort& mainForm);

} // namespace zorva
