#include "settings/Language.h"

#include "core/SafeFile.h"
#include "settings/IniFile.h"
#include "settings/TextEncoding.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

namespace zorva {

namespace {

constexpr const char* kSection = "Language";

struct TextKey {
    const char* key;
    std::string TLanguage::*field;
};

constexpr TextKey kTexts[] = {
    {"Confirmation", &TLanguage::Confirmation},
    {"ExitProgram", &TLanguage::ExitProgram},
    {"SaveProgram", &TLanguage::SaveProgram},
    {"Channel", &TLanguage::Channel},
    {"Info", &TLanguage::Info},
    {"OutRange", &TLanguage::OutRange},
    {"Caution", &TLanguage::Caution},
    {"FileExists", &TLanguage::FileExists},
    {"Close", &TLanguage::Close},
    {"Open", &TLanguage::Open},
    {"ComError", &TLanguage::ComError},
    {"ModError", &TLanguage::ModError},
    {"PwdError", &TLanguage::PwdError},
    {"ClearData", &TLanguage::ClearData},
    {"Modforce", &TLanguage::Modforce},
    {"All", &TLanguage::All},
    {"ErrRange", &TLanguage::ErrRange},
    {"ModelType", &TLanguage::ModelType},
    {"Frequency", &TLanguage::Frequency},
    {"ReadOk", &TLanguage::ReadOk},
    {"WriteOk", &TLanguage::WriteOk},
    {"PortError", &TLanguage::PortError},
    {"FileShort", &TLanguage::FileShort},
    {"FileReadError", &TLanguage::FileReadError},
    {"FileWriteError", &TLanguage::FileWriteError},
    {"PortUnmapped", &TLanguage::PortUnmapped},
    {"PortAbsent", &TLanguage::PortAbsent},
    {"PortInUse", &TLanguage::PortInUse},
    {"PortDenied", &TLanguage::PortDenied},
};

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        return lower(x) == lower(y);
    });
}

} // namespace

std::string LanguageFilePath(const std::string& exeDir, const std::string& languageName) {
    namespace fs = std::filesystem;
    const std::string fileName = languageName + ".Ini";
    const std::string exact = exeDir + fileName;
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact;

    // Files copied from another system often change the letter case of their names. Take
    // the first match in name order, so the choice does not depend on the folder's order.
    const fs::path folder = exeDir.empty() ? fs::path(".") : fs::path(exeDir);
    std::string best;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!EqualNoCase(name, fileName)) continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        if (best.empty() || name < best) best = name;
    }
    return best.empty() ? exact : exeDir + best;
}

void LoadLanguage(TLanguage& language, const std::string& path) {
    language = TLanguage{};
    std::string content;
    if (!ReadFileContents(path, content)) return;
    IniFile ini;
    ini.Parse(ToUtf8(content));
    for (const TextKey& text : kTexts) {
        std::string& field = language.*text.field;
        field = ini.Read(kSection, text.key, field);
    }
}

} // namespace zorva
