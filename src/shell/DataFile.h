// The data file: a 16-byte header naming the model, then image blocks 1 to 297.
#pragma once

#include <string>

namespace zorva {

class TALL;
class TMacList;
class TLanguage;

inline constexpr int kDataFileSize = 4768;
inline constexpr int kDataFileHeader = 16;

// Writes the data file's bytes of the image through a temporary file renamed over the target;
// on failure the old file stays and `reason` says why. Touches neither Modified nor the user.
bool WriteDataFile(const TALL& all, const std::string& path, std::string& reason);

// Why a data file could not be used; the file and the system's message go with it.
enum class FileProblem { None, Unreadable, TooShort, UnknownModel, Unwritable };

struct FileResult {
    FileProblem problem = FileProblem::None;
    std::string path;
    std::string systemMessage; // strerror's text, empty when the system said nothing

    explicit operator bool() const { return problem == FileProblem::None; }
};

// The message of a failure as a window shows it: the language's text, then on a line of its
// own the file and the system's message.
std::string FileProblemMessage(const FileResult& result, const TLanguage& language);
// The reason alone as a command line prints it after the file: "The file cannot be read: No
// such file or directory".
std::string FileProblemReason(const FileResult& result, const TLanguage& language);

// Writes the image through a temporary file renamed over the target, so a failed save keeps
// the old file. Whoever keeps the image's history marks it saved.
FileResult SaveDataFile(const TALL& all, const std::string& path);

// Reads and checks the whole file before it touches the image: a file that cannot be read,
// is shorter than a data file or names a model not in the catalogue is refused, leaving the
// image and Modified as they were. An accepted file fills blocks 1 to 297, runs the
// after-load sequence and clears Modified.
FileResult LoadDataFile(TALL& all, const TMacList& macList, const std::string& path);

} // namespace zorva
