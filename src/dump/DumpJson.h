// The whole configuration of a radio image as one JSON document, decoded the way the
// windows show it.
#pragma once

#include <QJsonObject>
#include <string>

namespace zorva {

class TALL;

// "0.00000" text of a frequency; the empty text for "no frequency" (any negative value).
std::string FreqText(double mhz);

// Decodes every memory channel in use, the two frequency-mode records and the FM slots with
// the program's own loaders (which repair the image as they go), then takes the settings,
// so the result is the state the windows would show. Changes the image like the loaders do.
QJsonObject DumpImage(const TALL& all);

// DumpImage as an indented JSON text, UTF-8, ending with a newline.
std::string DumpText(const TALL& all);

} // namespace zorva
