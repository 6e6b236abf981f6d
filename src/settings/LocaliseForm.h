// Replaces a window's texts (caption, labels, buttons, menu items, list items) from the
// section of the language file named after the window's objectName.
#pragma once

class QWidget;

namespace zorva {

// Does nothing unless `force` or the language in use is not the first one (whose texts are
// the built-in ones). Reads the language file of All().LanguageName.
void LocaliseForm(QWidget& form, bool force);

} // namespace zorva
