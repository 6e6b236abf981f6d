#include "shell/DataFile.h"

#include "codec/DerivedFields.h"
#include "core/TAll.h"
#include "link/MacType.h"
#include "settings/Language.h"
#include "settings/UserMessages.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zorva {

namespace {

using FileBytes = std::array<uint8_t, kDataFileSize>;

void PutPadded(uint8_t* dest, const std::string& text) {
    for (int i = 0; i < 4; ++i)
        dest[i] = i < static_cast<int>(text.size()) ? static_cast<uint8_t>(text[i]) : ' ';
}

void ShowFileError(const TLanguage& language, UserMessages& messages, const std::string& what,
                   const std::string& path, const std::string& reason) {
    const std::string detail = reason.empty() ? path : path + ": " + reason;
    messages.ShowMsg(language.Confirmation, what + "\n" + detail, kMsgInfo);
}

bool WriteAll(int fd, const uint8_t* bytes, size_t count) {
    while (count > 0) {
        const ssize_t written = ::write(fd, bytes, count);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}

// Reads up to a data file's size; returns the count read, or -1 with errno set.
ssize_t ReadUpTo(int fd, FileBytes& bytes) {
    size_t total = 0;
    while (total < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + total, bytes.size() - total);
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        total += static_cast<size_t>(got);
    }
    return static_cast<ssize_t>(total);
}

// Writes the bytes next to the target and renames them over it, so the old file survives
// any failure. Returns an empty text on success, else the reason.
std::string ReplaceFile(const std::string& path, const FileBytes& bytes) {
    const std::string temp = path + ".saving-" + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return std::strerror(errno);
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    const bool written = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    const int writeErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temp.c_str());
        return std::strerror(written ? errno : writeErrno);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int renameErrno = errno;
        ::unlink(temp.c_str());
        return std::strerror(renameErrno);
    }
    return {};
}

} // namespace

bool SaveDataFile(TALL& all, const std::string& path, const TLanguage& language,
                  UserMessages& messages) {
    FileBytes bytes{};
    std::fill(bytes.begin(), bytes.begin() + kDataFileHeader, 0xFF);
    bytes[0] = 0x50;
    PutPadded(&bytes[1], all.ImageModelIdent);
    PutPadded(&bytes[5], all.OwnModelIdent);
    PutPadded(&bytes[9], "");
    std::copy(all.Image.begin() + kDataFileHeader, all.Image.begin() + kDataFileSize,
              bytes.begin() + kDataFileHeader);

    const std::string reason = ReplaceFile(path, bytes);
    if (!reason.empty()) {
        ShowFileError(language, messages, language.FileWriteError, path, reason);
        return false;
    }
    all.Modified = false;
    return true;
}

bool LoadDataFile(TALL& all, const TMacList& macList, const std::string& path,
                  const TLanguage& language, UserMessages& messages) {
    FileBytes bytes{};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const ssize_t count = fd < 0 ? -1 : ReadUpTo(fd, bytes);
    const int readErrno = errno;
    if (fd >= 0) ::close(fd);
    if (count < 0) {
        ShowFileError(language, messages, language.FileReadError, path, std::strerror(readErrno));
        return false;
    }

    const std::string ident(reinterpret_cast<const char*>(&bytes[1]), 4);
    if (count >= kDataFileHeader && !macList.FindByIdent(ident)) {
        messages.ShowMsg(language.Confirmation, language.ModError, kMsgInfo);
        return false;
    }
    if (count < kDataFileSize) {
        ShowFileError(language, messages, language.FileShort, path, "");
        return false;
    }

    std::copy(bytes.begin() + kDataFileHeader, bytes.end(), all.Image.begin() + kDataFileHeader);
    AfterLoadSequence(all, macList, ident);
    return true;
}

} // namespace zorva
