// The toolkit's own texts (the buttons of message boxes, the file dialogs) in the program's
// language, so that a window never mixes two languages.
#pragma once

#include <string>

namespace zorva {

// Installs the toolkit's translations for `locale` (such as "zh_CN"), replacing those of the
// previous call; "en", an empty locale or one without translations on this system leaves the
// toolkit's English. Returns whether translations are installed.
bool InstallToolkitTranslations(const std::string& locale);

} // namespace zorva
