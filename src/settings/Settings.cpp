#include "settings/Settings.h"

#include "codec/Numbers.h"
#include "core/SafeFile.h"
#include "core/TAll.h"
#include "settings/IniFile.h"
#include "settings/TextEncoding.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>
#include <unistd.h>

namespace zorva {

namespace {

constexpr const char* kListDefault = "English|Chinese";
constexpr const char* kFallbackLanguage = "English";

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string RecentKey(int index) {
    return "File" + std::to_string(index + 1);
}

// A list entry usable as a language name: it names a file beside the executable, so it
// must not be empty nor reach into another folder.
bool IsUsableLanguageName(std::string_view name) {
    return !TrimBlanks(name).empty() && name.find('/') == std::string_view::npos &&
           name.find('\\') == std::string_view::npos;
}

// The file is read as the language files are: UTF-8, else GB18030, which older tools wrote.
void LoadForReading(IniFile& ini, const std::string& path) {
    std::string content;
    if (ReadFileContents(path, content)) ini.Parse(ToUtf8(content));
}

// Loads the file's bytes as they are, for updating keys in place: our keys and values are
// written in the file's own encoding, so every other byte stays as it was. `gb18030` tells
// whether the file is GB18030 rather than UTF-8. A file that exists but cannot be read must
// not be replaced by one holding only our keys, so that is a failure with its reason.
bool LoadExistingOrNone(IniFile& ini, const std::string& path, bool& gb18030, std::string& error) {
    gb18030 = false;
    std::string content;
    if (ReadFileContents(path, content)) {
        gb18030 = !content.starts_with("\xEF\xBB\xBF") && !IsValidUtf8(content);
        ini.Parse(content);
        return true;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        if (errno == ENOENT) return true; // a new file
        error = std::strerror(errno);
        return false;
    }
    std::fclose(file);
    std::error_code ec;
    error = std::strerror(std::filesystem::is_directory(path, ec) ? EISDIR : EIO);
    return false;
}

} // namespace

std::string InstalledDataDir(const std::string& exeDir) {
    return exeDir + "../share/zorva-520sx/";
}

bool IsInstalledCopy(const std::string& exeDir) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path folder = fs::path(exeDir.empty() ? "." : exeDir).lexically_normal();
    const fs::path name =
        folder.has_filename() ? folder.filename() : folder.parent_path().filename();
    return name == "bin" && fs::is_directory(InstalledDataDir(exeDir), ec);
}

std::string SettingsFilePath(const std::string& exeDir) {
    namespace fs = std::filesystem;
    const std::string portable = exeDir + kSettingsFileName;
    if (!IsInstalledCopy(exeDir) && ::access(exeDir.empty() ? "." : exeDir.c_str(), W_OK) == 0)
        return portable;

    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if ((!xdg || !*xdg) && (!home || !*home)) return portable;
    const fs::path folder =
        (xdg && *xdg ? fs::path(xdg) : fs::path(home) / ".config") / "zorva-520sx";
    const fs::path file = folder / kSettingsFileName;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::exists(file, ec)) {
        // The first start of an installed copy takes the installed defaults.
        for (const std::string& start : {portable, InstalledDataDir(exeDir) + kSettingsFileName})
            if (fs::exists(start, ec) && fs::copy_file(start, file, ec)) break;
    }
    return file.string();
}

