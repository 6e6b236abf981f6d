// Texts of the image at the edge of the windows: one byte per character, Latin-1.
#pragma once

#include "codec/Numbers.h"

#include <QString>
#include <string>

namespace zorva {

// A character beyond U+00FF becomes a byte the name codec stores as a blank.
inline std::string ToImageText(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text)
        bytes += c.unicode() > 0xFF ? '\x80' : static_cast<char>(c.unicode());
    return bytes;
}

inline QString FromImageText(const std::string& text) {
    return QString::fromLatin1(text);
}

// A frequency in MHz as the windows show it.
inline QString FormatFreqText(double mhz) {
    return FromImageText(FormatFreq(mhz));
}

} // namespace zorva
