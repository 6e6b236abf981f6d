#include "shell/DataFile.h"

#include "codec/DerivedFields.h"
#include "core/MacType.h"
#include "core/SafeFile.h"
#include "core/TAll.h"
#include "settings/Language.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace zorva {

namespace {

using FileBytes = std::array<uint8_t, kDataFileSize>;

void PutPadded(uint8_t* dest, const std::string& text) {
    for (int i = 0; i < 4; ++i)
        dest[i] = i < static_cast<int>(text.size()) ? static_cast<uint8_t>(text[i]) : ' ';
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

} // namespace

bool WriteDataFile(const TALL& all, const std::string& path, std::string& reason) {
    FileBytes bytes{};
    std::fill(bytes.begin(), bytes.begin() + kDataFileHeader, 0xFF);
    bytes[0] = 0x50;
    PutPadded(&bytes[1], all.ImageModelIdent);
    PutPadded(&bytes[5], all.OwnModelIdent);
    PutPadded(&bytes[9], "");
    std::copy(all.Image.begin() + kDataFileHeader, all.Image.begin() + kDataFileSize,
              bytes.begin() + kDataFileHeader);
    const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return ReplaceFileContents(path, content, reason);
}

namespace {

// The language's text of a problem; empty for none.
std::string ProblemText(FileProblem problem, const TLanguage& language) {
    switch (problem) {
    case FileProblem::None:
        return {};
    case FileProblem::UnknownModel:
        return language.ModError;
    case FileProblem::Unreadable:
        return language.FileReadError;
    case FileProblem::TooShort:
        return language.FileShort;
    case FileProblem::Unwritable:
        return language.FileWriteError;
    }
    return {};
}

} // namespace

std::string FileProblemMessage(const FileResult& result, const TLanguage& language) {
    if (result.problem == FileProblem::None) return {};
    const std::string what = ProblemText(result.problem, language);
    if (result.problem == FileProblem::UnknownModel) return what;
    const std::string& reason = result.systemMessage;
    return what + "\n" + (reason.empty() ? result.path : result.path + ": " + reason);
}

std::string FileProblemReason(const FileResult& result, const TLanguage& language) {
    std::string what = ProblemText(result.problem, language);
    if (result.problem == FileProblem::None || result.systemMessage.empty()) return what;
    // "The file cannot be read.: reason" reads badly; the full stop goes before a colon.
    if (!what.empty() && what.back() == '.') what.pop_back();
    return what + ": " + result.systemMessage;
}

FileResult SaveDataFile(const TALL& all, const std::string& path) {
    std::string reason;
    if (!WriteDataFile(all, path, reason)) return {FileProblem::Unwritable, path, reason};
    return {FileProblem::None, path, {}};
}

FileResult LoadDataFile(TALL& all, const TMacList& macList, const std::string& path) {
    FileBytes bytes{};
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const ssize_t count = fd < 0 ? -1 : ReadUpTo(fd, bytes);
    const int readErrno = errno;
    if (fd >= 0) ::close(fd);
    if (count < 0) return {FileProblem::Unreadable, path, std::strerror(readErrno)};

    const std::string ident(reinterpret_cast<const char*>(&bytes[1]), 4);
    if (count >= kDataFileHeader && !macList.FindByIdent(ident))
        return {FileProblem::UnknownModel, path, {}};
    if (count < kDataFileSize) return {FileProblem::TooShort, path, {}};

    std::copy(bytes.begin() + kDataFileHeader, bytes.end(), all.Image.begin() + kDataFileHeader);
    // The flag mirrors the file's byte, as after reading the radio; the previous image's flag
    // would otherwise be shown and stored over it.
    all.ManualFreqFlag = all.Image[kManualFreqByte];
    AfterLoadSequence(all, macList, ident);
    return {FileProblem::None, path, {}};
}

} // namespace zorva
