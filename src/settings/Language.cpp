#include "settings/Language.h"

#include "core/SafeFile.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "settings/TextEncoding.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

namespace zorva {

namespace {

constexpr const char* kSection = "Language";

constexpr LanguageKey kTexts[] = {
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
    {"PortReplaced", &TLanguage::PortReplaced},
    {"Locale", &TLanguage::Locale},
    {"VerifyOk", &TLanguage::VerifyOk},
    {"VerifyMismatch", &TLanguage::VerifyMismatch},
    {"VerifyFailed", &TLanguage::VerifyFailed},
    {"BackupError", &TLanguage::BackupError},
    {"FileMissing", &TLanguage::FileMissing},
    {"BandsInUse", &TLanguage::BandsInUse},
    {"ToneWrong", &TLanguage::ToneWrong},
};
static_assert(sizeof(TLanguage) == std::size(kTexts) * sizeof(std::string),
              "a new message text needs a row here and a key in the shipped language files");

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        return lower(x) == lower(y);
    });
}

// `fileName` in `folder`: exactly, else the first name in order that differs only in letter
// case (files copied from another system often change it); empty when there is none.
std::string FindInFolder(const std::string& folder, const std::string& fileName) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_regular_file(folder + fileName, ec)) return folder + fileName;
    std::string best;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!EqualNoCase(name, fileName) || !it->is_regular_file(typeError)) continue;
        if (best.empty() || name < best) best = name;
    }
    return best.empty() ? std::string() : folder + best;
}

} // namespace

std::span<const LanguageKey> LanguageKeys() {
    return kTexts;
}

std::string LanguageFilePath(const std::string& exeDir, const std::string& languageName) {
    const std::string fileName = languageName + ".Ini";
    for (const std::string& folder : {exeDir, InstalledDataDir(exeDir)})
        if (std::string found = FindInFolder(folder, fileName); !found.empty()) return found;
    return exeDir + fileName;
}

void LoadLanguage(TLanguage& language, const std::string& path) {
    language = TLanguage{};
    std::string content;
    if (!ReadFileContents(path, content)) return;
    IniFile ini;
    ini.Parse(ToUtf8(content));
    for (const LanguageKey& text : kTexts) {
        std::string& field = language.*text.field;
        field = ini.Read(kSection, text.key, field);
    }
}

} // namespace zorva
