// The pieces the setting sections are built of: one row kind per kind of control.
#pragma once

#include "codec/OptionCodes.h"
#include "fields/SettingFields.h"

#include <functional>
#include <string>

namespace zorva {

class TChannel;

// The item a list shows for the image; -1 for none.
using ItemOf = std::function<int(const TALL&)>;

// A list showing item `item(all)`.
SettingRow ListRow(const char* name, const char* caption, SettingList list, ItemOf item);
// A list whose item is the code of a settings field; a code beyond the list shows nothing.
SettingRow FieldRow(const char* name, const char* caption, SettingList list, SettingField field);
SettingRow CheckRow(const char* name, const char* caption, std::function<bool(const TALL&)> on);
// A text in UTF-8.
SettingRow TextRow(const char* name, const char* caption,
                   std::function<std::string(const TALL&)> text);
// A text shown as the image holds it (one byte per character, Latin-1).
SettingRow ImageTextRow(const char* name, const char* caption,
                        std::function<std::string(const TALL&)> text);

// The VFO window, one section per record; the FM window's settings.
std::vector<SettingSection> VfoSections();
SettingSection FmSection();
// The DTMF, optional function, VOX and scan windows.
std::vector<SettingSection> FunctionSections();

} // namespace zorva
