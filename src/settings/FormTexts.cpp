#include "settings/FormTexts.h"

#include "core/SafeFile.h"
#include "core/TAll.h"
#include "settings/Language.h"
#include "settings/TextEncoding.h"

namespace zorva {

FormTexts::FormTexts(const TALL& all, std::string section) : section_(std::move(section)) {
    if (all.LanguageId == 0) return;
    std::string content;
    if (!ReadFileContents(LanguageFilePath(all.ExeDir, all.LanguageName), content)) return;
    ini_.Parse(ToUtf8(content));
    loaded_ = true;
}

std::string FormTexts::Text(std::string_view key, std::string_view fallback) const {
    const std::string name(key);
    if (!loaded_ || !ini_.HasKey(section_, name)) return std::string(fallback);
    return ini_.Read(section_, name, std::string(fallback));
}

std::string FormTexts::Caption(std::string_view name, std::string_view fallback) const {
    return Text(std::string(name) + ".Caption", fallback);
}

std::string FormTexts::Item(std::string_view name, int index, std::string_view fallback) const {
    return Text(std::string(name) + "." + std::to_string(index), fallback);
}

} // namespace zorva
