// The settings file SysInfo.Ini: port, language and the serial-number values.
#pragma once

#include <string>
#include <vector>

namespace zorva {

class TALL;

inline constexpr const char* kSettingsFileName = "SysInfo.Ini";
inline constexpr const char* kSettingsSection = "SysInfo";
inline constexpr const char* kRecentSection = "Recent";
inline constexpr int kRecentFilesKept = 6;

// The settings file: beside the executable, as a portable program keeps it; for an installed
// copy, or when the executable's folder is not writable, in the user's configuration folder
// ($XDG_CONFIG_HOME/zorva-520sx, else ~/.config/zorva-520sx), which is created, and which
// starts from the installed SysInfo.Ini when there is one. Several users share an installed
// copy even where its folder is writable (a prefix in the user's home, or root).
std::string SettingsFilePath(const std::string& exeDir);

// An installed copy: the executable in a folder named bin beside share/zorva-520sx.
bool IsInstalledCopy(const std::string& exeDir);

// The installed data folder of an installed copy (language files, default settings), with
// its trailing separator: <prefix>/share/zorva-520sx/ for an executable in <prefix>/bin.
std::string InstalledDataDir(const std::string& exeDir);

// Splits a "|"-separated list.
std::vector<std::string> SplitList(const std::string& value);

// Reads PortName, LanguageId, LanguageName, SnStart, SnIndex, SnNumS, VerifyAfterWrite, the
// channel table's view choices and RecentFiles from the file; a missing file or key gives the defaults, a bad value its fallback.
void ReadSettings(TALL& all, const std::string& path);
// Updates Com, Language_ID, SN_Start, SN_Index, SN_NumS, VerifyAfterWrite, HideEmptyChannels,
// HiddenColumns and the recent files in place, creating the file and the section when missing. Returns false with a reason when
// the file cannot be written.
bool WriteSettings(const TALL& all, const std::string& path, std::string& error);
// Puts `path` at the top of the recent files, once, keeping the newest kRecentFilesKept.
void AddRecentFile(std::vector<std::string>& recent, const std::string& path);
void RemoveRecentFile(std::vector<std::string>& recent, const std::string& path);

// The language dialog's lists: file names from `Language`, display names from the key
// named after the current language.
void ReadLanguageLists(const TALL& all, const std::string& path,
                       std::vector<std::string>& displayNames, std::vector<std::string>& names);

} // namespace zorva
