// Replaces a window's texts (caption, labels, buttons, menu items, list items) from the
// section of the language file named after the window's objectName.
#pragma once

class QWidget;

namespace zorva {

// Values of a list's "tag" property that narrow what the localiser replaces in it.
constexpr int kTagNeverLocalised = -2; // no item: the items are data
constexpr int kTagFirstItemOnly = -3;  // the first item only (an "Off" before numbers)

// Does nothing unless `force` or the language in use is not the first one (whose texts are
// the built-in ones). Reads the language file of All().LanguageName.
void LocaliseForm(QWidget& form, bool force);

} // namespace zorva
