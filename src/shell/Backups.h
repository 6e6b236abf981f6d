// Backups of every image read from the radio: data files named after the time of the read in
// the user's data folder, of which the newest are kept.
#pragma once

#include <ctime>
#include <string>

namespace zorva {

class TALL;

inline constexpr int kBackupsKept = 100;

// The per-user data folder: $XDG_DATA_HOME/zorva-520sx when that is an absolute path (an
// empty or relative one is ignored), else $HOME/.local/share/zorva-520sx; empty when there
// is no home either.
std::string UserDataFolder(const char* xdgDataHome, const char* home);
// The backups/ folder in this user's data folder, from the environment.
std::string BackupFolder();

// "YYYY-MM-DD_HHMMSS.dat"; copy 2 and later of the same second end in "_<copy>.dat".
std::string BackupFileName(const std::tm& local, int copy);
// Whether `name` is such a name: the only files ever deleted to make room.
bool IsBackupFileName(const std::string& name);

struct BackupResult {
    bool written = false;
    std::string path;   // the file written, or the folder when none could be made
    std::string reason; // why it failed
};

// Saves the image as a data file in `folder` (made when missing), named after `now` in local
// time and never over an existing file, then deletes the oldest backups beyond `keep`. A
// failure deletes nothing.
BackupResult WriteBackup(const TALL& all, const std::string& folder, std::time_t now,
                         int keep = kBackupsKept);

} // namespace zorva