std::vector<std::string> SplitList(const std::string& value) {
    std::vector<std::string> entries;
    if (value.empty()) return entries;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = value.find('|', start);
        entries.push_back(value.substr(start, bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return entries;
}

void ReadSettings(TALL& all, const std::string& path) {
    IniFile ini;
    LoadForReading(ini, path);

    all.PortName = ini.Read(kSettingsSection, "Com", "Com1");
    const std::string languageId = ini.Read(kSettingsSection, "Language_ID", "0");

    all.SnStart = ini.Read(kSettingsSection, "SN_Start", "");
    all.SnIndex = ParseInteger(ini.Read(kSettingsSection, "SN_Index", "0")).value_or(0);
    all.SnNumS = ParseInteger(ini.Read(kSettingsSection, "SN_NumS", "1")).value_or(1);
    if (all.SnNumS == 0) all.SnNumS = 1;
    // Off unless the file says 1: verifying doubles the time a write takes.
    all.VerifyAfterWrite =
        ParseInteger(ini.Read(kSettingsSection, "VerifyAfterWrite", "0")).value_or(0) == 1;
    all.HideEmptyChannels =
        ParseInteger(ini.Read(kSettingsSection, "HideEmptyChannels", "0")).value_or(0) == 1;
    all.HiddenFields.clear();
    for (const std::string& field : SplitList(ini.Read(kSettingsSection, "HiddenColumns", "")))
        if (const auto id = ParseInteger(field)) all.HiddenFields.push_back(*id);

    if (all.LanguageSelectable) {
        if (const auto id = ParseInteger(languageId)) {
            all.LanguageId = *id;
        } else {
            all.LanguageId = 0;
            all.LanguageName = kFallbackLanguage;
        }
    }

    all.RecentFiles.clear();
    for (int i = kRecentFilesKept - 1; i >= 0; --i) {
        const std::string path = ini.Read(kRecentSection, RecentKey(i), "");
        if (!path.empty()) AddRecentFile(all.RecentFiles, path);
    }

    const std::vector<std::string> names =
        SplitList(ini.Read(kSettingsSection, "Language_SW", kListDefault));
    // A number outside the list, or an entry that cannot name a language file, falls back
    // to the first language rather than to a file that does not exist.
    const bool usable = names.size() >= 2 && all.LanguageId >= 0 &&
                        static_cast<std::size_t>(all.LanguageId) < names.size() &&
                        IsUsableLanguageName(names[static_cast<std::size_t>(all.LanguageId)]);
    if (usable) {
        all.LanguageName = names[static_cast<std::size_t>(all.LanguageId)];
    } else {
        all.LanguageId = 0;
        all.LanguageName = kFallbackLanguage;
    }
}

namespace {

// Puts our keys into `ini`, which holds the file's own bytes: in GB18030 when the file is.
void PutSettings(IniFile& ini, const TALL& all, bool gb18030) {
    const auto encoded = [gb18030](const std::string& value) {
        return gb18030 ? Utf8ToGb18030(value) : value;
    };
    const auto write = [&](const char* key, const std::string& value) {
        ini.Write(kSettingsSection, key, encoded(value));
    };
    write("Com", all.PortName);
    write("Language_ID", std::to_string(all.LanguageId));
    write("SN_Start", all.SnStart);
    write("SN_Index", std::to_string(all.SnIndex));
    write("SN_NumS", std::to_string(all.SnNumS == 0 ? 1 : all.SnNumS));
    write("VerifyAfterWrite", all.VerifyAfterWrite ? "1" : "0");
    write("HideEmptyChannels", all.HideEmptyChannels ? "1" : "0");
    std::string hidden;
    for (const int field : all.HiddenFields)
        hidden += (hidden.empty() ? "" : "|") + std::to_string(field);
    write("HiddenColumns", hidden);

    // A path that is not UTF-8 is not remembered: in a UTF-8 file it would make the whole
    // file read as GB18030 next time, and every other text with it.
    std::vector<std::string> recent;
    for (const std::string& file : all.RecentFiles)
        if (!file.empty() && IsValidUtf8(file) &&
            recent.size() < static_cast<std::size_t>(kRecentFilesKept))
            recent.push_back(file);
    for (int i = 0; i < kRecentFilesKept; ++i) {
        const std::string value = i < static_cast<int>(recent.size()) ? recent[i] : "";
        // A file without the list gets none until there is something in it.
        if (value.empty() && !ini.HasKey(kRecentSection, RecentKey(i))) continue;
        ini.Write(kRecentSection, RecentKey(i), encoded(value));
    }
}

} // namespace

bool WriteSettings(const TALL& all, const std::string& path, std::string& error) {
    IniFile ini;
    bool gb18030 = false;
    if (!LoadExistingOrNone(ini, path, gb18030, error)) return false;
    const std::string asFound = ini.Content();
    PutSettings(ini, all, gb18030);
    // When the bytes that made the file GB18030 were all in our own values, the file would
    // read as UTF-8 next time and its other texts would change; it becomes UTF-8 whole.
    if (gb18030 && IsValidUtf8(ini.Content())) {
        ini.Parse(ToUtf8(asFound));
        PutSettings(ini, all, false);
    }
    return ini.Save(path, error);
}

void AddRecentFile(std::vector<std::string>& recent, const std::string& path) {
    RemoveRecentFile(recent, path);
    recent.insert(recent.begin(), path);
    if (recent.size() > static_cast<std::size_t>(kRecentFilesKept))
        recent.resize(static_cast<std::size_t>(kRecentFilesKept));
}

void RemoveRecentFile(std::vector<std::string>& recent, const std::string& path) {
    std::erase(recent, path);
}

void ReadLanguageLists(const TALL& all, const std::string& path,
                       std::vector<std::string>& displayNames, std::vector<std::string>& names) {
    IniFile ini;
    LoadForReading(ini, path);
    for (std::string& name : SplitList(ini.Read(kSettingsSection, "Language", kListDefault))) {
        names.push_back(std::move(name));
    }
    for (std::string& name :
         SplitList(ini.Read(kSettingsSection, all.LanguageName, kListDefault))) {
        displayNames.push_back(std::move(name));
    }
}

} // namespace zorva
