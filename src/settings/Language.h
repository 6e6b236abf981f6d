// The message texts of the current language, loaded from "<ExeDir><LanguageName>.Ini".
#pragma once

#include "core/TLanguage.h"

#include <span>
#include <string>

namespace zorva {

// The [Language] key of every text, in the order of the fields.
struct LanguageKey {
    const char* key;
    std::string TLanguage::*field;
};
std::span<const LanguageKey> LanguageKeys();

// Path of a language file: ExeDir + name + ".Ini". When that exact file is missing, a file
// in the same folder whose name differs only in letter case is taken instead, then the same
// in the installed data folder.
std::string LanguageFilePath(const std::string& exeDir, const std::string& languageName);

// Sets every text from section [Language] of the file, the built-in default for whatever
// the file lacks. Every text is reset first, so a reload never keeps texts of the old
// language. A file that is not valid UTF-8 is read as GB18030.
void LoadLanguage(TLanguage& language, const std::string& path);

} // namespace zorva
