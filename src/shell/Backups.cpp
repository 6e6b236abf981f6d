#include "shell/Backups.h"

#include "shell/DataFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace zorva {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kStampPattern = "0000-00-00_000000";
constexpr std::string_view kExtension = ".dat";
// Enough for any number of reads in one second; a folder that takes none of them is broken.
constexpr int kMaxCopies = 1000;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The copy number of a backup name (1 for none), or 0 when it is not a backup name.
int CopyOf(std::string_view name) {
    if (name.size() < kStampPattern.size() + kExtension.size() || !name.ends_with(kExtension))
        return 0;
    for (std::size_t i = 0; i < kStampPattern.size(); ++i) {
        const bool digit = kStampPattern[i] == '0';
        if (digit ? !IsDigit(name[i]) : name[i] != kStampPattern[i]) return 0;
    }
    std::string_view rest = name.substr(kStampPattern.size());
    rest.remove_suffix(kExtension.size());
    if (rest.empty()) return 1;
    // "_2" up to "_<kMaxCopies>", without leading zeros, so every copy has one name.
    if (rest.size() < 2 || rest.size() > 5 || rest[0] != '_' || rest[1] == '0') return 0;
    int copy = 0;
    for (char c : rest.substr(1)) {
        if (!IsDigit(c)) return 0;
        copy = copy * 10 + (c - '0');
    }
    return copy >= 2 && copy <= kMaxCopies ? copy : 0;
}

// Deletes the oldest backups beyond `keep`; other files stay whatever their names.
void Prune(const fs::path& folder, int keep) {
    std::vector<std::pair<std::string, int>> backups; // stamp and copy: oldest first
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const int copy = CopyOf(name);
        if (copy > 0 && it->is_regular_file(ec))
            backups.emplace_back(name.substr(0, kStampPattern.size()), copy);
    }
    if (static_cast<int>(backups.size()) <= keep) return;
    std::sort(backups.begin(), backups.end());
    for (std::size_t i = 0; i + static_cast<std::size_t>(keep) < backups.size(); ++i) {
        const auto& [stamp, copy] = backups[i];
        std::string name = stamp;
        if (copy > 1) name += "_" + std::to_string(copy);
        name += kExtension;
        fs::remove(folder / name, ec);
    }
}

} // namespace

std::string UserDataFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && fs::path(xdgDataHome).is_absolute())
        return (fs::path(xdgDataHome) / "zorva-520sx").string();
    if (home && *home) return (fs::path(home) / ".local" / "share" / "zorva-520sx").string();
    return {};
}

std::string BackupFolder() {
    const std::string data = UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    return data.empty() ? data : (fs::path(data) / "backups").string();
}

std::string BackupFileName(const std::tm& local, int copy) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H%M%S", &local);
    std::string name = stamp;
    if (copy > 1) name += "_" + std::to_string(copy);
    return name + std::string(kExtension);
}

bool IsBackupFileName(const std::string& name) {
    return CopyOf(name) > 0;
}

BackupResult WriteBackup(const TALL& all, const std::string& folder, std::time_t now, int keep) {
    BackupResult result;
    result.path = folder;
    if (folder.empty()) {
        result.reason = "no home folder";
        return result;
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        result.reason = ec.message();
        return result;
    }
    std::tm local{};
    localtime_r(&now, &local);
    // The name is claimed by creating the file, so that two reads in one second, even by
    // two programs, never write over each other.
    int copy = 1;
    for (; copy <= kMaxCopies; ++copy) {
        result.path = (fs::path(folder) / BackupFileName(local, copy)).string();
        const int fd = ::open(result.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            break;
        }
        if (errno != EEXIST) {
            result.reason = std::strerror(errno);
            return result;
        }
    }
    if (copy > kMaxCopies) {
        result.reason = std::strerror(EEXIST);
        return result;
    }
    if (!WriteDataFile(all, result.path, result.reason)) {
        ::unlink(result.path.c_str());
        return result;
    }
    result.written = true;
    Prune(folder, keep);
    return result;
}

} // namespace zorva
