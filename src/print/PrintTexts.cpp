#include "print/PrintTexts.h"

#include "settings/FormTexts.h"

#include <array>

namespace zorva {

std::span<const PrintText> PrintTexts() {
    static constexpr std::array<PrintText, 4> kTexts{kNotSaved, kPageFormat, kNoChannels,
                                                     kWriteFailed};
    return kTexts;
}

QString PrintTextOf(const TALL& all, const PrintText& text) {
    return QString::fromStdString(FormTexts(all, kPrintSection).Caption(text.name, text.english));
}

} // namespace zorva
