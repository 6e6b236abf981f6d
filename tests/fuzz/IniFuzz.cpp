// INI text: parsed, a key written, the text parsed again gives the written value and every
// other value as before; the settings read from it stay in their ranges, and writing them
// and reading them back gives the same settings.
#include "TestSupport.h"
#include "core/TAll.h"
#include "fuzz/FuzzSupport.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zorva {
namespace {

using Names = std::vector<std::pair<std::string, std::string>>;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The (section, key) names the text has, as a reader of INI files sees them.
Names KeysOf(std::string_view text) {
    Names names;
    std::string section;
    bool inSection = false;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::string_view inner = line.substr(1);
            section = std::string(Trim(inner.substr(0, inner.find(']'))));
            inSection = true;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, equals));
        if (!key.empty()) names.emplace_back(section, key);
    }
    return names;
}

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

void CheckSettings(const TALL& all) {
    FUZZ_CHECK(all.SnNumS != 0, "SN_NumS 0");
    FUZZ_CHECK(all.LanguageId >= 0, std::to_string(all.LanguageId));
    const std::string& name = all.LanguageName;
    FUZZ_CHECK(name.find_first_not_of(" \t") != std::string::npos &&
                   name.find_first_of("/\\") == std::string::npos,
               "language " + name);
    FUZZ_CHECK(all.RecentFiles.size() <= static_cast<std::size_t>(kRecentFilesKept), "recent");
    for (std::size_t i = 0; i < all.RecentFiles.size(); ++i) {
        FUZZ_CHECK(!all.RecentFiles[i].empty(), "an empty recent file");
        for (std::size_t j = 0; j < i; ++j)
            FUZZ_CHECK(all.RecentFiles[i] != all.RecentFiles[j], "a recent file twice");
    }
}

// The settings that survive being written and read again. Not the language name: after a
// fallback to English for an unusable Language_ID, the 0 written back names the list's first
// entry, whatever that is.
std::string SettingsText(const TALL& all) {
    std::string text = all.PortName + "|" + std::to_string(all.LanguageId) + "|" + all.SnStart +
                       "|" + std::to_string(all.SnIndex) + "|" + std::to_string(all.SnNumS) + "|" +
                       std::to_string(all.VerifyAfterWrite);
    for (const std::string& file : all.RecentFiles)
        text += "|" + file;
    return text;
}

} // namespace
} // namespace zorva

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zorva;
    fuzz::FuzzInput in(data, size);
    const int choice = in.Byte();
    const std::string value = in.Text();
    const std::string text = in.Rest();

    IniFile ini;
    ini.Parse(text);
    Names names = KeysOf(text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text);
    std::vector<std::string> before;
    for (const auto& [section, key] : names)
        before.push_back(ini.Read(section, key, "\x01"));

    // Write one of the keys (or a new one) and parse what the file would hold.
    const auto [section, key] = names.empty() ? std::pair<std::string, std::string>("Fuzz", "Key")
                                              : names[choice % names.size()];
    ini.Write(section, key, value);
    IniFile reread;
    reread.Parse(ini.Content());
    std::string flat = value;
    std::replace(flat.begin(), flat.end(), '\r', ' ');
    std::replace(flat.begin(), flat.end(), '\n', ' ');
    FUZZ_CHECK(reread.Read(section, key, "\x01") == flat,
               "[" + section + "] " + key + " wrote <" + flat + "> read <" +
                   reread.Read(section, key, "\x01") + ">");
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (SameName(names[i].first, section) && SameName(names[i].second, key)) continue;
        FUZZ_CHECK(reread.Read(names[i].first, names[i].second, "\x01") == before[i],
                   "[" + names[i].first + "] " + names[i].second + " changed");
    }

    // The settings file.
    const std::string path = fuzz::ScratchFile("SysInfo.Ini");
    fuzz::WriteFile(path, text);
    static const std::unique_ptr<Maindb> started = test::MakeStartedDb();
    TALL all = started->All;
    all.LanguageSelectable = true;
    ReadSettings(all, path);
    CheckSettings(all);
    std::string error;
    FUZZ_CHECK(WriteSettings(all, path, error), error);
    TALL again = started->All;
    again.LanguageSelectable = true;
    ReadSettings(again, path);
    CheckSettings(again);
    FUZZ_CHECK(SettingsText(again) == SettingsText(all),
               SettingsText(all) + "\n  read back as\n  " + SettingsText(again));
    return 0;
}
