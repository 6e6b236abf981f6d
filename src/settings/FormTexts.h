// The texts a window's section of the language file gives its controls, read without the
// window: the printed sheet, the channel table's model and the command-line companion word
// captions and list items exactly as the windows show them.
#pragma once

#include "settings/IniFile.h"

#include <string>
#include <string_view>

namespace zorva {

class TALL;

class FormTexts {
public:
    // The section `section` ("fOptFun") of the language file in use; with the first language
    // (whose texts are the built-in ones) every lookup gives its fallback.
    FormTexts(const TALL& all, std::string section);

    // "<name>.Caption" of a control or of the window, or `fallback`.
    std::string Caption(std::string_view name, std::string_view fallback) const;
    // Item `index` of a list ("<name>.<index>"), or `fallback`.
    std::string Item(std::string_view name, int index, std::string_view fallback) const;
    // Any key of the section, or `fallback`.
    std::string Text(std::string_view key, std::string_view fallback) const;

private:
    IniFile ini_;
    std::string section_;
    bool loaded_ = false;
};

} // namespace zorva
