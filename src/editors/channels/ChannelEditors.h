// Registers the channel editor windows with the main window's command table.
#pragma once

namespace zorva {

class TfMainFrm;

void RegisterChannelEditors(TfMainFrm& mainForm);

} // namespace zorva
