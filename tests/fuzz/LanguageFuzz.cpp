// Language file bytes: every text loaded is valid UTF-8 whatever the file's encoding, and a
// file that is valid UTF-8 gives its texts unchanged.
#include "fuzz/FuzzSupport.h"
#include "settings/IniFile.h"
#include "settings/Language.h"
#include "settings/TextEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorva;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = fuzz::ScratchFile("Language.Ini");
    fuzz::WriteFile(path, bytes);

    TLanguage language;
    LoadLanguage(language, path);
    for (const LanguageKey& text : LanguageKeys())
        FUZZ_CHECK(IsValidUtf8(language.*text.field), text.key);

    const std::string utf8 = ToUtf8(bytes);
    FUZZ_CHECK(IsValidUtf8(utf8), "ToUtf8 gave invalid UTF-8");
    if (!IsValidUtf8(bytes)) return 0;
    const std::string_view withoutBom = bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
    FUZZ_CHECK(utf8 == withoutBom, "valid UTF-8 was changed");
    IniFile ini;
    ini.Parse(std::string(bytes));
    const TLanguage defaults;
    for (const LanguageKey& text : LanguageKeys())
        FUZZ_CHECK(language.*text.field == ini.Read("Language", text.key, defaults.*text.field),
                   text.key);
    return 0;
}
