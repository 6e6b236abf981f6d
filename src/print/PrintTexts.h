// The printed sheet's own texts: the "fPrint" section of the language file, read without
// any window.
#pragma once

#include <QString>
#include <span>

namespace zorva {

class TALL;

struct PrintText {
    const char* name; // "<name>.Caption" in the language file
    const char* english;
};

inline constexpr const char* kPrintSection = "fPrint";
inline constexpr PrintText kNotSaved{"lNotSaved", "not saved"};
// The page and the number of pages.
inline constexpr PrintText kPageFormat{"lPage", "Page %1 / %2"};
inline constexpr PrintText kNoChannels{"lNoChannels", "No channel is in use."};
// A sheet that could not be written: "%1" is the file, "%2" the reason.
inline constexpr PrintText kWriteFailed{"lWriteFailed", "The sheet could not be written to %1: %2"};

// Every text of the section.
std::span<const PrintText> PrintTexts();

// The text in the language of `all`.
QString PrintTextOf(const TALL& all, const PrintText& text);

} // namespace zorva
